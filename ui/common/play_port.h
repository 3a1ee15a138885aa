// What the board input and the move list ask of the window. The program implements
// these with Win32 (ui/play_win32.cpp); the native tests link a recording fake
// (tests/fakes/). Plain functions, chosen at link time.
#pragma once

#include "core/window_port.h"

class Game;

// Requests a repaint of the main window's whole client area; erase 1 also erases
// the background first.
void PlayInvalidateWindow(int erase);

// Rewrites the move list box that `listBox` points to from `game`'s history, one row
// per half-move under the begin row, and selects the last row.
void PlayRebuildMoveList(Game* game, WindowHandle* listBox);
