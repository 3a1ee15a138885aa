#include <string>

#include <gtest/gtest.h>

#include "ui/common/file_name_filter.h"
#include "ui/common/settings_text.h"

namespace {

Settings Read(const std::string& text) {
    Settings s;
    SettingsFromText(text.c_str(), int(text.size()), &s);
    return s;
}

std::string Written(const Settings& s) { return SettingsToText(s).CStr(); }

TEST(SettingsText, FlagsTurnOffOnlyOnExactNoAndWhiteOnTopOnlyOnExactYes) {
    Settings s = Read("[SHOW]\r\nLEGAL MOVE = no\r\nCHECK = NO\r\nLAST MOVE =\r\n"
                      "COORDINATES =   NO  \r\nWHITE ON TOP = yes\r\nMOVELIST = NO\r\n"
                      "AI PROGRESS = NOPE\r\n[SOUND]\r\nBEEP = NO\r\n");
    Settings expected;
    SettingsSetDefaults(&expected);
    // The blanks around a value are not part of it: COORDINATES turns off too.
    expected.showCheck = expected.showCoordinates = expected.showMoveList = expected.beepAfterAiMove = 0;
    EXPECT_EQ(Written(s), Written(expected));
    EXPECT_EQ(1, Read("[SHOW]\nWHITE ON TOP = YES\n").whiteOnTop);
}

TEST(SettingsText, SectionsAndKeysMatchWithoutCaseAndOnlyInTheirSection) {
    Settings s = Read("[sound]\nCHECK = NO\n[Show]\nlegal move = NO\n; CHECK = NO\n"
                      "[SHOW]\nLAST MOVE = NO\nLAST MOVE = YES\n[SKIN]\nFILE NAME = \"Wood\"\n");
    EXPECT_EQ(1, s.showCheck);          // it stood under [sound]
    EXPECT_EQ(0, s.showLegalMoves);
    EXPECT_EQ(0, s.showLastMove);       // the first of two wins
    EXPECT_STREQ("Wood", s.skinFileName.CStr());
}

TEST(SettingsText, ScaleIs75OnlyFor75) {
    for (const char* value : {"75", "75 %", "50", "80", ""})
        EXPECT_EQ(value[0] == '7' ? 75 : 100, Read(std::string("[SHOW]\nSCALE OF BOARD = ") + value + "\n").boardScale)
            << value;
}

TEST(SettingsText, ColourBytesOutOfRangeTakeTheirDefaultAndPackRedHighest) {
    Settings s = Read("[COLOR]\nBACKGROUND_RED = 300\nBACKGROUND_GREEN = 7\nBACKGROUND_BLUE = 0\n"
                      "INK_RED = 1\nINK_GREEN = -5\nINK_BLUE = 99999999999\n");
    EXPECT_EQ(0x800700u, s.backgroundColour);
    EXPECT_EQ(0x01FFFFu, s.inkColour);
    EXPECT_EQ(0xFF0000u, Read("[COLOR]\nBACKGROUND_RED=255\nBACKGROUND_GREEN=0\nBACKGROUND_BLUE=0\n")
                             .backgroundColour);
}

TEST(SettingsText, SkinNumberOutsideTheBuiltInsReadsAsZeroAndLongNamesStayWhole) {
    for (const char* number : {"6", "9", "-1"})
        EXPECT_EQ(number[0] == '6' ? 6 : 0, Read(std::string("[SKIN]\nNUMBER = ") + number + "\n").skinNumber) << number;
    std::string name(300, 'w');
    EXPECT_EQ(name, Read("[SKIN]\nFILE NAME = " + name + "\n").skinFileName.CStr());
}

TEST(SettingsText, MissingFileGivesTheDefaultsWrittenAsTwentyFourLines) {
    Settings s;
    SettingsFromText(nullptr, 0, &s);
    EXPECT_EQ("[SHOW]\r\nLEGAL MOVE = YES\r\nCHECK = YES\r\nLAST MOVE = YES\r\nCOORDINATES = YES\r\n"
              "WHITE ON TOP = NO\r\nMOVELIST = YES\r\nAI PROGRESS = YES\r\nSCALE OF BOARD = 100\r\n"
              "\r\n[SOUND]\r\nBEEP = YES\r\n\r\n[COLOR]\r\nBACKGROUND_RED = 128\r\n"
              "BACKGROUND_GREEN = 128\r\nBACKGROUND_BLUE = 128\r\nINK_RED = 255\r\nINK_GREEN = 255\r\n"
              "INK_BLUE = 255\r\n\r\n[SKIN]\r\nFILE NAME = \r\nNUMBER = 0\r\n",
              Written(s));
}

TEST(SettingsText, WrittenFileReadsBackToTheSameSettings) {
    Settings s;
    SettingsSetDefaults(&s);
    s.showLegalMoves = 0;
    s.whiteOnTop = 1;
    s.showAiProgress = 0;
    s.boardScale = 75;
    s.beepAfterAiMove = 0;
    s.backgroundColour = 0x0A141E;
    s.inkColour = 0xFF0001;
    s.skinFileName = String("My Wood");
    s.skinNumber = -1;
    std::string text = Written(s);
    EXPECT_NE(std::string::npos, text.find("NUMBER = -1\r\n"));
    s.skinNumber = 0;  // read back outside the built-ins
    EXPECT_EQ(Written(s), Written(Read(text)));
    s.boardScale = 60;
    EXPECT_NE(std::string::npos, Written(s).find("SCALE OF BOARD = 100\r\n"));
}

TEST(SettingsText, UserIdentifierKeepsOnlyFileNameCharacters) {
    EXPECT_STREQ("root", SafeUserIdentifier("root").CStr());
    EXPECT_STREQ("a_b_c_d_e_f_g_h_i_j k", SafeUserIdentifier("a\\b/c:d*e?f\"g<h>i|j k").CStr());
    EXPECT_STREQ("x_y_", SafeUserIdentifier("x\ty\xe9").CStr());
    EXPECT_STREQ("user", SafeUserIdentifier("").CStr());
    EXPECT_STREQ("user", SafeUserIdentifier(nullptr).CStr());
    EXPECT_EQ(64, SafeUserIdentifier(std::string(100, 'n').c_str()).Length());
    EXPECT_STREQ("varno-4 {root}.ini", SettingsFileName("root").CStr());
}

TEST(FileNameFilter, RefusedCharactersAreDroppedAndPastedTextEndsAtItsFirstLine) {
    EXPECT_EQ(HasRefusedFileNameChar("My Wood-2.bmp"), 0);
    EXPECT_EQ(HasRefusedFileNameChar("a|b"), 1);
    EXPECT_STREQ("abcdefghij k", WithoutRefusedFileNameChars("a<b>c\"d\\e/f*g?h:i|j k", 0).CStr());
    EXPECT_STREQ("one", WithoutRefusedFileNameChars("o:ne\r\ntwo", 1).CStr());
    EXPECT_STREQ("one", WithoutRefusedFileNameChars("one\ntwo", 1).CStr());
    EXPECT_STREQ("one\r\ntwo", WithoutRefusedFileNameChars("one\r\ntwo", 0).CStr());
}

}  // namespace
