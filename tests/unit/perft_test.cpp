#include <stdlib.h>

#include <memory>

#include "tools/common/perft.h"
#include "unit/board_test_support.h"

namespace {

struct PerftCase {
    const char* name;
    const char* fen;
    std::vector<uint64_t> counts;  // depth 1, 2, ...
    int quickDepth;                // deeper counts run only in the long test run
};

// Published counts of the standard test positions.
const PerftCase kCases[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
     {20, 400, 8902, 197281, 4865609, 119060324}, 5},
    {"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
     {48, 2039, 97862, 4085603, 193690690}, 3},
    {"position 3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624, 11030083}, 5},
    {"position 4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
     {6, 264, 9467, 422333, 15833292}, 4},
    {"position 4 mirrored", "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
     {6, 264, 9467, 422333, 15833292}, 4},
    {"position 5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379, 2103487, 89941194},
     3},
};

bool LongRun() {
    const char* value = getenv("VARNO_LONG_TESTS");
    return value && *value && *value != '0';
}

void CheckCounts(bool deep) {
    std::unique_ptr<Game> g(new Game);
    for (const PerftCase& c : kCases) {
        ASSERT_TRUE(SetUpFromFen(*g, c.fen)) << c.name;
        int from = deep ? c.quickDepth + 1 : 1;
        int to = deep ? int(c.counts.size()) : c.quickDepth;
        for (int depth = from; depth <= to; ++depth)
            EXPECT_EQ(Perft(*g, depth), c.counts[depth - 1]) << c.name << " depth " << depth;
    }
}

TEST(PerftTest, StandardPositionsGiveThePublishedCounts) { CheckCounts(false); }

TEST(PerftTest, DeeperCounts) {
    if (!LongRun()) GTEST_SKIP() << "set VARNO_LONG_TESTS=1 for the deep counts";
    CheckCounts(true);
}

TEST(PositionSetupTest, RefusesMalformedText) {
    std::unique_ptr<Game> g(new Game);
    for (const char* fen : {"8/8/8/8/8/8/8/9 w - - 0 1", "8/8/8/8/8/8/8 w - - 0 1", "8/8/8/8/8/8/8/7X w - - 0 1",
                            "4k3/8/8/8/8/8/8/4K3 x - - 0 1", "4k3/8/8/8/8/8/8/4K3 w KZ - 0 1",
                            "4k3/8/8/4P3/8/8/8/4K3 w - e6 0 1",   // no pawn passed e6
                            "4k3/8/8/3pP3/8/8/8/4K3 w - d3 0 1"})  // wrong rank
        EXPECT_FALSE(SetUpFromFen(*g, fen)) << fen;
    EXPECT_TRUE(SetUpFromFen(*g, "4k3/8/8/3pP3/8/8/8/4K3 w - d6"));
}

TEST(PositionSetupTest, MadeUpHistoryAgreesWithTheSideToMove) {
    std::unique_ptr<Game> g(new Game);
    ASSERT_TRUE(SetUpFromFen(*g, "r3k2r/8/8/8/3pP3/8/8/R3K2R b Kq e3 0 1"));
    EXPECT_EQ(g->sideToMove, ColourBlack);
    ASSERT_EQ(g->ply, 3);  // a1 left, h8 left, e2-e4
    for (int i = 0; i < g->ply; ++i) EXPECT_EQ(g->history[i].colour, g->sideToMove ^ ((g->ply - i) & 1)) << i;
    const MoveRecord& last = g->history[g->ply - 1];
    EXPECT_EQ(last.kind, PiecePawn);
    EXPECT_EQ(last.fromY, 1);
    EXPECT_EQ(last.toY, 3);
}

TEST(PositionSetupTest, MadeUpHistoryNeverCountsAsARepetition) {
    std::unique_ptr<Game> g(new Game);
    ASSERT_TRUE(SetUpFromFen(*g, "4k3/8/8/8/8/8/8/4K1N1 w - - 0 1"));  // two made-up records
    ASSERT_TRUE(PlayMoves(*g, "g1f3 e8d8 f3g1 d8e8 g1h3 e8d8"));
    EXPECT_EQ(g->IsThreefoldRepetition(), 0);  // the set-up position occurred twice
    ASSERT_TRUE(PlayMoves(*g, "h3g1 d8e8"));
    EXPECT_EQ(g->IsThreefoldRepetition(), 1);
}

TEST(PositionSetupTest, PlaysOnlyLegalMovesWithTheirPromotionPiece) {
    std::unique_ptr<Game> g(new Game);
    ASSERT_TRUE(SetUpFromFen(*g, "8/P6k/8/8/8/8/8/K7 w - - 0 1"));
    int ply = g->ply;
    for (const char* move : {"a1a3", "a1b1q", "a7a8k"}) EXPECT_FALSE(PlayCoordinateMove(*g, move)) << move;
    EXPECT_EQ(g->ply, ply);
    ASSERT_TRUE(PlayCoordinateMove(*g, "a7a8n"));
    EXPECT_EQ(g->board[7][0].kind, PieceKnight);
    EXPECT_EQ(g->ply, ply + 1);
    EXPECT_EQ(g->sideToMove, ColourBlack);
}

}  // namespace
