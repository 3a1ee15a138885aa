// The main menu's commands, browsing the move list, and the Save items' state.
#include "ui/play.h"
#include "ui/dialogs.h"
#include "ui/options.h"
#include "ui/common/board_play.h"
#include "ui/main_window.h"
#include "resources/dialog_ids.h"
#include "resources/resource.h"

void UpdateSaveMenuItems() {
    HMENU menu = GetMenu(g_mainWindow);
    if (!menu) return;
    const Game& game = g_mainGame;
    UINT gameSave = MFS_GRAYED;
    UINT positionSave = MFS_GRAYED;
    if (game.gameActive && !game.setPositionMode) {
        gameSave = (game.analyseMode || !game.modified) ? MFS_GRAYED : MFS_ENABLED;
        positionSave = MFS_ENABLED;
    }
    MENUITEMINFOA info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = gameSave;
    SetMenuItemInfoA(menu, IDM_GAME_SAVE, FALSE, &info);
    info.fState = positionSave;
    SetMenuItemInfoA(menu, IDM_POSITION_SAVE, FALSE, &info);
}

int FileExists(const char* path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    FindClose(search);
    return 1;
}

// Browsing: the board shows the position of the move list's selected row.
static void BrowseToSelectedRow() {
    int row = (int)SendMessageA(g_moveListBox, LB_GETCURSEL, 0, 0);
    if (row < 0) return;
    BrowseMoveList(g_mainGame, g_scratchGame, row);
    InvalidateRect(g_mainWindow, NULL, TRUE);
}

static void OpenWithShell(const char* file) {
    ShellExecuteA(g_mainWindow, "open", file, NULL, NULL, SW_SHOWNORMAL);
}

// Returns 0 for an id that is not a command of the main menu or the move list.
int HandleCommand(WPARAM wParam, LPARAM, LRESULT* result) {
    switch (LOWORD(wParam)) {
    case IDM_HELP_ABOUT:
        DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), g_mainWindow, AboutDlgProc, 0);
        break;
    case IDM_GAME_EXIT:
        SendMessageA(g_mainWindow, WM_CLOSE, 0, 0);
        break;
    case IDC_MOVE_LIST:
        // While a position is set up the list holds the piece palette instead.
        if (HIWORD(wParam) != LBN_SELCHANGE) break;
        if (g_mainGame.setPositionMode) SetPositionRowChosen();
        else BrowseToSelectedRow();
        break;
    case IDM_GAME_NEW:
        if (g_mainGame.OfferSave()) g_mainGame.RunNewGameDialog(ResetStartPosition);
        break;
    case IDM_GAME_SAVE:
        g_mainGame.SaveGame();
        break;
    case IDM_GAME_LOAD:
        if (g_mainGame.OfferSave()) g_mainGame.RunLoadDialog(LoadGame);
        break;
    case IDM_POSITION_LOAD:
        if (g_mainGame.OfferSave()) g_mainGame.RunLoadDialog(LoadPosition);
        break;
    case IDM_HELP_MANUAL:
        OpenWithShell(FileExists("varno-4.hlp") ? "varno-4.hlp" : "varno-4.chm");
        break;
    case IDM_HELP_WEB:
        OpenWithShell("brenk-5.url");
        break;
    case IDM_POSITION_SAVE:
        if (g_mainGame.setPositionMode) {
            WindowMessageBox("Please end set position: click on listbox item <ok: white move> or "
                             "<ok: black move>", MessageInfo);
        } else {
            g_mainGame.SavePosition();
        }
        break;
    case IDM_OPTIONS:
        DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_OPTIONS), g_mainWindow, OptionsDlgProc, 0);
        break;
    case IDM_POSITION_SET:
        EnterSetPositionMode();
        break;
    default:
        return 0;
    }
    if (IsWindow(g_mainWindow)) UpdateSaveMenuItems();
    *result = 0;
    return 1;
}
