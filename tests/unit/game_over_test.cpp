// The end of a game: mate, stalemate, material, threefold repetition (side to move,
// castling and en-passant rights, piece colours), the fifty-move rule and the
// half-move limit, with the message each shows.

#include "fakes/fake_window.h"
#include "tools/common/engine_positions.h"
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

    // Each material case holds as written and with the colours swapped.
    const std::string material =
        std::string("Game over.\nNeither player has sufficient material to force checkmate.") + kDrawSuffix;
    for (const char* fen : {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", "4k3/8/8/8/8/8/8/2B1K3 b - - 0 1",
                            "4k3/5b2/8/8/8/8/8/1N2K3 w - - 0 1", "4k3/8/8/8/8/8/8/2B1Kb2 w - - 0 1",
                            "4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1"})
        for (const std::string& position : {std::string(fen), MirrorFen(fen)})
            EXPECT_EQ(JudgeFen(position.c_str()), R(StatusDraw, material)) << position;
    for (const char* fen : {"4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1", "4k3/8/8/8/8/8/8/1B2KB2 w - - 0 1",
                            "4k3/8/8/8/8/8/8/1N2KB2 w - - 0 1", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 1",
                            "4k3/8/8/8/8/8/8/R3K3 w - - 0 1", "4k3/8/8/8/8/8/8/3QK3 w - - 0 1"})
        for (const std::string& position : {std::string(fen), MirrorFen(fen)})
            EXPECT_EQ(JudgeFen(position.c_str()), R(StatusPlaying, "")) << position;

    Game quiet;  // without the message
    ASSERT_TRUE(SetUpFromFen(quiet, "6k1/8/8/8/8/8/6PP/r6K w - - 0 1"));
    g_fakeWindow.Clear();
    EXPECT_EQ(quiet.CheckGameOver(ColourWhite, 0), StatusCheckmate);
    EXPECT_TRUE(g_fakeWindow.messages.empty());
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
    EXPECT_EQ(g.ply, 10);
    EXPECT_EQ(g.IsThreefoldRepetition(), 1);  // an old threefold repetition stays

    // The king's triangle e1-d1-d2 against Black's two-step shuffle: the start
    // placement comes back after 5 half-moves with Black to move and after 12 with
    // White to move: three times in all, but only twice with the same side to move.
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/8/8/8/8/R3K3 w - - 0 1"));
    const char* cycle = "e1d1 e8d8 d1d2 d8e8 d2e1 e8d8 e1d1 d8e8 d1d2 e8d8 d2e1 d8e8 ";
    ASSERT_TRUE(PlayMoves(g, cycle));
    EXPECT_EQ(g.IsThreefoldRepetition(), 0);
    EXPECT_EQ(g.CheckGameOver(g.sideToMove, 0), StatusPlaying);
    ASSERT_TRUE(PlayMoves(g, cycle));
    EXPECT_EQ(g.IsThreefoldRepetition(), 1);
}

TEST(GameOverTest, RepetitionNeedsTheSameRightsAndPieceColours) {
    const char* rookShuffle = "g1f3 g8f6 h1g1 h8g8 g1h1 g8h8 f3g1 f6g8 g1f3 g8f6";
    const char* whiteEnPassant = "4k1n1/3p4/8/4P3/8/8/8/4K1N1 b - - 0 1";
    const char* blackEnPassant = "4k1n1/8/8/8/3p4/8/4P3/1N2K3 w - - 0 1";
    const char* whiteShuffle = "d7d5 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8";
    const char* blackShuffle = "e2e4 g8f6 b1c3 f6g8 c3b1 g8f6 b1c3 f6g8 c3b1";
    struct Case {
        const char* why;
        const char* position;
        std::string moves;
        int repeated;
    } cases[] = {
        // The placement after 5...Nf6 stood there after 1...Nf6 too, but then both
        // sides could still castle short.
        {"castling rights lost in between", "startpos", rookShuffle, 0},
        {"the same, two moves later", "startpos", rookShuffle + std::string(" f3g1 f6g8 g1f3 g8f6"), 1},
        {"rights already gone at the first time", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w Qq - 0 1", rookShuffle, 1},
        {"only White's short right lost", "startpos", "g1f3 g8f6 h1g1 f6g8 g1h1 g8f6 f3g1 f6g8 g1f3 g8f6", 0},
        {"only Black's short right lost", "startpos", "g1f3 g8f6 f3g1 h8g8 g1f3 g8h8 f3g1 f6g8 g1f3 g8f6", 0},
        {"long rights lost", "startpos", "b1c3 b8c6 a1b1 a8b8 b1a1 b8a8 c3b1 c6b8 b1c3 b8c6", 0},
        {"kings moved", "startpos", "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 e1e2 e8e7 e2e1 e7e8", 0},
        {"kings moved, two moves later", "startpos",
         "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 e1e2 e8e7 e2e1 e7e8 e1e2 e8e7 e2e1 e7e8", 1},
        // After the double step exd6 or dxe3 is possible only the first time.
        {"White could take en passant", whiteEnPassant, whiteShuffle, 0},
        {"Black could take en passant", blackEnPassant, blackShuffle, 0},
        // The capture would open the rank onto the king: it is no chance at all.
        {"White's en passant not legal", "4k1n1/3p4/8/K3P2r/8/8/8/6N1 b - - 0 1", whiteShuffle, 1},
        {"Black's en passant not legal", "6n1/8/8/8/R2p3k/8/4P3/1N2K3 w - - 0 1", blackShuffle, 1},
        // The rooks change places and back: the same squares hold rooks three times,
        // but the second time each stands where the other colour's stood.
        {"pieces of the other colour", "7r/8/5k2/8/8/2K5/8/R7 w - - 0 1", "a1a8 h8h1 a8h8 h1a1 h8h1 a1a8 h1a1 a8h8", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Game g;
        ASSERT_TRUE(SetUpPositionWithMoves(g, c.position, c.moves.c_str()));
        g.kingX = 3;  // generation scratch the test must leave alone
        g.moveCount = 7;
        BoardCopy before(g);
        EXPECT_EQ(g.IsThreefoldRepetition(), c.repeated);
        EXPECT_TRUE(before.Same(g));
        EXPECT_EQ(g.kingX, 3);
        EXPECT_EQ(g.moveCount, 7);
        EXPECT_EQ(g.CheckGameOver(g.sideToMove, 0), c.repeated ? StatusDraw : StatusPlaying);
    }
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
