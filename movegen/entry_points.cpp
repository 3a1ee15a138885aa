// The two ways into legal-move generation: every legal move of a side into a list, and
// the legal targets of one piece as flags on the board.
#include "movegen/square_generator.h"

namespace movegen {

namespace {

typedef uint64_t (*PinTest)(const Square (&b)[8][8], int side);

template <int... S>
constexpr std::array<PinTest, 64> BuildPinTests(std::integer_sequence<int, S...>) {
    return {{&PinnedPieces<S>...}};
}

const std::array<PinTest, 64> kPinTests = BuildPinTests(std::make_integer_sequence<int, 64>{});

}  // namespace

Context MakeContext(Game& game, MoveListEntry* out, int side) {
    Context c{game, out, side, ~uint64_t(0), nullptr, -1};
    if (game.kingX == -1) return c;  // the check test would look for the king itself
    const unsigned index = unsigned(game.kingX) + 8u * unsigned(game.kingY);
    if (index > 63) {
        c.testMask = 0;  // no square: the check test answers 0 to every trial
        return c;
    }
    c.kingTest = attacks::kAttackTests[index];
    c.kingAttacked = c.kingTest(game.board, side);
    if (!c.kingAttacked) c.testMask = kPinTests[index](game.board, side);
    return c;
}

}  // namespace movegen

namespace {
typedef void (Game::*SquareGenerator)(MoveListEntry* out, int* side);

const SquareGenerator kSquareGenerators[64] = {
    &Game::GenerateFromA1, &Game::GenerateFromB1, &Game::GenerateFromC1, &Game::GenerateFromD1,
    &Game::GenerateFromE1, &Game::GenerateFromF1, &Game::GenerateFromG1, &Game::GenerateFromH1,
    &Game::GenerateFromA2, &Game::GenerateFromB2, &Game::GenerateFromC2, &Game::GenerateFromD2,
    &Game::GenerateFromE2, &Game::GenerateFromF2, &Game::GenerateFromG2, &Game::GenerateFromH2,
    &Game::GenerateFromA3, &Game::GenerateFromB3, &Game::GenerateFromC3, &Game::GenerateFromD3,
    &Game::GenerateFromE3, &Game::GenerateFromF3, &Game::GenerateFromG3, &Game::GenerateFromH3,
    &Game::GenerateFromA4, &Game::GenerateFromB4, &Game::GenerateFromC4, &Game::GenerateFromD4,
    &Game::GenerateFromE4, &Game::GenerateFromF4, &Game::GenerateFromG4, &Game::GenerateFromH4,
    &Game::GenerateFromA5, &Game::GenerateFromB5, &Game::GenerateFromC5, &Game::GenerateFromD5,
    &Game::GenerateFromE5, &Game::GenerateFromF5, &Game::GenerateFromG5, &Game::GenerateFromH5,
    &Game::GenerateFromA6, &Game::GenerateFromB6, &Game::GenerateFromC6, &Game::GenerateFromD6,
    &Game::GenerateFromE6, &Game::GenerateFromF6, &Game::GenerateFromG6, &Game::GenerateFromH6,
    &Game::GenerateFromA7, &Game::GenerateFromB7, &Game::GenerateFromC7, &Game::GenerateFromD7,
    &Game::GenerateFromE7, &Game::GenerateFromF7, &Game::GenerateFromG7, &Game::GenerateFromH7,
    &Game::GenerateFromA8, &Game::GenerateFromB8, &Game::GenerateFromC8, &Game::GenerateFromD8,
    &Game::GenerateFromE8, &Game::GenerateFromF8, &Game::GenerateFromG8, &Game::GenerateFromH8,
};
}  // namespace

void Game::MarkLegalTargets(int side, int x, int y) {
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col) board[row][col].legalTarget = 0;
    moveCount = 0;
    FindKing(side, &kingX, &kingY);
    MoveListEntry list[kMoveListSize];
    // The square is chosen by its index alone: (8, 0) is a2, and a negative index is
    // no square at all.
    const unsigned index = unsigned(x) + 8u * unsigned(y);
    if (index < 64) {
        int ownSide = side;
        (this->*kSquareGenerators[index])(list, &ownSide);
    }
    for (int k = 0; k < moveCount; ++k) {
        const int toX = list[k].toX, toY = list[k].toY;
        if (toX >= 0 && toX <= 7 && toY >= 0 && toY <= 7)
            board[toY][toX].legalTarget = 1;
        else
            WindowMessageBox("Error function", MessageInfo);
    }
    selectedTargetCount = moveCount;
}
