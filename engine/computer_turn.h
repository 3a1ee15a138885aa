// The computer's turn without its window effects, for ComputerMove and for the
// developer tools: preparing the tables for the side to move and running the search.
#pragma once
#include "core/game.h"

// Sets opponentSide, rebuilds pieceSquareTable for the present position and phase of
// the game (the working pawn and king tables included) and decides endgameType.
void PrepareComputerSearch(Game& game);

// Runs the mating search when endgameType names a bare-king ending, else the classic
// search at searchDepth; returns the root's value. The move is left in bestMove, which
// the caller sets to "none" (fromX kNoMove) before. `thinking` must be 1, or the root
// stops before its first move.
int RunComputerSearch(Game& game);

// Sets the thinking side's clock to what it had when the search began plus the whole
// seconds since (the tick difference taken unsigned, so a wrap of the counter does no
// harm).
void ChargeThinkingClock(Game& game);
