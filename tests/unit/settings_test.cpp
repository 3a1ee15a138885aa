#include <string>

#include <gtest/gtest.h>

#include "ui/common/settings_text.h"

namespace {

Settings Read(const std::string& text) {
    Settings s;
    SettingsFromText(text.c_str(), int(text.size()), &s);
    return s;
}

std::string Written(const Settings& s) { return SettingsToText(s).CStr(); }

TEST(SettingsText, MissingFileGivesTheDefaults) {
    Settings s;
    SettingsFromText(nullptr, 0, &s);
    EXPECT_EQ(1, s.showLegalMoves);
    EXPECT_EQ(1, s.showCheck);
    EXPECT_EQ(1, s.showLastMove);
    EXPECT_EQ(1, s.showCoordinates);
    EXPECT_EQ(0, s.whiteOnTop);
    EXPECT_EQ(1, s.showMoveList);
    EXPECT_EQ(1, s.showAiProgress);
    EXPECT_EQ(100, s.boardScale);
    EXPECT_EQ(1, s.beepAfterAiMove);
    EXPECT_EQ(0x808080u, s.backgroundColour);
    EXPECT_EQ(0xFFFFFFu, s.inkColour);
    EXPECT_EQ(0, s.skinFileName.Length());
    EXPECT_EQ(0, s.skinNumber);
}

TEST(SettingsText, FlagsTurnOffOnlyOnExactNoAndWhiteOnTopOnlyOnExactYes) {
    Settings s = Read("[SHOW]\r\nLEGAL MOVE = no\r\nCHECK = NO\r\nLAST MOVE =\r\n"
                      "COORDINATES =   NO  \r\nWHITE ON TOP = yes\r\nMOVELIST = NO\r\n"
                      "AI PROGRESS = NOPE\r\n[SOUND]\r\nBEEP = NO\r\n");
    EXPECT_EQ(1, s.showLegalMoves);
    EXPECT_EQ(0, s.showCheck);
    EXPECT_EQ(1, s.showLastMove);
    EXPECT_EQ(0, s.showCoordinates);  // the blanks around a value are not part of it
    EXPECT_EQ(0, s.whiteOnTop);
    EXPECT_EQ(0, s.showMoveList);
    EXPECT_EQ(1, s.showAiProgress);
    EXPECT_EQ(0, s.beepAfterAiMove);
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
    EXPECT_EQ(75, Read("[SHOW]\nSCALE OF BOARD = 75\n").boardScale);
    EXPECT_EQ(75, Read("[SHOW]\nSCALE OF BOARD = 75 %\n").boardScale);
    EXPECT_EQ(100, Read("[SHOW]\nSCALE OF BOARD = 50\n").boardScale);
    EXPECT_EQ(100, Read("[SHOW]\nSCALE OF BOARD = 80\n").boardScale);
    EXPECT_EQ(100, Read("[SHOW]\nSCALE OF BOARD =\n").boardScale);
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
    EXPECT_EQ(6, Read("[SKIN]\nNUMBER = 6\n").skinNumber);
    EXPECT_EQ(0, Read("[SKIN]\nNUMBER = 9\n").skinNumber);
    EXPECT_EQ(0, Read("[SKIN]\nNUMBER = -1\n").skinNumber);
    std::string name(300, 'w');
    EXPECT_EQ(name, Read("[SKIN]\nFILE NAME = " + name + "\n").skinFileName.CStr());
}

TEST(SettingsText, DefaultsAreWrittenAsTwentyFourLines) {
    Settings s;
    SettingsSetDefaults(&s);
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
    Settings back = Read(text);
    EXPECT_EQ(0, back.showLegalMoves);
    EXPECT_EQ(1, back.whiteOnTop);
    EXPECT_EQ(0, back.showAiProgress);
    EXPECT_EQ(75, back.boardScale);
    EXPECT_EQ(0, back.beepAfterAiMove);
    EXPECT_EQ(0x0A141Eu, back.backgroundColour);
    EXPECT_EQ(0xFF0001u, back.inkColour);
    EXPECT_STREQ("My Wood", back.skinFileName.CStr());
    EXPECT_EQ(0, back.skinNumber);
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

}  // namespace
