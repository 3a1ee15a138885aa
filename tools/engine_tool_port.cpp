// The window services for the native engine tools (the core's two are in
// movegen_tool_port.cpp): there is no window, so the thinking tick pumps nothing,
// Escape is never down and no question is asked.
#include <stdlib.h>
#include <chrono>
#include "engine/thinking_port.h"

uint32_t WindowTickCount() {
    using namespace std::chrono;
    return (uint32_t)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
int WindowRandom() { return rand(); }
void WindowSetWaitCursor(int) {}
void WindowUpdateNow() {}
void WindowInvalidateBoard() {}
void WindowInvalidateClock(int) {}
void WindowPumpThinkingMessages() {}
void WindowShowThinkingProgress(const char*, int) {}
void WindowRestoreTitle() {}
int WindowEscapeDown() { return 0; }
int WindowAskBreak(const char*) { return 0; }
int WindowBeepEnabled() { return 0; }
void WindowBeep() {}
void WindowDropQueuedCommands() {}
void WindowFlashIfInactive() {}
void WindowRebuildMoveList(Game*) {}
