// Any bytes as a game file: the reader stays in bounds, plays only legal moves, and
// what it read writes back to a file that reads to the same moves.
#include <stdio.h>

#include "fuzz/fuzz_support.h"

namespace {

int IsLegal(Game& position, const MoveRecord& r) {
    MoveListEntry list[kMoveListSize];
    position.GenerateLegalMoves(list, position.sideToMove);
    for (int i = 0; i < position.moveCount; ++i)
        if (list[i].fromX == r.fromX && list[i].fromY == r.fromY && list[i].toX == r.toX && list[i].toY == r.toY)
            return 1;
    return 0;
}

int HasLineBreak(const char* name) { return strchr(name, '\r') || strchr(name, '\n'); }

// What a read may change: board, moves, side to move, players and level.
int SameGame(const Game& a, const Game& b) {
    return memcmp(a.board, b.board, sizeof a.board) == 0 && a.ply == b.ply && a.sideToMove == b.sideToMove &&
           memcmp(a.history, b.history, sizeof(MoveRecord) * a.ply) == 0 &&
           memcmp(a.player, b.player, sizeof a.player) == 0 && a.searchDepth == b.searchDepth;
}

// A game that no read leaves as it is: one move played, names, clocks and level set.
void SetUpEarlierGame(Game* game) {
    game->Reset(ResetStartPosition);
    game->MakeMove(&game->history[0], 4, 1, 4, 3, 1, PieceQueen);
    game->ply = 1;
    game->sideToMove = ColourBlack;
    for (int side = 0; side < 2; ++side) {
        memset(game->player[side].name, 0, sizeof game->player[side].name);
        game->player[side].name[0] = side ? 'B' : 'W';
        game->player[side].clockSeconds = 5 + side;
    }
    game->searchDepth = 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Game* game = new Game;
    static Game* replay = new Game;
    static Game* again = new Game;
    static Game* before = new Game;
    String text = FileText(data, size);
    SetUpEarlierGame(game);
    *before = *game;
    LoadGameFromPgn(game, &text);
    if (game->errorText.Length() != 0) {
        FUZZ_CHECK(game->errorText == String("Not begin position"));
        FUZZ_CHECK(SameGame(*game, *before));  // a refused text changes nothing else
        return 0;
    }
    FUZZ_CHECK(game->ply >= 0 && game->ply <= kMaxGamePly);
    FUZZ_CHECK(game->searchDepth >= 1 && game->searchDepth <= 3);
    for (int side = 0; side < 2; ++side) {
        FUZZ_CHECK(memchr(game->player[side].name, 0, sizeof game->player[side].name) != 0);
        FUZZ_CHECK(game->player[side].clockSeconds >= 0 && game->player[side].clockSeconds <= 99 * 3600 + 99 * 60 + 99);
    }

    // Every move read was legal where it was played.
    replay->Reset(ResetStartPosition);
    for (int i = 0; i < game->ply; ++i) {
        const MoveRecord& r = game->history[i];
        replay->sideToMove = i % 2;
        FUZZ_CHECK(IsLegal(*replay, r));
        replay->MakeMove(&replay->history[i], r.fromX, r.fromY, r.toX, r.toY, 1, r.newKind);
        replay->ply = i + 1;
    }
    for (int i = 0; i < 64; ++i) {
        const Square& s = game->board[i / 8][i % 8];
        const Square& t = replay->board[i / 8][i % 8];
        FUZZ_CHECK(s.kind == t.kind && (s.kind == PieceNone || s.colour == t.colour));
    }

    // Written and read again: the same moves (a name with a line break may start a line
    // that looks like a position tag, which is then refused).
    const SaveMoment when = {2026, 12, 9, 10, 0, "09.12.2026"};
    String written = PgnGameText(*game, when);
    LoadGameFromPgn(again, &written);
    if (HasLineBreak(game->player[0].name) || HasLineBreak(game->player[1].name)) return 0;
    FUZZ_CHECK(again->errorText.Length() == 0);
    FUZZ_CHECK(again->ply == game->ply);
    FUZZ_CHECK(memcmp(again->history, game->history, sizeof(MoveRecord) * game->ply) == 0);
    return 0;
}
