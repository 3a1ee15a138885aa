#include "ui/common/board_view_rules.h"
#include "core/game.h"

namespace {

const int kColumnTarget = 2;
const int kColumnSelection = 3;
const int kColumnLastMove = 4;
const int kBlackColumnOffset = 5;

int AnySquareMarked(const Game& game, int mark) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (game.board[y][x].mark == mark) return 1;
    return 0;
}

void AppendTwoDigits(char* out, int* pos, int value) {
    out[(*pos)++] = char('0' + value / 10);
    out[(*pos)++] = char('0' + value % 10);
}

uint32_t Byte(uint32_t colour, int index) { return (colour >> (8 * index)) & 255; }

}  // namespace

void ScreenToBoard(int whiteOnTop, int i, int j, int* x, int* y) {
    if (whiteOnTop) {
        *y = i;
        *x = 7 - j;
    } else {
        *y = 7 - i;
        *x = j;
    }
}

void ComputeBoardCells(Game* game, const BoardViewOptions& options, int selectedRow,
                       SheetCell cells[8][8]) {
    const int side = game->SideOfPly(selectedRow);
    const int pieceSelected = AnySquareMarked(*game, MarkFrom);
    const int sideIsPerson = game->player[side].isComputer == 0;
    int kingX = -1;
    int kingY = -1;
    int inCheck = 0;
    if (game->FindKing(side, &kingX, &kingY)) inCheck = game->IsInCheck(side, kingX, kingY);
    const MoveRecord* lastMove = 0;
    if (options.showLastMove && game->setPositionMode == 0 && selectedRow > 0 &&
        selectedRow <= kHistorySize)
        lastMove = &game->history[selectedRow - 1];

    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            int x = 0;
            int y = 0;
            ScreenToBoard(options.whiteOnTop, i, j, &x, &y);
            const Square& square = game->board[y][x];
            int c = ((i & 1) == (j & 1)) ? 1 : 0;
            if (square.mark == MarkRejected || square.mark == MarkFrom) c = kColumnSelection;
            if (square.mark == MarkTo) c = kColumnTarget;
            if (lastMove && ((x == lastMove->toX && y == lastMove->toY) ||
                             (x == lastMove->fromX && y == lastMove->fromY)))
                c = kColumnLastMove;
            if (options.showLegalMoves && pieceSelected && sideIsPerson && square.legalTarget != 0)
                c = kColumnTarget;
            if (options.showCheck && inCheck && x == kingX && y == kingY && game->setPositionMode == 0)
                c = kColumnSelection;
            int kind = (square.kind >= 0 && square.kind <= PieceKing) ? square.kind : 0;
            if (kind != 0 && square.colour == ColourBlack) c += kBlackColumnOffset;
            cells[i][j].column = c;
            cells[i][j].row = kind;
        }
    }
}

void FormatClockText(int seconds, char* out) {
    if (seconds < 0) seconds = 0;
    int hours = seconds / 3600;
    int pos = 0;
    // Hours beyond two digits: write the leading digits first.
    char digits[12];
    int count = 0;
    for (int h = hours / 100; h > 0; h /= 10) digits[count++] = char('0' + h % 10);
    while (count > 0) out[pos++] = digits[--count];
    AppendTwoDigits(out, &pos, hours % 100);
    out[pos++] = ':';
    AppendTwoDigits(out, &pos, (seconds % 3600) / 60);
    out[pos++] = ':';
    AppendTwoDigits(out, &pos, seconds % 60);
    out[pos] = 0;
}

void SelectedRowColours(uint32_t background, uint32_t ink, uint32_t* selectedBackground,
                        uint32_t* selectedInk) {
    int score = 0;
    int allDark = 1;
    for (int k = 0; k < 3; ++k) {
        score += Byte(background, k) < Byte(ink, k) ? 1 : -1;
        if (Byte(background, k) >= 90) allDark = 0;
    }
    uint32_t bg = 0;
    uint32_t fg = 0;
    for (int k = 0; k < 3; ++k) {
        uint32_t b = Byte(background, k);
        uint32_t i = Byte(ink, k);
        if (score > 0) {
            b = allDark ? b + 90 : b - b / 4;
            i = i + i / 4;
            if (i > 255) i = 255;
        } else {
            b = b - b / 5;
            i = i - i / 8;
        }
        bg |= b << (8 * k);
        fg |= i << (8 * k);
    }
    *selectedBackground = bg;
    *selectedInk = fg;
}
