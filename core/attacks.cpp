// King finder, check test and the 64 square attack tests.
#include "core/attacks.h"

namespace attacks {

template <int... S>
constexpr std::array<AttackTest, 64> BuildTable(std::integer_sequence<int, S...>) {
    return {{&SquareAttacked<S>...}};
}

const std::array<AttackTest, 64> kAttackTests = BuildTable(std::make_integer_sequence<int, 64>{});

}  // namespace attacks

int Game::FindKing(int side, int* x, int* y) {
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            if (board[row][col].kind == PieceKing && board[row][col].colour == side) {
                *x = col;
                *y = row;
                return 1;
            }
    return 0;
}

int Game::IsInCheck(int side, int x, int y) {
    if (x == -1 && !FindKing(side, &x, &y)) return 0;
    // The square is chosen by its index alone, computed as a wrapping 32-bit sum;
    // anything outside 0..63 is no square and nothing attacks it.
    unsigned index = unsigned(x) + 8u * unsigned(y);
    if (index > 63) return 0;
    return attacks::kAttackTests[index](board, side);
}

#define VARNO_ATTACK_TEST(name, index) \
    int Game::IsAttacked##name(int side) { return attacks::SquareAttacked<index>(board, side); }

VARNO_ATTACK_TEST(A1, 0) VARNO_ATTACK_TEST(B1, 1) VARNO_ATTACK_TEST(C1, 2) VARNO_ATTACK_TEST(D1, 3)
VARNO_ATTACK_TEST(E1, 4) VARNO_ATTACK_TEST(F1, 5) VARNO_ATTACK_TEST(G1, 6) VARNO_ATTACK_TEST(H1, 7)
VARNO_ATTACK_TEST(A2, 8) VARNO_ATTACK_TEST(B2, 9) VARNO_ATTACK_TEST(C2, 10) VARNO_ATTACK_TEST(D2, 11)
VARNO_ATTACK_TEST(E2, 12) VARNO_ATTACK_TEST(F2, 13) VARNO_ATTACK_TEST(G2, 14) VARNO_ATTACK_TEST(H2, 15)
VARNO_ATTACK_TEST(A3, 16) VARNO_ATTACK_TEST(B3, 17) VARNO_ATTACK_TEST(C3, 18) VARNO_ATTACK_TEST(D3, 19)
VARNO_ATTACK_TEST(E3, 20) VARNO_ATTACK_TEST(F3, 21) VARNO_ATTACK_TEST(G3, 22) VARNO_ATTACK_TEST(H3, 23)
VARNO_ATTACK_TEST(A4, 24) VARNO_ATTACK_TEST(B4, 25) VARNO_ATTACK_TEST(C4, 26) VARNO_ATTACK_TEST(D4, 27)
VARNO_ATTACK_TEST(E4, 28) VARNO_ATTACK_TEST(F4, 29) VARNO_ATTACK_TEST(G4, 30) VARNO_ATTACK_TEST(H4, 31)
VARNO_ATTACK_TEST(A5, 32) VARNO_ATTACK_TEST(B5, 33) VARNO_ATTACK_TEST(C5, 34) VARNO_ATTACK_TEST(D5, 35)
VARNO_ATTACK_TEST(E5, 36) VARNO_ATTACK_TEST(F5, 37) VARNO_ATTACK_TEST(G5, 38) VARNO_ATTACK_TEST(H5, 39)
VARNO_ATTACK_TEST(A6, 40) VARNO_ATTACK_TEST(B6, 41) VARNO_ATTACK_TEST(C6, 42) VARNO_ATTACK_TEST(D6, 43)
VARNO_ATTACK_TEST(E6, 44) VARNO_ATTACK_TEST(F6, 45) VARNO_ATTACK_TEST(G6, 46) VARNO_ATTACK_TEST(H6, 47)
VARNO_ATTACK_TEST(A7, 48) VARNO_ATTACK_TEST(B7, 49) VARNO_ATTACK_TEST(C7, 50) VARNO_ATTACK_TEST(D7, 51)
VARNO_ATTACK_TEST(E7, 52) VARNO_ATTACK_TEST(F7, 53) VARNO_ATTACK_TEST(G7, 54) VARNO_ATTACK_TEST(H7, 55)
VARNO_ATTACK_TEST(A8, 56) VARNO_ATTACK_TEST(B8, 57) VARNO_ATTACK_TEST(C8, 58) VARNO_ATTACK_TEST(D8, 59)
VARNO_ATTACK_TEST(E8, 60) VARNO_ATTACK_TEST(F8, 61) VARNO_ATTACK_TEST(G8, 62) VARNO_ATTACK_TEST(H8, 63)

#undef VARNO_ATTACK_TEST
