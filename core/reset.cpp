#include "core/game.h"

#include <string.h>

namespace {

typedef int32_t Table[8][8];  // [row][column], row 0 = rank 1

const Table kPawnBase = {
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {1, 2, 5, 0, 0, 5, 2, 1},
    {0, 1, 4, 5, 5, 4, 1, 0},
    {1, 2, 5, 6, 6, 5, 2, 1},
    {2, 3, 6, 7, 7, 6, 3, 2},
    {10, 20, 30, 40, 40, 30, 20, 10},
    {0, 0, 0, 0, 0, 0, 0, 0},
};

const Table kKingMiddle = {
    {0, 0, 0, -15, -10, -15, 0, 0},
    {-5, -5, -10, -20, -20, -20, -5, -5},
    {-15, -15, -20, -24, -24, -24, -10, -10},
    {-30, -30, -40, -48, -48, -40, -20, -20},
    {-30, -30, -40, -48, -48, -40, -20, -20},
    {-15, -15, -20, -24, -24, -24, -10, -10},
    {-5, -5, -10, -20, -20, -20, -5, -5},
    {0, 0, 0, -15, -10, -15, 0, 0},
};

const Table kKnight = {
    {0, 1, 2, 3, 3, 2, 1, 0},
    {2, 3, 4, 5, 5, 4, 3, 2},
    {3, 4, 5, 6, 6, 5, 4, 3},
    {4, 5, 6, 8, 8, 6, 5, 4},
    {4, 5, 6, 8, 8, 6, 5, 4},
    {3, 4, 5, 6, 6, 5, 4, 3},
    {2, 3, 4, 4, 4, 4, 3, 2},
    {0, 1, 2, 3, 3, 2, 1, 0},
};

const Table kBishop = {
    {0, 0, 0, 0, 0, 0, 0, 0},
    {0, 5, 3, 3, 3, 3, 5, 0},
    {0, 6, 6, 6, 6, 6, 6, 0},
    {0, 6, 6, 6, 6, 6, 6, 0},
    {0, 6, 6, 6, 6, 6, 6, 0},
    {0, 6, 6, 6, 6, 6, 6, 0},
    {0, 5, 3, 3, 3, 3, 5, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
};

const Table kMateQueenRook = {
    {-40, -30, -30, -30, -30, -30, -30, -40},
    {-30, -30, -20, -20, -20, -20, -30, -30},
    {-30, -20, -10, -10, -10, -10, -20, -30},
    {-30, -20, -10, 0, 0, -10, -20, -30},
    {-30, -20, -10, 0, 0, -10, -20, -30},
    {-30, -20, -10, -10, -10, -10, -20, -30},
    {-30, -30, -20, -20, -20, -20, -30, -30},
    {-40, -30, -30, -30, -30, -30, -30, -40},
};

const Table kMateTwoBishops = {
    {-40, -35, -33, -31, -31, -33, -35, -40},
    {-34, -30, -20, -20, -20, -20, -30, -34},
    {-32, -20, -10, -10, -10, -10, -20, -32},
    {-30, -20, -10, 0, 0, -10, -20, -30},
    {-30, -20, -10, 0, 0, -10, -20, -30},
    {-32, -20, -10, -10, -10, -10, -20, -32},
    {-34, -30, -20, -20, -20, -20, -30, -34},
    {-40, -35, -33, -31, -31, -33, -35, -40},
};

// The computer's first moves: d2-d4, e2-e4, b1-c3, g1-f3, b2-b3, g2-g3, c2-c3.
const MoveListEntry kOpening[7] = {
    {3, 1, 3, 3}, {4, 1, 4, 3}, {1, 0, 2, 2}, {6, 0, 5, 2}, {1, 1, 1, 2}, {6, 1, 6, 2}, {2, 1, 2, 2},
};

const int32_t kBackRow[8] = {PieceRook, PieceKnight, PieceBishop, PieceQueen,
                             PieceKing, PieceBishop, PieceKnight, PieceRook};

}  // namespace

void Game::Reset(int mode) {
    for (int part = 0; part < kPlainParts; ++part)
        memset(reinterpret_cast<char*>(this) + PlainOffset(part), 0, PlainSize(part));
    errorText = String();
    titleSuffix = String();

    sideToMove = ColourWhite;
    ply = 0;

    if (mode == ResetStartPosition) {
        for (int x = 0; x < 8; ++x) {
            board[0][x].colour = ColourWhite;
            board[1][x].colour = ColourWhite;
            board[6][x].colour = ColourBlack;
            board[7][x].colour = ColourBlack;
            board[1][x].kind = PiecePawn;
            board[6][x].kind = PiecePawn;
            board[0][x].kind = kBackRow[x];
            board[7][x].kind = kBackRow[x];
        }
    }

    memcpy(pawnBaseTable, kPawnBase, sizeof(Table));
    memcpy(kingMiddleTable, kKingMiddle, sizeof(Table));
    memcpy(knightTable, kKnight, sizeof(Table));
    memcpy(bishopTable, kBishop, sizeof(Table));
    memcpy(mateTableQueenRook, kMateQueenRook, sizeof(Table));
    memcpy(mateTableTwoBishops, kMateTwoBishops, sizeof(Table));
    // Bishop and knight mate only in a corner of the bishop's colour: the dark table
    // falls with the distance from the a8-h1 diagonal, lowest in a1 and h8, and the
    // light table is its mirror image, lowest in h1 and a8.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            int d = 7 - x - y;
            mateTableDarkCorner[y][x] = -10 * (d < 0 ? -d : d);
        }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) mateTableLightCorner[y][x] = mateTableDarkCorner[y][7 - x];
    memcpy(openingTable, kOpening, sizeof(kOpening));
}
