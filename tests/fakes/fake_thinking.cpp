#include "fakes/fake_thinking.h"
#include "engine/thinking_port.h"

FakeThinking g_fakeThinking;

int FakeThinking::Count(const char* name) const {
    int n = 0;
    for (const std::string& c : calls) n += c == name;
    return n;
}

static void Note(const char* name) { g_fakeThinking.calls.push_back(name); }

uint32_t WindowTickCount() {
    Note("TickCount");
    uint32_t now = g_fakeThinking.ticks;
    g_fakeThinking.ticks += g_fakeThinking.tickStep;
    return now;
}

int WindowRandom() { return Note("Random"), g_fakeThinking.randomValue; }
void WindowSetWaitCursor(int wait) { Note(wait ? "WaitCursor" : "ArrowCursor"); }
void WindowUpdateNow() { Note("UpdateNow"); }
void WindowInvalidateBoard() { Note("InvalidateBoard"); }
void WindowPumpThinkingMessages() { Note("Pump"); }
void WindowRestoreTitle() { Note("RestoreTitle"); }
int WindowBeepEnabled() { return g_fakeThinking.beepEnabled; }
void WindowBeep() { Note("Beep"); }
void WindowDropQueuedCommands() { Note("DropCommands"); }
void WindowFlashIfInactive() { Note("Flash"); }
void WindowRebuildMoveList(Game*) { Note("RebuildMoveList"); }

void WindowInvalidateClock(int side) {
    Note("InvalidateClock");
    g_fakeThinking.invalidatedClocks.push_back(side);
}

void WindowShowThinkingProgress(const char* suffix, int percent) {
    Note("Progress");
    g_fakeThinking.progressSuffixes.push_back(suffix);
    g_fakeThinking.progressPercents.push_back(percent);
}

int WindowEscapeDown() {
    Note("EscapeDown");
    int tick = ++g_fakeThinking.ticksSeen;
    int at = g_fakeThinking.escapeAtTick;
    if (at == 0) return 0;
    return g_fakeThinking.escapeEveryTick ? tick >= at : tick == at;
}

int WindowAskBreak(const char* text) {
    Note("AskBreak");
    g_fakeThinking.questions.push_back(text);
    if (g_fakeThinking.whileAsking) g_fakeThinking.whileAsking();
    return g_fakeThinking.breakAnswer;
}
