// The tests' stand-in for what the computer player asks of the window: records the
// calls, lets a test pin the random number and the tick count, can hold Escape down at
// a chosen thinking tick and act while the break question is open.
#pragma once
#include <stdint.h>
#include <functional>
#include <string>
#include <vector>

class Game;

struct FakeThinking {
    // Inputs a test sets.
    int randomValue = 0;       // what WindowRandom returns
    uint32_t ticks = 0;        // what WindowTickCount returns next
    uint32_t tickStep = 0;     // added to `ticks` after each WindowTickCount call
    int escapeAtTick = 0;      // Escape is down at this thinking tick (1-based); 0 never
    int escapeEveryTick = 0;   // 1: Escape is down at every tick from escapeAtTick on
    int breakAnswer = 1;       // what the break question answers (1 Yes)
    std::function<void()> whileAsking;  // runs while the break question is open
    int beepEnabled = 0;       // the beep setting

    // What the engine did.
    std::vector<std::string> calls;          // every call by name, in order
    std::vector<int> progressPercents;       // percent of each progress update
    std::vector<std::string> progressSuffixes;
    std::vector<std::string> questions;      // texts of break questions
    std::vector<int> invalidatedClocks;      // sides whose clock strip was invalidated
    int ticksSeen = 0;                       // thinking ticks (Escape polls) so far

    void Clear() { *this = FakeThinking(); }
    int Count(const char* name) const;
};

extern FakeThinking g_fakeThinking;
