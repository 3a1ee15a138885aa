// The computer's turn with the fake window: the random first move, breaking the search
// off, the clock and the progress ticks, and the commit of special moves.
#include <string.h>
#include <string>
#include <vector>
#include "files/game_files.h"
#include "ui/common/new_game.h"
#include "unit/engine_test_support.h"

namespace {

// The fake's calls without the ones each thinking tick makes.
std::vector<std::string> TurnCalls() {
    std::vector<std::string> out;
    for (const std::string& c : g_fakeThinking.calls)
        if (c != "TickCount" && c != "InvalidateClock" && c != "Pump" && c != "Progress" && c != "EscapeDown")
            out.push_back(c);
    return out;
}

TEST(EngineTurn, FirstMoveComesFromTheOpeningTableByTheRandomNumber) {
    static const char* kTable[7] = {"d2d4", "e2e4", "b1c3", "g1f3", "b2b3", "g2g3", "c2c3"};
    for (int r : {0, 1, 2, 3, 4, 5, 6, 7, 13, 2000000001}) {
        std::unique_ptr<Game> game = EngineGame("startpos");
        game->gameActive = 1;
        game->player[ColourBlack].isComputer = r % 2;
        g_fakeThinking.randomValue = r;
        g_fakeThinking.beepEnabled = 1;
        game->computerToMove = 1;
        game->ComputerMove();
        ASSERT_EQ(game->ply, 1);
        const MoveRecord& m = game->history[0];
        MoveListEntry played = {(int8_t)m.fromX, (int8_t)m.fromY, (int8_t)m.toX, (int8_t)m.toY};
        EXPECT_EQ(Text(played), kTable[r % 7]) << r;
        EXPECT_EQ(game->sideToMove, ColourBlack);
        EXPECT_EQ(game->thinking, 0);
        EXPECT_EQ(game->computerToMove, r % 2);  // the next tick starts Black's move
        EXPECT_EQ(game->modified, 1);
        EXPECT_EQ(game->player[ColourWhite].clockSeconds, 0);
        // No search: no cursor, no clock, no ticks; the commit and one beep.
        EXPECT_EQ(g_fakeThinking.calls, (std::vector<std::string>{"Random", "RebuildMoveList", "InvalidateBoard", "Beep"}));
    }
}

TEST(EngineTurn, SetUpPositionAtPlyZeroIsSearchedNotGivenATableMove) {
    // A set-up position with White to move and no history: the table's moves would
    // move pieces that are not there, so the computer searches (and mates here).
    std::unique_ptr<Game> game = EngineGame("k7/8/KQ6/8/8/8/8/8 w - - 0 1");
    game->ply = 0;  // drop the made-up records: the game begins here
    game->analyseMode = 1;
    game->gameActive = 1;
    game->ComputerMove();
    ASSERT_EQ(game->ply, 1);
    EXPECT_EQ(g_fakeThinking.Count("Random"), 0);
    EXPECT_EQ(game->CheckGameOver(ColourBlack, 0), StatusCheckmate);
}

TEST(EngineTurn, SearchTurnRunsItsWindowStepsInOrderAndChargesTheClock) {
    std::unique_ptr<Game> game = EngineGame("startpos", "e2e4");
    int n = int(MovesOf(*game, ColourBlack).size());
    game->gameActive = 1;
    game->player[ColourBlack].clockSeconds = 30;
    g_fakeThinking.ticks = 0xFFFFF000u;  // the counter wraps during the search
    g_fakeThinking.tickStep = 1500;
    game->ComputerMove();
    EXPECT_EQ(game->ply, 2);
    EXPECT_EQ(TurnCalls(), (std::vector<std::string>{"WaitCursor", "UpdateNow", "UpdateNow", "ArrowCursor", "RestoreTitle",
                                                     "DropCommands", "Flash", "RebuildMoveList", "InvalidateBoard"}));

    // One tick per root move, percent k * 100 / n; each charges the clock and asks for
    // the computer's clock strip.
    ASSERT_EQ((int)g_fakeThinking.progressPercents.size(), n);
    for (int k = 0; k < n; ++k) EXPECT_EQ(g_fakeThinking.progressPercents[k], k * 100 / n);
    EXPECT_EQ(g_fakeThinking.invalidatedClocks, std::vector<int>(n, ColourBlack));
    int tickCalls = g_fakeThinking.Count("TickCount");
    EXPECT_EQ(tickCalls, n + 2);  // the start, every tick, the end
    EXPECT_EQ(game->player[ColourBlack].clockSeconds, 30 + (tickCalls - 1) * 1500 / 1000);
    EXPECT_EQ(game->player[ColourWhite].clockSeconds, 0);
}

TEST(EngineTurn, BreakDuringTheFirstPassPlaysNothing) {
    for (int tick : {1, 3}) {
        std::unique_ptr<Game> game = EngineGame("startpos", "e2e4 e7e5");
        std::unique_ptr<Game> before(new Game);
        *before = *game;
        g_fakeThinking.escapeAtTick = tick;
        g_fakeThinking.breakAnswer = 1;
        game->ComputerMove();
        EXPECT_EQ(game->ply, before->ply);
        EXPECT_EQ(game->sideToMove, ColourWhite);
        EXPECT_TRUE(SamePlacement(*game, *before));
        EXPECT_EQ(game->bestMove.fromX, kNoMove);
        EXPECT_EQ(game->thinking, 0);
        EXPECT_EQ(game->computerToMove, 0);
        EXPECT_EQ(g_fakeThinking.ticksSeen, tick);  // the search stopped at once
        EXPECT_EQ(g_fakeThinking.questions, std::vector<std::string>{"Break AI move. Are you sure?"});
        EXPECT_EQ(TurnCalls(), (std::vector<std::string>{"WaitCursor", "UpdateNow", "AskBreak", "UpdateNow",
                                                         "ArrowCursor", "RestoreTitle", "DropCommands", "Flash"}));
    }
}

TEST(EngineTurn, BreakAnsweredNoGoesOnAndAsksAgainWhileEscapeIsDown) {
    std::unique_ptr<Game> game = EngineGame("startpos", "e2e4 e7e5");
    g_fakeThinking.escapeAtTick = 2;
    g_fakeThinking.escapeEveryTick = 1;
    g_fakeThinking.breakAnswer = 0;
    game->ComputerMove();
    EXPECT_EQ(game->ply, 3);
    EXPECT_EQ((int)g_fakeThinking.questions.size(), g_fakeThinking.ticksSeen - 1);
}

TEST(EngineTurn, GameIsNotReplacedWhileTheBreakQuestionIsOpen) {
    // The question's message loop may pass a click on an open dialog's Start or Load:
    // the game is kept, and the search plays its move on the game it began with.
    for (int load : {0, 1}) {
        std::unique_ptr<Game> other = EngineGame("startpos", "d2d4");
        std::unique_ptr<Game> game = EngineGame("startpos", "e2e4 e7e5");
        game->gameActive = 1;
        game->player[ColourWhite].clockSeconds = 30;
        game->player[ColourBlack].clockSeconds = 12;
        g_fakeThinking.ticks = 3600000;  // an hour since the system started
        g_fakeThinking.tickStep = 500;
        g_fakeThinking.escapeAtTick = 1;
        g_fakeThinking.breakAnswer = 0;
        int replaced = -1;
        g_fakeThinking.whileAsking = [&] {
            replaced = load ? TakeLoadedGame(*game, *other)
                            : StartNewGame(*game, NewGameHuman, "Ann", NewGameHuman, "Bob", 1);
        };
        game->ComputerMove();
        EXPECT_EQ(replaced, 0) << load;
        EXPECT_EQ(g_fakeThinking.questions.size(), 1u) << load;
        ASSERT_EQ(game->ply, 3) << load;
        const MoveRecord& m = game->history[2];
        std::string played = {char('a' + m.fromX), char('1' + m.fromY), char('a' + m.toX), char('1' + m.toY)};
        std::unique_ptr<Game> replay(new Game);
        ASSERT_TRUE(SetUpPositionWithMoves(*replay, "startpos", ("e2e4 e7e5 " + played).c_str())) << played;
        EXPECT_TRUE(SamePlacement(*game, *replay)) << load;
        EXPECT_EQ(game->sideToMove, replay->sideToMove) << load;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(game->history[i].fromX, replay->history[i].fromX) << load << " " << i;
            EXPECT_EQ(game->history[i].fromY, replay->history[i].fromY) << load << " " << i;
            EXPECT_EQ(game->history[i].toX, replay->history[i].toX) << load << " " << i;
            EXPECT_EQ(game->history[i].toY, replay->history[i].toY) << load << " " << i;
        }
        EXPECT_EQ(game->player[ColourWhite].isComputer, 1) << load;
        EXPECT_EQ(game->thinking, 0) << load;
        // Charged from the search's own start, not from the counter's zero.
        int tickCalls = g_fakeThinking.Count("TickCount");
        EXPECT_EQ(game->player[ColourWhite].clockSeconds, 30 + (tickCalls - 1) * 500 / 1000) << load;
        EXPECT_EQ(game->player[ColourBlack].clockSeconds, 12) << load;
        g_fakeThinking.whileAsking = nullptr;  // it holds references to this row's games
    }
}

