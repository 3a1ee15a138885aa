// Small pieces shared by the game-file and position-file texts.
#pragma once

#include "core/game.h"
#include "core/string.h"
#include "core/piece_letters.h"

inline char FileLetter(int x) { return char('a' + x); }
inline char RankDigit(int y) { return char('1' + y); }

// A player's name as the game holds it (at most the record's 51 characters).
String PlayerName(const PlayerRecord& player);

// Puts the position the game began from on `replay`: the start position, or the begin
// position of an analyse-mode game with its side to move.
void StartReplay(const Game& game, Game* replay);

// The short date with every character that is not a digit made "_" (at most 126).
String DateDigitsText(const char* shortDate);

// `name` without the characters a file name cannot hold.
String WithoutUnsafeNameChars(const String& name);
