// Setting a Game up from FEN text and playing moves in coordinate notation, for the
// developer tools and the tests. The history is seeded so that castling rights and
// the en-passant chance of the FEN hold for the generators, which read them from it.
#pragma once
#include "core/game.h"

// Resets `game` and sets up the position; returns 1 on success, 0 for malformed text.
int SetUpFromFen(Game& game, const char* fen);
// Plays one move such as e2e4 or e7e8q (queen when no piece letter is given) if it is
// legal: records it at history[ply], raises ply, flips sideToMove. Returns 1 if played.
int PlayCoordinateMove(Game& game, const char* move);
