// Board geometry worked out at compile time: for every square, the squares a knight
// jump or a king step reaches and the length of each ray to the board's edge. The
// attack tests and the move generators are templates over the square index that
// unroll these lists, so no edge test or direction loop runs while they work.
#pragma once

#include <stdint.h>
#include <utility>
#include "core/game.h"

namespace squares {

constexpr int FileOf(int sq) { return sq % 8; }
constexpr int RowOf(int sq) { return sq / 8; }
constexpr bool OnBoard(int x, int y) { return x >= 0 && x < 8 && y >= 0 && y < 8; }

// Candidate orders fixed by the rules of the generators: clockwise from the step just
// right of straight up (knight) and from straight up (king).
constexpr int kKnightDX[8] = {1, 2, 2, 1, -1, -2, -2, -1};
constexpr int kKnightDY[8] = {2, 1, -1, -2, -2, -1, 1, 2};
constexpr int kKingDX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kKingDY[8] = {1, 1, 0, -1, -1, -1, 0, 1};

struct SquareList {
    int count;
    int sq[8];
};

// The jumps or steps of one table that stay on the board, in table order.
constexpr SquareList Targets(int from, const int* dx, const int* dy) {
    SquareList list{0, {0, 0, 0, 0, 0, 0, 0, 0}};
    for (int i = 0; i < 8; ++i) {
        int x = FileOf(from) + dx[i], y = RowOf(from) + dy[i];
        if (OnBoard(x, y)) list.sq[list.count++] = x + 8 * y;
    }
    return list;
}

template <int S> constexpr SquareList kKnightTargets = Targets(S, kKnightDX, kKnightDY);
template <int S> constexpr SquareList kKingTargets = Targets(S, kKingDX, kKingDY);

// Number of squares from S in direction (dx, dy) up to the edge.
constexpr int RayLength(int from, int dx, int dy) {
    int n = 0;
    int x = FileOf(from) + dx, y = RowOf(from) + dy;
    while (OnBoard(x, y)) {
        ++n;
        x += dx;
        y += dy;
    }
    return n;
}

// The square k steps from S in direction (dx, dy).
constexpr int Step(int from, int dx, int dy, int k) { return from + k * (dx + 8 * dy); }

inline Square& At(Square (&board)[8][8], int sq) { return board[sq / 8][sq % 8]; }
inline const Square& At(const Square (&board)[8][8], int sq) { return board[sq / 8][sq % 8]; }

}  // namespace squares
