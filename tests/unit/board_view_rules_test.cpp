#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/game.h"
#include "tools/common/position_setup.h"
#include "ui/common/board_view_rules.h"

namespace {

const BoardViewOptions kAllOn = {0, 1, 1, 1};

std::unique_ptr<Game> Position(const char* fen) {
    std::unique_ptr<Game> game(new Game);
    EXPECT_TRUE(SetUpFromFen(*game, fen)) << fen;
    return game;
}

// Cell of the square named like "e2" as drawn with `options`.
SheetCell CellOf(Game& game, const BoardViewOptions& options, int row, const char* square) {
    SheetCell cells[8][8];
    ComputeBoardCells(&game, options, row, cells);
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j) {
            int x, y;
            ScreenToBoard(options.whiteOnTop, i, j, &x, &y);
            if (x == square[0] - 'a' && y == square[1] - '1') return cells[i][j];
        }
    return SheetCell{-1, -1};
}

TEST(BoardViewRules, StartPositionCellsInBothOrientations) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    // Cell columns: light squares 1 empty, 6 black piece; dark 0 white; rows by kind.
    struct Cell { const char* square; int column, row; } starts[] = {
        {"a8", 6, PieceRook}, {"e8", 6, PieceKing}, {"a1", 0, PieceRook}, {"a4", 1, PieceNone}};
    for (const Cell& c : starts) {
        EXPECT_EQ(CellOf(*game, kAllOn, -1, c.square).column, c.column) << c.square;
        EXPECT_EQ(CellOf(*game, kAllOn, -1, c.square).row, c.row) << c.square;
    }

    BoardViewOptions onTop = kAllOn;
    onTop.whiteOnTop = 1;
    SheetCell cells[8][8];
    ComputeBoardCells(game.get(), onTop, -1, cells);
    int x, y;
    ScreenToBoard(1, 0, 0, &x, &y);
    EXPECT_EQ(x, 7);  // h1 at the top left, in the light cell as a8 otherwise
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cells[0][0].column, 1);
    EXPECT_EQ(cells[0][0].row, PieceRook);
}

TEST(BoardViewRules, KingInCheckOfTheSideAtTheSelectedRow) {
    std::unique_ptr<Game> game = Position("4k3/8/8/8/8/8/8/4R2K b KQkq - 0 1");
    EXPECT_EQ(8, CellOf(*game, kAllOn, 1, "e8").column);  // black to move at an odd row
    EXPECT_EQ(6, CellOf(*game, kAllOn, 0, "e8").column);  // White's turn: no check shown
    BoardViewOptions noCheck = kAllOn;
    noCheck.showCheck = 0;
    EXPECT_EQ(6, CellOf(*game, noCheck, 1, "e8").column);
    game->analyseMode = 1;
    game->beginSide = ColourBlack;  // rows count from Black: row 0 is Black's turn
    EXPECT_EQ(8, CellOf(*game, kAllOn, 0, "e8").column);
    game->setPositionMode = 1;
    EXPECT_EQ(6, CellOf(*game, kAllOn, 0, "e8").column);
}

TEST(BoardViewRules, LegalTargetsOnlyForAPersonWithAPieceSelected) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    game->board[1][4].mark = MarkFrom;
    game->board[3][4].legalTarget = 1;
    game->board[6][3].legalTarget = 1;  // a black pawn on a target: black cell 7
    EXPECT_EQ(3, CellOf(*game, kAllOn, 0, "e2").column);
    EXPECT_EQ(2, CellOf(*game, kAllOn, 0, "e4").column);
    EXPECT_EQ(7, CellOf(*game, kAllOn, 0, "d7").column);
    game->player[ColourWhite].isComputer = 1;
    EXPECT_EQ(1, CellOf(*game, kAllOn, 0, "e4").column);
    game->player[ColourWhite].isComputer = 0;
    game->board[1][4].mark = MarkNone;
    EXPECT_EQ(1, CellOf(*game, kAllOn, 0, "e4").column);
    game->board[3][4].mark = MarkRejected;
    EXPECT_EQ(3, CellOf(*game, kAllOn, 0, "e4").column);
}

TEST(BoardViewRules, LastMoveOfTheSelectedRow) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    ASSERT_TRUE(PlayCoordinateMove(*game, "e2e4"));
    ASSERT_TRUE(PlayCoordinateMove(*game, "e7e5"));
    struct Case { int row; const char* square; int column; } cases[] = {
        {2, "e5", 9}, {2, "e7", 4}, {1, "e4", 4}, {0, "e4", 1}};
    for (const Case& c : cases) EXPECT_EQ(CellOf(*game, kAllOn, c.row, c.square).column, c.column) << c.square;
    BoardViewOptions off = kAllOn;
    off.showLastMove = 0;
    EXPECT_EQ(5, CellOf(*game, off, 2, "e5").column);
}

TEST(BoardViewRules, ClockTexts) {
    char text[16];
    const std::pair<int, const char*> cases[] = {
        {0, "00:00:00"}, {3725, "01:02:05"}, {359999, "99:59:59"}, {360000, "100:00:00"},
        {-4, "00:00:00"}, {2147483647, "596523:14:07"}};
    for (const auto& c : cases) {
        FormatClockText(c.first, text);
        EXPECT_STREQ(c.second, text) << c.first;
    }
}

TEST(BoardViewRules, SelectedRowColours) {
    const uint32_t cases[][4] = {  // background, ink -> selected background, ink
        {0x808080, 0xFFFFFF, 0x606060, 0xFFFFFF}, {0x202020, 0xFFFFFF, 0x7A7A7A, 0xFFFFFF},
        {0xFFFFFF, 0x000000, 0xCCCCCC, 0}, {0x10C840, 0x800000, 0x0DA034, 0x700000}};  // the last: darker both
    for (const auto& c : cases) {
        uint32_t bg, ink;
        SelectedRowColours(c[0], c[1], &bg, &ink);
        EXPECT_EQ(bg, c[2]) << std::hex << c[0];
        EXPECT_EQ(ink, c[3]) << std::hex << c[0];
    }
}

}  // namespace
