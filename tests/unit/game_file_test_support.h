// Games for the game-file and position-file tests.
#pragma once
#include <memory>
#include <string>

#include "files/game_files.h"
#include "unit/board_test_support.h"

// A game from the start position with `moves` (coordinate notation) played.
inline std::unique_ptr<Game> StartGame(const char* moves) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    EXPECT_TRUE(PlayMoves(*game, moves)) << moves;
    return game;
}

inline void SetPlayer(Game& game, int side, const char* name, int isComputer, int clock) {
    PlayerRecord& p = game.player[side];
    memset(p.name, 0, sizeof p.name);
    strncpy(p.name, name, sizeof p.name - 1);
    p.isComputer = isComputer;
    p.clockSeconds = clock;
}

// The moves of a game's history in coordinate notation, "e2e4 e7e8q".
inline std::string HistoryText(const Game& game) {
    std::string text;
    for (int i = 0; i < game.ply; ++i) {
        const MoveRecord& r = game.history[i];
        if (i) text += ' ';
        text += {char('a' + r.fromX), char('1' + r.fromY), char('a' + r.toX), char('1' + r.toY)};
        if (r.newKind != r.kind) text += "?nbrq"[r.newKind - 1];
    }
    return text;
}

inline std::string Text(const String& s) { return std::string(s.CStr(), s.Length()); }
