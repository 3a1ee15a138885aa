// Board input, timers, keys and menu commands of the main window.
#pragma once
#include <windows.h>

// Handles the messages of playing a game (mouse buttons on the board, the timers,
// keys, menu commands). Returns 1 and fills *result when it handled the message.
int PlayHandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The WM_COMMAND part of PlayHandleMessage: the menu commands and the move list's
// notifications. Returns 0 for any other id.
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
