// The main window procedure, the one place that routes the main window's messages:
// creation, destruction and painting here; playing, timers and keys to ui/play.cpp;
// menu commands to ui/commands.cpp.
#include <stdlib.h>
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/skins.h"
#include "ui/board_view.h"
#include "ui/play.h"
#include "resources/resource.h"

Game g_mainGame;
Game g_scratchGame;

HINSTANCE g_instance = NULL;
HWND g_mainWindow = NULL;
char g_windowTitle[100];
char g_windowClassName[100];
HFONT g_font = NULL;
HWND g_moveListBox = NULL;
UINT g_primaryButtonUp = WM_LBUTTONUP;

namespace {

const DWORD kMoveListStyle = WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                             LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

void CreateSkinSheets() {
    LoadSkinBitmap(&g_skinBitmap, g_skinNumber, g_skinFileName.CStr());
    // The reduced copies are drawn over a canvas of the sheet's size.
    LoadSkinBitmap(&g_skinBitmapHalf, 0, "");
    LoadSkinBitmap(&g_skinBitmapThreeQuarters, 0, "");
    g_skinDC = CreateCompatibleDC(NULL);
    g_skinDCHalf = CreateCompatibleDC(NULL);
    g_skinDCThreeQuarters = CreateCompatibleDC(NULL);
    SelectObject(g_skinDC, g_skinBitmap);
    SelectObject(g_skinDCHalf, g_skinBitmapHalf);
    SelectObject(g_skinDCThreeQuarters, g_skinBitmapThreeQuarters);
    StretchSkinToHalf(g_skinDC, g_skinDCHalf);
    StretchSkinToThreeQuarters(g_skinDC, g_skinDCThreeQuarters);
}

void OnCreate(HWND window) {
    LoadUserIdentifier();
    srand(GetTickCount());
    // The face may be missing; the font mapper then picks another.
    AddFontResourceA("PALA.TTF");
    g_font = CreateFontA(24, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                         "Palatino Linotype");
    const ListRect& l = g_moveListRect;
    g_moveListBox = CreateWindowExA(0, "LISTBOX", "List box", kMoveListStyle, l.x, l.y, l.width,
                                    l.height, window, (HMENU)(INT_PTR)IDC_MOVE_LIST, g_instance, NULL);
    SendMessageA(g_moveListBox, WM_SETFONT, (WPARAM)g_font, FALSE);
    ReadSettingsFile();
    CreateSkinSheets();
    // The platform already reports the primary button as the left one when the
    // buttons are swapped, so the system setting is never touched.
    g_primaryButtonUp = WM_LBUTTONUP;
    SetTimer(window, kFlashTimerId, kFlashTimerMs, NULL);
    SetTimer(window, kClockTimerId, kClockTimerMs, NULL);
    g_mainGame.Reset(ResetStartPosition);
    LayoutMainWindow();
    UpdateSaveMenuItems();
}

void OnDestroy() {
    DeleteObject(g_backgroundBrush);
    DeleteObject(g_font);
    DeleteDC(g_skinDC);
    DeleteDC(g_skinDCHalf);
    DeleteDC(g_skinDCThreeQuarters);
    DeleteObject(g_skinBitmap);
    DeleteObject(g_skinBitmapHalf);
    DeleteObject(g_skinBitmapThreeQuarters);
    g_backgroundBrush = NULL;
    g_font = NULL;
    g_skinDC = g_skinDCHalf = g_skinDCThreeQuarters = NULL;
    g_skinBitmap = g_skinBitmapHalf = g_skinBitmapThreeQuarters = NULL;
    WriteSettingsFile();
    PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_mainWindow = window;
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        PaintMainWindow(window);
        return 0;
    case WM_CLOSE:
        // A game the user wanted saved but that was not saved keeps the window open.
        if (!g_mainGame.OfferSave()) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        ReloadSkinSheets();
        LayoutMainWindow();
        InvalidateRect(window, NULL, TRUE);
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(NULL, g_mainGame.thinking ? IDC_WAIT : IDC_ARROW));
        return 1;
    case WM_MEASUREITEM:
        MeasureMoveListItem((MEASUREITEMSTRUCT*)lParam);
        return 0;
    case WM_DRAWITEM:
        DrawMoveListItem((const DRAWITEMSTRUCT*)lParam);
        return 0;
    case WM_CTLCOLORLISTBOX:
        return (LRESULT)ColourMoveList((HDC)wParam);
    case WM_COMMAND: {
        LRESULT result = 0;
        if (HandleCommand(wParam, lParam, &result)) return result;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(message, lParam);
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
