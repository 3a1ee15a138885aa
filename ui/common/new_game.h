// The New game dialog's rules without the dialog: which names it refuses and how the
// chosen players and level start a game.
#pragma once

#include "core/game.h"
#include "core/names.h"  // kComputerPlayerName

// Player type indexes of the type lists.
enum NewGamePlayerType { NewGameComputer = 0, NewGameHuman = 1 };

// The message that refuses the two names, or 0 when they may start a game. A name is
// empty when its first character is NUL; comparisons are exact.
const char* NewGameNamesRefusal(int whiteType, const char* whiteName, int blackType,
                                const char* blackName);

// Starts a game on `game`: resets it in its `newGameMode`, sets both players, the
// level (index 0 Easy, 1 Normal) and whether the computer moves first, and marks the
// game in progress. Returns 1; 0 with nothing changed while the computer searches on
// `game` (the dialog stays open and Start works once the move is played).
int StartNewGame(Game& game, int whiteType, const char* whiteName, int blackType,
                  const char* blackName, int levelIndex);
