#include <cstddef>
#include <cstdlib>
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

TEST(GameTest, ResetClearsEverythingAndRewritesTheTables) {
    Game once, twice;
    once.Reset(ResetStartPosition);
    // Whatever the object held before, the reset leaves the same bytes.
    memset(reinterpret_cast<char*>(&twice), 0x5a, offsetof(Game, errorText));
    twice.errorText = String("x");
    twice.Reset(ResetStartPosition);
    twice.Reset(ResetStartPosition);
    EXPECT_TRUE(SamePlainData(once, twice));
    EXPECT_EQ(twice.errorText.Length() + twice.titleSuffix.Length(), 0);

    static const int kBackRow[8] = {4, 2, 3, 5, 6, 3, 2, 4};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(once.board[0][x].kind * 10 + once.board[0][x].colour, kBackRow[x] * 10);
        EXPECT_EQ(once.board[7][x].kind * 10 + once.board[7][x].colour, kBackRow[x] * 10 + 1);
        EXPECT_EQ(once.board[1][x].kind * 10 + once.board[6][x].kind, 11);
        for (int y = 2; y < 6; ++y) EXPECT_EQ(once.board[y][x].kind, PieceNone);
    }
    // Spot values, the irregular ones among them (king table f3 and g3, knight d7).
    EXPECT_EQ(once.pawnBaseTable[6][3], 40);
    EXPECT_EQ(once.kingMiddleTable[2][5], -24);
    EXPECT_EQ(once.kingMiddleTable[2][6], -10);
    EXPECT_EQ(once.knightTable[6][3], 4);
    EXPECT_EQ(once.bishopTable[1][1], 5);
    EXPECT_EQ(once.mateTableTwoBishops[0][1], -35);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(once.mateTableDarkCorner[y][x], -10 * std::abs(7 - x - y));
            EXPECT_EQ(once.mateTableLightCorner[y][x], -10 * std::abs(x - y));
        }
    const MoveListEntry& g1f3 = once.openingTable[3];
    EXPECT_EQ(g1f3.fromX * 1000 + g1f3.fromY * 100 + g1f3.toX * 10 + g1f3.toY, 6052);

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
