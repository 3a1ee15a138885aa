#include "ui/replace_file.h"

#include <windows.h>

int ReplaceTargetFile(const char* fresh, const char* target) {
    DWORD attributes = GetFileAttributesA(target);
    int readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly || !MoveFileExA(fresh, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(fresh);
        return 0;
    }
    return 1;
}
