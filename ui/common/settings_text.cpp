#include "ui/common/settings_text.h"

namespace {

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

String SettingsNewFileName(const char* identifier) {
    String name = SettingsFileName(identifier);
    name += ".new";
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
