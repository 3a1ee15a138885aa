// The small board shared by the Load and Options dialogs.
#include "ui/board_preview.h"
#include "ui/settings.h"

namespace {

const int kCell = 32;
const int kBoardPixels = 1 + 8 * kCell;  // the cells start one pixel in, inside the frame

RECT RectInDialog(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(NULL, dialog, (POINT*)&r, 2);
    return r;
}

}  // namespace

// The template sizes the preview in dialog units, so with a smaller system font the last
// rank or file falls outside it. The preview grows by the pixels it lacks; what stands to
// its right moves over, and what runs beside it (the list) or round it (a group box)
// grows with it, as does the dialog.
void FitPreviewToBoard(HWND dialog, int previewId) {
    HWND preview = GetDlgItem(dialog, previewId);
    RECT area;
    GetClientRect(preview, &area);
    int wider = kBoardPixels > area.right ? kBoardPixels - area.right : 0;
    int taller = kBoardPixels > area.bottom ? kBoardPixels - area.bottom : 0;
    if (!wider && !taller) return;
    RECT p = RectInDialog(dialog, preview);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = RectInDialog(dialog, child);
        RECT grown = r;
        if (r.left >= p.right) OffsetRect(&grown, wider, 0);
        else if (r.left <= p.left && r.right >= p.right) grown.right += wider;
        if (r.top >= p.bottom) OffsetRect(&grown, 0, taller);
        else if (r.top <= p.top && r.bottom >= p.bottom) grown.bottom += taller;
        if (EqualRect(&r, &grown)) continue;
        SetWindowPos(child, NULL, grown.left, grown.top, grown.right - grown.left,
                     grown.bottom - grown.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, NULL, 0, 0, frame.right - frame.left + wider,
                 frame.bottom - frame.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DrawPreviewBoard(HDC dc, const Square (&board)[8][8], HDC halfSheet) {
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            const Square& square = board[7 - i][j];
            int kind = square.kind >= PieceNone && square.kind <= PieceKing ? square.kind : 0;
            int column = ((7 - i) & 1) == (j & 1) ? 0 : 1;
            if (kind != PieceNone && square.colour == ColourBlack) column += 5;
            BitBlt(dc, 1 + kCell * j, 1 + kCell * i, kCell, kCell, halfSheet, kCell * column,
                   kCell * kind, SRCCOPY);
        }
    }
}

void FramePreview(HDC dc, const RECT& area) {
    HPEN pen = CreatePen(PS_SOLID, 1, g_backgroundColour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, 0, NULL);
    LineTo(dc, area.right, 0);
    LineTo(dc, area.right, area.bottom);
    LineTo(dc, 0, area.bottom);
    LineTo(dc, 0, 0);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}
