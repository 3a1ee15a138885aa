// Which skin files the program may hand to the platform's bitmap loader. That loader
// trusts a file's headers and reads past the end of a damaged file, so the headers
// and the file's size are checked here first; the Options list, its preview and
// start-up all go through this one check.
#pragma once
#include <stdint.h>

#include "core/string.h"

const int kSkinWidth = 640;
const int kSkinHeight = 448;

// Longest path the skin folder's files may have, without the closing NUL (the
// platform's MAX_PATH less one).
const int kMaxSkinPath = 259;

// The bytes the header check looks at: the file header and the largest info header.
const int kSkinHeaderBytes = 14 + 124;

// 1 when `name` stays in the skin folder as a base name: not empty, no path separator
// or drive colon, and not "." or "..".
int IsSkinBaseName(const char* name);

// 1 when the settings file gives `name` back unchanged: its reader drops the blanks at
// both ends of a value and a pair of ' or " around it, so a skin named that way would
// be lost at the next start.
int IsStoredUnchanged(const char* name);

// 1 with *path = "SKIN\" + name + ".bmp" when `name` is a base name, the settings
// file keeps it, it names no device and the path fits; else 0. The loader opens
// exactly this path, and the list checks exactly this path.
int SkinFilePath(const char* name, String* path);

// 1 when `head` (the file's first `headSize` bytes) and the file's size describe a 640
// by 448 bitmap whose palette and pixel data lie wholly inside the file: "BM", an info
// header of a size the platform defines, one plane, a depth of 1, 4, 8, 16, 24 or 32
// bits with a compression that fits it (none; RLE8 at 8 bits, RLE4 at 4; bit fields at
// 16 or 32), stored bottom row first as the built-in sheets are (the skin code draws
// from bottom-up sheets only; a top-down one would show black).
int IsSkinSheetHeader(const unsigned char* head, int headSize, uint64_t fileSize);

// Reads the headers and the size of the file at `path` and checks them as above.
int IsSkinSheetFile(const char* path);
