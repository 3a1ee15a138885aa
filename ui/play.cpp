// Board input, the two timers and key presses of the main window.
#include "ui/play.h"
#include "ui/common/board_play.h"
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/board_view.h"

static int ListBoxQuery(UINT msg) {
    return (int)SendMessageA(g_moveListBox, msg, 0, 0);
}

void OnButtonUp(UINT msg, LPARAM lParam) {
    int col, row;
    if (!BoardSquareAt(LOWORD(lParam), HIWORD(lParam), g_boardScale, g_whiteOnTop, &col, &row)) return;
    int shownRow = ListBoxQuery(LB_GETCURSEL);
    int rowCount = ListBoxQuery(LB_GETCOUNT);
    if (shownRow < 0) return;
    if (g_mainGame.setPositionMode) {
        SetPositionRelease(col, row, shownRow, msg);
        return;
    }
    WindowHandle listBox = g_moveListBox;
    int outcome = PlayBoardRelease(g_mainGame, col, row, shownRow, rowCount,
                                   msg == g_primaryButtonUp, &listBox);
    if (outcome == ReleaseIgnored) return;
    if (outcome == ReleasePlayed) UpdateSaveMenuItems();
    InvalidateRect(g_mainWindow, NULL, TRUE);
}

// The computer must search the game's real position: after browsing, the board and
// the list's selection go back to the end of the game first.
static void ReturnToGameEnd() {
    if (g_mainGame.analyseMode) return;
    if (ListBoxQuery(LB_GETCURSEL) == g_mainGame.ply) return;
    ShowCurrentPosition(g_mainGame, g_scratchGame);
    SendMessageA(g_moveListBox, LB_SETCURSEL, (WPARAM)g_mainGame.ply, 0);
    InvalidateRect(g_mainWindow, NULL, TRUE);
}

void OnTimer(WPARAM id) {
    if (id == kFlashTimerId) {
        if (AgeRefusedTargets(g_mainGame)) InvalidateRect(g_mainWindow, NULL, TRUE);
        if (ComputerTurnDue(g_mainGame)) {
            ReturnToGameEnd();
            g_mainGame.ComputerMove();
            UpdateSaveMenuItems();
        }
    } else if (id == kClockTimerId) {
        int side = TickHumanClock(g_mainGame);
        if (side >= 0) InvalidateClockStrip(side);
    }
}

// The list box moves its selection on the navigation keys and reports it back.
void OnKeyDown(WPARAM wParam, LPARAM lParam) {
    SendMessageA(g_moveListBox, WM_KEYDOWN, wParam, lParam);
}
