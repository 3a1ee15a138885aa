// The record of a move as Game::MakeMove writes it, filled without touching the board:
// what the computer's search needs where it only evaluates a move.
#pragma once
#include "core/game.h"

// Fills `rec` for the move from (fromX, fromY) to (toX, toY) on `board` as it stands;
// a pawn that reaches its last row becomes `promoKind`. Writes the same fields that
// Game::MakeMove writes (the secondary square and colour only for special moves).
void DescribeMove(const Square (&board)[8][8], MoveRecord* rec, int fromX, int fromY, int toX, int toY,
                  int promoKind);
