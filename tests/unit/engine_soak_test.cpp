// Soak: the computer plays both sides at level 1 from many different starts until the
// game ends (a game-over result or the record limit). Every move must be legal, and
// board, side to move and history must agree with a replay after every move.
// VARNO_SOAK_GAMES sets the number of games (default kDefaultGames, spread over the
// shards so that CTest runs them side by side).
#include <stdlib.h>
#include <algorithm>
#include <random>
#include <string>
#include "unit/engine_test_support.h"

namespace {

const int kShards = 8;
const int kDefaultGames = 24;

const char* const kStarts[] = {
    "startpos",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r1bq1rk1/pp2bppp/2n1pn2/2pp4/3P4/2PBPN2/PP1N1PPP/R1BQ1RK1 w - - 0 8",
    "4k3/8/8/8/8/8/4P3/R3K3 b - - 0 1",
    "8/8/8/4k3/8/8/8/2B1KN2 w - - 0 1",
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "8/P6k/8/8/8/8/6Kp/8 w - - 0 1",
};

int SoakGames() {
    const char* text = getenv("VARNO_SOAK_GAMES");
    int games = text ? atoi(text) : 0;
    return games > 0 ? games : kDefaultGames;
}

// The fields a record means: the secondary square and colour only for special moves.
bool SameRecord(const MoveRecord& a, const MoveRecord& b) {
    if (a.fromX != b.fromX || a.fromY != b.fromY || a.toX != b.toX || a.toY != b.toY || a.kind != b.kind ||
        a.colour != b.colour || a.capturedKind != b.capturedKind || a.newKind != b.newKind || a.special != b.special)
        return false;
    if (a.special == SpecialNone) return true;
    return a.secFromX == b.secFromX && a.secFromY == b.secFromY && a.secToX == b.secToX &&
           (a.secToX == -1 || a.secToY == b.secToY) && a.secColour == b.secColour;
}

// Plays game `number` to its end; reports failures through gtest.
void SoakGame(int number) {
    std::mt19937 random(number);
    const char* start = kStarts[number % (sizeof kStarts / sizeof kStarts[0])];
    std::unique_ptr<Game> game = EngineGame(start);
    // A few random legal half-moves make every game's start different.
    // (A game that stands at ply 0 with the computer to move is always in the start
    // position, so a FEN start without seeded records gets at least one half-move.)
    int randomPlies = start[0] == 's' ? random() % 9 : (game->ply == 0) + random() % 5;
    for (int i = 0; i < randomPlies; ++i) {
        Moves moves = MovesOf(*game, game->sideToMove);
        if (moves.empty()) break;
        ASSERT_TRUE(PlayCoordinateMove(*game, moves[random() % moves.size()].c_str()));
    }
    game->player[ColourWhite].isComputer = game->player[ColourBlack].isComputer = 1;
    game->searchDepth = 1;
    game->gameActive = 1;
    g_fakeThinking.randomValue = number;
    if (game->CheckGameOver(game->sideToMove, 0) != StatusPlaying) return;
    game->computerToMove = 1;

    std::unique_ptr<Game> begin(new Game), replay(new Game);
    *begin = *game;
    const int beginPly = game->ply;
    while (game->computerToMove) {
        Moves legal = MovesOf(*game, game->sideToMove);
        int ply = game->ply;
        game->ComputerMove();
        ASSERT_EQ(game->thinking, 0);
        if (game->ply == ply) break;  // nothing played: the game must be over (checked below)
        ASSERT_EQ(game->ply, ply + 1) << "game " << number;
        const MoveRecord& r = game->history[ply];
        MoveListEntry played = {(int8_t)r.fromX, (int8_t)r.fromY, (int8_t)r.toX, (int8_t)r.toY};
        ASSERT_NE(std::find(legal.begin(), legal.end(), Text(played)), legal.end()) << "game " << number << " ply " << ply;

        *replay = *begin;
        for (int i = beginPly; i < game->ply; ++i) {
            const MoveRecord& r = game->history[i];
            replay->MakeMove(&replay->history[i], r.fromX, r.fromY, r.toX, r.toY, 1, r.newKind);
        }
        ASSERT_TRUE(SamePlacement(*game, *replay)) << "game " << number << " ply " << ply;
        for (int i = 0; i < game->ply; ++i)
            ASSERT_TRUE(SameRecord(replay->history[i], game->history[i])) << "game " << number << " record " << i;
        ASSERT_EQ(game->sideToMove, begin->sideToMove ^ ((game->ply - beginPly) & 1)) << "game " << number;
        ASSERT_LE(game->ply, kMaxGamePly);
    }
    int status = game->CheckGameOver(game->sideToMove, 0);
    EXPECT_NE(status, StatusPlaying) << "game " << number << " stopped at ply " << game->ply;
}

class EngineSoak : public testing::TestWithParam<int> {};

TEST_P(EngineSoak, ComputerAgainstComputerGamesEndCleanly) {
    int games = SoakGames();
    for (int number = GetParam(); number < games; number += kShards) {
        SoakGame(number);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, EngineSoak, testing::Range(0, kShards));

}  // namespace
