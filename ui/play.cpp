// Board input, the two timers and key presses of the main window.
#include "ui/play.h"
#include "ui/common/board_play.h"
#include "ui/window_globals.h"

static int ListBoxQuery(UINT msg) {
    return (int)SendMessageA(g_moveListBox, msg, 0, 0);
}

static void OnButtonUp(UINT msg, LPARAM lParam) {
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

static void OnTimer(WPARAM id) {
    if (id == 1) {
        if (AgeRefusedTargets(g_mainGame)) InvalidateRect(g_mainWindow, NULL, TRUE);
        if (ComputerTurnDue(g_mainGame)) {
            ReturnToGameEnd();
            g_mainGame.ComputerMove();
            UpdateSaveMenuItems();
        }
    } else if (id == 2) {
        int side = TickHumanClock(g_mainGame);
        if (side >= 0) InvalidateClockStrip(side);
    }
}

int PlayHandleMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(msg, lParam);
        break;
    case WM_TIMER:
        OnTimer(wParam);
        break;
    case WM_KEYDOWN:
        // The list box moves its selection on the navigation keys and reports it back.
        SendMessageA(g_moveListBox, WM_KEYDOWN, wParam, lParam);
        break;
    case WM_COMMAND:
        return HandleCommand(wParam, lParam, result);
    default:
        return 0;
    }
    *result = 0;
    return 1;
}
