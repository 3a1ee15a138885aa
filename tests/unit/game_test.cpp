#include <cstddef>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "core/game.h"

namespace {

// Byte comparison of everything but the two text members (whose buffers differ).
bool SamePlainData(const Game& a, const Game& b) {
    size_t textsBegin = offsetof(Game, errorText), textsEnd = offsetof(Game, titleSuffix) + sizeof(String);
    const char* pa = reinterpret_cast<const char*>(&a);
    const char* pb = reinterpret_cast<const char*>(&b);
    return memcmp(pa, pb, textsBegin) == 0 && memcmp(pa + textsEnd, pb + textsEnd, sizeof(Game) - textsEnd) == 0;
}

TEST(GameTest, AssignmentCopiesEverythingAndOwnsItsTexts) {
    std::unique_ptr<Game> source(new Game);
    source->Reset(ResetStartPosition);
    source->history[kHistorySize - 1].toY = 7;  // far beyond ply
    source->newGameMode = 1;                     // the last field
    source->errorText = String(" Error position");
    source->titleSuffix = String(" [alt.searching] ");

    Game copy;
    copy.Reset(ResetEmpty);
    copy.errorText = String("old");
    copy = *source;
    EXPECT_TRUE(SamePlainData(copy, *source));
    copy.errorText += "!";
    EXPECT_STREQ(source->errorText.CStr(), " Error position");
    source.reset();
    EXPECT_STREQ(copy.titleSuffix.CStr(), " [alt.searching] ");

    Game before;
    before = copy;
    copy = copy;
    EXPECT_TRUE(SamePlainData(copy, before));
    EXPECT_STREQ(copy.errorText.CStr(), " Error position!");
}

TEST(GameTest, ResetClearsEverythingAndEmptyModesDifferOnlyInTheBoard) {
    Game once, twice;
    once.Reset(ResetStartPosition);
    // Whatever the object held before, the reset leaves the same bytes.
    memset(reinterpret_cast<char*>(&twice), 0x5a, offsetof(Game, errorText));
    twice.errorText = String("x");
    twice.Reset(ResetStartPosition);
    twice.Reset(ResetStartPosition);
    EXPECT_TRUE(SamePlainData(once, twice));
    EXPECT_EQ(twice.errorText.Length() + twice.titleSuffix.Length(), 0);

    // The start position itself (the tables' values are covered through the computer's
    // choices in the golden set).
    EXPECT_EQ(once.board[0][4].kind * 10 + once.board[7][3].kind, PieceKing * 10 + PieceQueen);
    EXPECT_EQ(once.board[6][0].kind * 10 + once.board[6][0].colour, PiecePawn * 10 + ColourBlack);
    for (int mode : {0, 3, -1}) {
        Game empty;
        empty.Reset(mode);
        for (int i = 0; i < 64; ++i) EXPECT_EQ(empty.board[i / 8][i % 8].kind + empty.board[i / 8][i % 8].colour, 0);
        Game expected;  // the start position's object but for the board
        expected = once;
        memcpy(expected.board, empty.board, sizeof(empty.board));
        EXPECT_TRUE(SamePlainData(expected, empty)) << mode;
    }
}

}  // namespace
