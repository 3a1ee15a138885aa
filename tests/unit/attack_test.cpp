#include <random>

#include <gtest/gtest.h>

#include "core/game.h"
#include "tools/common/position_setup.h"

namespace {

typedef int (Game::*AttackMember)(int side);

// Listed by name so that a member testing the wrong square is caught.
const AttackMember kMembers[64] = {
    &Game::IsAttackedA1, &Game::IsAttackedB1, &Game::IsAttackedC1, &Game::IsAttackedD1, &Game::IsAttackedE1,
    &Game::IsAttackedF1, &Game::IsAttackedG1, &Game::IsAttackedH1, &Game::IsAttackedA2, &Game::IsAttackedB2,
    &Game::IsAttackedC2, &Game::IsAttackedD2, &Game::IsAttackedE2, &Game::IsAttackedF2, &Game::IsAttackedG2,
    &Game::IsAttackedH2, &Game::IsAttackedA3, &Game::IsAttackedB3, &Game::IsAttackedC3, &Game::IsAttackedD3,
    &Game::IsAttackedE3, &Game::IsAttackedF3, &Game::IsAttackedG3, &Game::IsAttackedH3, &Game::IsAttackedA4,
    &Game::IsAttackedB4, &Game::IsAttackedC4, &Game::IsAttackedD4, &Game::IsAttackedE4, &Game::IsAttackedF4,
    &Game::IsAttackedG4, &Game::IsAttackedH4, &Game::IsAttackedA5, &Game::IsAttackedB5, &Game::IsAttackedC5,
    &Game::IsAttackedD5, &Game::IsAttackedE5, &Game::IsAttackedF5, &Game::IsAttackedG5, &Game::IsAttackedH5,
    &Game::IsAttackedA6, &Game::IsAttackedB6, &Game::IsAttackedC6, &Game::IsAttackedD6, &Game::IsAttackedE6,
    &Game::IsAttackedF6, &Game::IsAttackedG6, &Game::IsAttackedH6, &Game::IsAttackedA7, &Game::IsAttackedB7,
    &Game::IsAttackedC7, &Game::IsAttackedD7, &Game::IsAttackedE7, &Game::IsAttackedF7, &Game::IsAttackedG7,
    &Game::IsAttackedH7, &Game::IsAttackedA8, &Game::IsAttackedB8, &Game::IsAttackedC8, &Game::IsAttackedD8,
    &Game::IsAttackedE8, &Game::IsAttackedF8, &Game::IsAttackedG8, &Game::IsAttackedH8,
};

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
    EXPECT_EQ(g.IsInCheck(ColourWhite, -1, -1), 1);
    EXPECT_EQ(g.IsInCheck(ColourWhite, -1, 5), 1);  // y is ignored
    EXPECT_EQ(g.IsInCheck(ColourWhite, 0, -1), 0);  // index -8
    EXPECT_EQ(g.IsInCheck(ColourWhite, -2, 0), 0);  // index -2, no king search
    EXPECT_EQ(g.IsInCheck(ColourWhite, 0, 8), 0);   // index 64
    EXPECT_EQ(g.IsInCheck(ColourWhite, 8, 0), 1);   // index 8 is a2, on the rook's file
    EXPECT_EQ(g.IsInCheck(ColourWhite, 1, 1), 0);   // b2 itself is not attacked
    EXPECT_EQ(g.IsInCheck(ColourWhite, 3, 0), 0);
    // No white king: never in check, whatever attacks the board.
    g.board[0][4].kind = PieceNone;
    EXPECT_EQ(g.IsInCheck(ColourWhite, -1, -1), 0);
}

}  // namespace
