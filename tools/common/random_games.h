// Random legal games from a seeded generator, the same games on every machine: for the
// round trips of the game files and the checks against other chess readers.
#pragma once
#include <stdint.h>
#include "core/game.h"

// A small linear congruential generator; the same seed gives the same numbers.
struct RandomSource {
    uint64_t state;
    explicit RandomSource(uint64_t seed) : state(seed * 2862933555777941757ULL + 3037000493ULL) {}
    // 0 .. bound - 1 (bound > 0).
    int Next(int bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((state >> 33) % uint64_t(bound));
    }
};

// Plays random legal moves on `game` from its position (sideToMove to move, the history
// so far in records 0 .. ply - 1) until the game is over or it has `maxPly` half-moves.
// A promotion becomes a knight, bishop, rook or queen at random. Returns the status
// that ended the game (StatusPlaying when maxPly stopped it).
int PlayRandomGame(Game& game, RandomSource& random, int maxPly);

// A random player name of 1 to 17 characters (the New game dialog's limit): letters,
// digits, spaces and a few signs, never a double quote or the computer's name.
void RandomPlayerName(RandomSource& random, char out[18]);
