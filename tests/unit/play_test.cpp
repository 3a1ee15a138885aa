// Playing on the board: clicks, selection, refused targets, promotion, browsing the
// move list, the half-move limit, the clock and starting a new game.
#include <memory>

#include "fakes/fake_play.h"
#include "fakes/fake_window.h"
#include "tools/common/position_setup.h"
#include "unit/engine_test_support.h"
#include "ui/common/board_play.h"
#include "ui/common/new_game.h"

namespace {

WindowHandle const kListBox = reinterpret_cast<WindowHandle>(0x110);

// A game in progress from the start position: White a person, Black as given.
std::unique_ptr<Game> NewGame(int blackIsComputer, std::initializer_list<const char*> moves = {}) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    game->gameActive = 1;
    game->player[ColourBlack].isComputer = blackIsComputer;
    for (const char* move : moves) EXPECT_TRUE(PlayCoordinateMove(*game, move)) << move;
    g_fakePlay.Clear();
    g_fakeWindow.Clear();
    return game;
}

// A release of the primary button on the square named like "e2", at move-list row
// `row` of a list of `rows` rows.
int Release(Game& game, const char* square, int row, int rows, int primary = 1) {
    WindowHandle listBox = kListBox;
    return PlayBoardRelease(game, square[0] - 'a', square[1] - '1', row, rows, primary, &listBox);
}

// The release at the game's end.
int Release(Game& game, const char* square) { return Release(game, square, game.ply, game.ply + 1); }

TEST(PlayTest, BoardSquareAtMapsClicksForBothScalesAndOrientations) {
    // x, y, scale, White on top; on the board, and then the square's file and row.
    const int cases[][7] = {{20, 20, 100, 1, 1, 7, 0},  // h1 at the top left with White on top
                            {20 + 4 * 48 + 47, 20 + 6 * 48, 75, 0, 1, 4, 1},  // e2
                            {19, 100, 100, 0, 0}, {100, 532, 100, 0, 0}, {404, 100, 75, 0, 0}};
    for (const auto& c : cases) {
        int col = -1, row = -1;
        EXPECT_EQ(BoardSquareAt(c[0], c[1], c[2], c[3], &col, &row), c[4]) << c[0] << "," << c[1];
        if (!c[4]) continue;
        EXPECT_EQ(col, c[5]) << c[0] << "," << c[1];
        EXPECT_EQ(row, c[6]) << c[0] << "," << c[1];
    }
}

TEST(PlayTest, PersonSelectsRefusesAndPlaysAgainstTheComputer) {
    std::unique_ptr<Game> game = NewGame(1);
    EXPECT_EQ(Release(*game, "e2", 0, 1, 0), ReleaseIgnored);  // secondary button
    EXPECT_EQ(Release(*game, "e4"), ReleaseIgnored);           // nothing selected yet
    ASSERT_EQ(Release(*game, "e2"), ReleaseMarked);
    EXPECT_EQ(At(*game, "e2").mark, MarkFrom);
    EXPECT_EQ(At(*game, "e3").legalTarget, 1);
    EXPECT_EQ(At(*game, "e4").legalTarget, 1);

    // A refused target flashes from the start of its time, even over an earlier flash.
    game->board[4][4].markAge = 9;
    EXPECT_EQ(Release(*game, "e5"), ReleaseMarked);
    EXPECT_EQ(At(*game, "e5").mark, MarkRejected);
    EXPECT_EQ(At(*game, "e5").markAge, 0);
    EXPECT_EQ(At(*game, "e2").mark, MarkFrom);
    for (int tick = 1; tick < kFlashTicks; ++tick) EXPECT_EQ(AgeRefusedTargets(*game), 0);
    EXPECT_EQ(AgeRefusedTargets(*game), 1);
    EXPECT_EQ(At(*game, "e5").mark, MarkNone);
    EXPECT_EQ(game->ply, 0);

    ASSERT_EQ(Release(*game, "e4"), ReleasePlayed);
    EXPECT_EQ(game->ply, 1);
    EXPECT_EQ(game->history[0].fromY, 1);
    EXPECT_EQ(game->history[0].toY, 3);
    EXPECT_EQ(At(*game, "e4").kind, PiecePawn);
    EXPECT_EQ(At(*game, "e4").mark, MarkNone);
    EXPECT_EQ(game->sideToMove, ColourBlack);
    EXPECT_EQ(game->modified, 1);
    EXPECT_EQ(game->computerToMove, 1);
    EXPECT_EQ(g_fakePlay.rebuilds, 1);
    EXPECT_EQ(g_fakePlay.rebuiltPly, 1);
    EXPECT_EQ(g_fakePlay.rebuiltListBox, kListBox);
    EXPECT_TRUE(g_fakeWindow.messages.empty());

    // The computer's side takes no clicks.
    EXPECT_EQ(Release(*game, "e7"), ReleaseIgnored);
}

