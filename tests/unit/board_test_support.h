// Board helpers shared by the unit tests: squares by name, board comparisons, the
// generated moves as text and moves played from text.
#pragma once
#include <cctype>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/game.h"
#include "tools/common/position_setup.h"

// The square named like "e4".
inline Square& At(Game& game, const char* square) { return game.board[square[1] - '1'][square[0] - 'a']; }
inline const Square& At(const Game& game, const char* square) {
    return game.board[square[1] - '1'][square[0] - 'a'];
}

// Kinds everywhere and colours of pieces agree; with `marksToo` the display fields too.
inline ::testing::AssertionResult SamePlacement(const Game& a, const Game& b, bool marksToo = false) {
    for (int i = 0; i < 64; ++i) {
        const Square& s = a.board[i / 8][i % 8];
        const Square& t = b.board[i / 8][i % 8];
        if (s.kind != t.kind || (s.kind && s.colour != t.colour) ||
            (marksToo && (s.mark != t.mark || s.markAge != t.markAge || s.legalTarget != t.legalTarget)))
            return ::testing::AssertionFailure() << "square " << char('a' + i % 8) << char('1' + i / 8) << " differs";
    }
    return ::testing::AssertionSuccess();
}

// Every field of every square saved, stale colours of empty squares too.
struct BoardCopy {
    Square squares[8][8];
    explicit BoardCopy(const Game& g) { memcpy(squares, g.board, sizeof squares); }
    bool Same(const Game& g) const { return memcmp(squares, g.board, sizeof squares) == 0; }
};

typedef std::vector<std::string> Moves;

// The legal moves of `side` as texts like "e2e4", in generation order.
inline Moves MovesOf(Game& g, int side) {
    MoveListEntry list[kMoveListSize];
    g.GenerateLegalMoves(list, side);
    Moves moves;
    for (int i = 0; i < g.moveCount; ++i)
        moves.push_back({char('a' + list[i].fromX), char('1' + list[i].fromY), char('a' + list[i].toX),
                         char('1' + list[i].toY)});
    return moves;
}

inline std::string SwapCase(std::string s) {
    for (char& c : s) c = isupper(c) ? char(tolower(c)) : char(toupper(c));
    return s;
}

// The same position seen from the other side: ranks reversed, colours swapped.
inline std::string MirrorFen(const std::string& fen) {
    std::istringstream in(fen);
    std::string placement, side, castling, rank, out;
    in >> placement >> side >> castling;
    std::istringstream ranks(placement);
    while (std::getline(ranks, rank, '/')) out = rank + (out.empty() ? "" : "/") + out;
    return SwapCase(out) + (side == "w" ? " b " : " w ") + SwapCase(castling) + " -";
}

inline std::string MirrorMove(const char* m) {
    return std::string{m[0], char('9' - (m[1] - '0')), m[2], char('9' - (m[3] - '0'))};
}

// Plays moves written like "e2e4 e7e5 b7b8n"; fails at the first one refused.
inline ::testing::AssertionResult PlayMoves(Game& g, const char* moves) {
    std::istringstream in(moves);
    for (std::string m; in >> m;)
        if (!PlayCoordinateMove(g, m.c_str())) return ::testing::AssertionFailure() << m << " refused";
    return ::testing::AssertionSuccess();
}

// A game that began from `fen` (analyse mode; castling from the history, so the FEN's
// own rights must be KQkq) with `moves` played.
inline std::unique_ptr<Game> GameFrom(const char* fen, const char* moves) {
    std::unique_ptr<Game> game(new Game);
    EXPECT_TRUE(SetUpFromFen(*game, fen)) << fen;
    EXPECT_EQ(0, game->ply) << "the position needs no made-up history";
    game->analyseMode = 1;
    memcpy(game->beginBoard, game->board, sizeof game->beginBoard);
    game->beginSide = game->sideToMove;
    EXPECT_TRUE(PlayMoves(*game, moves)) << moves;
    return game;
}
