// Test utility for the end-to-end tests of playing: reports the program's dialogs and
// message boxes from another process and fills the clipboard.
//
//   varno-4-play-probe windows        every window of the program's thread but the main
//                                     window: "window title|class|l t r b|visible",
//                                     then per control "control id|class|l t r b|
//                                     enabled|readonly|has-image|text" (screen pixels)
//   varno-4-play-probe clipboard TEXT puts TEXT on the clipboard
//   varno-4-play-probe rows           "selected S", then "row <text>" per move-list row
//   varno-4-play-probe menu-state ID  "grayed" or "enabled" for a menu command of the menu bar
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static HWND g_main = NULL;

// Text of another process's window: WM_GETTEXT is passed across, where
// GetWindowText would only read the caption the system keeps.
static void ReadText(HWND window, char* text, int size) {
    text[0] = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, size, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
}

// The rows are read as wide text: the narrow request is not carried across whole.
static int PrintRows(HWND main) {
    HWND list = GetDlgItem(main, 110);
    if (!list) return 1;
    int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    printf("selected %d\n", (int)SendMessageW(list, LB_GETCURSEL, 0, 0));
    for (int i = 0; i < count; ++i) {
        WCHAR wide[256];
        char text[512];
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 255) return 1;
        wide[0] = 0;
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)wide);
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), NULL, NULL);
        printf("row %s\n", text);
    }
    return 0;
}

static void PrintRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    printf("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

static BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    char cls[64], text[256];
    GetClassNameA(control, cls, sizeof(cls));
    ReadText(control, text, sizeof(text));
    LONG style = GetWindowLongA(control, GWL_STYLE);
    int hasImage = 0;
    if (_stricmp(cls, "Button") == 0) hasImage = SendMessageA(control, BM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    int readOnly = _stricmp(cls, "Edit") == 0 && (style & ES_READONLY) != 0;
    printf("control %d|%s|", GetDlgCtrlID(control), cls);
    PrintRect(control);
    printf("|%d|%d|%d|%s\n", IsWindowEnabled(control) ? 1 : 0, readOnly, hasImage, text);
    return TRUE;
}

static BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    if (window == g_main) return TRUE;
    char cls[64], title[256];
    GetClassNameA(window, cls, sizeof(cls));
    ReadText(window, title, sizeof(title));
    printf("window %s|%s|", title, cls);
    PrintRect(window);
    printf("|%d\n", IsWindowVisible(window) ? 1 : 0);
    EnumChildWindows(window, PrintControl, 0);
    return TRUE;
}

static int SetClipboardText(const char* text) {
    size_t size = strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return 1;
    memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    if (!OpenClipboard(NULL)) return 1;
    EmptyClipboard();
    int ok = SetClipboardData(CF_TEXT, memory) != NULL;
    CloseClipboard();
    return ok ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc >= 3 && strcmp(argv[1], "clipboard") == 0) return SetClipboardText(argv[2]);
    int windows = argc >= 2 && strcmp(argv[1], "windows") == 0;
    int rows = argc >= 2 && strcmp(argv[1], "rows") == 0;
    int menuState = argc >= 3 && strcmp(argv[1], "menu-state") == 0;
    if (!windows && !rows && !menuState) {
        fprintf(stderr, "usage: varno-4-play-probe windows | rows | menu-state ID | clipboard TEXT\n");
        return 2;
    }
    g_main = FindWindowA("VARNO4", NULL);
    if (!g_main) {
        fprintf(stderr, "no window of class VARNO4\n");
        return 1;
    }
    if (menuState) {
        UINT state = GetMenuState(GetMenu(g_main), (UINT)atoi(argv[2]), MF_BYCOMMAND);
        if (state == (UINT)-1) return 1;
        printf("%s\n", (state & (MF_GRAYED | MF_DISABLED)) ? "grayed" : "enabled");
        fflush(stdout);
        return 0;
    }
    if (rows) {
        int result = PrintRows(g_main);
        fflush(stdout);
        return result;
    }
    EnumThreadWindows(GetWindowThreadProcessId(g_main, NULL), PrintWindow, 0);
    fflush(stdout);
    return 0;
}
