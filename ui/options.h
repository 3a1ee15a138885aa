// The Options dialog: display flags, board scale, beep, colours and skin, with a
// preview of the current position in the selected skin.
#pragma once
#include <windows.h>

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Puts the sheet of the skin list's selected row into *slot (releasing what the slot
// held, which must not be selected into a DC): rows 0..6 the built-in skins, later
// rows the file skin named by the row text.
void LoadSkinFromList(HBITMAP* slot, HWND dialog);
// Replaces the two 19-pixel swatches of the working colours on buttons 3 and 4.
void UpdateColourSwatches(HWND dialog);
// Working colours from the selected sheet's two empty squares: the first 10 % darker
// as background, the second 20 % brighter as ink.
void PickFromSkin(HWND dialog);

// Working state while the dialog is open; the applied settings change only on Apply
// or OK.
extern COLORREF g_optionsBackgroundColour;
extern COLORREF g_optionsInkColour;
extern int g_optionsSkinIndex;
extern HBITMAP g_optionsSkinBitmap;          // full-size sheet of the selected row
extern HDC g_optionsSkinDC;
extern HBITMAP g_optionsPreviewBitmapHalf;   // screen-compatible; the 50 % copy at its origin
extern HDC g_optionsPreviewDCHalf;
extern HBITMAP g_optionsBackgroundSwatch;    // kept until the next opening replaces them
extern HBITMAP g_optionsInkSwatch;
