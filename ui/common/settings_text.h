// The settings file as text, as the window writes it (it reads the file with the
// platform's profile calls). No platform calls here.
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

// The whole file: 24 lines, each ending in CR LF.
String SettingsToText(const Settings& settings);

// "varno-4 {" + identifier + "}.ini".
String SettingsFileName(const char* identifier);

// The file a new text is written to before it replaces the settings file: the
// settings file's name + ".new".
String SettingsNewFileName(const char* identifier);

// The per-user identifier reduced to characters a file name can hold: characters
// below 32 or above 126 and \ / : * ? " < > | become '_'; at most 64 characters;
// an empty result becomes "user".
String SafeUserIdentifier(const char* raw);
