// The square attack test as one template over the square index. Each instance is
// straight-line code for its square: the rank and file rays, then the diagonals, then
// the knight squares, all fixed at compile time. The named Game::IsAttacked members and
// the check test's dispatch table are built from it, and the move generators call it
// directly for a king's step onto a known square.
#pragma once

#include <array>
#include <utility>
#include "core/game.h"
#include "core/square_lists.h"

namespace attacks {

typedef Square Board[8][8];

// One square of a ray: false while the ray goes on (empty square), true once it ends at
// an occupied square, with `hit` set when that square holds an attacker of `side`.
template <int S, int DX, int DY, int K>
inline bool RayStep(const Board& b, int side, int& hit) {
    constexpr int T = squares::Step(S, DX, DY, K);
    constexpr bool kDiagonal = DX != 0 && DY != 0;
    const Square& q = b[T / 8][T % 8];
    if (q.kind == PieceNone) return false;
    if (q.colour != side) {
        const int kind = q.kind;
        bool attacker = kDiagonal ? (kind == PieceBishop || kind == PieceQueen)
                                  : (kind == PieceRook || kind == PieceQueen);
        if (K == 1) {
            attacker = attacker || kind == PieceKing;
            // A pawn attacks from the diagonal square in front of it, and only from
            // rows 1 to 6: one on its own back row attacks nothing.
            if (kDiagonal && DY > 0 && squares::RowOf(T) <= 6)
                attacker = attacker || (kind == PiecePawn && side == ColourWhite);
            if (kDiagonal && DY < 0 && squares::RowOf(T) >= 1)
                attacker = attacker || (kind == PiecePawn && side != ColourWhite);
        }
        hit = attacker;
    }
    return true;
}

template <int S, int DX, int DY, int... I>
inline int RayWalk([[maybe_unused]] const Board& b, [[maybe_unused]] int side, std::integer_sequence<int, I...>) {
    int hit = 0;
    (void)(RayStep<S, DX, DY, I + 1>(b, side, hit) || ...);
    return hit;
}

template <int S, int DX, int DY>
inline int Ray(const Board& b, int side) {
    return RayWalk<S, DX, DY>(b, side, std::make_integer_sequence<int, squares::RayLength(S, DX, DY)>{});
}

template <int T>
inline bool KnightOn(const Board& b, int side) {
    const Square& q = b[T / 8][T % 8];
    return q.kind == PieceKnight && q.colour != side;
}

template <int S, int... I>
inline bool Knights([[maybe_unused]] const Board& b, [[maybe_unused]] int side, std::integer_sequence<int, I...>) {
    return (KnightOn<squares::kKnightTargets<S>.sq[I]>(b, side) || ...);
}

// 1 when square S is attacked by a piece whose colour differs from `side`. Kept out of
// line: one copy per square serves the named tests, the check test and the king's steps.
template <int S>
__attribute__((noinline)) int SquareAttacked(const Board& b, int side) {
    return Ray<S, 0, 1>(b, side) || Ray<S, 0, -1>(b, side) || Ray<S, 1, 0>(b, side) ||
           Ray<S, -1, 0>(b, side) || Ray<S, 1, 1>(b, side) || Ray<S, 1, -1>(b, side) ||
           Ray<S, -1, 1>(b, side) || Ray<S, -1, -1>(b, side) ||
           Knights<S>(b, side, std::make_integer_sequence<int, squares::kKnightTargets<S>.count>{});
}

typedef int (*AttackTest)(const Board& b, int side);

// The 64 tests in square-index order (a1 = 0 ... h8 = 63).
extern const std::array<AttackTest, 64> kAttackTests;

}  // namespace attacks
