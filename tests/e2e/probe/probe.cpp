// Test utility for the end-to-end tests: looks at and drives the program's windows from
// another process (under Wine, X11 tools see neither window classes, list rows nor
// dialog controls).
//
//   varno-4-probe find            title of the window of class VARNO4 (exit 1: none)
//   varno-4-probe client          client origin on the screen and client size: x y w h
//   varno-4-probe rows            "selected S", then "row <text>" per move-list row
//   varno-4-probe iconic          1 when minimised, else 0
//   varno-4-probe enabled         1 when the window takes input, else 0
//   varno-4-probe minimize        minimises the window
//   varno-4-probe close           posts WM_CLOSE
//   varno-4-probe send MSG [N]    sends message number MSG (wParam 0, lParam 0) N times
//   varno-4-probe windows         every window of the program's thread but the main
//                                 window: "window title|class|l t r b|visible", then per
//                                 control "control id|class|l t r b|enabled|readonly|
//                                 has-image|text" (screen pixels; line breaks and
//                                 backslashes in the text escaped as \n \r \\)
//   varno-4-probe clipboard TEXT  puts TEXT on the clipboard
//   varno-4-probe edit TITLE ID paste|replace [TEXT]
//                                 sends WM_PASTE, or EM_REPLACESEL with TEXT, to the
//                                 control ID of the shown dialog titled TITLE
//   varno-4-probe list TITLE ID   list box ID of the dialog titled TITLE: "selected S",
//                                 "height H" (row height), then "row <text>" per row
//   varno-4-probe hold PATH SECS  keeps PATH open without sharing for SECS seconds
//                                 (prints "held" once it is open; exit 1: cannot open)
//   varno-4-probe render TEXT W H PATH
//                                 writes PATH, a W x H 24-bit BMP of TEXT as the program
//                                 draws its one-line messages: the window's font, centred,
//                                 white ink on the default grey background
//   varno-4-probe gdi             "gdi N SOURCE": the program's GDI object count, from
//                                 GetGuiResources, or where that is not implemented
//                                 (Wine) the live entries of the program's GDI handle
//                                 table (SOURCE "table")
#include <windows.h>
#include <winternl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const int kMoveListId = 110;
static HWND g_main = NULL;

static int Usage() {
    fprintf(stderr, "usage: varno-4-probe find|client|rows|iconic|enabled|minimize|close|send MSG [N]|"
                    "windows|clipboard TEXT|edit TITLE ID paste|replace [TEXT]|list TITLE ID|"
                    "hold PATH SECS|render TEXT W H PATH|gdi\n");
    return 2;
}

// Across processes Wine hands list box texts over as UTF-16 whatever the caller asked
// for (a narrow read gives only the first character), so read them wide and convert.
static int PrintRows(HWND list) {
    if (list == NULL) return 1;
    int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    printf("selected %d\n", (int)SendMessageW(list, LB_GETCURSEL, 0, 0));
    printf("height %d\n", (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
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

// Text of another process's window: WM_GETTEXT is passed across, where GetWindowText
// would only read the caption the system keeps.
static void ReadText(HWND window, char* text, int size) {
    text[0] = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, size, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
}

// One text per output line: line breaks (a message box's text has them) and the
// backslash are written as \n, \r and \\.
static void PrintEscaped(const char* text) {
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') fputs("\\n", stdout);
        else if (*p == '\r') fputs("\\r", stdout);
        else if (*p == '\\') fputs("\\\\", stdout);
        else putchar(*p);
    }
    putchar('\n');
}

static void PrintRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    printf("%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
}

static BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    char cls[64], text[512];
    GetClassNameA(control, cls, sizeof(cls));
    ReadText(control, text, sizeof(text));
    LONG style = GetWindowLongA(control, GWL_STYLE);
    int hasImage = 0;
    if (_stricmp(cls, "Button") == 0)
        hasImage = SendMessageA(control, BM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    int readOnly = _stricmp(cls, "Edit") == 0 && (style & ES_READONLY) != 0;
    printf("control %d|%s|", GetDlgCtrlID(control), cls);
    PrintRect(control);
    printf("|%d|%d|%d|", IsWindowEnabled(control) ? 1 : 0, readOnly, hasImage);
    PrintEscaped(text);
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

// Wine keeps each process's GDI handles in a table that the process environment block
// points to (its GdiSharedHandleTable field, at offset 0xF8 on x64); an entry is 24
// bytes and its type byte, at offset 14, is 0 for a free slot.
static int CountGdiTableEntries(HANDLE process) {
    const SIZE_T kPebTableOffset = 0xF8, kEntries = 65536, kEntrySize = 24, kTypeOffset = 14;
    PROCESS_BASIC_INFORMATION basic;
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0)
        return -1;
    unsigned long long table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, (char*)basic.PebBaseAddress + kPebTableOffset, &table,
                           sizeof(table), &read) || table == 0)
        return -1;
    unsigned char* entries = (unsigned char*)malloc(kEntries * kEntrySize);
    if (!entries) return -1;
    int count = -1;
    if (ReadProcessMemory(process, (void*)table, entries, kEntries * kEntrySize, &read)) {
        count = 0;
        for (SIZE_T i = 0; i < kEntries; ++i) count += entries[i * kEntrySize + kTypeOffset] != 0;
    }
    free(entries);
    return count;
}

