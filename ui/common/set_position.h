// Setting up a position without a window: the piece palette, the placement rules that
// keep the material possible in a real game, and the checks that finish the set-up.
#pragma once

#include "core/game.h"

// Rows of the palette that the move list holds while a position is set up.
enum PaletteRow {
    PalettePawn = 0,       // rows 0..5 place kind row + 1
    PaletteKing = 5,
    PaletteClearField = 6,
    PaletteWhiteMove = 7,  // finish, White to move
    PaletteBlackMove = 8,  // finish, Black to move
    kPaletteRowCount = 9
};
extern const char* const kPaletteRowTexts[kPaletteRowCount];

// Empties `game` and puts it into set-position mode (the move list's palette rows are
// the window's part). Returns 1; 0 with nothing changed while the computer searches
// on `game`.
int BeginSetPosition(Game& game);

// A release on board square (col, row) with palette row `paletteRow` selected; primary
// places White, the other button Black. Returns 1 when the board changed (repaint),
// 0 when nothing happened or the placement was refused.
int PlaceSetPositionPiece(Game& game, int col, int row, int paletteRow, int primary);

// The message that refuses finishing with `paletteRow` (7 White to move, 8 Black), or
// 0 when the position may be played. Leaves the game as it was.
const char* SetPositionRefusal(Game& game, int paletteRow);

// The palette row chosen while a position is set up: rows 0..6 only choose; rows 7
// and 8 show the refusal in a message box or start an analyse-mode game from the
// position and rebuild the move list. Returns 1 when the set-up finished.
int ChooseSetPositionRow(Game& game, int paletteRow, WindowHandle* listBox);
