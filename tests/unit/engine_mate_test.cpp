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
