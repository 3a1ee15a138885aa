// Legal-move generation: the order of the list, pins and checks, castling, en passant,
// the list's bound, target marking and boards left as they were.
#include <algorithm>
#include <memory>
#include <random>
#include <sstream>

#include "fakes/fake_window.h"
#include "tools/common/engine_positions.h"
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
    EXPECT_EQ(g.kingX, 4);
    EXPECT_EQ(g.kingY, 0);
    EXPECT_EQ(MovesOf(g, ColourBlack), (Moves{"a7a6", "a7a5", "b7b6", "b7b5", "c7c6", "c7c5", "d7d6", "d7d5", "e7e6",
                                              "e7e5", "f7f6", "f7f5", "g7g6", "g7g5", "h7h6", "h7h5", "b8c6", "b8a6",
                                              "g8h6", "g8f6"}));
    EXPECT_EQ(g.kingX, 4);
    EXPECT_EQ(g.kingY, 7);
}

// Words of a space-separated text.
Moves Words(const char* text) {
    std::istringstream in(text);
    Moves words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

TEST(MoveGenerationTest, WholeListsInSquareAndCandidateOrder) {
    struct Case {
        const char* fen;
        const char* expected;
    } cases[] = {
        // King steps clockwise from straight up; the queen's rook rays (up, down, right,
        // left) before its bishop rays (up-right, down-right, up-left, down-left).
        {"1k6/8/8/8/3Q4/8/7K/8 w - - 0 1",
         "h2h3 h2h1 h2g1 h2g2 h2g3 "
         "d4d5 d4d6 d4d7 d4d8 d4d3 d4d2 d4d1 d4e4 d4f4 d4g4 d4h4 d4c4 d4b4 d4a4 "
         "d4e5 d4f6 d4g7 d4h8 d4e3 d4f2 d4g1 d4c5 d4b6 d4a7 d4c3 d4b2 d4a1"},
        // Castling after the king's steps, the short side before the long side.
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
         "a1a2 a1a3 a1a4 a1a5 a1a6 a1a7 a1a8 a1b1 a1c1 a1d1 e1e2 e1f2 e1f1 e1d1 e1d2 e1g1 e1c1 "
         "h1h2 h1h3 h1h4 h1h5 h1h6 h1h7 h1h8 h1g1 h1f1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
         "a8a7 a8a6 a8a5 a8a4 a8a3 a8a2 a8a1 a8b8 a8c8 a8d8 e8f8 e8f7 e8e7 e8d7 e8d8 e8g8 e8c8 "
         "h8h7 h8h6 h8h5 h8h4 h8h3 h8h2 h8h1 h8g8 h8f8"},
        // Bishop rays up-right, down-right, up-left, down-left; knight jumps clockwise
        // from (+1, +2).
        {"4k3/8/8/4N3/8/8/8/2B4K w - - 0 1",
         "c1d2 c1e3 c1f4 c1g5 c1h6 c1b2 c1a3 h1h2 h1g1 h1g2 e5f7 e5g6 e5g4 e5f3 e5d3 e5c4 e5c6 e5d7"},
        // Pawns: White captures towards the h-file first on its second row, towards the
        // a-file higher up, en passant last; Black captures towards the h-file first,
        // en passant next and its double step last.
        {"4k3/8/8/3pP3/8/2p1p3/3P4/4K3 w - d6 0 1",
         "e1e2 e1f1 e1d1 d2d3 d2d4 d2e3 d2c3 e5e6 e5d6"},
        {"4k3/3p4/2P1P3/8/3pP3/8/8/4K3 b - e3 0 1",
         "d4d3 d4e3 d7d6 d7e6 d7c6 d7d5 e8f8 e8e7 e8d8"},
    };
    for (const Case& c : cases) {
        Game g;
        ASSERT_TRUE(SetUpFromFen(g, c.fen)) << c.fen;
        EXPECT_EQ(MovesOf(g, g.sideToMove), Words(c.expected)) << c.fen;
    }
}

// The squares whose legalTarget flag is set, in square order.
std::string Flagged(const Game& g) {
    std::string flagged;
    for (int i = 0; i < 64; ++i)
        if (g.board[i / 8][i % 8].legalTarget)
            flagged += std::string(flagged.empty() ? "" : " ") + char('a' + i % 8) + char('1' + i / 8);
    return flagged;
}

TEST(MoveGenerationTest, MarkLegalTargetsFlagsExactlyThePiecesTargets) {
    struct Case {
        const char* fen;
        int side;
        const char* square;
        const char* flagged;  // in square order
    } cases[] = {
        {"startpos", ColourWhite, "g1", "f3 h3"},
        {"startpos", ColourWhite, "e2", "e3 e4"},
        {"startpos", ColourBlack, "b8", "a6 c6"},
        {"startpos", ColourWhite, "e1", ""},
        {"startpos", ColourBlack, "g1", ""},  // not Black's piece
        {"startpos", ColourWhite, "e4", ""},  // empty
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", ColourWhite, "e1", "c1 d1 f1 g1 d2 e2 f2"},
        {"1k6/8/8/8/3Q4/8/7K/8 w - - 0 1", ColourWhite, "d4",
         "a1 d1 g1 b2 d2 f2 c3 d3 e3 a4 b4 c4 e4 f4 g4 h4 c5 d5 e5 b6 d6 f6 a7 d7 g7 d8 h8"},
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", ColourWhite, "e5", "d6 e6"},
    };
    for (const Case& c : cases) {
        Game g;
        ASSERT_TRUE(SetUpPositionWithMoves(g, c.fen, ""));
        for (int i = 0; i < 64; ++i) g.board[i / 8][i % 8].legalTarget = 1;  // cleared first
        g.MarkLegalTargets(c.side, c.square[0] - 'a', c.square[1] - '1');
        EXPECT_EQ(Flagged(g), c.flagged) << c.fen << " " << c.square;
        EXPECT_EQ(g.selectedTargetCount, int(Words(c.flagged).size())) << c.fen << " " << c.square;
    }
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
        const MoveListEntry& slot = list[g.moveCount];  // e4f3, d5e6
        EXPECT_EQ(slot.fromX, black ? 4 : 3);
        EXPECT_EQ(slot.fromY, black ? 3 : 4);
        EXPECT_EQ(slot.toX, black ? 5 : 4);
        EXPECT_EQ(slot.toY, black ? 2 : 5);
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

TEST(MoveGenerationTest, MarkLegalTargetsTakesTheSquareByItsIndex) {
    Game g;  // (selecting a piece on the board is played through in the board input's tests)
    g.Reset(ResetStartPosition);
    g_fakeWindow.Clear();
    g.MarkLegalTargets(ColourWhite, 6, 0);
    g.MarkLegalTargets(ColourWhite, -1, 0);  // no square: the flags of g1 are cleared
    EXPECT_EQ(Flagged(g), "");
    EXPECT_EQ(g.selectedTargetCount, 0);
    EXPECT_EQ(g.moveCount, 0);
    g.MarkLegalTargets(ColourWhite, 8, 0);  // index 8 is a2
    EXPECT_EQ(Flagged(g), "a3 a4");
    EXPECT_TRUE(g_fakeWindow.messages.empty());
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
