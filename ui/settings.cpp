// The settings file on disk: read once at window creation, written once at exit.
#include "ui/window_globals.h"
#include "ui/common/settings_text.h"

namespace {

// A settings file is a few hundred bytes; anything beyond this is not ours to read.
const DWORD kMaxSettingsBytes = 1 << 20;

// The settings file's full path in the current directory, or its bare name (which
// the platform resolves there too) when the directory cannot be read.
String SettingsReadPath() {
    String fileName = SettingsFileName(g_userIdentifier.CStr());
    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof(directory), directory);
    if (length == 0 || length >= sizeof(directory)) return fileName;
    String path(directory);
    if (directory[length - 1] != '\\') path += '\\';
    path += fileName.CStr();
    return path;
}

// The whole file as text; empty when it is missing or unreadable.
void ReadWholeFile(const char* path, char** text, int* length) {
    *text = 0;
    *length = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD size = GetFileSize(file, NULL);
    if (size != INVALID_FILE_SIZE) {
        if (size > kMaxSettingsBytes) size = kMaxSettingsBytes;
        char* buffer = new char[size + 1];
        DWORD read = 0;
        if (ReadFile(file, buffer, size, &read, NULL)) {
            buffer[read] = 0;
            *text = buffer;
            *length = int(read);
        } else {
            delete[] buffer;
        }
    }
    CloseHandle(file);
}

// The settings globals and the fields of the text form that hold them.
struct IntegerSetting {
    int32_t Settings::*field;
    int* global;
};
const IntegerSetting kIntegerSettings[] = {
    {&Settings::showLegalMoves, &g_showLegalMoves}, {&Settings::showCheck, &g_showCheck},
    {&Settings::showLastMove, &g_showLastMove}, {&Settings::showCoordinates, &g_showCoordinates},
    {&Settings::whiteOnTop, &g_whiteOnTop}, {&Settings::showMoveList, &g_showMoveList},
    {&Settings::showAiProgress, &g_showAiProgress}, {&Settings::boardScale, &g_boardScale},
    {&Settings::beepAfterAiMove, &g_beepAfterAiMove}, {&Settings::skinNumber, &g_skinNumber},
};

}  // namespace

void LoadUserIdentifier() {
    char name[257];
    DWORD size = sizeof(name);
    if (!GetUserNameA(name, &size)) name[0] = 0;
    name[sizeof(name) - 1] = 0;
    g_userIdentifier = SafeUserIdentifier(name);
}

void ReadSettingsFile() {
    String path = SettingsReadPath();
    char* text = 0;
    int length = 0;
    ReadWholeFile(path.CStr(), &text, &length);
    Settings settings;
    SettingsFromText(text, length, &settings);
    delete[] text;

    for (const IntegerSetting& s : kIntegerSettings) *s.global = settings.*s.field;
    ShowWindow(g_moveListBox, g_showMoveList ? SW_SHOW : SW_HIDE);
    g_backgroundColour = settings.backgroundColour;
    g_inkColour = settings.inkColour;
    g_backgroundBrush = CreateSolidBrush(g_backgroundColour);
    g_skinFileName = settings.skinFileName;
}

void WriteSettingsFile() {
    Settings settings;
    for (const IntegerSetting& s : kIntegerSettings) settings.*s.field = *s.global;
    settings.backgroundColour = g_backgroundColour;
    settings.inkColour = g_inkColour;
    settings.skinFileName = g_skinFileName;
    String text = SettingsToText(settings);

    String fileName = SettingsFileName(g_userIdentifier.CStr());
    HANDLE file = CreateFileA(fileName.CStr(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.CStr(), DWORD(text.Length()), &written, NULL);
    CloseHandle(file);
}
