// Making and taking back moves: en passant, castling, promotion, marks, and random
// games that must keep the board through generation and make/unmake.
#include <memory>
#include <random>

#include "fakes/fake_window.h"
#include "tools/common/position_setup.h"
#include "unit/board_test_support.h"

namespace {

// Plays a move such as "e5d6" into the record at ply, as every caller does.
MoveRecord& Make(Game& g, const char* m, int silent = 1, int promoKind = PieceQueen) {
    MoveRecord& rec = g.history[g.ply];
    g.MakeMove(&rec, m[0] - 'a', m[1] - '1', m[2] - 'a', m[3] - '1', silent, promoKind);
    return rec;
}

std::string Name(int x, int y) { return std::string{char('a' + x), char('1' + y)}; }

TEST(MovesTest, EnPassantForBothColoursAndPlainCaptures) {
    struct Case { const char* fen; const char* move; const char* victim; int special, secColour; } cases[] = {
        {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "d5", SpecialEnPassant, ColourBlack},
        {"4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1", "d4e3", "e4", SpecialEnPassant, ColourWhite},
        {"4k3/8/3n4/3pP3/8/8/8/4K3 w - - 0 1", "e5d6", "d5", SpecialNone, -1},
    };
    for (const Case& c : cases) {
        Game g, before;
        ASSERT_TRUE(SetUpFromFen(g, c.fen));
        before = g;
        MoveRecord& rec = Make(g, c.move);
        EXPECT_EQ(At(g, c.victim).kind, c.special ? PieceNone : PiecePawn) << c.move;
        EXPECT_EQ(rec.special, c.special);
        if (c.special) {
            EXPECT_EQ(rec.capturedKind, PieceNone);
            EXPECT_EQ(Name(rec.secFromX, rec.secFromY), c.victim);
            EXPECT_EQ(rec.secToX, -1);
            EXPECT_EQ(rec.secColour, c.secColour);
        }
        g.UnmakeMove(&rec);
        EXPECT_TRUE(SamePlacement(g, before, true)) << c.move;
    }
}

TEST(MovesTest, AllFourCastlingsAndPlainKingSteps) {
    struct Case { const char* move; const char* rookFrom; const char* rookTo; int colour; } cases[] = {
        {"e1g1", "h1", "f1", ColourWhite}, {"e1c1", "a1", "d1", ColourWhite},
        {"e8g8", "h8", "f8", ColourBlack}, {"e8c8", "a8", "d8", ColourBlack},
    };
    for (const Case& c : cases) {
        Game g, before;
        ASSERT_TRUE(SetUpFromFen(g, "r3k2r/8/8/8/8/8/8/RN2K2R w KQkq - 0 1"));
        before = g;
        MoveRecord& rec = Make(g, c.move);
        EXPECT_EQ(At(g, c.rookFrom).kind, PieceNone) << c.move;
        EXPECT_EQ(At(g, c.rookTo).kind, PieceRook) << c.move;
        EXPECT_EQ(At(g, c.rookTo).colour, c.colour) << c.move;
        EXPECT_EQ(At(g, c.move + 2).kind, PieceKing) << c.move;
        EXPECT_EQ(At(g, "b1").kind, PieceKnight) << c.move;
        EXPECT_EQ(rec.special, SpecialCastling) << c.move;
        EXPECT_EQ(rec.secColour, c.colour) << c.move;
        EXPECT_EQ(Name(rec.secFromX, rec.secFromY), c.rookFrom) << c.move;
        EXPECT_EQ(Name(rec.secToX, rec.secToY), c.rookTo) << c.move;
        g.UnmakeMove(&rec);
        EXPECT_TRUE(SamePlacement(g, before, true)) << c.move;
    }
    for (const char* step : {"e1d1", "e1f1", "e1d2", "e1e2", "e1f2"}) {
        Game g;
        ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1"));
        EXPECT_EQ(Make(g, step).special, SpecialNone) << step;
        EXPECT_EQ(At(g, "a1").kind + At(g, "h1").kind, 2 * PieceRook) << step;
    }
}

TEST(MovesTest, PromotionPieceComesFromTheRightPlace) {
    Game g;
    // White pawn e7 may push to e8 or take on d8; Black pawn b2 may push to b1.
    ASSERT_TRUE(SetUpFromFen(g, "3r3k/4P3/8/8/8/8/1p6/7K w - - 0 1"));
    g_fakeWindow.Clear();
    EXPECT_EQ(Make(g, "e7e8", 1, PieceRook).newKind, PieceRook);  // silent: the given kind
    g.UnmakeMove(&g.history[g.ply]);
    g.player[ColourBlack].isComputer = 1;
    EXPECT_EQ(Make(g, "b2b1", 0, PieceBishop).newKind, PieceBishop);  // computer: never asks
    g.UnmakeMove(&g.history[g.ply]);
    EXPECT_EQ(g_fakeWindow.promotionRequests, 0);

    // A person is asked; 2..5 is the piece, anything else (a failed dialog) a queen.
    struct Case { int answer, expected; } cases[] = {{3, 3}, {2, 2}, {4, 4}, {0, 5}, {-1, 5}, {1, 5}, {6, 5}};
    for (const Case& c : cases) {
        g_fakeWindow.promotionAnswer = c.answer;
        EXPECT_EQ(Make(g, "e7e8", 0, PieceRook).newKind, c.expected) << c.answer;
        EXPECT_EQ(At(g, "e8").kind, c.expected);
        g.UnmakeMove(&g.history[g.ply]);
    }
    EXPECT_EQ(g_fakeWindow.promotionRequests, 7);

    Game before;
    before = g;
    MoveRecord& capture = Make(g, "e7d8", 1, PieceKnight);
    EXPECT_EQ(capture.capturedKind, PieceRook);
    EXPECT_EQ(At(g, "d8").kind, PieceKnight);
    EXPECT_EQ(At(g, "d8").colour, ColourWhite);
    g.UnmakeMove(&capture);
    EXPECT_TRUE(SamePlacement(g, before, true));
    g_fakeWindow.Clear();
}

TEST(MovesTest, ClearMarksByValue) {
    Game g;
    g.Reset(ResetEmpty);
    for (int i = 0; i < 64; ++i) g.board[i / 8][i % 8].mark = i % 4, g.board[i / 8][i % 8].markAge = 9;
    g.ClearMarks(3);
    g.ClearMarks(7);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(g.board[i / 8][i % 8].mark, i % 4 == 3 ? 0 : i % 4);
    g.ClearMarks(MarkNone);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(g.board[i / 8][i % 8].mark, MarkNone) << i;
        EXPECT_EQ(g.board[i / 8][i % 8].markAge, 9) << i;
    }
}

