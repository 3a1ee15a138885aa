// The settings file as text: reading it by the rules of its keys, and writing it.
// No platform calls: the window reads and writes the file and uses these.
#pragma once
#include <stdint.h>
#include "core/string.h"

struct Settings {
    int32_t showLegalMoves;
    int32_t showCheck;
    int32_t showLastMove;
    int32_t showCoordinates;
    int32_t whiteOnTop;
    int32_t showMoveList;
    int32_t showAiProgress;
    int32_t boardScale;        // 75 or 100
    int32_t beepAfterAiMove;
    uint32_t backgroundColour; // RED * 65536 + GREEN * 256 + BLUE, as stored
    uint32_t inkColour;
    String skinFileName;
    int32_t skinNumber;
};

// The values a missing file gives.
void SettingsSetDefaults(Settings* settings);

// Reads every key from the INI text `text` of `length` bytes (it need not end in a
// NUL): missing keys and values out of range take their defaults.
void SettingsFromText(const char* text, int length, Settings* settings);

// The whole file: 24 lines, each ending in CR LF.
String SettingsToText(const Settings& settings);

// "varno-4 {" + identifier + "}.ini".
String SettingsFileName(const char* identifier);

// The per-user identifier reduced to characters a file name can hold: characters
// below 32 or above 126 and \ / : * ? " < > | become '_'; at most 64 characters;
// an empty result becomes "user".
String SafeUserIdentifier(const char* raw);

// INI lookups as the platform's profile reader does them: sections and keys match
// without regard to case, the blanks around the value are dropped, and a value in
// matching quotes loses them. IniText returns 1 and the value when the key exists,
// else 0 and `fallback`. IniInt returns `fallback` for a missing or empty value,
// else the decimal number the value starts with (0 when it starts with none).
int IniText(const char* text, int length, const char* section, const char* key,
            const char* fallback, String* value);
int IniInt(const char* text, int length, const char* section, const char* key, int fallback);
