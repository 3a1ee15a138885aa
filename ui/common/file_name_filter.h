// Characters a file name cannot hold, kept out of the name edits whether typed,
// pasted or set.
#pragma once

#include "core/string.h"

// 1 for < > " \ / * ? : | , else 0.
int IsRefusedFileNameChar(char c);

// 1 when `text` holds a refused character.
int HasRefusedFileNameChar(const char* text);

// `text` without the refused characters; with firstLineOnly, only up to its first
// line break (what a one-line edit takes from the clipboard).
String WithoutRefusedFileNameChars(const char* text, int firstLineOnly);
