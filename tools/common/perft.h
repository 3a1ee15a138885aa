// Perft: the number of move sequences of a given length from a position, the standard
// check of a move generator. Moves are played with Game::MakeMove into history[ply]
// as in a game; each listed promotion counts once per piece it can become.
#pragma once
#include <stdint.h>
#include "core/game.h"

// Nodes at `depth` half-moves from the game's position, sideToMove to move. The last
// half-move's moves are counted from the list, not played. Returns 0 if the history
// has no room for `depth` more records.
uint64_t Perft(Game& game, int depth);

// Calls `report` with each root move in coordinate notation ("e2e4", "e7e8n") and its
// perft of depth - 1, in generation order; returns the total.
uint64_t PerftDivide(Game& game, int depth, void (*report)(const char* move, uint64_t nodes, void* context),
                     void* context);

// Number of entries of a generated list, counting each promotion as its four pieces.
int CountExpandedMoves(const Game& game, const MoveListEntry* list, int count);
