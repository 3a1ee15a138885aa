// Writing game and position files into the save folder, and telling the user.
#include "files/win32/files_win32.h"
#include "ui/main_window.h"
#include "ui/replace_file.h"

int FilesMessageBox(HWND owner, const char* text, UINT style) {
    const char* caption = g_windowTitle[0] != 0 ? g_windowTitle : "Varno-4";
    return MessageBoxA(MessageBoxOwner(owner), text, caption, style);
}

void TakeSaveMoment(SaveMoment* when, char* date, int dateSize) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    when->year = now.wYear;
    when->month = now.wMonth;
    when->day = now.wDay;
    when->hour = now.wHour;
    when->minute = now.wMinute;
    // The date of the same moment as the hour and minute, so that a save at midnight
    // does not mix two days.
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, NULL, date, dateSize) == 0)
        date[0] = 0;
    when->shortDate = date;
}

static int FolderExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Writes the whole text to a new file at `path`; 1 when every byte reached the disk.
static int WriteWholeFile(const char* path, const String& text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    int ok = WriteFile(file, text.CStr(), (DWORD)text.Length(), &written, NULL) &&
             written == (DWORD)text.Length();
    if (!FlushFileBuffers(file)) ok = 0;
    if (!CloseHandle(file)) ok = 0;
    return ok;
}

const char* WriteSaveFile(const char* name, const char* extension, const String& text) {
    if (!CreateDirectoryA(kSaveFolder, NULL) && !FolderExists(kSaveFolder))
        return "the folder \"Save\" cannot be created.";
    // The temporary file is made in the save folder itself, so that the move below
    // stays on one volume and replaces the target in one step.
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(kSaveFolder, "vr4", 0, temporary))
        return "no file can be created in the folder \"Save\".";
    if (!WriteWholeFile(temporary, text)) {
        DeleteFileA(temporary);
        return "the text could not be written whole (the disk may be full).";
    }
    String target = SaveFilePath(name, extension);
    if (!ReplaceTargetFile(temporary, target.CStr()))
        return "the file cannot be written under this name (it may be read-only or in use).";
    return 0;
}

void ReportNotSaved(const char* what, const char* reason) {
    String text(what);
    text += " was not saved: ";
    text += reason;
    FilesMessageBox(g_mainWindow, text.CStr(), MB_OK | MB_ICONERROR);
}