TEST(EngineTurn, MatingCastlingIsCommittedWithItsRookAndEndsTheGame) {
    // Castling long mates: the rook comes along; the game-over message shows, no
    // further computer move is started, and the beep still sounds.
    std::unique_ptr<Game> castling = EngineGame("8/8/8/4Q3/8/1P1k4/8/R3K3 w Q - 0 1");
    castling->player[ColourBlack].isComputer = 1;
    g_fakeThinking.beepEnabled = 1;
    castling->ComputerMove();
    EXPECT_EQ(At(*castling, "c1").kind, PieceKing);
    EXPECT_EQ(At(*castling, "d1").kind, PieceRook);
    EXPECT_EQ(At(*castling, "a1").kind, PieceNone);
    EXPECT_EQ(castling->history[castling->ply - 1].special, SpecialCastling);
    ASSERT_EQ(g_fakeWindow.messages.size(), 1u);
    EXPECT_EQ(g_fakeWindow.messages[0], "Game over.\nWhite wins by checkmate.");
    EXPECT_EQ(castling->computerToMove, 0);
    EXPECT_EQ(g_fakeThinking.Count("Beep"), 1);
}

TEST(EngineTurn, GameAtTheRecordLimitIsNotSearched) {
    static const char* kCycle[4] = {"e1d1 ", "e8d8 ", "d1e1 ", "d8e8 "};
    std::string shuffle;
    for (int i = 0; i < kMaxGamePly - 2; ++i) shuffle += kCycle[i % 4];
    std::unique_ptr<Game> game = EngineGame("4k3/4p3/8/8/8/8/4P3/4K3 w - - 0 1", shuffle.c_str());
    ASSERT_EQ(game->ply, kMaxGamePly);
    game->computerToMove = 1;
    game->ComputerMove();
    EXPECT_EQ(game->ply, kMaxGamePly);
    EXPECT_EQ(game->thinking, 0);
    EXPECT_EQ(game->computerToMove, 0);
    EXPECT_TRUE(g_fakeThinking.calls.empty());
}

}  // namespace
