#include <random>

#include <gtest/gtest.h>

#include "core/game.h"
#include "tools/common/position_setup.h"

namespace {

typedef int (Game::*AttackMember)(int side);

// Listed by name so that a member testing the wrong square is caught.
#define VARNO_ROW(n)                                                                                  \
    &Game::IsAttackedA##n, &Game::IsAttackedB##n, &Game::IsAttackedC##n, &Game::IsAttackedD##n,            \
        &Game::IsAttackedE##n, &Game::IsAttackedF##n, &Game::IsAttackedG##n, &Game::IsAttackedH##n
const AttackMember kMembers[64] = {VARNO_ROW(1), VARNO_ROW(2), VARNO_ROW(3), VARNO_ROW(4),
                                   VARNO_ROW(5), VARNO_ROW(6), VARNO_ROW(7), VARNO_ROW(8)};
#undef VARNO_ROW

bool OnBoard(int x, int y) { return x >= 0 && x < 8 && y >= 0 && y < 8; }

bool Enemy(const Game& g, int x, int y, int side, int kind) {
    const Square& q = g.board[y][x];
    return q.kind == kind && q.colour != side;
}

// The plain definition: walk every direction, look at every jump, and ask which enemy
// piece could reach (x, y) from where it stands.
int ReferenceAttacked(const Game& g, int x, int y, int side) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (!dx && !dy) continue;
            for (int k = 1; OnBoard(x + k * dx, y + k * dy); ++k) {
                int px = x + k * dx, py = y + k * dy;
                const Square& q = g.board[py][px];
                if (q.kind == PieceNone) continue;
                if (q.colour == side) break;
                bool diagonal = dx && dy;
                if (q.kind == PieceQueen || q.kind == (diagonal ? PieceBishop : PieceRook)) return 1;
                if (k == 1 && q.kind == PieceKing) return 1;
                // A pawn captures towards the row ahead of it and never from its back row.
                int ahead = side == ColourWhite ? 1 : -1;
                if (k == 1 && diagonal && dy == ahead && q.kind == PiecePawn && py >= 1 && py <= 6) return 1;
                break;
            }
        }
    static const int kJumps[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    for (const auto& j : kJumps)
        if (OnBoard(x + j[0], y + j[1]) && Enemy(g, x + j[0], y + j[1], side, PieceKnight)) return 1;
    return 0;
}

// Random pieces on a random share of the squares; empty squares keep a random colour.
void RandomBoard(Game& g, std::mt19937& rng) {
    g.Reset(ResetEmpty);
    int density = int(rng() % 60) + 5;
    for (int i = 0; i < 64; ++i) {
        Square& s = g.board[i / 8][i % 8];
        s.colour = int(rng() % 2);
        s.kind = int(rng() % 100) < density ? int(rng() % 6) + 1 : PieceNone;
    }
}

TEST(AttackTest, EveryMemberMatchesTheReferenceOnRandomBoards) {
    Game g;
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        RandomBoard(g, rng);
        for (int sq = 0; sq < 64; ++sq)
            for (int side = 0; side < 2; ++side) {
                int expected = ReferenceAttacked(g, sq % 8, sq / 8, side);
                ASSERT_EQ((g.*kMembers[sq])(side), expected) << "square " << sq << " side " << side << " round " << round;
                ASSERT_EQ(g.IsInCheck(side, sq % 8, sq / 8), expected) << "square " << sq;
            }
    }
}

TEST(CheckTest, FindKingTakesTheLowestIndexAndWritesNothingWithoutAKing) {
    Game g;
    ASSERT_TRUE(SetUpFromFen(g, "8/8/8/8/8/K7/1K6/8 w - - 0 1"));  // white kings a3 and b2
    int x = 9, y = 9;
    EXPECT_EQ(g.FindKing(ColourWhite, &x, &y), 1);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
    x = y = 9;
    EXPECT_EQ(g.FindKing(ColourBlack, &x, &y), 0);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(y, 9);
}

TEST(CheckTest, SquareIsChosenByIndexAndMinusOneLooksForTheKing) {
    Game g;
    // White king e1 attacked by a rook on e8; a black rook on a5 watches the a-file.
    ASSERT_TRUE(SetUpFromFen(g, "4r3/8/8/r7/8/8/8/4K3 w - - 0 1"));
    // x, y, result: x -1 looks for the king whatever y is; else the index y * 8 + x,
    // nothing outside 0..63 (index 8 is a2, on the rook's file; b2 is not attacked).
    const int cases[][3] = {{-1, -1, 1}, {-1, 5, 1}, {0, -1, 0}, {-2, 0, 0}, {0, 8, 0}, {8, 0, 1}, {1, 1, 0}, {3, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(g.IsInCheck(ColourWhite, c[0], c[1]), c[2]) << c[0] << "," << c[1];
    // No white king: never in check, whatever attacks the board.
    g.board[0][4].kind = PieceNone;
    EXPECT_EQ(g.IsInCheck(ColourWhite, -1, -1), 0);
}

}  // namespace
