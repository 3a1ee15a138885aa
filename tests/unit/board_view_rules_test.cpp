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
    SheetCell cells[8][8];
    ComputeBoardCells(game.get(), kAllOn, -1, cells);
    EXPECT_EQ(6, cells[0][0].column);  // a8: light square, black rook
    EXPECT_EQ(PieceRook, cells[0][0].row);
    EXPECT_EQ(0, cells[7][0].column);  // a1: dark square, white rook
    EXPECT_EQ(6, cells[0][4].column);  // e8: light, black king
    EXPECT_EQ(PieceKing, cells[0][4].row);
    EXPECT_EQ(1, cells[4][0].column);  // a4: light, empty
    EXPECT_EQ(PieceNone, cells[4][0].row);

    BoardViewOptions onTop = kAllOn;
    onTop.whiteOnTop = 1;
    ComputeBoardCells(game.get(), onTop, -1, cells);
    int x, y;
    ScreenToBoard(1, 0, 0, &x, &y);
    EXPECT_EQ(7, x);  // h1 at the top left
    EXPECT_EQ(0, y);
    EXPECT_EQ(1, cells[0][0].column);  // h1 takes the light cell as a8 does otherwise
    EXPECT_EQ(PieceRook, cells[0][0].row);
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
    EXPECT_EQ(9, CellOf(*game, kAllOn, 2, "e5").column);
    EXPECT_EQ(4, CellOf(*game, kAllOn, 2, "e7").column);
    EXPECT_EQ(4, CellOf(*game, kAllOn, 1, "e4").column);
    EXPECT_EQ(1, CellOf(*game, kAllOn, 0, "e4").column);
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
    uint32_t bg, ink;
    SelectedRowColours(0x808080, 0xFFFFFF, &bg, &ink);
    EXPECT_EQ(0x606060u, bg);
    EXPECT_EQ(0xFFFFFFu, ink);
    SelectedRowColours(0x202020, 0xFFFFFF, &bg, &ink);
    EXPECT_EQ(0x7A7A7Au, bg);
    SelectedRowColours(0xFFFFFF, 0x000000, &bg, &ink);
    EXPECT_EQ(0xCCCCCCu, bg);
    EXPECT_EQ(0u, ink);
    SelectedRowColours(0x10C840, 0x800000, &bg, &ink);  // score -1: darker both
    EXPECT_EQ(0x0DA034u, bg);
    EXPECT_EQ(0x700000u, ink);
}

}  // namespace
