// Playing on the board without a window: which square a click hits, whose turn a
// move-list row is, selecting and refusing targets, committing a person's move, the
// flash and clock ticks, and browsing the moves by replaying the history.
#pragma once

#include "core/game.h"

// Ticks of the 20 ms timer a refused target flashes (300 ms).
const int kFlashTicks = 15;

// The board square under client point (x, y): 1 with its column and row, 0 when the
// point lies off the squares. Squares are 48 pixels at scale 75, else 64; the board's
// top-left corner is at (20, 20) and shows a8, or h1 with White on top.
int BoardSquareAt(int x, int y, int boardScale, int whiteOnTop, int* col, int* row);

enum ReleaseOutcome {
    ReleaseIgnored = 0,  // nothing changed; no repaint needed
    ReleaseMarked = 1,   // marks changed: repaint the board
    ReleasePlayed = 2    // a move was committed: repaint and refresh the Save items
};

// A primary or secondary button released on board square (col, row) of `game` while
// it is played. shownRow is the selected move-list row (negative: none), rowCount the
// list's row count. The shown position is judged with the history up to its row, so
// castling, en passant and the game-over test are those of that position; a move
// played there drops every later half-move.
int PlayBoardRelease(Game& game, int col, int row, int shownRow, int rowCount, int primary,
                     WindowHandle* listBox);

// One tick of the 20 ms timer on the flashes: ages every refused target and clears
// those that have flashed long enough. Returns how many ended.
int AgeRefusedTargets(Game& game);

// 1 when the computer is due to start its move at this tick. A game at the half-move
// limit takes no further move, so a pending computer turn is dropped there.
int ComputerTurnDue(Game& game);

// One tick of the 1000 ms timer: a person to move in a normal game in progress gets a
// second on the clock. Returns the side whose clock advanced, or -1.
int TickHumanClock(Game& game);

// Puts on `main`'s board the position after `row` half-moves of its history,
// replayed on `scratch`, with no marks or target flags. In a game begun from a set-up
// position the game also moves its half-move count to that row.
void BrowseMoveList(Game& main, Game& scratch, int row);

// Puts the game's current position back on the board after browsing (a game from the
// start position keeps its half-move count while its board shows an earlier row).
void ShowCurrentPosition(Game& main, Game& scratch);
