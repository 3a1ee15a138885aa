#include "core/game.h"

#include <string.h>

// The plain stretches must cover every field but the two texts: everything before
// errorText, nothing between the texts, and everything after titleSuffix.
static_assert(offsetof(Game, board) == 0, "board opens the record");
static_assert(offsetof(Game, titleSuffix) == offsetof(Game, errorText) + sizeof(String),
              "no field between the two text members");
static_assert(offsetof(Game, replyList) >= offsetof(Game, titleSuffix) + sizeof(String),
              "replyList follows the text members");

size_t Game::PlainOffset(int part) {
    return part == 0 ? 0 : offsetof(Game, titleSuffix) + sizeof(String);
}

size_t Game::PlainSize(int part) {
    return part == 0 ? offsetof(Game, errorText) : sizeof(Game) - PlainOffset(1);
}

// The text members construct themselves; the rest waits for Reset.
Game::Game() {}

Game::~Game() {}

Game& Game::operator=(const Game& other) {
    if (this == &other) return *this;
    for (int part = 0; part < kPlainParts; ++part)
        memcpy(reinterpret_cast<char*>(this) + PlainOffset(part),
               reinterpret_cast<const char*>(&other) + PlainOffset(part), PlainSize(part));
    errorText = other.errorText;
    titleSuffix = other.titleSuffix;
    return *this;
}
