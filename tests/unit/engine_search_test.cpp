// The classic search: mates, stalemates, the leaf recapture rule, tie-breaking by the
// sorted order, repetition avoidance, and the state it leaves; and a differential
// check against a plain minimax with the same leaf rules.
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "unit/engine_test_support.h"

namespace {

TEST(EngineSearch, MateInOneIsFoundAtEveryLevel) {
    struct Case {
        const char* fen;
        const char* mate;
    } cases[] = {{"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "d1d8"},
                 {"3r2k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1", "d8d1"}};
    for (const Case& c : cases)
        for (int level = 1; level <= 3; ++level) {
            std::unique_ptr<Game> game = EngineGame(c.fen, "", level);
            ThinkResult r = ThinkOnce(*game, level);
            EXPECT_EQ(Text(r.move), c.mate) << c.fen << " level " << level;
            EXPECT_EQ(r.value, kOpponentMated - level) << c.fen << " level " << level;
        }
}

TEST(EngineSearch, RootWithoutMovesReportsMateOrStalemateAndChoosesNothing) {
    std::unique_ptr<Game> mated = EngineGame("k7/8/8/8/8/8/5PPP/3r2K1 w - - 0 1");
    ThinkResult r = ThinkOnce(*mated, 1);
    EXPECT_EQ(r.value, kComputerMated);
    EXPECT_EQ(r.move.fromX, kNoMove);
    std::unique_ptr<Game> stalemated = EngineGame("k7/8/1Q6/8/8/8/8/7K b - - 0 1");
    r = ThinkOnce(*stalemated, 1);
    EXPECT_EQ(r.value, 0);
    EXPECT_EQ(r.move.fromX, kNoMove);
}

TEST(EngineSearch, StalematingMoveScoresZeroAndBeingMatedScoresTheMaximum) {
    std::unique_ptr<Game> game = EngineGame("k7/8/2Q5/8/8/8/8/7K w - - 0 1");
    PrepareComputerSearch(*game);
    MoveListEntry stalemate = {2, 5, 1, 5};  // c6-b6
    StepInto(*game, stalemate);
    EXPECT_EQ(game->SearchReply(1, kComputerMated), 0);
    StepBack(*game);
    MoveListEntry other = {2, 5, 2, 4};  // c6-c5
    StepInto(*game, other);
    EXPECT_LT(game->SearchReply(1, kComputerMated), -5000);  // a queen up
    StepBack(*game);

    // Every move of White runs into ...Qg2 mate: every root move scores the maximum
    // and the first move in generation order stays chosen.
    for (int level = 1; level <= 2; ++level) {
        std::unique_ptr<Game> lost = EngineGame("8/8/8/8/8/5k2/5q1P/N6K w - - 0 1", "", level);
        MoveListEntry list[kMoveListSize];
        lost->GenerateLegalMoves(list, ColourWhite);
        ASSERT_GT(lost->moveCount, 1);
        ThinkResult r = ThinkOnce(*lost, level);
        EXPECT_EQ(r.value, kComputerMated);
        EXPECT_EQ(Text(r.move), Text(list[0]));
    }
}

// Black's only legal move is h7xg6. `prior` is White's move into the leaf position.
int LeafAfter(const char* fen, const char* prior, int* plain, int* withoutCapturer) {
    std::unique_ptr<Game> game = EngineGame(fen);
    PrepareComputerSearch(*game);
    MoveListEntry move = {(int8_t)(prior[0] - 'a'), (int8_t)(prior[1] - '1'), (int8_t)(prior[2] - 'a'),
                          (int8_t)(prior[3] - '1')};
    StepInto(*game, move);
    MoveListEntry replies[kMoveListSize];
    game->GenerateLegalMoves(replies, ColourBlack);
    EXPECT_EQ(game->moveCount, 1);
    EXPECT_EQ(Text(replies[0]), "h7g6");
    int score = game->SearchReply(0, kComputerMated);
    StepInto(*game, replies[0]);
    *plain = game->Evaluate();
    At(*game, "g6").kind = PieceNone;
    *withoutCapturer = game->Evaluate();
    At(*game, "g6").kind = PiecePawn;
    StepBack(*game);
    StepBack(*game);
    return score;
}

TEST(EngineSearch, LeafCaptureThatCanBeTakenBackCountsWithoutTheCapturer) {
    int plain, without;
    // White's pawn h5 can take back on g6.
    EXPECT_EQ(LeafAfter("7k/6pp/6Pp/7P/2B5/8/8/K7 w - - 0 1", "a1b1", &plain, &without), without);
    EXPECT_LT(without, plain - 900);
    // No White piece reaches g6: the plain value.
    EXPECT_EQ(LeafAfter("7k/6pp/6Pp/7N/2B5/8/8/K7 w - - 0 1", "a1b1", &plain, &without), plain);
    // The capture answers White's own capture (Kxb2): the plain value.
    EXPECT_EQ(LeafAfter("7k/6pp/6Pp/7P/2B5/8/1n6/K7 w - - 0 1", "a1b2", &plain, &without), plain);
}

TEST(EngineSearch, CanRecaptureOnReportsTargetsMateAndStalemate) {
    std::unique_ptr<Game> game = EngineGame("7k/6pp/6Pp/7P/2B5/8/8/K7 w - - 0 1");
    EXPECT_EQ(game->CanRecaptureOn(6, 6), -1);   // nothing reaches g7
    EXPECT_EQ(game->CanRecaptureOn(2, 3), -1);   // own bishop's square
    EXPECT_EQ(game->CanRecaptureOn(5, 6), 1);    // Bc4-f7
    std::unique_ptr<Game> mated = EngineGame("k7/8/8/8/8/8/5PPP/3r2K1 w - - 0 1");
    EXPECT_EQ(mated->CanRecaptureOn(3, 0), kComputerMated);
    std::unique_ptr<Game> stalemated = EngineGame("k7/8/1Q6/8/8/8/8/7K b - - 0 1");
    EXPECT_EQ(stalemated->CanRecaptureOn(0, 6), 0);
}

// Kings shuffle so that after `moves` the computer's natural move repeats a position
// a third time (at once or after Black's reply).
struct RepetitionCase {
    const char* fen;
    const char* moves;
};

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

TEST(EngineSearch, BoardPlyAndHistoryAreRestoredAndTheLookaheadStaysInItsRoom) {
    struct Case {
        const char* position;
        std::string moves;
        int level;
    } cases[] = {
        {"startpos", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5", 2},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", "", 2},  // en passant
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", "", 1},
        {"8/3P4/8/8/8/6k1/8/4K3 w - - 0 1", "", 3},  // promotion
        {"8/8/8/3k4/8/8/8/R3K3 w - - 0 1", "", 1},   // mating search
    };
    // A game at the last half-move before the limit, searched at the deepest level.
    std::string shuffle;
    for (int i = 0; i < 397; ++i) shuffle += std::string(i % 4 == 0 ? "e1d1 " : i % 4 == 1 ? "e8d8 " : i % 4 == 2 ? "d1e1 " : "d8e8 ");
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.push_back({"4k3/4p3/8/8/8/8/4P3/4K3 w - - 0 1", shuffle, 3});

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
        EXPECT_EQ(game->sideToMove, before->sideToMove);
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
    std::vector<int> generated;         // index of each in generation order
};

RootScores ReferenceRoot(Game& game, int depth) {
    MoveListEntry list[kMoveListSize];
    game.GenerateLegalMoves(list, game.sideToMove);
    int n = game.moveCount;
    RootScores result;
    std::vector<int> order = ReferenceRootOrder(game, list, n);
    for (int k = 0; k < n; ++k) {
        result.sorted.push_back(list[order[k]]);
        result.generated.push_back(order[k]);
        StepInto(game, list[order[k]]);
        result.scores.push_back(ReferenceReply(game, depth));
        StepBack(game);
    }
    return result;
}

TEST(EngineSearch, AlphaBetaMatchesPlainMinimax) {
    struct Case {
        const char* position;
        const char* moves;
        int depth;
    } cases[] = {
        {"startpos", "e2e4", 0},
        {"startpos", "e2e4 e7e5 g1f3 b8c6 f1b5", 0},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", "", 0},
        {"r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", "", 0},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", "", 1},
        {"8/8/4k3/3p4/3P4/4K3/8/8 w - - 0 1", "", 1},
        {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "", 1},
        {"8/5pk1/6p1/8/3R4/6P1/5PK1/2r5 b - - 0 1", "", 1},
        {"8/8/1p3k2/p1p5/P1P2K2/1P6/8/8 w - - 0 1", "", 1},
        {"7k/6pp/6Pp/7P/2B5/8/8/K7 w - - 0 1", "", 1},
        {"8/8/8/4k3/8/2n5/8/R3K3 w - - 0 1", "", 1},
        {"r7/8/8/8/8/8/5k2/R6K w - - 0 1", "", 1},
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

TEST(EngineSearch, EqualValuesGoToTheFirstInSortedOrder) {
    // Several root moves share the best value here, and the sorted order puts another
    // of them first than the generation order does.
    std::unique_ptr<Game> game = EngineGame("startpos", "c2c4 e7e6 d1a4 h7h6", 1);
    game->thinking = 1;
    PrepareComputerSearch(*game);
    RootScores ref = ReferenceRoot(*game, 1);
    int best = *std::min_element(ref.scores.begin(), ref.scores.end());
    std::vector<size_t> tied;
    size_t firstGenerated = 0;
    for (size_t k = 0; k < ref.scores.size(); ++k)
        if (ref.scores[k] == best) {
            tied.push_back(k);
            if (ref.generated[k] < ref.generated[tied[firstGenerated]]) firstGenerated = tied.size() - 1;
        }
    ASSERT_GE(tied.size(), 2u);
    ASSERT_NE(firstGenerated, 0u);  // generation order would choose another move
    ThinkResult r = ThinkOnce(*game, 1);
    EXPECT_EQ(Text(r.move), Text(ref.sorted[tied.front()]));
    EXPECT_EQ(Text(r.move), "d2d4");
}

}  // namespace
