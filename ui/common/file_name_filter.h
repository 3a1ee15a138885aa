// Characters a file name cannot hold, kept out of the name edits whether typed or
// pasted.
#pragma once

#include "core/string.h"

// 1 for < > " \ / * ? : | , else 0.
int IsRefusedFileNameChar(char c);

// 1 when `text` holds a refused character.
int HasRefusedFileNameChar(const char* text);

// `text` without the refused characters.
String WithoutRefusedFileNameChars(const char* text);

// Where a caret at `position` in `text` stands once the refused characters are
// gone: the number of kept characters before it.
int KeptFileNameCharsBefore(const char* text, int position);
