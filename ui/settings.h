// The settings in force (read at start, written at exit) and the settings file.
// Defined in ui/settings.cpp.
#pragma once
#include <windows.h>
#include "core/string.h"

extern int g_showLegalMoves;
extern int g_showCheck;
extern int g_showLastMove;
extern int g_showCoordinates;
extern int g_whiteOnTop;
extern int g_showMoveList;
extern int g_showAiProgress;
extern int g_boardScale;              // 75 or 100
extern int g_beepAfterAiMove;
extern COLORREF g_backgroundColour;
extern COLORREF g_inkColour;
extern String g_skinFileName;         // base name of a file skin in SKIN\, or empty
extern int g_skinNumber;              // built-in skin 0..6 (-1 after a file skin was chosen)
extern HBRUSH g_backgroundBrush;      // solid brush of g_backgroundColour
extern String g_userIdentifier;       // names the settings file

// The user's login name, reduced to file-name characters, into g_userIdentifier.
void LoadUserIdentifier();
// Reads the settings file into the settings globals, shows or hides the move list
// box and creates g_backgroundBrush. Missing file or keys give the defaults.
void ReadSettingsFile();
// Writes the settings globals to the settings file, replacing it whole.
void WriteSettingsFile();
