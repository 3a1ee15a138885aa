// Where the main window puts the board and the move list, in client pixels. The
// click test, the layout and the painting all read these, so they cannot disagree.
#pragma once

// The board's top-left corner lies this far from the client area's left and top edges.
const int kBoardOrigin = 20;

// Side of one square: 48 pixels at scale 75, else 64.
constexpr int SquareSizeForScale(int boardScale) { return boardScale == 75 ? 48 : 64; }

// Place of the move list box: right of the board, from y 148; 128 wide, 128 high at
// scale 75, else 256.
struct ListRect {
    int x, y, width, height;
};
const int kListTop = 148;
const int kListWidth = 128;
constexpr ListRect MoveListRectForScale(int boardScale) {
    return ListRect{8 * SquareSizeForScale(boardScale) + 2 * kBoardOrigin, kListTop, kListWidth,
                    boardScale == 75 ? 128 : 256};
}
