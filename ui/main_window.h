// The main window and its start-up state: the two games, the instance, the window,
// its font and move list box. Defined in ui/main_window.cpp.
#pragma once
#include <windows.h>
#include "core/game.h"

// The game shown, played and saved, and the one used for previews and browsing.
extern Game g_mainGame;
extern Game g_scratchGame;

extern HINSTANCE g_instance;          // source of every resource
extern HWND g_mainWindow;             // owner of every dialog
extern char g_windowTitle[100];       // "Varno-4", from the string table
extern char g_windowClassName[100];   // "VARNO4", from the string table
extern HFONT g_font;                  // the window's text and the move list
extern HWND g_moveListBox;            // child control IDC_MOVE_LIST
extern UINT g_primaryButtonUp;        // release message of the primary button

// The window a message box raised now belongs to: the program's window that takes
// input (an open dialog, so that closing the box gives input back to the dialog and
// not to the window the dialog holds disabled), else `fallback`.
HWND MessageBoxOwner(HWND fallback);

// The window procedure of the main window.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
