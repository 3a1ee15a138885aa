// The thinking tick: called by the search roots before each root move, it keeps the
// computer's clock running, lets the window repaint and run its timers, shows the
// progress and lets Escape break the search.
#include "engine/computer_turn.h"
#include "engine/thinking_port.h"

void ChargeThinkingClock(Game& game) {
    uint32_t elapsed = WindowTickCount() - game.searchStartTicks;
    game.player[game.sideToMove].clockSeconds = game.searchStartClock + (int32_t)(elapsed / 1000);
}

void Game::ThinkingTick(int percent) {
    ChargeThinkingClock(*this);
    WindowInvalidateClock(sideToMove);
    WindowPumpThinkingMessages();
    WindowShowThinkingProgress(titleSuffix.CStr(), percent);
    if (WindowEscapeDown() && WindowAskBreak("Break AI move. Are you sure?")) thinking = 0;
}
