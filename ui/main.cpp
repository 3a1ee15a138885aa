// Program entry: one window per user session, then the message loop.
#include <objbase.h>
#include "ui/main_window.h"
#include "resources/resource.h"

namespace {

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = NULL;
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = g_windowClassName;
    return RegisterClassA(&windowClass);
}

int CreateMainWindow(HINSTANCE instance, int showCommand) {
    g_instance = instance;
    HWND window = CreateWindowExA(0, g_windowClassName, g_windowTitle,
                                  WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, NULL, NULL, instance, NULL);
    if (window == NULL) return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    LoadStringA(instance, IDS_WINDOW_TITLE, g_windowTitle, sizeof(g_windowTitle));
    LoadStringA(instance, IDS_WINDOW_CLASS, g_windowClassName, sizeof(g_windowClassName));

    HWND running = FindWindowA(g_windowClassName, NULL);
    if (running != NULL) {
        if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return 0;
    }

    // Help opens its file with ShellExecuteA, which needs COM on this thread (a
    // shortcut or a handler of the file's type may be a COM object).
    HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    RegisterMainWindowClass(instance);
    MSG message = {};
    if (CreateMainWindow(instance, showCommand)) {
        while (GetMessageA(&message, NULL, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return (int)message.wParam;
}
