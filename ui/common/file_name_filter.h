// Characters a file name cannot hold, kept out of the name edits whether typed or
// pasted. Which characters they are is core/names.h's to say.
#pragma once

#include "core/names.h"
#include "core/string.h"

// Where a caret at `position` in `text` stands once the refused characters are
// gone: the number of kept characters before it.
int KeptFileNameCharsBefore(const char* text, int position);
