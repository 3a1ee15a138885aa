// Set-position mode in the window: entering it from the menu, placing pieces with
// either mouse button and finishing from the palette rows of the move list.
#include "ui/play.h"
#include "ui/common/set_position.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/settings.h"

void EnterSetPositionMode() {
    if (!g_showMoveList) {
        WindowMessageBox("This mode needs <Moves list> to be displayed.\n"
                         "Select menu item <Options> and set it.",
                         MessageInfo);
        return;
    }
    // The game or its begin position may be saved first; a save wanted but not made
    // keeps the game.
    if (!g_mainGame.OfferSave()) return;
    if (!BeginSetPosition(g_mainGame)) return;
    SendMessageA(g_moveListBox, LB_RESETCONTENT, 0, 0);
    for (const char* text : kPaletteRowTexts) SendMessageA(g_moveListBox, LB_ADDSTRING, 0, (LPARAM)text);
    InvalidateRect(g_mainWindow, NULL, TRUE);
}

void SetPositionRelease(int col, int row, int paletteRow, UINT msg) {
    if (PlaceSetPositionPiece(g_mainGame, col, row, paletteRow, msg == g_primaryButtonUp))
        InvalidateRect(g_mainWindow, NULL, TRUE);
}

void SetPositionRowChosen() {
    // A click's release, queued before its press opened a refusal's box, can still make
    // the list report the row; no second box opens over the first.
    static int refusalShown = 0;
    if (refusalShown) return;
    int paletteRow = (int)SendMessageA(g_moveListBox, LB_GETCURSEL, 0, 0);
    WindowHandle listBox = g_moveListBox;
    refusalShown = 1;
    int finished = ChooseSetPositionRow(g_mainGame, paletteRow, &listBox);
    refusalShown = 0;
    if (finished) InvalidateRect(g_mainWindow, NULL, TRUE);
}
