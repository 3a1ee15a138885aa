#include "ui/play.h"

int PlayHandleMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*) {
    return 0;
}
