// The legal targets of one piece as flags on the board, by the named generator of its
// square.
#include "movegen/square_generator.h"

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
