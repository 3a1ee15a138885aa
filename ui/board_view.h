// The board view of the main window: its layout and everything it paints itself.
// Defined in ui/board_view.cpp.
#pragma once
#include <windows.h>
#include "ui/common/board_geometry.h"

// Place of the move list box in client coordinates, for the scale in force.
extern ListRect g_moveListRect;

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
