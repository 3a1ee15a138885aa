// Names of players and files: the name the computer plays under, the characters no
// file name can hold (players' names become file names), and the names that stand
// for devices.
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

// 1 when Windows opens a device, not a file, for `name`: CON, PRN, AUX, NUL, COM1-COM9
// or LPT1-LPT9 in any letter case, whatever follows the first dot and whatever blanks
// stand before it. Opening one can block for good (a serial port), so no name the
// program did not make itself is opened before this check.
int IsReservedDeviceName(const char* name);
