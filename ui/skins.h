// Skin sheets in memory: the chosen sheet and its 50 % and 75 % copies, each
// selected into its own memory device context. Defined in ui/skins.cpp.
#pragma once
#include <windows.h>
#include "ui/common/skin_file.h"

extern HBITMAP g_skinBitmap;
extern HBITMAP g_skinBitmapHalf;
extern HBITMAP g_skinBitmapThreeQuarters;
extern HDC g_skinDC;
extern HDC g_skinDCHalf;
extern HDC g_skinDCThreeQuarters;

// Puts the sheet of built-in skin `number` (used when fileName is empty) or of the
// file skin SKIN\<fileName>.bmp into *slot, releasing what the slot held. A file that
// is missing, damaged, not a 640 by 448 bitmap, or named with a folder part falls back
// to the first built-in sheet. The slot's old sheet must not be selected into any DC: for
// a sheet in use call ReplaceSkinSheet.
void LoadSkinBitmap(HBITMAP* slot, int number, const char* fileName);
// Like LoadSkinBitmap for a sheet selected into `dc`: the new sheet is selected
// into the DC first, then the old one is released.
void ReplaceSkinSheet(HBITMAP* slot, HDC dc, int number, const char* fileName);
// Loads a bitmap file (path relative to the current directory) that passes the skin
// file check and is exactly 640 by 448 pixels; NULL otherwise, and a file that fails
// the check never reaches the platform's loader. The caller owns the result.
HBITMAP LoadSkinFile(const char* path);
// Draws the full-size sheet of `source` at 50 % / 75 % into the top-left corner of
// `destination`.
void StretchSkinToHalf(HDC source, HDC destination);
void StretchSkinToThreeQuarters(HDC source, HDC destination);
// Loads the skin named by the settings into g_skinBitmap (selected into g_skinDC)
// and redraws the two reduced copies from it.
void ReloadSkinSheets();
