// Board input, timers, keys and menu commands of the main window.
#pragma once
#include <windows.h>

// Handles the messages of playing a game (mouse buttons on the board, the timers,
// keys, menu commands). Returns 1 and fills *result when it handled the message.
int PlayHandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