TEST(PlayTest, SecondReleaseDeselectsAndAPieceWithoutMovesIsNotMarked) {
    std::unique_ptr<Game> game = NewGame(0);
    ASSERT_EQ(Release(*game, "g1"), ReleaseMarked);
    ASSERT_EQ(Release(*game, "g1"), ReleaseMarked);
    int col, row;
    EXPECT_FALSE(game->FindMarkedSquare(MarkFrom, &col, &row));
    ASSERT_EQ(Release(*game, "a1"), ReleaseMarked);
    EXPECT_EQ(At(*game, "a1").mark, MarkNone);
    game->gameActive = 0;
    EXPECT_EQ(Release(*game, "g1"), ReleaseIgnored);
}

TEST(PlayTest, PersonsPromotionAsksForThePiece) {
    std::unique_ptr<Game> game = NewGame(0);
    ASSERT_TRUE(SetUpFromFen(*game, "7k/1P6/8/8/8/8/8/K7 w - - 0 1"));
    game->gameActive = 1;
    g_fakeWindow.promotionAnswer = PieceKnight;
    ASSERT_EQ(Release(*game, "b7"), ReleaseMarked);
    ASSERT_EQ(Release(*game, "b8"), ReleasePlayed);
    EXPECT_EQ(g_fakeWindow.promotionRequests, 1);
    EXPECT_EQ(At(*game, "b8").kind, PieceKnight);
}

TEST(PlayTest, BrowsingShowsEarlierPositionsAndTheComputerGetsTheRealOne) {
    std::unique_ptr<Game> game = NewGame(1, {"e2e4", "e7e5", "g1f3"});
    std::unique_ptr<Game> real(new Game);
    *real = *game;
    std::unique_ptr<Game> scratch(new Game);

    BrowseMoveList(*game, *scratch, 1);
    EXPECT_EQ(At(*game, "e4").kind, PiecePawn);
    EXPECT_EQ(At(*game, "e7").kind, PiecePawn);
    EXPECT_EQ(At(*game, "g1").kind, PieceKnight);
    EXPECT_EQ(game->ply, 3);
    EXPECT_EQ(game->sideToMove, ColourBlack);

    ShowCurrentPosition(*game, *scratch);
    EXPECT_TRUE(SamePlacement(*game, *real));

    // In a game from a set-up position the count follows the row instead.
    game->analyseMode = 1;
    real->Reset(ResetStartPosition);
    memcpy(game->beginBoard, real->board, sizeof(game->beginBoard));
    BrowseMoveList(*game, *scratch, 2);
    EXPECT_EQ(game->ply, 2);
    EXPECT_EQ(At(*game, "e5").kind, PiecePawn);
    EXPECT_EQ(At(*game, "g1").kind, PieceKnight);
}

