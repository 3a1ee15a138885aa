// What the board view shows, worked out without drawing: which sheet cell each
// square is copied from, the clock texts, and the colours of the selected list row.
#pragma once
#include <stdint.h>

class Game;

struct BoardViewOptions {
    int whiteOnTop;
    int showLastMove;
    int showLegalMoves;
    int showCheck;
};

// Sheet cell of one screen square: column 0..9, row = piece kind 0..6.
struct SheetCell {
    int column;
    int row;
};

// Board square shown at screen column j, row i (0 = left, top).
void ScreenToBoard(int whiteOnTop, int i, int j, int* x, int* y);

// The sheet cell of every screen square, cells[i][j] for screen row i and column j,
// with `selectedRow` the move list's selected row (-1 when none). Reads the game
// only (the check test looks at the board and leaves it as it was).
void ComputeBoardCells(Game* game, const BoardViewOptions& options, int selectedRow,
                       SheetCell cells[8][8]);

// Clock text HH:MM:SS of `seconds` (negative counts as 0); at 100 hours and more
// the hours take all their digits. `out` needs 16 bytes.
void FormatClockText(int seconds, char* out);

// Colours of a selected move list row derived from the window's background and
// ink colours (each packed as three bytes, handled alike).
void SelectedRowColours(uint32_t background, uint32_t ink, uint32_t* selectedBackground,
                        uint32_t* selectedInk);
