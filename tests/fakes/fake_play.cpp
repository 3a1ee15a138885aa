#include "fakes/fake_play.h"
#include "core/game.h"
#include "ui/common/play_port.h"

FakePlay g_fakePlay;

void PlayInvalidateWindow(int) {}

void PlayRebuildMoveList(Game* game, WindowHandle* listBox) {
    ++g_fakePlay.rebuilds;
    g_fakePlay.rebuiltPly = game->ply;
    g_fakePlay.rebuiltListBox = listBox ? *listBox : nullptr;
}
