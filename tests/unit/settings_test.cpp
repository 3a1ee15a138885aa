#include <string>

#include <gtest/gtest.h>

#include "ui/common/file_name_filter.h"
#include "ui/common/settings_text.h"

namespace {

std::string Written(const Settings& s) { return SettingsToText(s).CStr(); }

TEST(SettingsText, MissingFileGivesTheDefaultsWrittenAsTwentyFourLines) {
    Settings s;
    SettingsSetDefaults(&s);
    EXPECT_EQ("[SHOW]\r\nLEGAL MOVE = YES\r\nCHECK = YES\r\nLAST MOVE = YES\r\nCOORDINATES = YES\r\n"
              "WHITE ON TOP = NO\r\nMOVELIST = YES\r\nAI PROGRESS = YES\r\nSCALE OF BOARD = 100\r\n"
              "\r\n[SOUND]\r\nBEEP = YES\r\n\r\n[COLOR]\r\nBACKGROUND_RED = 128\r\n"
              "BACKGROUND_GREEN = 128\r\nBACKGROUND_BLUE = 128\r\nINK_RED = 255\r\nINK_GREEN = 255\r\n"
              "INK_BLUE = 255\r\n\r\n[SKIN]\r\nFILE NAME = \r\nNUMBER = 0\r\n",
              Written(s));
}

TEST(SettingsText, ColoursSplitRedHighestAndOddValuesAreWrittenByTheirRules) {
    Settings s;
    SettingsSetDefaults(&s);
    s.showLegalMoves = 0;
    s.whiteOnTop = 1;
    s.boardScale = 60;
    s.backgroundColour = 0x0A141E;
    s.inkColour = 0xFF0001;
    s.skinFileName = String("My Wood");
    s.skinNumber = -1;
    std::string text = Written(s);
    for (const char* line : {"LEGAL MOVE = NO\r\n", "WHITE ON TOP = YES\r\n", "SCALE OF BOARD = 100\r\n",
                             "BACKGROUND_RED = 10\r\nBACKGROUND_GREEN = 20\r\nBACKGROUND_BLUE = 30\r\n",
                             "INK_RED = 255\r\nINK_GREEN = 0\r\nINK_BLUE = 1\r\n",
                             "FILE NAME = My Wood\r\nNUMBER = -1\r\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
}

TEST(SettingsText, UserIdentifierKeepsOnlyFileNameCharacters) {
    EXPECT_STREQ("root", SafeUserIdentifier("root").CStr());
    EXPECT_STREQ("a_b_c_d_e_f_g_h_i_j k", SafeUserIdentifier("a\\b/c:d*e?f\"g<h>i|j k").CStr());
    EXPECT_STREQ("x_y_", SafeUserIdentifier("x\ty\xe9").CStr());
    EXPECT_STREQ("user", SafeUserIdentifier("").CStr());
    EXPECT_STREQ("user", SafeUserIdentifier(nullptr).CStr());
    EXPECT_EQ(64, SafeUserIdentifier(std::string(100, 'n').c_str()).Length());
    EXPECT_STREQ("varno-4 {root}.ini", SettingsFileName("root").CStr());
    EXPECT_STREQ("varno-4 {root}.ini.new", SettingsNewFileName("root").CStr());
}

TEST(FileNameFilter, RefusedCharactersAreDroppedAndTheCaretKeepsItsPlace) {
    EXPECT_EQ(0, HasRefusedFileNameChar("My Wood-2.bmp"));
    EXPECT_EQ(1, HasRefusedFileNameChar("a|b"));
    EXPECT_STREQ("abcdefghij k", WithoutRefusedFileNameChars("a<b>c\"d\\e/f*g?h:i|j k").CStr());
    EXPECT_STREQ("", WithoutRefusedFileNameChars("<>:").CStr());
    struct Case { const char* text; int caret; int kept; };
    for (const Case& c : {Case{"ab<c", 4, 3}, Case{"ab<c", 2, 2}, Case{"ab<c", 3, 2},
                          Case{"x<y>|z", 5, 2}, Case{"abc", 9, 3}})
        EXPECT_EQ(c.kept, KeptFileNameCharsBefore(c.text, c.caret)) << c.text << " " << c.caret;
}

}  // namespace
