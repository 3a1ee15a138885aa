// The settings file on disk: read once at window creation through the platform's
// profile calls, written once at exit.
#include "ui/main_window.h"
#include "ui/settings.h"
#include "ui/replace_file.h"
#include "ui/common/settings_text.h"

int g_showLegalMoves = 1;
int g_showCheck = 1;
int g_showLastMove = 1;
int g_showCoordinates = 1;
int g_whiteOnTop = 0;
int g_showMoveList = 1;
int g_showAiProgress = 1;
int g_boardScale = 100;
int g_beepAfterAiMove = 1;
COLORREF g_backgroundColour = 0x808080;
COLORREF g_inkColour = 0xFFFFFF;
String g_skinFileName;
int g_skinNumber = 0;
HBRUSH g_backgroundBrush = NULL;
String g_userIdentifier;

namespace {

// Large enough that a skin file's base name, which must fit a path, is read whole;
// the flags need far less.
const int kValueBufferSize = MAX_PATH;

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

// Reads keys in the order they are asked for, each in the section named last.
class SettingsReader {
public:
    explicit SettingsReader(const String& path) : path_(path), section_("") {}

    void Section(const char* section) { section_ = section; }

    void Text(const char* key, const char* fallback, char* value) {
        GetPrivateProfileStringA(section_, key, fallback, value, kValueBufferSize, path_.CStr());
    }

    // 0 when the value is exactly `offText`, else 1.
    int Flag(const char* key, const char* fallback, const char* offText) {
        char value[kValueBufferSize];
        Text(key, fallback, value);
        return lstrcmpA(value, offText) == 0 ? 0 : 1;
    }

    int Integer(const char* key, int fallback) {
        return (int)GetPrivateProfileIntA(section_, key, fallback, path_.CStr());
    }

    // One colour byte: the stored number when it lies in 0..255, else `fallback`.
    COLORREF ColourByte(const char* key, int fallback) {
        int value = Integer(key, fallback);
        return COLORREF(value < 0 || value > 255 ? fallback : value);
    }

    COLORREF Colour(const char* red, const char* green, const char* blue, int fallback) {
        return ColourByte(red, fallback) * 65536 + ColourByte(green, fallback) * 256 +
               ColourByte(blue, fallback);
    }

private:
    String path_;
    const char* section_;
};

// The settings globals and the fields of the written text that hold them.
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
    SettingsReader reader(SettingsReadPath());
    reader.Section("SHOW");
    g_showLegalMoves = reader.Flag("LEGAL MOVE", "YES", "NO");
    g_showCheck = reader.Flag("CHECK", "YES", "NO");
    g_showLastMove = reader.Flag("LAST MOVE", "YES", "NO");
    g_showCoordinates = reader.Flag("COORDINATES", "YES", "NO");
    g_whiteOnTop = 1 - reader.Flag("WHITE ON TOP", "NO", "YES");
    g_showMoveList = reader.Flag("MOVELIST", "YES", "NO");
    ShowWindow(g_moveListBox, g_showMoveList ? SW_SHOW : SW_HIDE);
    g_showAiProgress = reader.Flag("AI PROGRESS", "YES", "NO");
    g_boardScale = reader.Integer("SCALE OF BOARD", 100) == 75 ? 75 : 100;

    reader.Section("SOUND");
    g_beepAfterAiMove = reader.Flag("BEEP", "YES", "NO");

    reader.Section("COLOR");
    g_backgroundColour = reader.Colour("BACKGROUND_RED", "BACKGROUND_GREEN", "BACKGROUND_BLUE", 128);
    g_inkColour = reader.Colour("INK_RED", "INK_GREEN", "INK_BLUE", 255);
    g_backgroundBrush = CreateSolidBrush(g_backgroundColour);

    reader.Section("SKIN");
    char fileName[kValueBufferSize];
    reader.Text("FILE NAME", "", fileName);
    g_skinFileName = String(fileName);
    int number = reader.Integer("NUMBER", 0);
    g_skinNumber = number < 0 || number > 6 ? 0 : number;
}

// The text goes to a file beside the settings file, which then replaces the old one
// in one step: a write that fails (a full disk, a read-only file) leaves the previous
// settings.
void WriteSettingsFile() {
    Settings settings;
    for (const IntegerSetting& s : kIntegerSettings) settings.*s.field = *s.global;
    settings.backgroundColour = g_backgroundColour;
    settings.inkColour = g_inkColour;
    settings.skinFileName = g_skinFileName;
    String text = SettingsToText(settings);

    String fileName = SettingsFileName(g_userIdentifier.CStr());
    String newName = SettingsNewFileName(g_userIdentifier.CStr());
    HANDLE file = CreateFileA(newName.CStr(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.CStr(), DWORD(text.Length()), &written, NULL) &&
              written == DWORD(text.Length()) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok) {
        DeleteFileA(newName.CStr());
        return;
    }
    ReplaceTargetFile(newName.CStr(), fileName.CStr());  // a read-only file is kept
}
