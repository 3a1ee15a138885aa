// Test utility for the end-to-end tests: looks at the program's main window from
// another process (under Wine, X11 tools see neither window classes nor list rows).
//
//   varno-4-probe find            title of the window of class VARNO4 (exit 1: none)
//   varno-4-probe client          client origin on the screen and client size: x y w h
//   varno-4-probe window          window rectangle: left top right bottom
//   varno-4-probe rows            "count N", "selected S", then "row <text>" per row
//   varno-4-probe iconic          1 when minimised, else 0
//   varno-4-probe minimize        minimises the window
//   varno-4-probe close           posts WM_CLOSE
//   varno-4-probe command ID      posts WM_COMMAND with the command id
//   varno-4-probe send MSG [N]    sends message number MSG (wParam 0, lParam 0) N times
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const int kMoveListId = 110;

static int Usage() {
    fprintf(stderr, "usage: varno-4-probe find|client|window|rows|iconic|minimize|close|"
                    "command ID|send MSG [N]\n");
    return 2;
}

static int PrintRows(HWND window) {
    HWND list = GetDlgItem(window, kMoveListId);
    if (list == NULL) return 1;
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    printf("count %d\nselected %d\n", count, (int)SendMessageA(list, LB_GETCURSEL, 0, 0));
    // Across processes Wine hands list box texts over as UTF-16 whatever the caller
    // asked for, so read them wide and convert.
    for (int i = 0; i < count; ++i) {
        WCHAR wide[512];
        char text[1024];
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        if (length < 0 || length >= (LRESULT)(sizeof(wide) / sizeof(wide[0]))) return 1;
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)wide);
        wide[length] = 0;
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), NULL, NULL);
        printf("row %s\n", text);
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const char* what = argv[1];
    HWND window = FindWindowA("VARNO4", NULL);
    if (window == NULL) {
        fprintf(stderr, "no window of class VARNO4\n");
        return 1;
    }
    if (strcmp(what, "find") == 0) {
        char title[256];
        GetWindowTextA(window, title, sizeof(title));
        printf("%s\n", title);
    } else if (strcmp(what, "client") == 0) {
        RECT client;
        GetClientRect(window, &client);
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    } else if (strcmp(what, "window") == 0) {
        RECT r;
        GetWindowRect(window, &r);
        printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    } else if (strcmp(what, "rows") == 0) {
        return PrintRows(window);
    } else if (strcmp(what, "iconic") == 0) {
        printf("%d\n", IsIconic(window) ? 1 : 0);
    } else if (strcmp(what, "minimize") == 0) {
        ShowWindow(window, SW_MINIMIZE);
    } else if (strcmp(what, "close") == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (strcmp(what, "command") == 0 && argc > 2) {
        PostMessageA(window, WM_COMMAND, (WPARAM)atoi(argv[2]), 0);
    } else if (strcmp(what, "send") == 0 && argc > 2) {
        int times = argc > 3 ? atoi(argv[3]) : 1;
        for (int i = 0; i < times; ++i) SendMessageA(window, (UINT)atoi(argv[2]), 0, 0);
    } else {
        return Usage();
    }
    fflush(stdout);
    return 0;
}
