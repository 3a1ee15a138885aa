// A fixed set of positions for the computer player's benchmark and golden test:
// openings, middlegames, endings and bare-king endings. Each is the start position or
// a FEN, then moves in coordinate notation that the history holds.
#pragma once
#include <string.h>
#include "tools/common/position_setup.h"

struct EnginePosition {
    const char* name;
    const char* position;  // "startpos" or a FEN
    const char* moves;     // space-separated coordinate moves, may be empty
};

const EnginePosition kEnginePositions[] = {
    {"open-e4", "startpos", "e2e4"},
    {"open-e4e5-nf3", "startpos", "e2e4 e7e5 g1f3"},
    {"open-queens-gambit", "startpos", "d2d4 d7d5 c2c4"},
    {"open-sicilian", "startpos", "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3"},
    {"open-ruy-lopez", "startpos", "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6"},
    {"open-castling", "startpos", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 c2c3 g8f6"},
    {"mid-kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", ""},
    {"mid-queens-indian", "r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQ1RK1 w - - 0 8", ""},
    {"mid-opposite-castling", "r2q1rk1/1b1nbppp/p2ppn2/1p6/3NP3/1BN1BP2/PPPQ2PP/2KR3R b - - 0 11", ""},
    {"mid-hanging-pawns", "2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PNBPN2/PB3PPP/2RQ1RK1 w - - 0 11", ""},
    {"mid-mate-in-one", "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", ""},
    {"mid-en-passant", "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", ""},
    {"end-rook-pawns", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", ""},
    {"end-king-pawn", "8/8/4k3/3p4/3P4/4K3/8/8 w - - 0 1", ""},
    {"end-back-rank", "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", ""},
    {"end-rook-black", "8/5pk1/6p1/8/3R4/6P1/5PK1/2r5 b - - 0 1", ""},
    {"end-pawn-race", "8/8/1p3k2/p1p5/P1P2K2/1P6/8/8 w - - 0 1", ""},
    {"end-promotion", "8/3P4/8/8/8/6k1/8/4K3 w - - 0 1", ""},
    {"bare-queen", "8/8/8/4k3/8/8/8/3QK3 w - - 0 1", ""},
    {"bare-rook", "8/8/8/3k4/8/8/8/R3K3 w - - 0 1", ""},
    {"bare-bishop-knight", "8/8/8/4k3/8/8/8/2B1KN2 w - - 0 1", ""},
    {"bare-two-bishops", "8/8/8/4k3/8/8/8/2B1KB2 w - - 0 1", ""},
    {"bare-rook-black", "8/8/8/3K4/8/8/8/r3k3 b - - 0 1", ""},
};
const int kEnginePositionCount = sizeof kEnginePositions / sizeof kEnginePositions[0];

// Sets `game` up from "startpos" or a FEN and plays the space-separated coordinate
// moves. Returns 1 on success, 0 when the position or a move is refused.
inline int SetUpPositionWithMoves(Game& game, const char* position, const char* moves) {
    if (strcmp(position, "startpos") == 0) {
        game.Reset(ResetStartPosition);
    } else if (!SetUpFromFen(game, position)) {
        return 0;
    }
    char move[8];
    const char* p = moves ? moves : "";
    while (*p) {
        while (*p == ' ') ++p;
        int n = 0;
        while (*p && *p != ' ') {
            if (n == 7) return 0;
            move[n++] = *p++;
        }
        move[n] = '\0';
        if (n > 0 && !PlayCoordinateMove(game, move)) return 0;
    }
    return 1;
}
