#include "fakes/fake_thinking.h"
#include "engine/thinking_port.h"

FakeThinking g_fakeThinking;

int FakeThinking::Count(const char* name) const {
    int n = 0;
    for (const std::string& c : calls) n += c == name;
    return n;
}

uint32_t WindowTickCount() {
    g_fakeThinking.calls.push_back("TickCount");
    uint32_t now = g_fakeThinking.ticks;
    g_fakeThinking.ticks += g_fakeThinking.tickStep;
    return now;
}

int WindowRandom() {
    g_fakeThinking.calls.push_back("Random");
    ++g_fakeThinking.randomCalls;
    return g_fakeThinking.randomValue;
}

void WindowSetWaitCursor(int wait) {
    g_fakeThinking.calls.push_back(wait ? "WaitCursor" : "ArrowCursor");
    g_fakeThinking.waitCursor = wait;
}

void WindowUpdateNow() { g_fakeThinking.calls.push_back("UpdateNow"); }

void WindowInvalidateBoard() { g_fakeThinking.calls.push_back("InvalidateBoard"); }

void WindowInvalidateClock(int side) {
    g_fakeThinking.calls.push_back("InvalidateClock");
    g_fakeThinking.invalidatedClocks.push_back(side);
}

void WindowPumpThinkingMessages() {
    g_fakeThinking.calls.push_back("Pump");
    ++g_fakeThinking.pumps;
}

void WindowShowThinkingProgress(const char* suffix, int percent) {
    g_fakeThinking.calls.push_back("Progress");
    g_fakeThinking.progressSuffixes.push_back(suffix);
    g_fakeThinking.progressPercents.push_back(percent);
}

void WindowRestoreTitle() { g_fakeThinking.calls.push_back("RestoreTitle"); }

int WindowEscapeDown() {
    g_fakeThinking.calls.push_back("EscapeDown");
    int tick = ++g_fakeThinking.ticksSeen;
    int at = g_fakeThinking.escapeAtTick;
    if (at == 0) return 0;
    return g_fakeThinking.escapeEveryTick ? tick >= at : tick == at;
}

int WindowAskBreak(const char* text) {
    g_fakeThinking.calls.push_back("AskBreak");
    g_fakeThinking.questions.push_back(text);
    return g_fakeThinking.breakAnswer;
}

int WindowBeepEnabled() { return g_fakeThinking.beepEnabled; }

void WindowBeep() {
    g_fakeThinking.calls.push_back("Beep");
    ++g_fakeThinking.beeps;
}

void WindowDropQueuedCommands() {
    g_fakeThinking.calls.push_back("DropCommands");
    ++g_fakeThinking.dropQueuedCommands;
}

void WindowFlashIfInactive() {
    g_fakeThinking.calls.push_back("Flash");
    ++g_fakeThinking.flashes;
}

void WindowRebuildMoveList(Game*) {
    g_fakeThinking.calls.push_back("RebuildMoveList");
    ++g_fakeThinking.moveListRebuilds;
}
