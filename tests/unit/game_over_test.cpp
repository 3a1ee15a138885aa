// The end of a game: mate, stalemate, material, threefold repetition by side to move,
// the fifty-move rule and the half-move limit, with the message each shows.

#include "fakes/fake_window.h"
#include "unit/board_test_support.h"

namespace {

const char kDrawSuffix[] = "\nThis game is a draw.";

// Result and the message box text (empty when none was shown).
std::pair<int, std::string> Judge(Game& g) {
    g_fakeWindow.Clear();
    int status = g.CheckGameOver(g.sideToMove, 1);
    EXPECT_LE(g_fakeWindow.messages.size(), 1u);
    if (g_fakeWindow.messages.empty()) return {status, ""};
    EXPECT_EQ(g_fakeWindow.messageKinds.back(), MessageInfo);
    return {status, g_fakeWindow.messages.back()};
}

std::pair<int, std::string> JudgeFen(const char* fen) {
    Game g;
    EXPECT_TRUE(SetUpFromFen(g, fen)) << fen;
    return Judge(g);
}

// Commits a move by its squares, legal or not, the way the program commits one.
void Commit(Game& g, int from, int to) {
    g.MakeMove(&g.history[g.ply], from % 8, from / 8, to % 8, to / 8, 1, PieceQueen);
    ++g.ply;
    g.sideToMove ^= 1;
}

TEST(GameOverTest, MateStalemateAndMaterial) {
    using R = std::pair<int, std::string>;
    EXPECT_EQ(JudgeFen("6k1/8/8/8/8/8/6PP/r6K w - - 0 1"), R(StatusCheckmate, "Game over.\nBlack wins by checkmate."));
    EXPECT_EQ(JudgeFen("R5k1/5ppp/8/8/8/8/8/6K1 b - - 0 1"), R(StatusCheckmate, "Game over.\nWhite wins by checkmate."));
    // Stalemate is decided before material: king and knight against king.
    EXPECT_EQ(JudgeFen("k7/8/K1N5/8/8/8/8/8 b - - 0 1"), R(StatusStalemate, "Game over.\nStalemate."));

    const std::string material =
        std::string("Game over.\nNeither player has sufficient material to force checkmate.") + kDrawSuffix;
    for (const char* fen : {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "4k3/8/8/8/8/8/8/2B1K3 b - - 0 1",
                            "4k3/5b2/8/8/8/8/8/1N2K3 w - - 0 1", "4k3/8/8/8/8/8/8/2B1Kb2 w - - 0 1",
                            "4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1"})
        EXPECT_EQ(JudgeFen(fen), R(StatusDraw, material)) << fen;
    for (const char* fen : {"4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1",
                            "4k3/8/8/8/8/8/8/R3K3 w - - 0 1"})
        EXPECT_EQ(JudgeFen(fen), R(StatusPlaying, "")) << fen;

    Game quiet;  // without the message
    ASSERT_TRUE(SetUpFromFen(quiet, "6k1/8/8/8/8/8/6PP/r6K w - - 0 1"));
    g_fakeWindow.Clear();
    EXPECT_EQ(quiet.CheckGameOver(ColourWhite, 0) * 10 + int(g_fakeWindow.messages.size()), StatusCheckmate * 10);
}

TEST(GameOverTest, RepetitionCountsOnlyTheSameSideToMove) {
    Game g;
    g.Reset(ResetStartPosition);
    ASSERT_TRUE(PlayMoves(g, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1"));
    EXPECT_EQ(g.IsThreefoldRepetition(), 0);
    ASSERT_TRUE(PlayMoves(g, "f6g8"));
    g.board[3][3].mark = MarkRejected;
    g.board[4][4].legalTarget = 1;
    g.board[4][4].colour = ColourBlack;  // a stale colour
    Game before;
    before = g;
    EXPECT_EQ(g.IsThreefoldRepetition(), 1);  // boards 0, 4 and 8
    EXPECT_EQ(std::memcmp(g.board, before.board, sizeof(g.board)), 0);
    EXPECT_EQ(Judge(g), std::make_pair(int(StatusDraw), "Game over.\nThis position has been repeated three times." +
                                                            std::string(kDrawSuffix)));
    ASSERT_TRUE(PlayMoves(g, "e2e4 e7e5"));
    EXPECT_EQ(g.IsThreefoldRepetition() * 100 + g.ply, 110);  // an old threefold repetition stays

    // The king's triangle e1-d1-d2 against Black's two-step shuffle: the start
    // placement comes back after 5 half-moves with Black to move and after 12 with
    // White to move: three times in all, but only twice with the same side to move.
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/8/8/8/8/R3K3 w - - 0 1"));
    const char* cycle = "e1d1 e8d8 d1d2 d8e8 d2e1 e8d8 e1d1 d8e8 d1d2 e8d8 d2e1 d8e8 ";
    ASSERT_TRUE(PlayMoves(g, cycle));
    EXPECT_EQ(g.IsThreefoldRepetition() * 10 + g.CheckGameOver(g.sideToMove, 0), StatusPlaying);
    ASSERT_TRUE(PlayMoves(g, cycle));
    EXPECT_EQ(g.IsThreefoldRepetition(), 1);
}

int KindAt(const Game& g, int square) { return g.board[square / 8][square % 8].kind; }

// White's rook steps to the next free square above its own while Black's king
// shuffles h8-g8; with `pawnEvery` > 0 a white pawn steps instead every that many
// White moves, and the rook may start again from the bottom. With White to move the
// rook's square, or else the pawns, differ in every position: nothing repeats.
void Wander(Game& g, int halfMoves, int pawnEvery) {
    for (int n = 0; n < halfMoves; ++n) {
        if (g.sideToMove == ColourBlack) {
            int king = KindAt(g, 63) == PieceKing ? 63 : 62;
            Commit(g, king, 125 - king);
        } else if (pawnEvery > 0 && (g.ply / 2 + 1) % pawnEvery == 0) {
            int p = 8;
            while (p < 32 && !(KindAt(g, p) == PiecePawn && KindAt(g, p + 8) == PieceNone)) ++p;
            ASSERT_LT(p, 32);
            Commit(g, p, p + 8);
        } else {
            int rook = 0;
            while (KindAt(g, rook) != PieceRook) ++rook;
            int to = rook + 1;
            while (to < 62 && KindAt(g, to) != PieceNone) ++to;
            if (to >= 62) {
                ASSERT_GT(pawnEvery, 0);
                for (to = 0; KindAt(g, to) != PieceNone; ++to) {}
            }
            Commit(g, rook, to);
        }
    }
}

TEST(GameOverTest, FiftyMoveRule) {
    const std::string fifty = std::string("Game over.\nNo pawns moved or pieces captured in last fifty moves.") + kDrawSuffix;
    Game g;
    // Castling first: it does not reset the count. (The made-up records of the set-up
    // are dropped: this game starts here.)
    ASSERT_TRUE(SetUpFromFen(g, "7k/8/8/8/8/8/8/4K2R w K - 0 1"));
    g.ply = 0;
    Commit(g, 4, 6);
    Wander(g, 98, 0);
    EXPECT_EQ(g.history[0].special, SpecialCastling);
    EXPECT_EQ(Judge(g), std::make_pair(int(StatusPlaying), std::string()));
    Wander(g, 1, 0);
    EXPECT_EQ(Judge(g), std::make_pair(int(StatusDraw), fifty));

    // A capture at index ply - 100 prevents the draw; at ply - 101 it no longer does.
    ASSERT_TRUE(SetUpFromFen(g, "7k/8/8/8/8/8/8/K1n4R w - - 0 1"));
    g.ply = 0;
    Commit(g, 7, 2);
    Wander(g, 99, 0);
    EXPECT_EQ(g.history[0].capturedKind, PieceKnight);
    EXPECT_EQ(Judge(g).first, StatusPlaying);
    Wander(g, 1, 0);
    EXPECT_EQ(Judge(g), std::make_pair(int(StatusDraw), fifty));

    // Both rules hold: the repetition is named.
    g.Reset(ResetStartPosition);
    for (int i = 0; i < 25; ++i) ASSERT_TRUE(PlayMoves(g, "g1f3 g8f6 f3g1 f6g8"));
    EXPECT_NE(Judge(g).second.find("repeated three times"), std::string::npos);
}

TEST(GameOverTest, TheGameEndsAtItsHalfMoveLimit) {
    Game g;
    ASSERT_TRUE(SetUpFromFen(g, "7k/8/8/8/8/8/PPPPPPPP/K6R w - - 0 1"));
    g.ply = 0;
    Wander(g, kMaxGamePly - 1, 9);
    EXPECT_EQ(Judge(g).first, StatusPlaying);
    Wander(g, 1, 9);
    EXPECT_EQ(Judge(g), std::make_pair(int(StatusDraw),
                                       std::string("Game over.\nThe game has reached 400 half-moves.") + kDrawSuffix));
}

}  // namespace
