// Names of players and files: the name the computer plays under, and the characters
// no file name can hold (players' names become file names).
#pragma once

#include "core/string.h"

// The name a side played by the computer carries; a person may not take it.
extern const char kComputerPlayerName[];

// 1 for < > " \ / * ? : | , else 0.
int IsRefusedFileNameChar(char c);

// 1 when `text` holds a refused character.
int HasRefusedFileNameChar(const char* text);

// `text` without the refused characters.
String WithoutRefusedFileNameChars(const char* text);