const char* const kGameStarts[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
};

// Random games from several starts: generating the moves of either side leaves every
// field of every square alone, and every legal move made and taken back restores the
// board with its marks, the ply and the side to move.
TEST(MovesTest, RandomGamesKeepTheBoardThroughGenerationAndMakeUnmake) {
    std::mt19937 random(20240611);
    MoveListEntry list[kMoveListSize];
    std::unique_ptr<Game> g(new Game), before(new Game);
    int movesTried = 0;
    for (int gameNo = 0; gameNo < 50; ++gameNo) {
        ASSERT_TRUE(SetUpFromFen(*g, kGameStarts[gameNo % 5]));
        for (int i = 0; i < 64; ++i) g->board[i / 8][i % 8].mark = static_cast<int>(random() % 4);
        while (g->ply < 300) {
            BoardCopy saved(*g);
            g->GenerateLegalMoves(list, g->sideToMove ^ 1);  // the side not to move, as a search's replies
            ASSERT_TRUE(saved.Same(*g));
            g->GenerateLegalMoves(list, g->sideToMove);
            ASSERT_TRUE(saved.Same(*g)) << "game " << gameNo << " ply " << g->ply;
            int count = g->moveCount;
            if (count == 0) break;
            *before = *g;
            for (int m = 0; m < count; ++m) {
                const MoveListEntry& e = list[m];
                g->MakeMove(&g->history[g->ply], e.fromX, e.fromY, e.toX, e.toY, 1, 2 + static_cast<int>(random() % 4));
                g->UnmakeMove(&g->history[g->ply]);
                ASSERT_TRUE(SamePlacement(*g, *before, true)) << "game " << gameNo << " ply " << g->ply << " move " << m;
                ++movesTried;
            }
            ASSERT_EQ(g->ply * 2 + g->sideToMove, before->ply * 2 + before->sideToMove);
            const MoveListEntry& e = list[random() % count];
            g->MakeMove(&g->history[g->ply], e.fromX, e.fromY, e.toX, e.toY, 1, 2 + static_cast<int>(random() % 4));
            ++g->ply;
            g->sideToMove ^= 1;
        }
    }
    EXPECT_GT(movesTried, 100000);
}

}  // namespace
