// Message boxes the rules core asks for, owned by the main window.
#include "ui/main_window.h"
#include "core/window_port.h"

int WindowMessageBox(const char* text, int kind) {
    UINT style = MB_OK | MB_ICONINFORMATION;
    if (kind == MessageQuestion) style = MB_YESNO | MB_ICONQUESTION;
    if (kind == MessageError) style = MB_OK | MB_ICONERROR;
    const char* caption = g_windowTitle[0] != 0 ? g_windowTitle : "Varno-4";
    int answer = MessageBoxA(g_mainWindow, text, caption, style);
    return (answer == IDOK || answer == IDYES) ? 1 : 0;
}
