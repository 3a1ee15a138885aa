// Questions about the legal moves of a side that stop as soon as they are answered,
// with the answers a full generation would give. Like a full generation they set
// kingX and kingY (the side's king of lowest index) and leave moveCount changed.
#pragma once
#include "core/game.h"

// 1 when some legal move of `side` ends on (x, y), a square holding a piece of the
// other side (so only captures can end there); else 0.
int HasLegalMoveOnto(Game& game, int side, int x, int y);

// 1 when `side` has a legal move at all; else 0.
int HasLegalMove(Game& game, int side);

// Generates the legal moves of `side` into `list` in generation order, one piece at a
// time: once a piece has added moves (entries first .. count - 1), visit(context,
// first, count) is called, and a nonzero answer stops the generation there. Returns
// the number of moves generated. While it runs, `visit` may use the game's board (and
// generate moves) if it leaves the board, kingX, kingY and moveCount as it found them.
int GenerateInSteps(Game& game, MoveListEntry* list, int side, int (*visit)(void* context, int first, int count),
                    void* context);
