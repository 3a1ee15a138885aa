// The Options dialog's arithmetic and names without the dialog: colours picked from a
// skin's two empty squares, and which files of the skin folder can be listed.
#pragma once
#include <stdint.h>

#include "core/string.h"

// Sums of the three bytes of GDI colour values (red in the lowest byte), one cell's
// pixels added one by one.
struct ColourSums {
    uint64_t byte[3];  // [0] bits 0..7, [1] bits 8..15, [2] bits 16..23
    uint32_t count;
};
void ClearColourSums(ColourSums* sums);
void AddColour(ColourSums* sums, uint32_t colour);
// The average of each byte, rounded down, packed back in its own position (black
// when nothing was added).
uint32_t AverageColour(const ColourSums& sums);

// Background from the first empty square: each byte 10 % darker, v - v / 10.
uint32_t DarkerBackground(uint32_t average);
// Ink from the second empty square: each byte 20 % brighter, v + v / 5, at most 255.
uint32_t BrighterInk(uint32_t average);

// Longest list row text the dialog reads back (its buffer holds 256 bytes).
const int kMaxSkinRowText = 255;

// For a file name found in the skin folder: 1 with *rowText = found without ".bmp"
// and *path = the file the loader opens for that row, when that is the found file
// and its path fits (the row text then fits its buffer too); else 0 and the file is
// not listed, since choosing it could never load it.
int SkinListEntry(const char* found, String* path, String* rowText);
