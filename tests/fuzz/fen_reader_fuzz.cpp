// Any bytes as a position file: the reader stays in bounds, refuses with one of its two
// texts or accepts, and an accepted position writes back to the same position.
#include <stdio.h>

#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Game* game = new Game;
    static Game* again = new Game;
    game->LoadFromFen(FileText(data, size));
    const String& error = game->errorText;
    FUZZ_CHECK(error.Length() == 0 || error == String(" Error position") || error == String(" Game over"));
    FUZZ_CHECK(game->ply == 0 && (game->sideToMove == 0 || game->sideToMove == 1));
    for (int i = 0; i < 64; ++i) {
        const Square& s = game->board[i / 8][i % 8];
        FUZZ_CHECK(s.kind >= PieceNone && s.kind <= PieceKing);
        FUZZ_CHECK(s.colour == ColourWhite || s.colour == ColourBlack);
    }
    FUZZ_CHECK(memcmp(game->beginBoard, game->board, sizeof game->board) == 0);
    if (error.Length() != 0) return 0;

    again->LoadFromFen(FenPositionText(*game, game->sideToMove));
    FUZZ_CHECK(again->errorText.Length() == 0);
    FUZZ_CHECK(again->sideToMove == game->sideToMove);
    for (int i = 0; i < 64; ++i) {
        const Square& s = game->board[i / 8][i % 8];
        const Square& t = again->board[i / 8][i % 8];
        FUZZ_CHECK(s.kind == t.kind && (s.kind == PieceNone || s.colour == t.colour));
    }
    return 0;
}
