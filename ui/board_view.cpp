// Layout of the main window and everything it paints itself: the board from the
// skin sheet, coordinates, logo, names, clocks and the rows of the move list.
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/skins.h"
#include "ui/board_view.h"
#include "ui/common/board_view_rules.h"

ListRect g_moveListRect = MoveListRectForScale(100);

namespace {

const int kLogoWidth = 128;
const int kLogoHeight = 64;
const int kStripHeight = 32;      // name and clock strips
const int kListItemHeight = 25;
const UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

int SquareSize() { return SquareSizeForScale(g_boardScale); }
int BoardSide() { return 8 * SquareSize(); }
int ListHeight() { return MoveListRectForScale(g_boardScale).height; }

void Fill(HDC dc, int left, int top, int right, int bottom) {
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, g_backgroundBrush);
}

void DrawCentred(HDC dc, const char* text, int left, int top, int right, int bottom) {
    RECT r = {left, top, right, bottom};
    DrawTextA(dc, text, -1, &r, kCentredLine);
}

// A name is shown as typed: an "&" in it is a character, not an underline mark.
void DrawName(HDC dc, const char* name, int left, int top, int right, int bottom) {
    RECT r = {left, top, right, bottom};
    DrawTextA(dc, name, -1, &r, kCentredLine | DT_NOPREFIX);
}

void DrawClock(HDC dc, int side, const RECT& strip) {
    char text[16];
    FormatClockText(g_mainGame.player[side].clockSeconds, text);
    RECT r = strip;
    DrawTextA(dc, text, -1, &r, kCentredLine);
}

int SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Colour shown at the top of the board: Black normally, White with White on top.
int TopSide() { return g_whiteOnTop ? ColourWhite : ColourBlack; }

void FillBackground(HDC dc, int B, int H) {
    RECT client;
    GetClientRect(g_mainWindow, &client);
    const int W = client.right;
    const int HC = client.bottom;
    Fill(dc, 0, 0, W, kBoardOrigin);
    Fill(dc, 0, B + 20, 20, HC);
    Fill(dc, B + 20, B + 20, W, HC);
    Fill(dc, 0, B + 40, W, HC);
    Fill(dc, B + 20, 0, B + 40, HC);
    Fill(dc, B + 168, 0, W, HC);
    Fill(dc, B + 20, 84, W, kListTop);
    Fill(dc, B + 20, kListTop + H, W, HC);
}

