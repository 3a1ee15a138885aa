// Message boxes: whom they belong to, and those the rules core asks for.
#include "ui/main_window.h"
#include "core/window_port.h"

HWND MessageBoxOwner(HWND fallback) {
    HWND active = GetActiveWindow();
    if (active != NULL && IsWindowEnabled(active)) return active;
    // Another program is in front: the dialog the person used last, if one is open.
    HWND popup = GetLastActivePopup(g_mainWindow);
    if (popup != NULL && popup != g_mainWindow && IsWindowVisible(popup) && IsWindowEnabled(popup))
        return popup;
    return fallback;
}

int WindowMessageBox(const char* text, int kind) {
    UINT style = MB_OK | MB_ICONINFORMATION;
    if (kind == MessageQuestion) style = MB_YESNO | MB_ICONQUESTION;
    if (kind == MessageError) style = MB_OK | MB_ICONERROR;
    const char* caption = g_windowTitle[0] != 0 ? g_windowTitle : "Varno-4";
    int answer = MessageBoxA(MessageBoxOwner(g_mainWindow), text, caption, style);
    return (answer == IDOK || answer == IDYES) ? 1 : 0;
}
