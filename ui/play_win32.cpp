// The window side of playing on the board.
#include "ui/common/play_port.h"
#include "ui/main_window.h"

void PlayInvalidateWindow(int erase) { InvalidateRect(g_mainWindow, NULL, erase ? TRUE : FALSE); }

void PlayRebuildMoveList(Game* game, WindowHandle* listBox) { game->RebuildMoveList(listBox); }
