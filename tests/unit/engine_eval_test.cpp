// Static evaluation: the worth table summed over the pieces, the pawn-structure term
// and the pawn proximity map.
#include <stdlib.h>
#include <string.h>
#include "unit/engine_test_support.h"

namespace {

// An empty board with all worths 0, so Evaluate gives the pawn-structure term alone.
std::unique_ptr<Game> EmptyGame(int opponentSide) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetEmpty);
    game->opponentSide = opponentSide;
    return game;
}

void Put(Game& game, int kind, int colour, std::initializer_list<const char*> squares) {
    for (const char* s : squares) {
        At(game, s).kind = kind;
        At(game, s).colour = colour;
    }
}

TEST(EngineEvaluate, DoubledAndIsolatedPawnsCountAgainstTheirOwnerOncePerFile) {
    typedef std::initializer_list<const char*> Squares;
    struct Case {
        Squares white, black;
        int term;  // the term with Black the side not thinking; its sign flips with White
    } cases[] = {
        {{"a2", "a3"}, {}, 40},                // doubled and isolated
        {{"c2", "c3", "c4", "d2"}, {}, 20},    // tripled counts as doubled once; not isolated
        {{"a2", "c2"}, {}, 40},                // two isolated files
        {{"a2", "b2"}, {}, 0},                 // neighbours
        {{"h2", "h4", "g3", "e3"}, {}, 40},    // h doubled, e isolated; file h has only g beside it
        {{"a2", "a3"}, {"a7", "b7", "h6"}, 40 - 20},  // each colour on its own
        {{"d4"}, {"c5", "e5"}, 20 - 40},       // the other colour does not cure isolation
    };
    for (const Case& c : cases)
        for (int opponent = ColourWhite; opponent <= ColourBlack; ++opponent) {
            std::unique_ptr<Game> game = EmptyGame(opponent);
            Put(*game, PiecePawn, ColourWhite, c.white);
            Put(*game, PiecePawn, ColourBlack, c.black);
            EXPECT_EQ(game->Evaluate(), opponent == ColourBlack ? c.term : -c.term) << *c.white.begin() << " " << opponent;
        }
}

TEST(EngineEvaluate, ProximityMapFallsOffByKingStepsFromTheNearestPawn) {
    std::unique_ptr<Game> game = EmptyGame(ColourBlack);
    int map[8][8];
    game->BuildPawnProximityMap(map);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) EXPECT_EQ(map[r][c], 0);

    // Several pawns of both colours: every square holds max(0, 7 - distance).
    srand(7);
    for (int trial = 0; trial < 20; ++trial) {
        std::unique_ptr<Game> g = EmptyGame(ColourBlack);
        int pawns = 1 + rand() % 4;
        for (int i = 0; i < pawns; ++i) {
            Square& sq = g->board[rand() % 8][rand() % 8];
            sq.kind = PiecePawn;
            sq.colour = rand() % 2;
        }
        g->board[0][7].kind = PieceKing;  // other pieces do not count
        g->BuildPawnProximityMap(map);
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c) {
                int nearest = 99;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        if (g->board[y][x].kind == PiecePawn) {
                            int d = abs(x - c) > abs(y - r) ? abs(x - c) : abs(y - r);
                            if (d < nearest) nearest = d;
                        }
                EXPECT_EQ(map[r][c], nearest < 7 ? 7 - nearest : 0) << "trial " << trial << " r" << r << " c" << c;
            }
    }
}

// The search scores moves from the position's evaluation parts and the move's record
// (or, for a plain move, the list entry alone); that must give exactly what Evaluate
// gives on the board after the move, for every kind of move, with or without the moved
// piece taken off again; and the parts it carries to the next position must be that
// position's own.
TEST(EngineEvaluate, ValueAfterAMoveMatchesAFreshEvaluation) {
    const char* starts[] = {
        "startpos",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",   // castling
        "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",          // en passant
        "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",                                  // promotions
    };
    srand(11);
    int checked = 0;
    for (const char* start : starts)
        for (int game = 0; game < 6; ++game) {
            std::unique_ptr<Game> g = EngineGame(start);
            for (int step = 0; step < 30; ++step) {
                if (step % 10 == 0) {
                    g->ply += 30 * (step == 20);  // the late phase's tables too
                    PrepareComputerSearch(*g);
                    g->ply -= 30 * (step == 20);
                }
                EvalBase base;
                ComputeEvalBase(*g, &base);
                MoveListEntry list[kMoveListSize];
                g->GenerateLegalMoves(list, g->sideToMove);
                int n = g->moveCount;
                if (n == 0) break;
                for (int i = 0; i < n; ++i) {
                    const int unmade = EvaluateTrialMove(*g, base, list[i]);
                    MakeTrialMove(*g, list[i]);
                    const MoveRecord& m = g->history[g->ply];
                    ASSERT_EQ(EvaluateAfter(*g, base, m, 0), g->Evaluate()) << start << " " << Text(list[i]);
                    ASSERT_EQ(unmade, g->Evaluate()) << start << " " << Text(list[i]);
                    // The base carried to the child is the one a pass over its board finds.
                    EvalBase after, scanned;
                    AdvanceEvalBase(*g, base, m, &after);
                    ComputeEvalBase(*g, &scanned);
                    ASSERT_EQ(after.pieces, scanned.pieces) << start << " " << Text(list[i]);
                    ASSERT_EQ(after.pawnTerm, scanned.pawnTerm) << start << " " << Text(list[i]);
                    ASSERT_EQ(memcmp(after.pawns, scanned.pawns, sizeof after.pawns), 0) << start << " " << Text(list[i]);
                    Square& to = g->board[m.toY][m.toX];
                    to.kind = PieceNone;
                    ASSERT_EQ(EvaluateAfter(*g, base, m, 1), g->Evaluate()) << start << " " << Text(list[i]);
                    to.kind = m.newKind;
                    UnmakeTrialMove(*g);
                    ++checked;
                }
                char text[6];
                ASSERT_TRUE(PlayCoordinateMove(*g, MoveText(list[rand() % n], text)));
            }
        }
    EXPECT_GT(checked, 1000);
}

}  // namespace
