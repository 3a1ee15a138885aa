// Process-wide state of the main window: the two games, the window and its GDI
// objects, the settings in force and the skin sheets in memory, with the routines
// of the window that other parts of the program call.
#pragma once
#include <windows.h>
#include "core/game.h"
#include "core/string.h"

// The game shown, played and saved, and the one used for previews and browsing.
extern Game g_mainGame;
extern Game g_scratchGame;

// The window.
extern HINSTANCE g_instance;          // source of every resource
extern HWND g_mainWindow;             // owner of every message box and dialog
extern char g_windowTitle[100];       // "Varno-4", from the string table
extern char g_windowClassName[100];   // "VARNO4", from the string table
extern HFONT g_font;                  // the window's text and the move list
extern HWND g_moveListBox;            // child control IDC_MOVE_LIST
extern UINT g_primaryButtonUp;        // release message of the primary button
extern HBRUSH g_backgroundBrush;      // solid brush of g_backgroundColour
extern String g_userIdentifier;       // names the settings file

// Settings in force (read at start, written at exit).
extern int g_showLegalMoves;
extern int g_showCheck;
extern int g_showLastMove;
extern int g_showCoordinates;
extern int g_whiteOnTop;
extern int g_showMoveList;
extern int g_showAiProgress;
extern int g_boardScale;              // 75 or 100
extern int g_beepAfterAiMove;
extern COLORREF g_backgroundColour;
extern COLORREF g_inkColour;
extern String g_skinFileName;         // base name of a file skin in SKIN\, or empty
extern int g_skinNumber;              // built-in skin 0..6 (-1 after a file skin was chosen)

// Skin sheets in memory: the chosen sheet and its 50 % and 75 % copies, each
// selected into its own memory device context.
extern HBITMAP g_skinBitmap;
extern HBITMAP g_skinBitmapHalf;
extern HBITMAP g_skinBitmapThreeQuarters;
extern HDC g_skinDC;
extern HDC g_skinDCHalf;
extern HDC g_skinDCThreeQuarters;

// Place of the move list box in client coordinates.
struct ListRect {
    int x, y, width, height;
};
extern ListRect g_moveListRect;

// ---- Settings file ------------------------------------------------------------
// The user's login name, reduced to file-name characters, into g_userIdentifier.
void LoadUserIdentifier();
// Reads the settings file into the settings globals, shows or hides the move list
// box and creates g_backgroundBrush. Missing file or keys give the defaults.
void ReadSettingsFile();
// Writes the settings globals to the settings file, replacing it whole.
void WriteSettingsFile();

// ---- Skins ----------------------------------------------------------------------
const int kSkinWidth = 640;
const int kSkinHeight = 448;
// Puts the sheet of built-in skin `number` (used when fileName is empty) or of the
// file skin SKIN\<fileName>.bmp into *slot, releasing what the slot held. A file that
// is missing, not a 640 by 448 bitmap, or named with a folder part falls back to the
// first built-in sheet. The slot's old sheet must not be selected into any DC: for
// a sheet in use call ReplaceSkinSheet.
void LoadSkinBitmap(HBITMAP* slot, int number, const char* fileName);
// Like LoadSkinBitmap for a sheet selected into `dc`: the new sheet is selected
// into the DC first, then the old one is released.
void ReplaceSkinSheet(HBITMAP* slot, HDC dc, int number, const char* fileName);
// Loads a bitmap file (path relative to the current directory) and keeps it only
// when it is exactly 640 by 448 pixels; NULL otherwise. The caller owns the result.
HBITMAP LoadSkinFile(const char* path);
// 1 when `name` can name a file in SKIN\: not empty, no path separator, colon or "..".
int IsSkinBaseName(const char* name);
// Draws the full-size sheet of `source` at 50 % / 75 % into the top-left corner of
// `destination`.
void StretchSkinToHalf(HDC source, HDC destination);
void StretchSkinToThreeQuarters(HDC source, HDC destination);
// Loads the skin named by the settings into g_skinBitmap (selected into g_skinDC)
// and redraws the two reduced copies from it.
void ReloadSkinSheets();

// ---- Board view -----------------------------------------------------------------
// Square size, move list place and window size for g_boardScale.
void LayoutMainWindow();
// The 32-pixel strip of the clock shown above (atBottom 0) or below (1) the list.
void GetClockStripRect(int atBottom, RECT* rect);
// Invalidates, with erase, the clock strip of colour `side`.
void InvalidateClockStrip(int side);
void PaintMainWindow(HWND window);
void MeasureMoveListItem(MEASUREITEMSTRUCT* item);
void DrawMoveListItem(const DRAWITEMSTRUCT* item);
HBRUSH ColourMoveList(HDC dc);

// The window procedure of the main window.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
