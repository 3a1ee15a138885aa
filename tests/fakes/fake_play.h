// The tests' stand-in for what board input asks of the window: counts move-list
// rebuilds and keeps the list handle it was given.
#pragma once

#include "core/window_port.h"

struct FakePlay {
    int rebuilds = 0;
    int rebuiltPly = -1;                   // the game's ply at the last rebuild
    WindowHandle rebuiltListBox = nullptr; // the handle the last rebuild was given

    void Clear() { *this = FakePlay(); }
};

extern FakePlay g_fakePlay;
