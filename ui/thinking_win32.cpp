// What the computer player asks of the window while it takes its turn.
#include <stdlib.h>
#include "engine/thinking_port.h"
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/board_view.h"

uint32_t WindowTickCount() { return GetTickCount(); }

int WindowRandom() { return rand(); }

void WindowSetWaitCursor(int wait) {
    SetCursor(LoadCursorA(NULL, wait ? IDC_WAIT : IDC_ARROW));
}

void WindowUpdateNow() { UpdateWindow(g_mainWindow); }

void WindowInvalidateBoard() { InvalidateRect(g_mainWindow, NULL, FALSE); }

void WindowInvalidateClock(int side) {
    RECT strip;
    // White's clock is at the bottom unless White is shown on top.
    GetClockStripRect(side == g_whiteOnTop ? 1 : 0, &strip);
    InvalidateRect(g_mainWindow, &strip, FALSE);
}

void WindowPumpThinkingMessages() {
    static const UINT kPassed[3] = {WM_TIMER, WM_PAINT, WM_NCPAINT};
    int count = 0;
    for (UINT kind : kPassed) {
        MSG msg;
        while (PeekMessageA(&msg, g_mainWindow, kind, kind, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (++count > 100) break;
        }
    }
}

void WindowShowThinkingProgress(const char* suffix, int percent) {
    if (!g_showAiProgress) return;
    String title(g_windowTitle);
    title += suffix;
    title += " [";
    title.AppendInt(percent);
    title += "%]";
    SetWindowTextA(g_mainWindow, title.CStr());
}

void WindowRestoreTitle() { SetWindowTextA(g_mainWindow, g_windowTitle); }

int WindowEscapeDown() { return (GetAsyncKeyState(VK_ESCAPE) & 0xFF00) ? 1 : 0; }

// The Escape that raised the question is still queued, as the search lets no key
// through; a message box may take it as its own answer and close at once.
static void DropQueuedEscapes() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE) &&
           (msg.wParam == VK_ESCAPE || (msg.message == WM_CHAR && msg.wParam == 27)))
        PeekMessageA(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE);
}

// The windows of the thread that the break question holds disabled while it is open.
struct HeldWindows {
    HWND owner;      // the question's owner: the box itself disables and enables it
    HWND held[32];   // far more than the program shows at once (a window, a few boxes)
    int count;
};

static BOOL CALLBACK HoldWindow(HWND window, LPARAM param) {
    HeldWindows* windows = (HeldWindows*)param;
    if (window == windows->owner || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    if (windows->count == 32) return FALSE;
    EnableWindow(window, FALSE);
    windows->held[windows->count++] = window;
    return TRUE;
}

int WindowAskBreak(const char* text) {
    DropQueuedEscapes();
    // The search may run below a dialog's message loop (the computer plays behind an
    // open dialog). A box owned by the main window alone would leave that dialog
    // enabled, and a click there could replace the game the search unwinds onto: only
    // the question takes input while it is open. It is owned as every box is, by the
    // window that takes input, so closing it gives activation back there.
    HeldWindows windows;
    windows.owner = MessageBoxOwner(g_mainWindow);
    windows.count = 0;
    EnumThreadWindows(GetCurrentThreadId(), HoldWindow, (LPARAM)&windows);
    int answer = MessageBoxA(windows.owner, text, g_windowTitle,
                             MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    for (int i = windows.count - 1; i >= 0; --i)
        if (IsWindow(windows.held[i])) EnableWindow(windows.held[i], TRUE);
    return answer == IDYES;
}

int WindowBeepEnabled() { return g_beepAfterAiMove; }

void WindowBeep() { MessageBeep(0); }

void WindowDropQueuedCommands() {
    MSG msg;
    for (int removed = 0; removed < 51; ++removed)
        if (!PeekMessageA(&msg, g_mainWindow, WM_COMMAND, WM_COMMAND, PM_REMOVE)) break;
}

void WindowFlashIfInactive() {
    if (GetActiveWindow() != g_mainWindow) FlashWindow(g_mainWindow, TRUE);
}

void WindowRebuildMoveList(Game* game) {
    WindowHandle listBox = g_moveListBox;
    game->RebuildMoveList(&listBox);
}
