// The mating search against a bare king (its values at the root are in the golden set):
// mate in one, stalemate avoidance, and whole endings played out by the computer on both sides.
#include <stdlib.h>
#include "unit/engine_test_support.h"

namespace {

TEST(EngineMate, MateInOneIsChosenAndStalemateAvoided) {
    std::unique_ptr<Game> game = EngineGame("k7/8/1K6/8/8/8/8/7R w - - 0 1");
    ThinkResult r = ThinkOnce(*game, 1);
    ASSERT_EQ(game->endgameType, EndgameQueenOrRook);
    EXPECT_EQ(Text(r.move), "h1h8");
    EXPECT_EQ(r.value, kOpponentMated - 2);

    // Qb6 would stalemate: it scores 0 and another move is played.
    std::unique_ptr<Game> queen = EngineGame("k7/8/2Q5/8/8/8/8/7K w - - 0 1");
    PrepareComputerSearch(*queen);
    MoveListEntry stalemate = {2, 5, 1, 5};
    StepInto(*queen, stalemate);
    EXPECT_EQ(queen->MateSearchReply(2, kComputerMated), 0);
    StepBack(*queen);
    r = ThinkOnce(*queen, 1);
    EXPECT_NE(Text(r.move), "c6b6");
    EXPECT_LT(r.value, -9000);
}

TEST(EngineMate, EvaluationsAddTableKingDistanceKnightsAndMaterial) {
    // Hand sums: bare king's table value + distance term + knight term + material
    // (pawn 1000, minor 3000, rook 5000; the computer's count against it).
    struct Case {
        const char* fen;  // the side to move thinks
        int (Game::*evaluation)();
        int expected;
    } cases[] = {
        // h8 -40; kings 3 + 7 apart, twice; a rook.
        {"7k/8/8/8/8/8/8/R3K3 w - - 0 1", &Game::EvalMateQueenOrRook, -40 + 20 - 5000},
        // e8 -30; on one file: 2 * 7 + 1.
        {"4k3/8/8/8/8/8/8/R3K3 w - - 0 1", &Game::EvalMateQueenOrRook, -30 + 15 - 5000},
        {"7k/8/8/8/8/8/4P3/R3K3 w - - 0 1", &Game::EvalMateQueenOrRook, -40 + 20 - 6000},  // pawn as material
        {"r3k3/8/8/8/8/8/8/7K b - - 0 1", &Game::EvalMateQueenOrRook, -40 + 20 - 5000},    // Black thinks
        {"7k/8/8/8/8/8/8/4KQ2 w - - 0 1", &Game::EvalMateQueenOrRook, -40 + 20 - 10000},
        // Two bishops: h8 -40, distance once; e8 -31, no extra for one file.
        {"7k/8/8/8/8/8/8/2B1KB2 w - - 0 1", &Game::EvalMateTwoBishops, -40 + 10 - 6000},
        {"4k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", &Game::EvalMateTwoBishops, -31 + 7 - 6000},
        // Bishop and knight: the knight on f1 adds its distance / 4, truncated.
        {"7k/8/8/8/8/8/8/2B1KN2 w - - 0 1", &Game::EvalMateBishopKnightDark, -70 + 20 + 9 / 4 - 6000},
        {"4k3/8/8/8/8/8/8/2B1KN2 w - - 0 1", &Game::EvalMateBishopKnightDark, -40 + 15 + 8 / 4 - 6000},
        {"k7/8/8/8/8/8/8/2B1KN2 w - - 0 1", &Game::EvalMateBishopKnightLight, -70 + 22 + 12 / 4 - 6000},
        {"7k/8/8/8/8/8/8/2B1KN2 w - - 0 1", &Game::EvalMateBishopKnightLight, 0 + 20 + 9 / 4 - 6000},
        {"7k/8/8/8/8/8/8/N1B1KN2 w - - 0 1", &Game::EvalMateBishopKnightDark, -70 + 20 + 9 / 4 + 14 / 4 - 9000},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = EngineGame(c.fen);
        game->opponentSide = 1 - game->sideToMove;
        EXPECT_EQ(((*game).*c.evaluation)(), c.expected) << c.fen;
    }
}

MoveListEntry Entry(const char* m) {
    return MoveListEntry{int8_t(m[0] - 'a'), int8_t(m[1] - '1'), int8_t(m[2] - 'a'), int8_t(m[3] - '1')};
}

// A node whose bound is reached by any value stops after its first move: its value
// tells which move it tried first. Moves go in three passes over the generated list:
// captures, then moves of bishops, knights, pawns and kings, then of rooks and queens.
TEST(EngineMate, NodesTryCapturesThenMinorPawnAndKingMovesThenRookAndQueenMoves) {
    struct Case {
        const char* fen;  // the side to move thinks
        bool computerNode;
        const char* first;           // the move the node must try first
        const char* firstGenerated;  // the first legal move in generation order
    } cases[] = {
        {"8/8/8/4k3/5N2/8/8/K6R w - - 0 1", false, "e5f4", "e5f6"},  // the bare king's capture first
        {"8/8/8/3k4/8/8/8/R3K3 w - - 0 1", true, "e1e2", "a1a2"},    // king before rook
        {"7K/1P6/8/3k4/8/8/8/R7 w - - 0 1", true, "b7b8", "a1a2"},   // pawn before rook
        {"8/8/8/8/8/8/8/R1B2k1K w - - 0 1", true, "c1d2", "a1a2"},   // bishop before rook
        {"8/8/8/8/8/8/8/QN2k2K w - - 0 1", true, "b1c3", "a1a2"},    // knight before queen
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = EngineGame(c.fen);
        PrepareComputerSearch(*game);
        ASSERT_NE(game->endgameType, EndgameNone) << c.fen;
        Moves moves = MovesOf(*game, c.computerNode ? game->sideToMove : game->opponentSide);
        ASSERT_EQ(moves.front(), c.firstGenerated) << c.fen;
        auto after = [&](const char* move) {
            StepInto(*game, Entry(move));
            int value = c.computerNode ? game->MateSearchReply(0, kComputerMated) : game->EvalMateQueenOrRook();
            StepBack(*game);
            return value;
        };
        ASSERT_NE(after(c.first), after(c.firstGenerated)) << c.fen;
        int node = c.computerNode ? game->MateSearchMove(0, 0, kComputerMated - 1)
                                  : game->MateSearchReply(0, kNoReplyTried + 1);
        EXPECT_EQ(node, after(c.first)) << c.fen;
    }
}

// Plays the game out with the computer on both sides (the bare king's side uses the
// classic search at level 1) until it ends or `maxPlies` have been played.
struct Outcome { int plies, status, bareX, bareY; };

Outcome PlayOut(const char* fen, int maxPlies) {
    std::unique_ptr<Game> game = EngineGame(fen);
    game->player[ColourWhite].isComputer = game->player[ColourBlack].isComputer = 1;
    int attacker = game->sideToMove;
    int start = game->ply;
    game->computerToMove = 1;
    while (game->computerToMove && game->ply - start < maxPlies) game->ComputerMove();
    Outcome o;
    o.plies = game->ply - start;
    o.status = game->CheckGameOver(game->sideToMove, 0);
    game->FindKing(1 - attacker, &o.bareX, &o.bareY);
    return o;
}

TEST(EngineMate, QueenOrRookMatesWithinBoundFromSeveralStarts) {
    struct Case { const char* fen; int maxPlies; } cases[] = {
        {"8/8/8/4k3/8/8/8/3QK3 w - - 0 1", 32},  {"k7/8/8/8/8/8/8/6QK w - - 0 1", 32},
        {"8/8/3k4/8/8/8/8/Q6K w - - 0 1", 32},   {"8/8/8/8/2k5/8/8/4K2Q w - - 0 1", 32},
        {"4K3/8/8/8/8/8/8/q3k3 b - - 0 1", 32},  {"8/8/8/3k4/8/8/8/R3K3 w - - 0 1", 40},
        {"8/8/8/8/4k3/8/8/K6R w - - 0 1", 40},   {"r7/8/8/8/3K4/8/8/7k b - - 0 1", 40},
        {"8/8/8/4k3/8/8/8/4K2R w - - 0 1", 40},  {"8/8/8/8/8/4k3/8/R3K3 w - - 0 1", 40},
    };
    for (const Case& c : cases) {
        Outcome o = PlayOut(c.fen, c.maxPlies);
        EXPECT_EQ(o.status, StatusCheckmate) << c.fen << " after " << o.plies << " half-moves";
    }
}

TEST(EngineMate, BishopAndKnightDriveTheKingToTheBishopsCorner) {
    struct Case { const char* fen; int darkBishop; } cases[] = {
        {"8/8/8/4k3/8/8/8/2B1KN2 w - - 0 1", 1}, {"8/8/8/8/4k3/8/8/2B1KN2 w - - 0 1", 1},
        {"8/8/8/8/8/1k6/8/2B1KN2 w - - 0 1", 1}, {"8/8/2k5/8/8/8/8/4KBN1 w - - 0 1", 0},
        {"8/1k6/8/8/8/8/8/1N2KB2 w - - 0 1", 0},
    };
    for (const Case& c : cases) {
        Outcome o = PlayOut(c.fen, 100);
        EXPECT_EQ(o.status, StatusCheckmate) << c.fen;
        // The corners the bishop covers: a1 and h8 (dark), h1 and a8 (light).
        int cornerY1 = c.darkBishop ? 0 : 7;
        int d1 = abs(o.bareX - 0) > abs(o.bareY - cornerY1) ? abs(o.bareX - 0) : abs(o.bareY - cornerY1);
        int d2 = abs(o.bareX - 7) > abs(o.bareY - (7 - cornerY1)) ? abs(o.bareX - 7) : abs(o.bareY - (7 - cornerY1));
        EXPECT_LE(d1 < d2 ? d1 : d2, 1) << c.fen << " ends at " << char('a' + o.bareX) << o.bareY + 1;
    }
}

}  // namespace
