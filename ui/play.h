// Board input, timers, keys and menu commands of the main window.
#pragma once
#include <windows.h>

// The main window's two timers: every 20 ms the flashes of refused targets and the
// computer's turn, every second the clock of a person to move.
const UINT_PTR kFlashTimerId = 1;
const UINT kFlashTimerMs = 20;
const UINT_PTR kClockTimerId = 2;
const UINT kClockTimerMs = 1000;

// Playing a game, as MainWndProc routes it: a mouse button released (msg is
// WM_LBUTTONUP or WM_RBUTTONUP), a timer tick, a key pressed.
void OnButtonUp(UINT msg, LPARAM lParam);
void OnTimer(WPARAM id);
void OnKeyDown(WPARAM wParam, LPARAM lParam);

// WM_COMMAND: the menu commands and the move list's notifications. Returns 1 and
// fills *result when it handled the id, 0 for any other id.
int HandleCommand(WPARAM wParam, LPARAM lParam, LRESULT* result);

// Greys or enables Game/Save and Position/Save from the main game's state.
void UpdateSaveMenuItems();

// 1 when a file matches `path`, else 0.
int FileExists(const char* path);

// Set-position mode: entering it (the move list must be shown), a button released on
// board square (col, row) with palette row `paletteRow`, and a palette row chosen.
void EnterSetPositionMode();
void SetPositionRelease(int col, int row, int paletteRow, UINT msg);
void SetPositionRowChosen();