static int PrintGdiCount(HWND main) {
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return 1;
    SetLastError(0);
    DWORD count = GetGuiResources(process, GR_GDIOBJECTS);
    int ok = 1;
    if (count != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        printf("gdi %lu GetGuiResources\n", count);
    } else {
        int entries = CountGdiTableEntries(process);
        ok = entries >= 0;
        if (ok) printf("gdi %d table\n", entries);
    }
    CloseHandle(process);
    return ok ? 0 : 1;
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

static int SendToEdit(int argc, char** argv) {
    if (argc < 5) return Usage();
    HWND dialog = FindWindowA("#32770", argv[2]);
    HWND edit = dialog ? GetDlgItem(dialog, atoi(argv[3])) : NULL;
    if (edit == NULL) return 1;
    if (strcmp(argv[4], "paste") == 0) SendMessageA(edit, WM_PASTE, 0, 0);
    else if (strcmp(argv[4], "replace") == 0 && argc > 5) SendMessageA(edit, EM_REPLACESEL, TRUE, (LPARAM)argv[5]);
    else return Usage();
    return 0;
}

// Another program's open file without sharing: the program's own open of it fails.
static int HoldFile(const char* path, int seconds) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    printf("held\n");
    fflush(stdout);
    Sleep((DWORD)seconds * 1000);
    CloseHandle(file);
    return 0;
}

// The program's one-line message drawing (preview texts) in a bitmap of its own.
static int RenderText(const char* text, int width, int height, const char* path) {
    BITMAPINFO info;
    ZeroMemory(&info, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!dc || !bitmap) return 1;
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT area = {0, 0, width, height};
    HBRUSH background = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(dc, &area, background);
    DeleteObject(background);
    HFONT font = CreateFontA(24, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             "Palatino Linotype");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    GdiFlush();
    SelectObject(dc, oldFont);
    DeleteObject(font);

    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file;
    ZeroMemory(&file, sizeof(file));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + stride * height;
    FILE* out = fopen(path, "wb");
    int ok = out != NULL;
    if (out) {
        ok = fwrite(&file, sizeof(file), 1, out) == 1 &&
             fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
             fwrite(bits, stride * height, 1, out) == 1;
        ok = fclose(out) == 0 && ok;
    }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ok ? 0 : 1;
}

static int Run(int argc, char** argv) {
    const char* what = argv[1];
    if (strcmp(what, "clipboard") == 0) return argc > 2 ? SetClipboardText(argv[2]) : Usage();
    if (strcmp(what, "edit") == 0) return SendToEdit(argc, argv);
    if (strcmp(what, "hold") == 0) return argc > 3 ? HoldFile(argv[2], atoi(argv[3])) : Usage();
    if (strcmp(what, "render") == 0)
        return argc > 5 ? RenderText(argv[2], atoi(argv[3]), atoi(argv[4]), argv[5]) : Usage();
    g_main = FindWindowA("VARNO4", NULL);
    if (g_main == NULL) {
        fprintf(stderr, "no window of class VARNO4\n");
        return 1;
    }
    if (strcmp(what, "find") == 0) {
        char title[256];
        GetWindowTextA(g_main, title, sizeof(title));
        printf("%s\n", title);
    } else if (strcmp(what, "client") == 0) {
        RECT client;
        GetClientRect(g_main, &client);
        POINT origin = {0, 0};
        ClientToScreen(g_main, &origin);
        printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
    } else if (strcmp(what, "rows") == 0) {
        return PrintRows(GetDlgItem(g_main, kMoveListId));
    } else if (strcmp(what, "list") == 0 && argc > 3) {
        return PrintRows(GetDlgItem(FindWindowA("#32770", argv[2]), atoi(argv[3])));
    } else if (strcmp(what, "iconic") == 0) {
        printf("%d\n", IsIconic(g_main) ? 1 : 0);
    } else if (strcmp(what, "enabled") == 0) {
        printf("%d\n", IsWindowEnabled(g_main) ? 1 : 0);
    } else if (strcmp(what, "minimize") == 0) {
        ShowWindow(g_main, SW_MINIMIZE);
    } else if (strcmp(what, "close") == 0) {
        PostMessageA(g_main, WM_CLOSE, 0, 0);
    } else if (strcmp(what, "send") == 0 && argc > 2) {
        int times = argc > 3 ? atoi(argv[3]) : 1;
        for (int i = 0; i < times; ++i) SendMessageA(g_main, (UINT)atoi(argv[2]), 0, 0);
    } else if (strcmp(what, "gdi") == 0) {
        return PrintGdiCount(g_main);
    } else if (strcmp(what, "windows") == 0) {
        EnumThreadWindows(GetWindowThreadProcessId(g_main, NULL), PrintWindow, 0);
    } else {
        return Usage();
    }
    return 0;
}

int main(int argc, char** argv) {
    int result = argc < 2 ? Usage() : Run(argc, argv);
    fflush(stdout);
    return result;
}
