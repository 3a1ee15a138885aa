// Castling rights are never stored: the history takes them away. The generators of e1
// and e8 and the repetition test read them through these two rules, so that both
// agree on what a right is.
#pragma once

#include "core/game.h"

enum CastlingRight {
    CastleWhiteShort = 1,
    CastleWhiteLong = 2,
    CastleBlackShort = 4,
    CastleBlackLong = 8,
};

// The rights of the colour whose home row is `row` (0 or 7), as masks.
constexpr int ShortCastlingOfRow(int row) { return row == 0 ? CastleWhiteShort : CastleBlackShort; }
constexpr int LongCastlingOfRow(int row) { return row == 0 ? CastleWhiteLong : CastleBlackLong; }

// The rights of the home row `Row` (0 or 7) that the records `records`[0 .. count-1]
// take away, whatever piece or colour they record: leaving the king's home square
// takes both, leaving or reaching a rook's corner that wing's.
template <int Row>
inline int CastlingRightsTakenOnRow(const MoveRecord* records, int count) {
    int kingMoved = 0, shortGone = 0, longGone = 0;
    for (int i = 0; i < count; ++i) {
        const MoveRecord& r = records[i];
        if (r.fromY == Row) {
            kingMoved |= r.fromX == 4;
            shortGone |= r.fromX == 7;
            longGone |= r.fromX == 0;
        }
        if (r.toY == Row) {
            shortGone |= r.toX == 7;
            longGone |= r.toX == 0;
        }
    }
    constexpr int kShort = ShortCastlingOfRow(Row), kLong = LongCastlingOfRow(Row);
    return (kingMoved ? kShort | kLong : 0) | (shortGone ? kShort : 0) | (longGone ? kLong : 0);
}

// The rights of both rows that the records take away.
inline int CastlingRightsTakenBy(const MoveRecord* records, int count) {
    return CastlingRightsTakenOnRow<0>(records, count) | CastlingRightsTakenOnRow<7>(records, count);
}

// The rights that `board` still holds when the records before it took away `taken`:
// a right needs its colour's king on its home square and a rook on its corner.
inline int CastlingRightsOn(const Square (&board)[8][8], int taken) {
    int rights = 0;
    for (int row = 0; row < 8; row += 7) {
        const Square* home = board[row];
        if (home[4].kind != PieceKing || home[4].colour != (row == 0 ? ColourWhite : ColourBlack)) continue;
        if (home[7].kind == PieceRook) rights |= ShortCastlingOfRow(row);
        if (home[0].kind == PieceRook) rights |= LongCastlingOfRow(row);
    }
    return rights & ~taken;
}
