// Legal-move generation: the order of the list, pins and checks, castling, en passant,
// the list's bound, target marking and boards left as they were.
#include <algorithm>
#include <memory>
#include <random>
#include <sstream>

#include "fakes/fake_window.h"
#include "unit/board_test_support.h"

namespace {

Moves From(const Moves& moves, const char* square) {
    Moves out;
    for (const std::string& m : moves)
        if (m.compare(0, 2, square) == 0) out.push_back(m);
    return out;
}

bool Has(const Moves& moves, const char* move) { return std::find(moves.begin(), moves.end(), move) != moves.end(); }

TEST(MoveGenerationTest, StartPositionListsTwentyMovesInSquareOrderForBothSides) {
    Game g;
    g.Reset(ResetStartPosition);
    EXPECT_EQ(MovesOf(g, ColourWhite), (Moves{"b1c3", "b1a3", "g1h3", "g1f3", "a2a3", "a2a4", "b2b3", "b2b4", "c2c3",
                                              "c2c4", "d2d3", "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4",
                                              "h2h3", "h2h4"}));
    EXPECT_EQ(g.kingX * 10 + g.kingY, 40);
    EXPECT_EQ(MovesOf(g, ColourBlack), (Moves{"a7a6", "a7a5", "b7b6", "b7b5", "c7c6", "c7c5", "d7d6", "d7d5", "e7e6",
                                              "e7e5", "f7f6", "f7f5", "g7g6", "g7g5", "h7h6", "h7h5", "b8c6", "b8a6",
                                              "g8h6", "g8f6"}));
    EXPECT_EQ(g.kingX * 10 + g.kingY, 47);
}

TEST(MoveGenerationTest, MovesOfAPieceInTheirOrder) {
    const char* pawns = "k7/2n1p3/3P1P2/8/8/2n1r3/3P4/K7 w - - 0 1";
    const char* passed = "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1";
    struct Case {
        const char* fen;
        const char* played;  // moves played first
        int side, before;    // `before`: a side generated for just before, or -1
        const char* from;    // "" for every move
        Moves expected;
    } cases[] = {
        // White on its second row captures towards the h-file first, higher up towards
        // the a-file first; Black always towards the h-file first, its double step last.
        {pawns, "", ColourWhite, -1, "d2", {"d2d3", "d2d4", "d2e3", "d2c3"}},
        {pawns, "", ColourWhite, -1, "d6", {"d6d7", "d6c7", "d6e7"}},
        {pawns, "", ColourBlack, -1, "e7", {"e7e6", "e7f6", "e7d6", "e7e5"}},
        {"2n1r3/3P4/8/8/8/8/8/K6k w - - 0 1", "", ColourWhite, -1, "d7", {"d7d8", "d7c8", "d7e8"}},
        // Pinned pieces move only along the pin, if at all.
        {"7q/8/7k/8/3B4/8/8/K7 w - - 0 1", "", ColourWhite, -1, "d4", {"d4e5", "d4f6", "d4g7", "d4h8", "d4c3", "d4b2"}},
        {"k3r3/8/8/4R3/8/8/8/4K3 w - - 0 1", "", ColourWhite, -1, "e5", {"e5e6", "e5e7", "e5e8", "e5e4", "e5e3", "e5e2"}},
        {"2r4k/8/8/4n3/8/2B5/8/2K5 w - - 0 1", "", ColourWhite, -1, "c3", {}},
        // No white king: the square stored by the last generation, Black's e8, is tested.
        {"4k3/8/8/8/8/8/8/3Rr3 w - - 0 1", "", ColourWhite, ColourBlack, "", {"d1e1"}},
        {"4k3/8/8/8/4R3/8/8/4r3 w - - 0 1", "", ColourWhite, ColourBlack, "",
         {"e4e5", "e4e6", "e4e7", "e4e3", "e4e2", "e4e1"}},
        // The king cannot step back along the checking line.
        {"3r3k/8/8/8/3K4/8/8/8 w - - 0 1", "", ColourWhite, -1, "", {"d4e5", "d4e4", "d4e3", "d4c3", "d4c4", "d4c5"}},
        {"7k/8/8/8/8/2b5/8/K7 w - - 0 1", "", ColourWhite, -1, "", {"a1a2", "a1b1"}},
        // En passant follows the last double step; Black's comes after its plain captures.
        {passed, "", ColourWhite, -1, "e5", {"e5e6", "e5d6"}},
        {"4k3/8/8/4pP2/3K4/8/8/8 w - e6 0 1", "", ColourWhite, -1, "f5", {"f5e6"}},  // takes the checker
        {"4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", "", ColourBlack, -1, "d4", {"d4d3", "d4e3"}},
        {passed, "e1d1 e8d8", ColourWhite, -1, "e5", {"e5e6"}},
        {"rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1", "", ColourWhite, -1, "e5", {"e5e6"}},
    };
    for (const Case& c : cases) {
        Game g;
        ASSERT_TRUE(SetUpFromFen(g, c.fen)) << c.fen;
        ASSERT_TRUE(PlayMoves(g, c.played));
        if (c.before >= 0) MovesOf(g, c.before);
        Moves moves = MovesOf(g, c.side);
        EXPECT_EQ(*c.from ? From(moves, c.from) : moves, c.expected) << c.fen << " " << c.from;
    }
}

TEST(MoveGenerationTest, CastlingRightsAndAttackedSquares) {
    // Each case holds for White as written and for Black in the mirrored position.
    struct Case {
        const char* name;
        const char* fen;
        std::vector<const char*> moves;  // played before generating
        bool kingSide, queenSide;
    } cases[] = {
        {"both free", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {}, true, true},
        {"rights from the position text", "r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", {}, false, true},
        {"king in check", "r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq - 0 1", {}, false, false},
        {"king went away and back", "r3k2r/p7/8/8/8/8/8/R3K2R w KQkq - 0 1", {"e1f1", "a7a6", "f1e1", "a6a5"}, false, false},
        {"rook went away and back", "r3k2r/p7/8/8/8/8/8/R3K2R w KQkq - 0 1", {"h1h2", "a7a6", "h2h1", "a6a5"}, false, true},
        {"rook taken on its corner, another rook there now", "4k3/p7/8/8/8/7R/6b1/R3K2R w KQ - 0 1",
         {"h3h2", "g2h1", "h2h1", "a7a6"}, false, true},
        {"f1 attacked", "r3k2r/8/8/8/8/8/7n/R3K2R w KQkq - 0 1", {}, false, true},
        {"g1 attacked", "r3k2r/8/8/8/8/7n/8/R3K2R w KQkq - 0 1", {}, false, true},
        {"c1 attacked", "r3k2r/8/8/8/8/1n6/8/R3K2R w KQkq - 0 1", {}, true, false},
        {"d1 attacked", "r3k2r/8/8/8/8/2n5/8/R3K2R w KQkq - 0 1", {}, true, false},
        {"only b1 attacked", "r3k2r/8/8/8/8/n7/8/R3K2R w KQkq - 0 1", {}, true, true},
        {"no rook on the corner", "r3k2r/8/8/8/8/8/8/4K2R w Kkq - 0 1", {}, true, false},
        {"square between occupied", "r3k2r/8/8/8/8/8/8/RN2K1NR w KQkq - 0 1", {}, false, false},
    };
    for (const Case& c : cases)
        for (int mirrored = 0; mirrored < 2; ++mirrored) {
            SCOPED_TRACE(std::string(c.name) + (mirrored ? " (Black)" : " (White)"));
            Game g;
            ASSERT_TRUE(SetUpFromFen(g, mirrored ? MirrorFen(c.fen).c_str() : c.fen));
            for (const char* m : c.moves) ASSERT_TRUE(PlayCoordinateMove(g, mirrored ? MirrorMove(m).c_str() : m)) << m;
            Moves moves = MovesOf(g, g.sideToMove);
            EXPECT_EQ(Has(moves, mirrored ? "e8g8" : "e1g1"), c.kingSide);
            EXPECT_EQ(Has(moves, mirrored ? "e8c8" : "e1c1"), c.queenSide);
        }
}

TEST(MoveGenerationTest, EnPassantThatOpensTheRankIsRejectedAndLeavesItsSlotUncounted) {
    for (int black = 0; black < 2; ++black) {
        Game g;
        // Both pawns leave the rank in the trial, opening it for the rook.
        ASSERT_TRUE(SetUpFromFen(g, black ? "8/8/8/8/k3pP1R/8/8/K7 b - f3 0 1" : "k7/8/8/K2Pp2r/8/8/8/8 w - e6 0 1"));
        MoveListEntry list[kMoveListSize];
        g.GenerateLegalMoves(list, g.sideToMove);
        EXPECT_EQ(From(MovesOf(g, g.sideToMove), black ? "e4" : "d5"), (Moves{black ? "e4e3" : "d5d6"}));
        const MoveListEntry& slot = list[g.moveCount];
        EXPECT_EQ(slot.fromX * 1000 + slot.fromY * 100 + slot.toX * 10 + slot.toY, black ? 4352 : 3445);  // e4f3, d5e6
    }
}

TEST(MoveGenerationTest, EnPassantTrialPutsBackEveryFieldAndNeedsTheBoardToAgree) {
    for (int black = 0; black < 2; ++black) {
        SCOPED_TRACE(black ? "Black" : "White");
        Game g;
        ASSERT_TRUE(SetUpFromFen(g, black ? "4k3/8/8/8/4p3/8/5P2/4K3 w - - 0 1" : "4k3/5p2/8/4P3/8/8/8/4K3 b - - 0 1"));
        ASSERT_TRUE(PlayCoordinateMove(g, black ? "f2f4" : "f7f5"));
        int passedY = black ? 3 : 4, targetY = black ? 2 : 5;
        const char* capture = black ? "e4f3" : "e5f6";
        // The square passed over keeps the colour of the side that is not capturing.
        g.board[targetY][5].colour = black ? ColourWhite : ColourBlack;
        BoardCopy before(g);
        EXPECT_TRUE(Has(MovesOf(g, g.sideToMove), capture));
        EXPECT_TRUE(before.Same(g));
        // A board that does not agree with the last record: no en passant, and a capture
        // of what stands on the square is listed once.
        g.board[passedY][5].kind = PieceNone;
        EXPECT_FALSE(Has(MovesOf(g, g.sideToMove), capture));
        g.board[passedY][5].kind = PiecePawn;
        g.board[targetY][5].kind = PieceKnight;
        Moves moves = MovesOf(g, g.sideToMove);
        EXPECT_EQ(std::count(moves.begin(), moves.end(), capture), 1);
        g.board[targetY][5].colour ^= 1;  // an own piece
        EXPECT_FALSE(Has(MovesOf(g, g.sideToMove), capture));
    }
}

TEST(MoveGenerationTest, MarkLegalTargetsFlagsOnePiecesTargetsAndMinusOneClearsThem) {
    Game g;  // (selecting a piece on the board is played through in the board input's tests)
    g.Reset(ResetStartPosition);
    g_fakeWindow.Clear();
    g.MarkLegalTargets(ColourWhite, 6, 0);
    EXPECT_EQ(At(g, "f3").legalTarget + At(g, "h3").legalTarget + g.selectedTargetCount, 4);
    g.MarkLegalTargets(ColourWhite, -1, 0);
    EXPECT_EQ(At(g, "f3").legalTarget + At(g, "h3").legalTarget + g.selectedTargetCount, 0);
    g.MarkLegalTargets(ColourWhite, 8, 0);  // index 8 is a2
    EXPECT_EQ(At(g, "a3").legalTarget + At(g, "a4").legalTarget, 2);
    for (int side : {ColourWhite, ColourBlack}) {  // the king has no move; g1 is not Black's
        g.MarkLegalTargets(side, side == ColourWhite ? 4 : 6, 0);
        EXPECT_EQ(At(g, "a3").legalTarget + g.selectedTargetCount + g.moveCount, 0) << side;
    }
    EXPECT_TRUE(g_fakeWindow.messages.empty());  // nothing to say when a piece has no move
}

TEST(MoveGenerationTest, FullBoardOfMovesFitsTheList) {
    Game g;
    // 218 legal moves, the most a chess position has.
    ASSERT_TRUE(SetUpFromFen(g, "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1"));
    std::unique_ptr<MoveListEntry[]> list(new MoveListEntry[kMoveListSize]);  // exact size for the sanitizer
    g.GenerateLegalMoves(list.get(), ColourWhite);
    EXPECT_EQ(g.moveCount, 218);
    // A set-up board of queens has more legal moves than any list holds: the list fills
    // up and nothing is written beyond it.
    ASSERT_TRUE(SetUpFromFen(g, "QQQQQQQk/Q6Q/Q5Q1/Q5Q1/Q6Q/1Q5Q/QQ4QQ/K1QQQQ2 w - - 0 1"));
    g.GenerateLegalMoves(list.get(), ColourWhite);
    EXPECT_EQ(g.moveCount, kMoveListSize);
    for (int i = 0; i < g.moveCount; ++i) EXPECT_EQ(g.board[list[i].fromY][list[i].fromX].colour, ColourWhite);
}

TEST(MoveGenerationTest, OddBoardsComeBackUnchanged) {
    // Any pieces anywhere, kings missing or doubled, pawns on the back rows, stale
    // colours on empty squares and a last record that may name any double step.
    std::mt19937 rng(99);
    std::unique_ptr<Game> g(new Game);
    MoveListEntry list[kMoveListSize];
    for (int round = 0; round < 4000; ++round) {
        g->Reset(ResetEmpty);
        int density = int(rng() % 50) + 5;
        for (int i = 0; i < 64; ++i) {
            Square& q = g->board[i / 8][i % 8];
            q.colour = int(rng() % 2);
            q.kind = int(rng() % 100) < density ? int(rng() % 6) + 1 : PieceNone;
            q.markAge = int(rng() % 3);
        }
        g->ply = int(rng() % 3);
        for (int i = 0; i < g->ply; ++i) {
            MoveRecord& r = g->history[i];
            r.kind = PiecePawn;
            r.fromX = r.toX = int(rng() % 8);
            r.fromY = rng() % 2 ? 1 : 6;
            r.toY = r.fromY == 1 ? 3 : 4;
        }
        g->kingX = int(rng() % 8);
        g->kingY = int(rng() % 8);
        BoardCopy before(*g);
        g->GenerateLegalMoves(list, int(rng() % 2));
        ASSERT_TRUE(before.Same(*g)) << round;
        g->MarkLegalTargets(int(rng() % 2), int(rng() % 8), int(rng() % 8));
        for (int i = 0; i < 64; ++i) g->board[i / 8][i % 8].legalTarget = 0;
        ASSERT_TRUE(before.Same(*g)) << round;
    }
}

}  // namespace
