#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

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
    EXPECT_EQ(twice.errorText.Length(), 0);
    EXPECT_EQ(twice.titleSuffix.Length(), 0);

    // The start position itself.
    EXPECT_EQ(once.board[0][4].kind, PieceKing);
    EXPECT_EQ(once.board[7][3].kind, PieceQueen);
    EXPECT_EQ(once.board[6][0].kind, PiecePawn);
    EXPECT_EQ(once.board[6][0].colour, ColourBlack);
    for (int mode : {0, 3, -1}) {
        Game empty;
        empty.Reset(mode);
        for (int i = 0; i < 64; ++i) {
            EXPECT_EQ(empty.board[i / 8][i % 8].kind, PieceNone) << mode << " " << i;
            EXPECT_EQ(empty.board[i / 8][i % 8].colour, ColourWhite) << mode << " " << i;
        }
        Game expected;  // the start position's object but for the board
        expected = once;
        memcpy(expected.board, empty.board, sizeof(empty.board));
        EXPECT_TRUE(SamePlainData(expected, empty)) << mode;
    }
}

typedef int32_t Table[8][8];

// Values read off the tables as the computer player's rules give them, square by
// square, and the symmetries each table has.
TEST(GameTest, ResetWritesTheConstantTables) {
    Game g;
    g.Reset(ResetEmpty);
    struct Spot {
        const Table Game::*table;
        const char* square;
        int value;
    } spots[] = {
        {&Game::pawnBaseTable, "c3", 5}, {&Game::pawnBaseTable, "d3", 0}, {&Game::pawnBaseTable, "b4", 1},
        {&Game::pawnBaseTable, "d7", 40}, {&Game::pawnBaseTable, "a7", 10}, {&Game::pawnBaseTable, "h6", 2},
        {&Game::pawnBaseTable, "e8", 0},
        {&Game::kingMiddleTable, "d1", -15}, {&Game::kingMiddleTable, "e1", -10}, {&Game::kingMiddleTable, "c2", -10},
        {&Game::kingMiddleTable, "g3", -10}, {&Game::kingMiddleTable, "b3", -15}, {&Game::kingMiddleTable, "d4", -48},
        {&Game::kingMiddleTable, "f5", -40}, {&Game::kingMiddleTable, "h5", -20},
        {&Game::knightTable, "a1", 0}, {&Game::knightTable, "b1", 1}, {&Game::knightTable, "d4", 8},
        {&Game::knightTable, "d7", 4}, {&Game::knightTable, "c2", 4}, {&Game::knightTable, "h3", 3},
        {&Game::bishopTable, "b2", 5}, {&Game::bishopTable, "c2", 3}, {&Game::bishopTable, "c4", 6},
        {&Game::bishopTable, "a4", 0}, {&Game::bishopTable, "d1", 0},
        {&Game::mateTableQueenRook, "a1", -40}, {&Game::mateTableQueenRook, "b1", -30},
        {&Game::mateTableQueenRook, "b2", -30}, {&Game::mateTableQueenRook, "c2", -20},
        {&Game::mateTableQueenRook, "b3", -20}, {&Game::mateTableQueenRook, "c3", -10},
        {&Game::mateTableQueenRook, "d4", 0}, {&Game::mateTableQueenRook, "d3", -10},
        {&Game::mateTableTwoBishops, "a1", -40}, {&Game::mateTableTwoBishops, "b1", -35},
        {&Game::mateTableTwoBishops, "c1", -33}, {&Game::mateTableTwoBishops, "d1", -31},
        {&Game::mateTableTwoBishops, "a2", -34}, {&Game::mateTableTwoBishops, "a3", -32},
        {&Game::mateTableTwoBishops, "a4", -30}, {&Game::mateTableTwoBishops, "b2", -30},
        {&Game::mateTableTwoBishops, "c3", -10}, {&Game::mateTableTwoBishops, "e5", 0},
        {&Game::mateTableDarkCorner, "a1", -70}, {&Game::mateTableDarkCorner, "h8", -70},
        {&Game::mateTableDarkCorner, "h1", 0}, {&Game::mateTableDarkCorner, "a8", 0},
        {&Game::mateTableDarkCorner, "b1", -60}, {&Game::mateTableDarkCorner, "g2", 0},
        {&Game::mateTableDarkCorner, "h2", -10}, {&Game::mateTableDarkCorner, "e5", -10},
        {&Game::mateTableLightCorner, "h1", -70}, {&Game::mateTableLightCorner, "a8", -70},
        {&Game::mateTableLightCorner, "a1", 0}, {&Game::mateTableLightCorner, "h8", 0},
        {&Game::mateTableLightCorner, "b1", -10}, {&Game::mateTableLightCorner, "g2", -50},
        {&Game::mateTableLightCorner, "e4", -10}, {&Game::mateTableLightCorner, "d6", -20},
    };
    for (const Spot& s : spots) EXPECT_EQ((g.*s.table)[s.square[1] - '1'][s.square[0] - 'a'], s.value) << s.square;

    // Files mirror (a with h) in every table but the king's; ranks (1 with 8) in the
    // king's, the bishop's and the first two mating tables; the bishop-and-knight
    // tables are point-symmetric, and the light one is the dark one with files mirrored.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            SCOPED_TRACE((std::string{char('a' + x), char('1' + y)}));
            for (const Table Game::*t : {&Game::pawnBaseTable, &Game::knightTable, &Game::bishopTable,
                                         &Game::mateTableQueenRook, &Game::mateTableTwoBishops})
                EXPECT_EQ((g.*t)[y][x], (g.*t)[y][7 - x]);
            for (const Table Game::*t : {&Game::kingMiddleTable, &Game::bishopTable, &Game::mateTableQueenRook,
                                         &Game::mateTableTwoBishops})
                EXPECT_EQ((g.*t)[y][x], (g.*t)[7 - y][x]);
            EXPECT_EQ(g.mateTableDarkCorner[y][x], g.mateTableDarkCorner[7 - y][7 - x]);
            EXPECT_EQ(g.mateTableLightCorner[y][x], g.mateTableDarkCorner[y][7 - x]);
        }

    const char* opening[7] = {"d2d4", "e2e4", "b1c3", "g1f3", "b2b3", "g2g3", "c2c3"};
    for (int i = 0; i < 7; ++i) {
        const MoveListEntry& m = g.openingTable[i];
        EXPECT_EQ((std::string{char('a' + m.fromX), char('1' + m.fromY), char('a' + m.toX), char('1' + m.toY)}),
                  opening[i]);
    }
}

}  // namespace
