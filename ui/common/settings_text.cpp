#include "ui/common/settings_text.h"

namespace {

const char kSectionShow[] = "SHOW";
const char kSectionSound[] = "SOUND";
const char kSectionColour[] = "COLOR";
const char kSectionSkin[] = "SKIN";

int IsBlank(char c) { return c == ' ' || c == '\t'; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// 1 when text[begin, end) equals `name` without regard to case.
int SameName(const char* text, int begin, int end, const char* name) {
    int i = 0;
    for (; begin + i < end; ++i) {
        if (name[i] == 0 || Upper(text[begin + i]) != Upper(name[i])) return 0;
    }
    return name[i] == 0;
}

void TrimBlanks(const char* text, int* begin, int* end) {
    while (*begin < *end && IsBlank(text[*begin])) ++*begin;
    while (*end > *begin && IsBlank(text[*end - 1])) --*end;
}

// Finds the value of `key` in the first section named `section` that holds it.
// Returns 1 and the value's bounds, or 0.
int FindValue(const char* text, int length, const char* section, const char* key,
              int* valueBegin, int* valueEnd) {
    int inSection = 0;
    int pos = 0;
    while (pos < length) {
        int lineEnd = pos;
        while (lineEnd < length && text[lineEnd] != '\n' && text[lineEnd] != '\r' && text[lineEnd] != 0) ++lineEnd;
        int begin = pos;
        int end = lineEnd;
        pos = lineEnd;
        while (pos < length && (text[pos] == '\n' || text[pos] == '\r' || text[pos] == 0)) ++pos;
        TrimBlanks(text, &begin, &end);
        if (begin == end || text[begin] == ';') continue;
        if (text[begin] == '[') {
            int close = begin + 1;
            while (close < end && text[close] != ']') ++close;
            int nameBegin = begin + 1;
            int nameEnd = close;
            TrimBlanks(text, &nameBegin, &nameEnd);
            inSection = SameName(text, nameBegin, nameEnd, section);
            continue;
        }
        if (!inSection) continue;
        int equals = begin;
        while (equals < end && text[equals] != '=') ++equals;
        int keyEnd = equals;
        int keyBegin = begin;
        TrimBlanks(text, &keyBegin, &keyEnd);
        if (!SameName(text, keyBegin, keyEnd, key)) continue;
        int vBegin = equals < end ? equals + 1 : end;
        int vEnd = end;
        TrimBlanks(text, &vBegin, &vEnd);
        if (vEnd - vBegin >= 2 && (text[vBegin] == '"' || text[vBegin] == '\'') && text[vEnd - 1] == text[vBegin]) {
            ++vBegin;
            --vEnd;
        }
        *valueBegin = vBegin;
        *valueEnd = vEnd;
        return 1;
    }
    return 0;
}

// A flag that is on unless its value is exactly "NO".
int32_t FlagOnUnlessNo(const char* text, int length, const char* section, const char* key) {
    String value;
    IniText(text, length, section, key, "YES", &value);
    return value == String("NO") ? 0 : 1;
}

// One colour byte: the stored number when it lies in 0..255, else `fallback`.
uint32_t ColourByte(const char* text, int length, const char* key, int fallback) {
    int value = IniInt(text, length, kSectionColour, key, fallback);
    if (value < 0 || value > 255) value = fallback;
    return uint32_t(value);
}

void AppendFlagLine(String* out, const char* key, int32_t flag) {
    *out += key;
    *out += flag ? " = YES" : " = NO";
    out->AppendNewLine();
}

void AppendNumberLine(String* out, const char* key, int value) {
    *out += key;
    *out += " = ";
    out->AppendInt(value);
    out->AppendNewLine();
}

void AppendLine(String* out, const char* line) {
    *out += line;
    out->AppendNewLine();
}

}  // namespace

int IniText(const char* text, int length, const char* section, const char* key,
            const char* fallback, String* value) {
    int begin = 0;
    int end = 0;
    if (text == 0 || !FindValue(text, length, section, key, &begin, &end)) {
        *value = String(fallback);
        return 0;
    }
    char* copy = new char[end - begin + 1];
    for (int i = begin; i < end; ++i) copy[i - begin] = text[i];
    copy[end - begin] = 0;
    *value = String(copy);
    delete[] copy;
    return 1;
}

int IniInt(const char* text, int length, const char* section, const char* key, int fallback) {
    int begin = 0;
    int end = 0;
    if (text == 0 || !FindValue(text, length, section, key, &begin, &end) || begin == end) return fallback;
    int negative = 0;
    if (text[begin] == '-' || text[begin] == '+') {
        negative = text[begin] == '-';
        ++begin;
    }
    // Saturates, so an overlong number still falls outside every range.
    long long magnitude = 0;
    for (; begin < end && text[begin] >= '0' && text[begin] <= '9'; ++begin) {
        if (magnitude < 10000000000LL) magnitude = magnitude * 10 + (text[begin] - '0');
    }
    if (magnitude > 2147483647LL) magnitude = 2147483647LL;
    return int(negative ? -magnitude : magnitude);
}

void SettingsSetDefaults(Settings* s) {
    s->showLegalMoves = 1;
    s->showCheck = 1;
    s->showLastMove = 1;
    s->showCoordinates = 1;
    s->whiteOnTop = 0;
    s->showMoveList = 1;
    s->showAiProgress = 1;
    s->boardScale = 100;
    s->beepAfterAiMove = 1;
    s->backgroundColour = 0x808080;
    s->inkColour = 0xFFFFFF;
    s->skinFileName = String();
    s->skinNumber = 0;
}

void SettingsFromText(const char* text, int length, Settings* s) {
    s->showLegalMoves = FlagOnUnlessNo(text, length, kSectionShow, "LEGAL MOVE");
    s->showCheck = FlagOnUnlessNo(text, length, kSectionShow, "CHECK");
    s->showLastMove = FlagOnUnlessNo(text, length, kSectionShow, "LAST MOVE");
    s->showCoordinates = FlagOnUnlessNo(text, length, kSectionShow, "COORDINATES");
    String value;
    IniText(text, length, kSectionShow, "WHITE ON TOP", "NO", &value);
    s->whiteOnTop = value == String("YES") ? 1 : 0;
    s->showMoveList = FlagOnUnlessNo(text, length, kSectionShow, "MOVELIST");
    s->showAiProgress = FlagOnUnlessNo(text, length, kSectionShow, "AI PROGRESS");
    s->boardScale = IniInt(text, length, kSectionShow, "SCALE OF BOARD", 100) == 75 ? 75 : 100;
    s->beepAfterAiMove = FlagOnUnlessNo(text, length, kSectionSound, "BEEP");

    s->backgroundColour = ColourByte(text, length, "BACKGROUND_RED", 128) * 65536u +
                          ColourByte(text, length, "BACKGROUND_GREEN", 128) * 256u +
                          ColourByte(text, length, "BACKGROUND_BLUE", 128);
    s->inkColour = ColourByte(text, length, "INK_RED", 255) * 65536u +
                   ColourByte(text, length, "INK_GREEN", 255) * 256u +
                   ColourByte(text, length, "INK_BLUE", 255);

    IniText(text, length, kSectionSkin, "FILE NAME", "", &s->skinFileName);
    int number = IniInt(text, length, kSectionSkin, "NUMBER", 0);
    s->skinNumber = (number < 0 || number > 6) ? 0 : number;
}

String SettingsToText(const Settings& s) {
    String out;
    AppendLine(&out, "[SHOW]");
    AppendFlagLine(&out, "LEGAL MOVE", s.showLegalMoves);
    AppendFlagLine(&out, "CHECK", s.showCheck);
    AppendFlagLine(&out, "LAST MOVE", s.showLastMove);
    AppendFlagLine(&out, "COORDINATES", s.showCoordinates);
    AppendFlagLine(&out, "WHITE ON TOP", s.whiteOnTop);
    AppendFlagLine(&out, "MOVELIST", s.showMoveList);
    AppendFlagLine(&out, "AI PROGRESS", s.showAiProgress);
    AppendNumberLine(&out, "SCALE OF BOARD", s.boardScale == 75 ? 75 : 100);
    AppendLine(&out, "");
    AppendLine(&out, "[SOUND]");
    AppendFlagLine(&out, "BEEP", s.beepAfterAiMove);
    AppendLine(&out, "");
    AppendLine(&out, "[COLOR]");
    AppendNumberLine(&out, "BACKGROUND_RED", int(s.backgroundColour >> 16));
    AppendNumberLine(&out, "BACKGROUND_GREEN", int((s.backgroundColour >> 8) & 255));
    AppendNumberLine(&out, "BACKGROUND_BLUE", int(s.backgroundColour & 255));
    AppendNumberLine(&out, "INK_RED", int(s.inkColour >> 16));
    AppendNumberLine(&out, "INK_GREEN", int((s.inkColour >> 8) & 255));
    AppendNumberLine(&out, "INK_BLUE", int(s.inkColour & 255));
    AppendLine(&out, "");
    AppendLine(&out, "[SKIN]");
    out += "FILE NAME = ";
    out += s.skinFileName.CStr();
    out.AppendNewLine();
    AppendNumberLine(&out, "NUMBER", s.skinNumber);
    return out;
}

String SettingsFileName(const char* identifier) {
    String name("varno-4 {");
    name += identifier;
    name += "}.ini";
    return name;
}

String SafeUserIdentifier(const char* raw) {
    static const char kForbidden[] = "\\/:*?\"<>|";
    String out;
    for (int i = 0; raw != 0 && raw[i] != 0 && out.Length() < 64; ++i) {
        unsigned char c = (unsigned char)raw[i];
        int bad = c < 32 || c > 126;
        for (int k = 0; !bad && kForbidden[k] != 0; ++k) bad = c == (unsigned char)kForbidden[k];
        out += bad ? '_' : char(c);
    }
    if (out.Length() == 0) out = String("user");
    return out;
}
