// The move list box: filled from a game's history.
#include "ui/main_window.h"
#include "ui/common/move_text.h"

namespace {

void AddRow(const char* text, void* listBox) {
    SendMessageA((HWND)listBox, LB_ADDSTRING, 0, (LPARAM)text);
}

}  // namespace

void Game::RebuildMoveList(WindowHandle* listBox) {
    if (listBox == NULL || *listBox == NULL) return;
    HWND box = (HWND)*listBox;
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    BuildMoveRows(*this, AddRow, box);
    SendMessageA(box, LB_SETCURSEL, (WPARAM)ply, 0);
}
