// The classic search (mates at every level are in the golden set): mate and stalemate
// at the root, repetition avoidance and the state it leaves; and a differential check
// against a plain minimax with the same leaf rules (the recapture rule among them) and
// the same tie-breaking by the sorted order.
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "unit/engine_test_support.h"

namespace {

TEST(EngineSearch, MateAndStalemateAtTheRootAndForCanRecaptureOn) {
    const char* mated = "k7/8/8/8/8/8/5PPP/3r2K1 w - - 0 1";
    const char* stalemated = "k7/8/1Q6/8/8/8/8/7K b - - 0 1";
    for (const char* fen : {mated, stalemated}) {
        int expected = fen == mated ? kComputerMated : 0;
        ThinkResult r = ThinkOnce(*EngineGame(fen), 1);
        EXPECT_EQ(r.value, expected) << fen;
        EXPECT_EQ(r.move.fromX, kNoMove) << fen;  // nothing chosen
        EXPECT_EQ(EngineGame(fen)->CanRecaptureOn(3, 0), expected) << fen;
    }
    std::unique_ptr<Game> game = EngineGame("7k/6pp/6Pp/7P/2B5/8/8/K7 w - - 0 1");
    EXPECT_EQ(game->CanRecaptureOn(6, 6), -1);   // nothing reaches g7
    EXPECT_EQ(game->CanRecaptureOn(2, 3), -1);   // own bishop's square
    EXPECT_EQ(game->CanRecaptureOn(5, 6), 1);    // Bc4-f7
}

TEST(EngineSearch, WhenEveryMoveIsMatedTheFirstGeneratedStaysChosen) {
    // Every move of White runs into ...Qg2 mate: every root move scores the maximum.
    for (int level = 1; level <= 2; ++level) {
        std::unique_ptr<Game> lost = EngineGame("8/8/8/8/8/5k2/5q1P/N6K w - - 0 1", "", level);
        Moves moves = MovesOf(*lost, ColourWhite);
        ASSERT_GT(moves.size(), 1u);
        ThinkResult r = ThinkOnce(*lost, level);
        EXPECT_EQ(r.value, kComputerMated);
        EXPECT_EQ(Text(r.move), moves[0]);
    }
}

TEST(EngineSearch, RepeatingBestMoveIsReplacedWhileNotWorse) {
    // White's king prefers c1; back on c1, Black's Kh8 would repeat the position.
    std::unique_ptr<Game> game =
        EngineGame("7k/7p/8/8/8/8/7P/2K5 w - - 0 1", "c1d1 h8g8 d1c1 g8h8 c1d1 h8g8", 1);
    std::unique_ptr<Game> fresh = EngineGame("7k/7p/8/8/8/8/7P/2K5 w - - 0 1", "c1d1 h8g8", 1);
    ThinkResult natural = ThinkOnce(*fresh, 1);
    ASSERT_EQ(Text(natural.move), "d1c1");
    ASSERT_LT(natural.value, kAcceptRepetition);
    ThinkResult r = ThinkOnce(*game, 1);
    EXPECT_NE(Text(r.move), "d1c1");
    EXPECT_STREQ(game->titleSuffix.CStr(), " [alt.searching] ");
    EXPECT_EQ(Text(game->firstChoice), "d1c1");
    // The repeated pass's ticks carry the suffix.
    ASSERT_FALSE(g_fakeThinking.progressSuffixes.empty());
    EXPECT_EQ(g_fakeThinking.progressSuffixes.front(), "");
    EXPECT_EQ(g_fakeThinking.progressSuffixes.back(), " [alt.searching] ");
}

TEST(EngineSearch, RepetitionIsAcceptedWhenEveryOtherMoveIsWorse) {
    // Kg1-h1 is the only king move; the knight's moves lose it to the bishop.
    std::unique_ptr<Game> game =
        EngineGame("8/8/8/8/8/7p/4k2P/N2b3K w - - 0 1", "h1g1 e2e1 g1h1 e1e2 h1g1 e2e1", 1);
    ThinkResult r = ThinkOnce(*game, 1);
    EXPECT_EQ(Text(r.move), "g1h1");
    EXPECT_STREQ(game->titleSuffix.CStr(), " [alt.searching] ");
    EXPECT_GE(r.value, kAcceptRepetition);  // the value of the last pass

    // The same with no knight: the one legal move repeats and is still played, and
    // no second pass is made.
    std::unique_ptr<Game> single =
        EngineGame("8/8/8/8/8/7p/4k2P/7K w - - 0 1", "h1g1 e2e1 g1h1 e1e2 h1g1 e2e1", 1);
    r = ThinkOnce(*single, 1);
    EXPECT_EQ(Text(r.move), "g1h1");
    EXPECT_LT(r.value, kAcceptRepetition);
    EXPECT_STREQ(single->titleSuffix.CStr(), "");
}

TEST(EngineSearch, RootRepetitionTestCountsCastlingRights) {
    // 5.Nf3 Nf6 would bring back the placement of 1...Nf6 and 3...Rh8, but after
    // 1...Nf6 both sides could still castle short: no repetition yet. Two moves later
    // it is one.
    const char* line = "g1f3 g8f6 h1g1 h8g8 g1h1 g8h8 f3g1 f6g8";
    const MoveListEntry knightOut = {6, 0, 5, 2};
    for (const std::string& moves : {std::string(line), std::string(line) + " g1f3 g8f6 f3g1 f6g8"}) {
        std::unique_ptr<Game> game = EngineGame("startpos", moves.c_str());
        game->opponentSide = ColourBlack;
        EXPECT_EQ(MoveAllowsRepetition(*game, knightOut), game->ply == 8 ? 0 : 1) << moves;
    }
}

TEST(EngineSearch, BoardPlyAndHistoryAreRestoredAndTheLookaheadStaysInItsRoom) {
    static const char* kCycle[4] = {"e1d1 ", "e8d8 ", "d1e1 ", "d8e8 "};
    std::string shuffle;
    for (int i = 0; i < 397; ++i) shuffle += kCycle[i % 4];
    struct Case { const char* position; std::string moves; int level; } all[] = {
        {"startpos", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5", 2},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "", 2},  // en passant
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", "", 1},
        {"8/3P4/8/8/8/6k1/8/4K3 w - - 0 1", "", 3},  // promotion
        {"8/8/8/3k4/8/8/8/R3K3 w - - 0 1", "", 1},   // mating search
        {"4k3/4p3/8/8/8/8/4P3/4K3 w - - 0 1", shuffle, 3},  // the last half-move before the limit
    };
    for (const Case& c : all) {
        std::unique_ptr<Game> game = EngineGame(c.position, c.moves.c_str(), c.level);
        std::unique_ptr<Game> before(new Game);
        *before = *game;
        const int ply = game->ply;
        // Records beyond the search's room, and the fields after the history, must stay.
        for (int i = ply + kSearchLookahead; i < kHistorySize; ++i) memset(&game->history[i], 0x5A, sizeof(MoveRecord));
        MoveRecord sentinel;
        memset(&sentinel, 0x5A, sizeof sentinel);
        PlayerRecord players[2];
        memcpy(players, game->player, sizeof players);

        ThinkOnce(*game, c.level);
        EXPECT_EQ(game->ply, ply) << c.position;
        EXPECT_EQ(game->sideToMove, before->sideToMove) << c.position;
        EXPECT_TRUE(SamePlacement(*game, *before)) << c.position;
        EXPECT_EQ(memcmp(game->history, before->history, sizeof(MoveRecord) * ply), 0) << c.position;
        for (int i = ply + kSearchLookahead; i < kHistorySize; ++i)
            EXPECT_EQ(memcmp(&game->history[i], &sentinel, sizeof sentinel), 0) << c.position << " record " << i;
        EXPECT_EQ(memcmp(players, game->player, sizeof players), 0) << c.position;
    }
}

// ---- Differential check: alpha-beta against plain minimax with the same leaf rules.

int ReferenceReply(Game& game, int depth);

int ReferenceMove(Game& game, int depth) {
    MoveListEntry list[kMoveListSize];
    int n = GenerateMoves(game, list, game.sideToMove);
    if (n == 0) return NoMovesValue(game, game.sideToMove, kComputerMated);
    int best = kComputerMated;
    for (int i = 0; i < n; ++i) {
        StepInto(game, list[i]);
        int s = ReferenceReply(game, depth);
        StepBack(game);
        if (s < best) best = s;
    }
    return best;
}

int ReferenceLeaf(Game& game) {
    const MoveRecord& move = game.history[game.ply - 1];
    if (move.capturedKind == PieceNone || game.history[game.ply - 2].capturedKind != PieceNone) return game.Evaluate();
    MoveListEntry list[kMoveListSize];
    int n = GenerateMoves(game, list, game.sideToMove);
    if (n == 0) return NoMovesValue(game, game.sideToMove, kComputerMated);
    for (int i = 0; i < n; ++i) {
        if (list[i].toX == move.toX && list[i].toY == move.toY) {
            Square& target = game.board[move.toY][move.toX];
            int kind = target.kind;
            target.kind = PieceNone;
            int value = game.Evaluate();
            target.kind = kind;
            return value;
        }
    }
    return game.Evaluate();
}

int ReferenceReply(Game& game, int depth) {
    MoveListEntry list[kMoveListSize];
    int n = GenerateMoves(game, list, game.opponentSide);
    if (n == 0) return NoMovesValue(game, game.opponentSide, kOpponentMated - depth);
    int best = kNoReplyTried;
    for (int i = 0; i < n; ++i) {
        StepInto(game, list[i]);
        int s = depth > 0 ? ReferenceMove(game, depth - 1) : ReferenceLeaf(game);
        StepBack(game);
        if (s > best) best = s;
    }
    return best;
}

// The root's order: keys -Evaluate after each move, exchange-sorted, higher first.
std::vector<int> ReferenceRootOrder(Game& game, const MoveListEntry* list, int n) {
    std::vector<int> index(n), key(n);
    for (int i = 0; i < n; ++i) {
        MakeTrialMove(game, list[i]);
        key[i] = -game.Evaluate();
        UnmakeTrialMove(game);
        index[i] = i;
    }
    for (int i = 0; i + 1 < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (key[i] < key[j]) {
                std::swap(key[i], key[j]);
                std::swap(index[i], index[j]);
            }
    return index;
}

struct RootScores {
    std::vector<MoveListEntry> sorted;  // root moves in search order
    std::vector<int> scores;            // exact value of each
};

RootScores ReferenceRoot(Game& game, int depth) {
    MoveListEntry list[kMoveListSize];
    game.GenerateLegalMoves(list, game.sideToMove);
    int n = game.moveCount;
    RootScores result;
    std::vector<int> order = ReferenceRootOrder(game, list, n);
    for (int k = 0; k < n; ++k) {
        result.sorted.push_back(list[order[k]]);
        StepInto(game, list[order[k]]);
        result.scores.push_back(ReferenceReply(game, depth));
        StepBack(game);
    }
    return result;
}

TEST(EngineSearch, AlphaBetaMatchesPlainMinimax) {
    struct Case { const char* position; const char* moves; int depth; } cases[] = {
        {"startpos", "e2e4", 0}, {"startpos", "e2e4 e7e5 g1f3 b8c6 f1b5", 0},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", "", 0},
        {"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", "", 0},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", "", 1}, {"8/8/4k3/3p4/3P4/4K3/8/8 w - - 0 1", "", 1},
        {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "", 1}, {"8/5pk1/6p1/8/3R4/6P1/5PK1/2r5 b - - 0 1", "", 1},
        {"8/8/1p3k2/p1p5/P1P2K2/1P6/8/8 w - - 0 1", "", 1}, {"7k/6pp/6Pp/7P/2B5/8/8/K7 w - - 0 1", "", 1},
        {"8/8/8/4k3/8/2n5/8/R3K3 w - - 0 1", "", 1}, {"r7/8/8/8/8/8/5k2/R6K w - - 0 1", "", 1},
        // Leaf captures that can be taken back, cannot, or answer a capture.
        {"7k/6pp/6Pp/7P/2B5/8/8/K7 w - - 0 1", "", 0}, {"7k/6pp/6Pp/7N/2B5/8/8/K7 w - - 0 1", "", 0},
        {"7k/6pp/6Pp/7P/2B5/8/1n6/K7 w - - 0 1", "", 0},
        // Several root moves share the best value and the sorted order puts another of them
        // first than the generation order does: the first in sorted order is chosen.
        {"startpos", "c2c4 e7e6 d1a4 h7h6", 1},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = EngineGame(c.position, c.moves, c.depth);
        game->thinking = 1;
        game->bestMove.fromX = kNoMove;
        PrepareComputerSearch(*game);
        RootScores ref = ReferenceRoot(*game, c.depth);
        int best = kComputerMated;
        size_t bestAt = 0;
        for (size_t k = 0; k < ref.scores.size(); ++k)
            if (ref.scores[k] < best) {
                best = ref.scores[k];
                bestAt = k;
            }
        int value = game->SearchMove(c.depth, kNoReplyTried);
        EXPECT_EQ(value, best) << c.position;
        EXPECT_EQ(Text(game->bestMove), Text(ref.sorted[bestAt])) << c.position;
    }
}

}  // namespace
