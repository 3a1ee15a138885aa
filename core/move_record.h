// The record of a move as Game::MakeMove writes it, filled without touching the board:
// what the computer's search needs where it only evaluates a move.
#pragma once
#include "core/game.h"

// Whether the piece on `from` is a pawn, White or Black, whose step onto row toY reaches
// its last row.
inline bool Promotes(const Square& from, int toY) {
    return from.kind == PiecePawn && (from.colour == ColourWhite || from.colour == ColourBlack) &&
           toY == (from.colour == ColourWhite ? 7 : 0);
}

// Fills `rec` for the move from (fromX, fromY) to (toX, toY) on `board` as it stands;
// a pawn that reaches its last row becomes `promoKind`. Writes the same fields that
// Game::MakeMove writes (the secondary square and colour only for special moves).
void DescribeMove(const Square (&board)[8][8], MoveRecord* rec, int fromX, int fromY, int toX, int toY,
                  int promoKind);
