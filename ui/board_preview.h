// The small board of the Load and Options dialogs: a position in 32-pixel cells of a
// half-size skin sheet, a8 at the top left, in a framed picture control.
#pragma once
#include <windows.h>
#include "core/game.h"

// Grows the picture control `previewId` of `dialog` until it holds the 8 by 8 cells and
// the dialog with it; does nothing when it holds them already.
void FitPreviewToBoard(HWND dialog, int previewId);
// Copies the 64 squares of `board` (White at the bottom) from the cells of the half-size
// sheet selected into `halfSheet` to (1, 1) of `dc`.
void DrawPreviewBoard(HDC dc, const Square (&board)[8][8], HDC halfSheet);
// Frames the control's client `area` in the background colour in force.
void FramePreview(HDC dc, const RECT& area);