TEST(PlayTest, MoveAtABrowsedRowUsesThatRowsHistoryAndDropsLaterMoves) {
    // After 3...Nf6 White may castle; the king walks out and back later, which
    // would forbid castling were the whole history consulted.
    std::unique_ptr<Game> game = NewGame(0, {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "g8f6",
                                              "e1e2", "f8e7", "e2e1", "e7c5"});
    std::unique_ptr<Game> scratch(new Game);
    BrowseMoveList(*game, *scratch, 6);
    ASSERT_EQ(Release(*game, "e1", 6, 11), ReleaseMarked);
    EXPECT_TRUE(At(*game, "g1").legalTarget);
    EXPECT_EQ(game->ply, 10);  // judging the row leaves the game's count alone

    ASSERT_EQ(Release(*game, "g1", 6, 11), ReleasePlayed);
    EXPECT_EQ(game->ply, 7);
    EXPECT_EQ(g_fakePlay.rebuiltPly, 7);
    EXPECT_EQ(At(*game, "f1").kind, PieceRook);
    EXPECT_EQ(game->history[6].special, SpecialCastling);
    EXPECT_EQ(game->sideToMove, ColourBlack);
}

TEST(PlayTest, HalfMoveLimitStopsPlayAndTheComputer) {
    std::unique_ptr<Game> game = NewGame(1);
    game->computerToMove = 1;
    EXPECT_EQ(ComputerTurnDue(*game), 1);
    game->thinking = 1;
    EXPECT_EQ(ComputerTurnDue(*game), 0);
    game->thinking = 0;
    game->ply = kMaxGamePly;
    EXPECT_EQ(ComputerTurnDue(*game), 0);
    EXPECT_EQ(game->computerToMove, 0);

    game->board[1][4].mark = MarkFrom;
    game->board[3][4].mark = MarkTo;
    WindowHandle listBox = kListBox;
    game->PlayMarkedMove(&listBox);
    EXPECT_EQ(game->ply, kMaxGamePly);
    EXPECT_EQ(At(*game, "e2").kind, PiecePawn);
    EXPECT_EQ(g_fakePlay.rebuilds, 0);
}

TEST(PlayTest, ClockRunsOnlyForAPersonToMoveInANormalGame) {
    std::unique_ptr<Game> game = NewGame(1);
    EXPECT_EQ(TickHumanClock(*game), ColourWhite);
    EXPECT_EQ(game->player[ColourWhite].clockSeconds, 1);
    game->analyseMode = 1;
    EXPECT_EQ(TickHumanClock(*game), -1);
    game->analyseMode = 0;
    game->sideToMove = ColourBlack;
    EXPECT_EQ(TickHumanClock(*game), -1);
    EXPECT_EQ(game->player[ColourBlack].clockSeconds, 0);
}

TEST(PlayTest, NewGameRefusesTheComputersNameAndStartsWithThePlayersChosen) {
    // Empty names are refused end to end; a person can never type the computer's name
    // (the edits take 17 characters), so its refusals are checked here.
    const char* computer = kComputerPlayerName;
    EXPECT_STREQ(NewGameNamesRefusal(NewGameHuman, computer, NewGameHuman, computer),
                 "Please enter any other name (WHITE SIDE)");
    EXPECT_STREQ(NewGameNamesRefusal(NewGameHuman, "Ann", NewGameHuman, computer),
                 "Please enter any other name (BLACK SIDE)");
    EXPECT_EQ(NewGameNamesRefusal(NewGameHuman, "computer {varno-4}", NewGameHuman, " "), nullptr);
    EXPECT_EQ(NewGameNamesRefusal(NewGameComputer, computer, NewGameComputer, computer), nullptr);

    std::unique_ptr<Game> game = NewGame(0, {"e2e4"});
    game->newGameMode = ResetStartPosition;
    game->analyseMode = 1;
    StartNewGame(*game, NewGameComputer, computer, NewGameHuman, "Bob", 0);
    EXPECT_EQ(game->ply, 0);
    EXPECT_EQ(game->analyseMode, 0);
    EXPECT_EQ(At(*game, "e2").kind, PiecePawn);
    EXPECT_STREQ(game->player[ColourWhite].name, computer);
    EXPECT_STREQ(game->player[ColourBlack].name, "Bob");
    EXPECT_EQ(game->player[ColourWhite].isComputer, 1);
    EXPECT_EQ(game->player[ColourBlack].isComputer, 0);
    EXPECT_EQ(game->searchDepth, 1);
    EXPECT_EQ(game->computerToMove, 1);
    EXPECT_EQ(game->gameActive, 1);
}

}  // namespace
