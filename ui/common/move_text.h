// The rows of the move list: one per half-move in the long notation of the list,
// under a first row for the position the game began from.
#pragma once
#include "core/game.h"
#include "core/piece_letters.h"
#include "core/string.h"

// Text of the row of the half-move `record` with 0-based history index `index`;
// `suffix` is '#', '+' or 0.
String MoveRowText(const MoveRecord& record, int index, char suffix);

// Receives the rows in order, " 0." first.
typedef void (*MoveRowSink)(const char* text, void* context);

// Replays `game`'s history on a private copy (to learn check and mate after each
// half-move) and hands the ply + 1 rows to `sink`. `game` itself is not changed.
void BuildMoveRows(const Game& game, MoveRowSink sink, void* context);
