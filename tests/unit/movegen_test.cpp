#include <string.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/game.h"
#include "fakes/fake_window.h"
#include "tools/common/position_setup.h"

namespace {

std::string MoveText(const MoveListEntry& e) {
    return std::string{char('a' + e.fromX), char('1' + e.fromY), char('a' + e.toX), char('1' + e.toY)};
}

std::vector<std::string> Generate(Game& g, int side) {
    MoveListEntry list[kMoveListSize];
    g.GenerateLegalMoves(list, side);
    std::vector<std::string> moves;
    for (int i = 0; i < g.moveCount; ++i) moves.push_back(MoveText(list[i]));
    return moves;
}

std::vector<std::string> From(const std::vector<std::string>& moves, const char* square) {
    std::vector<std::string> out;
    for (const std::string& m : moves)
        if (m.compare(0, 2, square) == 0) out.push_back(m);
    return out;
}

bool Has(const std::vector<std::string>& moves, const char* move) {
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

typedef std::vector<std::string> Moves;

// The same position seen from the other side: ranks reversed, colours swapped.
std::string MirrorFen(const std::string& fen) {
    std::string placement = fen.substr(0, fen.find(' ')), rest = fen.substr(fen.find(' ') + 1);
    std::vector<std::string> ranks;
    size_t start = 0;
    for (size_t slash; (slash = placement.find('/', start)) != std::string::npos; start = slash + 1)
        ranks.push_back(placement.substr(start, slash - start));
    ranks.push_back(placement.substr(start));
    std::string out;
    for (auto it = ranks.rbegin(); it != ranks.rend(); ++it) out += (out.empty() ? "" : "/") + *it;
    for (char& c : out) c = isupper(c) ? char(tolower(c)) : char(toupper(c));
    std::string side = rest.substr(0, 1) == "w" ? "b" : "w";
    std::string castling = rest.substr(2, rest.find(' ', 2) - 2);
    for (char& c : castling) c = isupper(c) ? char(tolower(c)) : char(toupper(c));
    return out + " " + side + " " + castling + " -";
}

std::string MirrorMove(const char* m) {
    return std::string{m[0], char('9' - (m[1] - '0')), m[2], char('9' - (m[3] - '0'))};
}

TEST(MoveGenerationTest, StartPositionListsTwentyMovesInSquareOrderForBothSides) {
    Game g;
    g.Reset(ResetStartPosition);
    Moves white = Generate(g, ColourWhite);
    Moves expectedWhite = {"b1c3", "b1a3", "g1h3", "g1f3", "a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4",
                           "d2d3", "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4"};
    EXPECT_EQ(white, expectedWhite);
    EXPECT_EQ(g.kingX * 10 + g.kingY, 40);

    Moves black = Generate(g, ColourBlack);
    Moves expectedBlack = {"a7a6", "a7a5", "b7b6", "b7b5", "c7c6", "c7c5", "d7d6", "d7d5", "e7e6", "e7e5",
                           "f7f6", "f7f5", "g7g6", "g7g5", "h7h6", "h7h5", "b8c6", "b8a6", "g8h6", "g8f6"};
    EXPECT_EQ(black, expectedBlack);
    EXPECT_EQ(g.moveCount, 20);
    EXPECT_EQ(g.kingX * 10 + g.kingY, 47);
}

TEST(MoveGenerationTest, PawnCandidateOrderDependsOnRowAndColour) {
    Game g;
    // White on its second row captures towards the h-file first, higher up towards the
    // a-file first; Black always towards the h-file first, its double step last.
    ASSERT_TRUE(SetUpFromFen(g, "k7/2n1p3/3P1P2/8/8/2n1r3/3P4/K7 w - - 0 1"));
    Moves white = Generate(g, ColourWhite);
    EXPECT_EQ(From(white, "d2"), (Moves{"d2d3", "d2d4", "d2e3", "d2c3"}));
    EXPECT_EQ(From(white, "d6"), (Moves{"d6d7", "d6c7", "d6e7"}));
    Moves black = Generate(g, ColourBlack);
    EXPECT_EQ(From(black, "e7"), (Moves{"e7e6", "e7f6", "e7d6", "e7e5"}));
    ASSERT_TRUE(SetUpFromFen(g, "2n1r3/3P4/8/8/8/8/8/K6k w - - 0 1"));
    EXPECT_EQ(From(Generate(g, ColourWhite), "d7"), (Moves{"d7d8", "d7c8", "d7e8"}));
}

TEST(MoveGenerationTest, PinnedPiecesMoveOnlyAlongThePin) {
    Game g;
    ASSERT_TRUE(SetUpFromFen(g, "7q/8/7k/8/3B4/8/8/K7 w - - 0 1"));
    EXPECT_EQ(From(Generate(g, ColourWhite), "d4"), (Moves{"d4e5", "d4f6", "d4g7", "d4h8", "d4c3", "d4b2"}));
    ASSERT_TRUE(SetUpFromFen(g, "k3r3/8/8/4R3/8/8/8/4K3 w - - 0 1"));
    EXPECT_EQ(From(Generate(g, ColourWhite), "e5"), (Moves{"e5e6", "e5e7", "e5e8", "e5e4", "e5e3", "e5e2"}));
    // Nothing at all for a piece pinned across its only lines.
    ASSERT_TRUE(SetUpFromFen(g, "2r4k/8/8/4n3/8/2B5/8/2K5 w - - 0 1"));
    EXPECT_TRUE(From(Generate(g, ColourWhite), "c3").empty());
}

TEST(MoveGenerationTest, WithoutAKingTheStoredSquareIsTheOneTested) {
    Game g;
    // No white king: the square stored by the last generation, Black's e8, is tested.
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/8/8/8/8/3Rr3 w - - 0 1"));
    Generate(g, ColourBlack);
    EXPECT_EQ(Generate(g, ColourWhite), (Moves{"d1e1"}));  // only the capture stops the attack on e8
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/8/4R3/8/8/4r3 w - - 0 1"));
    Generate(g, ColourBlack);
    EXPECT_EQ(Generate(g, ColourWhite), (Moves{"e4e5", "e4e6", "e4e7", "e4e3", "e4e2", "e4e1"}));  // not onto e8 itself
}

TEST(MoveGenerationTest, KingCannotStepBackAlongTheCheckingLine) {
    Game g;
    ASSERT_TRUE(SetUpFromFen(g, "3r3k/8/8/8/3K4/8/8/8 w - - 0 1"));
    EXPECT_EQ(Generate(g, ColourWhite), (Moves{"d4e5", "d4e4", "d4e3", "d4c3", "d4c4", "d4c5"}));
    ASSERT_TRUE(SetUpFromFen(g, "7k/8/8/8/8/2b5/8/K7 w - - 0 1"));  // bishop c3 checks a1
    EXPECT_EQ(Generate(g, ColourWhite), (Moves{"a1a2", "a1b1"}));
}

// Each case holds for White as written and for Black in the mirrored position.
struct CastlingCase {
    const char* name;
    const char* fen;
    std::vector<const char*> moves;  // played before generating, in coordinate notation
    bool kingSide, queenSide;
};

const CastlingCase kCastlingCases[] = {
    {"both free", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {}, true, true},
    {"rights from the position text", "r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1", {}, false, true},
    {"king in check", "r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq - 0 1", {}, false, false},
    {"king went away and came back", "r3k2r/p7/8/8/8/8/8/R3K2R w KQkq - 0 1", {"e1f1", "a7a6", "f1e1", "a6a5"}, false,
     false},
    {"king-side rook went away and came back", "r3k2r/p7/8/8/8/8/8/R3K2R w KQkq - 0 1",
     {"h1h2", "a7a6", "h2h1", "a6a5"}, false, true},
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

TEST(MoveGenerationTest, CastlingRightsAndAttackedSquares) {
    for (const CastlingCase& c : kCastlingCases) {
        std::string fen = c.fen;
        for (int mirrored = 0; mirrored < 2; ++mirrored) {
            SCOPED_TRACE(std::string(c.name) + (mirrored ? " (Black)" : " (White)"));
            Game g;
            ASSERT_TRUE(SetUpFromFen(g, mirrored ? MirrorFen(fen).c_str() : fen.c_str()));
            for (const char* m : c.moves)
                ASSERT_TRUE(PlayCoordinateMove(g, mirrored ? MirrorMove(m).c_str() : m)) << m;
            Moves moves = Generate(g, g.sideToMove);
            EXPECT_EQ(Has(moves, mirrored ? "e8g8" : "e1g1"), c.kingSide);
            EXPECT_EQ(Has(moves, mirrored ? "e8c8" : "e1c1"), c.queenSide);
        }
    }
}


TEST(MoveGenerationTest, EnPassantFollowsTheLastDoubleStep) {
    Game g;
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"));
    EXPECT_EQ(From(Generate(g, ColourWhite), "e5"), (Moves{"e5e6", "e5d6"}));
    // Taking the checking pawn en passant is the only pawn move.
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/4pP2/3K4/8/8/8 w - e6 0 1"));
    EXPECT_EQ(From(Generate(g, ColourWhite), "f5"), (Moves{"f5e6"}));
    // Black's, towards the h-file first, after its ordinary captures.
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1"));
    EXPECT_EQ(From(Generate(g, ColourBlack), "d4"), (Moves{"d4d3", "d4e3"}));
    // Another move after the double step, or none recorded at all: no en passant.
    ASSERT_TRUE(SetUpFromFen(g, "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"));
    ASSERT_TRUE(PlayCoordinateMove(g, "e1d1"));
    ASSERT_TRUE(PlayCoordinateMove(g, "e8d8"));
    EXPECT_EQ(From(Generate(g, ColourWhite), "e5"), (Moves{"e5e6"}));
    ASSERT_TRUE(SetUpFromFen(g, "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1"));
    ASSERT_EQ(g.ply, 0);
    EXPECT_EQ(From(Generate(g, ColourWhite), "e5"), (Moves{"e5e6"}));
}

TEST(MoveGenerationTest, EnPassantThatOpensTheRankIsRejectedAndLeavesItsSlotUncounted) {
    for (int black = 0; black < 2; ++black) {
        SCOPED_TRACE(black ? "Black" : "White");
        Game g;
        // Both pawns leave the rank in the trial, opening it for the rook.
        ASSERT_TRUE(SetUpFromFen(g, black ? "8/8/8/8/k3pP1R/8/8/K7 b - f3 0 1" : "k7/8/8/K2Pp2r/8/8/8/8 w - e6 0 1"));
        MoveListEntry list[kMoveListSize];
        g.GenerateLegalMoves(list, g.sideToMove);
        Moves moves;
        for (int i = 0; i < g.moveCount; ++i) moves.push_back(MoveText(list[i]));
        EXPECT_EQ(From(moves, black ? "e4" : "d5"), (Moves{black ? "e4e3" : "d5d6"}));
        EXPECT_EQ(MoveText(list[g.moveCount]), black ? "e4f3" : "d5e6");
    }
}

// Saves the board with every field, compares it whole.
struct BoardCopy {
    Square squares[8][8];
    explicit BoardCopy(const Game& g) { memcpy(squares, g.board, sizeof squares); }
    bool Same(const Game& g) const { return memcmp(squares, g.board, sizeof squares) == 0; }
};

TEST(MoveGenerationTest, EnPassantTrialPutsBackEveryFieldAndNeedsTheBoardToAgree) {
    for (int black = 0; black < 2; ++black) {
        SCOPED_TRACE(black ? "Black" : "White");
        Game g;
        ASSERT_TRUE(SetUpFromFen(g, black ? "4k3/8/8/8/4p3/8/5P2/4K3 w - - 0 1" : "4k3/5p2/8/4P3/8/8/8/4K3 b - - 0 1"));
        ASSERT_TRUE(PlayCoordinateMove(g, black ? "f2f4" : "f7f5"));
        int passedY = black ? 3 : 4, targetY = black ? 2 : 5;
        // The square passed over keeps the colour of the side that is not capturing.
        g.board[targetY][5].colour = black ? ColourWhite : ColourBlack;
        BoardCopy before(g);
        Moves moves = Generate(g, g.sideToMove);
        EXPECT_TRUE(Has(moves, black ? "e4f3" : "e5f6"));
        EXPECT_TRUE(before.Same(g));
        // A board that does not agree with the last record: no en passant, and a capture
        // of what stands on the square is listed once.
        g.board[passedY][5].kind = PieceNone;
        EXPECT_FALSE(Has(Generate(g, g.sideToMove), black ? "e4f3" : "e5f6"));
        g.board[passedY][5].kind = PiecePawn;
        g.board[targetY][5].kind = PieceKnight;
        g.board[targetY][5].colour = black ? ColourWhite : ColourBlack;
        moves = Generate(g, g.sideToMove);
        EXPECT_EQ(std::count(moves.begin(), moves.end(), black ? "e4f3" : "e5f6"), 1);
        g.board[targetY][5].colour = black ? ColourBlack : ColourWhite;  // an own piece
        EXPECT_FALSE(Has(Generate(g, g.sideToMove), black ? "e4f3" : "e5f6"));
    }
}

TEST(MoveGenerationTest, MarkLegalTargetsFlagsOnePiecesTargets) {
    Game g;
    g.Reset(ResetStartPosition);
    auto flagged = [&g]() {
        std::string squares;
        for (int i = 0; i < 64; ++i)
            if (g.board[i / 8][i % 8].legalTarget) squares += std::string{char('a' + i % 8), char('1' + i / 8)};
        return squares;
    };
    g.MarkLegalTargets(ColourWhite, 6, 0);
    EXPECT_EQ(flagged(), "f3h3");
    EXPECT_EQ(g.selectedTargetCount, 2);
    g.MarkLegalTargets(ColourWhite, -1, 0);  // no square: every flag cleared
    EXPECT_EQ(flagged(), "");
    EXPECT_EQ(g.selectedTargetCount, 0);
    g.MarkLegalTargets(ColourWhite, 8, 0);  // index 8 is a2
    EXPECT_EQ(flagged(), "a3a4");
    g.MarkLegalTargets(ColourWhite, 4, 0);  // the king has no move
    EXPECT_EQ(flagged(), "");
    g.MarkLegalTargets(ColourBlack, 6, 0);  // a piece of the other colour
    EXPECT_EQ(flagged(), "");
    EXPECT_EQ(g.moveCount, 0);
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

const char* const kGameStarts[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
};

TEST(MoveGenerationTest, RandomGamesKeepTheBoard) {
    std::mt19937 rng(77);
    std::unique_ptr<Game> g(new Game);
    int positions = 0;
    for (int game = 0; game < 60; ++game) {
        ASSERT_TRUE(SetUpFromFen(*g, kGameStarts[game % 5]));
        for (int ply = 0; ply < 160 && g->ply < kMaxGamePly; ++ply) {
            BoardCopy before(*g);
            int side = g->sideToMove;
            Generate(*g, side ^ 1);  // the side not to move, as a search's replies
            ASSERT_TRUE(before.Same(*g));
            Moves moves = Generate(*g, side);
            ASSERT_TRUE(before.Same(*g)) << "game " << game << " ply " << ply;
            ++positions;
            if (moves.empty()) break;
            const std::string& m = moves[rng() % moves.size()];
            ASSERT_TRUE(PlayCoordinateMove(*g, (m + "nbrq"[rng() % 4]).c_str()) || PlayCoordinateMove(*g, m.c_str()));
        }
    }
    EXPECT_GT(positions, 3000);
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