void DrawListFrame(HDC dc) {
    const ListRect& l = g_moveListRect;
    if (!g_showMoveList) {
        Fill(dc, l.x, l.y, l.x + l.width, l.y + l.height);
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, g_inkColour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, l.x - 1, l.y - 1, NULL);
    LineTo(dc, l.x + l.width, l.y - 1);
    LineTo(dc, l.x + l.width, l.y + l.height);
    LineTo(dc, l.x - 1, l.y + l.height);
    LineTo(dc, l.x - 1, l.y - 1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawPanelTexts(HDC dc, int B, int H) {
    const Game& game = g_mainGame;
    if (game.gameActive != 1) return;
    if (game.setPositionMode != 0) {
        DrawCentred(dc, "Set position", B + 20, 84, B + 188, 116);
        return;
    }
    if (game.analyseMode != 0) {
        DrawCentred(dc, "Analyse mode", B + 20, 84, B + 188, 116);
        return;
    }
    const int top = TopSide();
    const int bottom = 1 - top;
    DrawName(dc, game.player[top].name, B + 20, 84, B + 188, 116);
    DrawName(dc, game.player[bottom].name, B + 20, kListTop + H, B + 188, kListTop + H + 32);
    RECT strip;
    GetClockStripRect(0, &strip);
    DrawClock(dc, top, strip);
    GetClockStripRect(1, &strip);
    DrawClock(dc, bottom, strip);
}

void DrawCoordinates(HDC dc, int sq, int B) {
    SetTextAlign(dc, TA_CENTER);
    if (!g_showCoordinates) {
        Fill(dc, 20, B + 20, B + 20, B + 40);
        Fill(dc, 0, 20, 20, B + 20);
        return;
    }
    for (int k = 0; k < 8; ++k) {
        const int r = g_whiteOnTop ? k : 7 - k;
        char letter = char('H' - r);
        RECT letterCell = {20 + k * sq, B + 20, 20 + (k + 1) * sq, B + 40};
        ExtTextOutA(dc, 20 + k * sq + sq / 2, B + 17, ETO_OPAQUE, &letterCell, &letter, 1, NULL);
        char digit = char('1' + r);
        RECT digitCell = {0, 20 + k * sq, 20, 20 + (k + 1) * sq};
        ExtTextOutA(dc, 10, 20 + k * sq + sq / 2 - 12, ETO_OPAQUE, &digitCell, &digit, 1, NULL);
    }
}

void DrawSquares(HDC dc, int sq) {
    BoardViewOptions options;
    options.whiteOnTop = g_whiteOnTop;
    options.showLastMove = g_showLastMove;
    options.showLegalMoves = g_showLegalMoves;
    options.showCheck = g_showCheck;
    int selectedRow = g_moveListBox ? (int)SendMessageA(g_moveListBox, LB_GETCURSEL, 0, 0) : -1;
    SheetCell cells[8][8];
    ComputeBoardCells(&g_mainGame, options, selectedRow, cells);
    HDC sheet = g_boardScale == 75 ? g_skinDCThreeQuarters : g_skinDC;
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
            BitBlt(dc, kBoardOrigin + j * sq, kBoardOrigin + i * sq, sq, sq, sheet, cells[i][j].column * sq,
                   cells[i][j].row * sq, SRCCOPY);
}

}  // namespace

void GetClockStripRect(int atBottom, RECT* rect) {
    const ListRect& l = g_moveListRect;
    rect->left = l.x;
    rect->right = l.x + l.width;
    rect->top = atBottom ? l.y + l.height + kStripHeight : l.y - kStripHeight;
    rect->bottom = rect->top + kStripHeight;
}

void InvalidateClockStrip(int side) {
    RECT strip;
    GetClockStripRect(side == TopSide() ? 0 : 1, &strip);
    InvalidateRect(g_mainWindow, &strip, TRUE);
}

void LayoutMainWindow() {
    const int B = BoardSide();
    g_moveListRect = MoveListRectForScale(g_boardScale);
    MoveWindow(g_moveListBox, g_moveListRect.x, g_moveListRect.y, g_moveListRect.width,
               g_moveListRect.height, TRUE);

    RECT frame = {0, 0, B + 188, B + 40};
    AdjustWindowRect(&frame, WS_CAPTION, TRUE);
    const int w = frame.right - frame.left;
    const int h = frame.bottom - frame.top;

    WINDOWPLACEMENT placement;
    placement.length = sizeof(placement);
    GetWindowPlacement(g_mainWindow, &placement);
    RECT& normal = placement.rcNormalPosition;
    if (!IsWindowVisible(g_mainWindow)) {
        normal.left = GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2;
        normal.top = GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2;
    }
    if (normal.left < 0) normal.left = 0;
    if (normal.top < 0) normal.top = 0;
    normal.right = normal.left + w;
    normal.bottom = normal.top + h;
    SetWindowPlacement(g_mainWindow, &placement);
}

void PaintMainWindow(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SetTextColor(dc, g_inkColour);
    SetBkColor(dc, g_backgroundColour);
    SelectObject(dc, g_font);
    const int sq = SquareSize();
    const int B = 8 * sq;
    const int H = ListHeight();

    // A clock ticking alone repaints just its strip: draw only its text, opaque.
    RECT topStrip;
    RECT bottomStrip;
    GetClockStripRect(0, &topStrip);
    GetClockStripRect(1, &bottomStrip);
    if (SameRect(ps.rcPaint, topStrip) || SameRect(ps.rcPaint, bottomStrip)) {
        const int atTop = SameRect(ps.rcPaint, topStrip);
        DrawClock(dc, atTop ? TopSide() : 1 - TopSide(), ps.rcPaint);
        EndPaint(window, &ps);
        return;
    }

    FillBackground(dc, B, H);
    DrawListFrame(dc);
    DrawPanelTexts(dc, B, H);
    BitBlt(dc, B + 40, 20, kLogoWidth, kLogoHeight, g_skinDC, 320, 0, SRCCOPY);
    DrawCoordinates(dc, sq, B);
    DrawSquares(dc, sq);
    EndPaint(window, &ps);
}

void MeasureMoveListItem(MEASUREITEMSTRUCT* item) {
    item->itemHeight = kListItemHeight;
}

void DrawMoveListItem(const DRAWITEMSTRUCT* item) {
    if (item->itemID == (UINT)-1) return;
    // Rows longer than the buffer are not ours; draw nothing rather than overrun.
    char text[256];
    LRESULT length = SendMessageA(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0);
    if (length < 0 || length >= (LRESULT)sizeof(text)) return;
    length = SendMessageA(item->hwndItem, LB_GETTEXT, item->itemID, (LPARAM)text);
    if (length < 0) return;
    COLORREF background = g_backgroundColour;
    COLORREF ink = g_inkColour;
    if (item->itemState & ODS_SELECTED) {
        uint32_t selectedBackground = 0;
        uint32_t selectedInk = 0;
        SelectedRowColours(g_backgroundColour, g_inkColour, &selectedBackground, &selectedInk);
        background = selectedBackground;
        ink = selectedInk;
    }
    SetTextColor(item->hDC, ink);
    SetBkColor(item->hDC, background);
    ExtTextOutA(item->hDC, item->rcItem.left, item->rcItem.top, ETO_OPAQUE, &item->rcItem, text,
                (UINT)length, NULL);
}

HBRUSH ColourMoveList(HDC dc) {
    SetBkColor(dc, g_backgroundColour);
    SetTextColor(dc, g_inkColour);
    return g_backgroundBrush;
}
