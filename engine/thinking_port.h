// What the computer player asks of the window and the platform while it takes its
// turn. The program implements these with Win32 in ui/ (on g_mainWindow and the
// settings globals); the native tests link a recording fake (tests/fakes/). Plain
// functions, chosen at link time. All of them are called on the window's thread only.
#pragma once

#include <stdint.h>

class Game;

// Milliseconds since the system started (GetTickCount); wraps after 49.7 days, so
// callers subtract unsigned.
uint32_t WindowTickCount();

// Next number of the runtime's pseudo-random generator (rand), 0..RAND_MAX; the
// program seeds it once at window creation. Draws the computer's first move.
int WindowRandom();

// Cursor while the computer thinks: 1 the wait cursor (IDC_WAIT), 0 the arrow.
void WindowSetWaitCursor(int wait);

// Performs the main window's pending painting now (UpdateWindow).
void WindowUpdateNow();

// Invalidates the main window's whole client area without erasing (the board
// after a committed move).
void WindowInvalidateBoard();

// Invalidates, without erasing, the 32-pixel strip that shows the clock of `side`
// (above or below the move list, depending on which colour is shown at the top).
void WindowInvalidateClock(int side);

// The thinking tick's message pump: removes and dispatches waiting WM_TIMER, then
// WM_PAINT, then WM_NCPAINT messages of the main window only, with one counter over
// the three kinds (a kind stops when its queue is empty or the counter passed 100).
// Mouse, keyboard and menu messages stay queued.
void WindowPumpThinkingMessages();

// Progress in the title: when the AI PROGRESS setting is on, the title becomes the
// window title, then `suffix`, then " [", `percent` in decimal, "%]". With the
// setting off nothing changes.
void WindowShowThinkingProgress(const char* suffix, int percent);

// Restores the plain window title.
void WindowRestoreTitle();

// 1 while the Escape key is held down at this moment (GetAsyncKeyState), else 0.
int WindowEscapeDown();

// Modal Yes/No question owned by the main window, caption "Varno-4", question icon,
// No as the default button. Returns 1 for Yes, 0 otherwise.
int WindowAskBreak(const char* text);

// 1 when the "beep after the computer's move" setting is on.
int WindowBeepEnabled();

// The plain system beep (MessageBeep(0)).
void WindowBeep();

// Removes, without dispatching, up to 51 WM_COMMAND messages of the main window that
// were queued while the computer thought.
void WindowDropQueuedCommands();

// Flashes the main window's caption once when another window is active.
void WindowFlashIfInactive();

// Rewrites the move list box from `game`'s history (Game::RebuildMoveList on the
// program's move list box).
void WindowRebuildMoveList(Game* game);
