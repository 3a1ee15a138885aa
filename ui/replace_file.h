// Putting a finished file in the place of the one it replaces: shared by the settings
// file and the save folder's game and position files.
#pragma once

// Moves the file `fresh` over `target` in one step; 1 when done. A target marked
// read-only is never replaced: Windows refuses that move but Wine makes it, so the
// attribute is looked at here rather than left to the platform. On failure `fresh`
// is removed and the target keeps its bytes.
int ReplaceTargetFile(const char* fresh, const char* target);
