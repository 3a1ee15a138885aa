// The computer's search against a plain reference: a copy of the original search with
// one-sided bounds (each node sees only its parent's best), every ordering trial made
// on the board, a fresh evaluation base at every node and a full generation for the
// recapture test. Both must agree on the chosen move, its value, the first choice,
// and the thinking ticks (their percents show which moves a repeated pass excluded).
// Positions: the benchmark set, positions from random legal games (half of them with
// pieces played back and forth, so that repetitions arise) and bare-king endings.
#include <stdlib.h>
#include <string.h>
#include <random>
#include <string>
#include <vector>
#include "unit/engine_test_support.h"

namespace {

namespace reference {

void OrderMoves(Game& game, const MoveListEntry* list, int count, int sign, int* order) {
    int key[kMoveListSize];
    EvalBase base;
    ComputeEvalBase(game, &base);
    for (int i = 0; i < count; ++i) {
        MakeTrialMove(game, list[i]);
        key[i] = sign * EvaluateAfter(game, base, game.history[game.ply], 0);
        UnmakeTrialMove(game);
        order[i] = i;
    }
    for (int i = 0; i < count - 1; ++i)
        for (int j = i + 1; j < count; ++j)
            if (key[i] < key[j]) {
                std::swap(key[i], key[j]);
                std::swap(order[i], order[j]);
            }
}

template <class Child>
int Minimise(Game& game, const MoveListEntry* list, const int* order, int count, int alpha, Child child) {
    int best = kComputerMated;
    for (int k = 0; k < count; ++k) {
        StepInto(game, list[order[k]]);
        int score = child(best);
        StepBack(game);
        if (score < best) best = score;
        if (best <= alpha) return best;
    }
    return best;
}

template <class Child>
int Maximise(Game& game, const MoveListEntry* list, const int* order, int count, int beta, Child child) {
    int best = kNoReplyTried;
    for (int k = 0; k < count; ++k) {
        StepInto(game, list[order ? order[k] : k]);
        int score = child(best);
        StepBack(game);
        if (score > best) best = score;
        if (best >= beta) return best;
    }
    return best;
}

// The root: ticks, break, first choice and the passes without a repeating move.
template <class Child>
int Root(Game& game, MoveListEntry* list, const int* order, int count, Child child) {
    int best = kComputerMated;
    int bestIndex = 0;
    game.firstChoice.fromX = kNoMove;
    for (;;) {
        for (int k = 0; k < count; ++k) {
            int i = order[k];
            if (list[i].fromX == kNoMove) continue;
            game.ThinkingTick(k * 100 / count);
            if (!game.thinking) return 0;
            StepInto(game, list[i]);
            int score = child(best);
            StepBack(game);
            if (score < best) {
                best = score;
                bestIndex = i;
            }
        }
        game.bestMove = list[bestIndex];
        if (game.firstChoice.fromX == kNoMove) {
            game.firstChoice = game.bestMove;
        } else if (best >= kAcceptRepetition) {
            game.bestMove = game.firstChoice;
            return best;
        }
        if (best >= kAcceptRepetition || !MoveAllowsRepetition(game, game.bestMove)) return best;
        list[bestIndex].fromX = kNoMove;
        int left = 0;
        for (int i = 0; i < count; ++i) left += list[i].fromX != kNoMove;
        if (left == 0) return best;
        best = kComputerMated;
        game.titleSuffix = " [alt.searching] ";
    }
}

int CanRecaptureOn(Game& game, int x, int y) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.sideToMove);
    if (count == 0) return NoMovesValue(game, game.sideToMove, kComputerMated);
    for (int i = 0; i < count; ++i)
        if (list[i].toX == x && list[i].toY == y) return 1;
    return -1;
}

int Leaf(Game& game, const EvalBase& base, const MoveRecord& move) {
    if (move.capturedKind == PieceNone || game.history[game.ply - 2].capturedKind != PieceNone)
        return EvaluateAfter(game, base, move, 0);
    int recapture = CanRecaptureOn(game, move.toX, move.toY);
    if (recapture == -1) return EvaluateAfter(game, base, move, 0);
    if (recapture != 1) return recapture;
    return EvaluateAfter(game, base, move, 1);
}

int Reply(Game& game, int depth, int beta);

int Move(Game& game, int depth, int alpha) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.sideToMove);
    if (count == 0) return NoMovesValue(game, game.sideToMove, kComputerMated);
    int order[kMoveListSize];
    OrderMoves(game, list, count, -1, order);
    auto reply = [&game, depth](int best) { return Reply(game, depth, best); };
    if (depth == game.searchDepth) return Root(game, list, order, count, reply);
    return Minimise(game, list, order, count, alpha, reply);
}

int Reply(Game& game, int depth, int beta) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.opponentSide);
    if (count == 0) return NoMovesValue(game, game.opponentSide, kOpponentMated - depth);
    if (depth > 0) {
        int order[kMoveListSize];
        OrderMoves(game, list, count, 1, order);
        return Maximise(game, list, order, count, beta, [&game, depth](int best) { return Move(game, depth - 1, best); });
    }
    EvalBase base;
    ComputeEvalBase(game, &base);
    return Maximise(game, list, nullptr, count, beta,
                    [&game, &base](int) { return Leaf(game, base, game.history[game.ply - 1]); });
}

// The mating search: captures, then quiet minor-piece, pawn and king moves, then quiet
// rook and queen moves; the root in generation order.
void Passes(const Game& game, const MoveListEntry* list, int count, int* order) {
    int n = 0;
    for (int pass = 1; pass <= 3; ++pass)
        for (int i = 0; i < count; ++i) {
            const Square& to = game.board[list[i].toY][list[i].toX];
            int kind = game.board[list[i].fromY][list[i].fromX].kind;
            int heavy = kind == PieceRook || kind == PieceQueen;
            if (pass == 1 ? to.kind != PieceNone : to.kind == PieceNone && heavy == (pass == 3)) order[n++] = i;
        }
}

int MateEval(Game& game) {
    switch (game.endgameType) {
        case EndgameQueenOrRook: return game.EvalMateQueenOrRook();
        case EndgameTwoBishops: return game.EvalMateTwoBishops();
        case EndgameBishopKnightDark: return game.EvalMateBishopKnightDark();
        default: return game.EvalMateBishopKnightLight();
    }
}

int MateReply(Game& game, int depth, int beta);

int MateMove(Game& game, int depth, int isRoot, int alpha) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.sideToMove);
    if (count == 0) return NoMovesValue(game, game.sideToMove, kComputerMated);
    int order[kMoveListSize];
    auto reply = [&game, depth](int best) { return MateReply(game, depth, best); };
    if (isRoot) {
        for (int i = 0; i < count; ++i) order[i] = i;
        return Root(game, list, order, count, reply);
    }
    Passes(game, list, count, order);
    return Minimise(game, list, order, count, alpha, reply);
}

int MateReply(Game& game, int depth, int beta) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.opponentSide);
    if (count == 0) return NoMovesValue(game, game.opponentSide, kOpponentMated - depth);
    int order[kMoveListSize];
    Passes(game, list, count, order);
    if (depth > 0)
        return Maximise(game, list, order, count, beta, [&game, depth](int best) { return MateMove(game, depth - 1, 0, best); });
    return Maximise(game, list, order, count, beta, [&game](int) { return MateEval(game); });
}

}  // namespace reference

// What a search shows: the move, the value, the first choice and the ticks.
struct Outcome {
    std::string move, firstChoice;
    int value;
    std::vector<int> percents;
    std::vector<std::string> suffixes;
};

Outcome Search(const Game& position, int level, bool useReference) {
    std::unique_ptr<Game> game(new Game);
    *game = position;
    game->player[game->sideToMove].isComputer = 1;
    game->searchDepth = level;
    game->thinking = 1;
    game->titleSuffix = "";
    game->bestMove.fromX = kNoMove;
    g_fakeThinking.Clear();
    PrepareComputerSearch(*game);
    Outcome o;
    if (!useReference) o.value = RunComputerSearch(*game);
    else if (game->endgameType != EndgameNone) o.value = reference::MateMove(*game, 2, 1, kNoReplyTried);
    else o.value = reference::Move(*game, level, kNoReplyTried);
    o.move = Text(game->bestMove);
    o.firstChoice = Text(game->firstChoice);
    o.percents = g_fakeThinking.progressPercents;
    o.suffixes = g_fakeThinking.progressSuffixes;
    return o;
}

// Checks one position at one level; returns 1 when the root searched a second pass.
int ExpectSameAsReference(const Game& position, int level, const std::string& name) {
    Outcome ref = Search(position, level, true);
    Outcome now = Search(position, level, false);
    std::string where = name + " level " + std::to_string(level);
    EXPECT_EQ(now.move, ref.move) << where;
    EXPECT_EQ(now.value, ref.value) << where;
    EXPECT_EQ(now.firstChoice, ref.firstChoice) << where;
    EXPECT_EQ(now.percents, ref.percents) << where;
    EXPECT_EQ(now.suffixes, ref.suffixes) << where;
    return ref.suffixes.size() > 0 && !ref.suffixes.back().empty();
}

// Fewer and shallower searches where every step is slow: under the sanitizers and
// under Wine.
#if defined(VARNO_SANITIZE) || defined(_WIN32)
const bool kSlowBuild = true;
#else
const bool kSlowBuild = false;
#endif

bool LongRun() {
    const char* value = getenv("VARNO_LONG_TESTS");
    return value && *value && strcmp(value, "0") != 0;
}

// ---- The benchmark positions, one test per position so that CTest runs them side by side.

class SearchAgainstReference : public testing::TestWithParam<int> {};

TEST_P(SearchAgainstReference, BenchmarkPositionAtEveryLevel) {
    const EnginePosition& p = kEnginePositions[GetParam()];
    std::unique_ptr<Game> game = EngineGame(p.position, p.moves);
    // Level 3 of the opening and middlegame positions takes seconds per search in the
    // reference; the slow builds search it for the endings only.
    bool opening = strncmp(p.name, "open", 4) == 0 || strncmp(p.name, "mid", 3) == 0;
    int levels = kSlowBuild && opening ? 2 : 3;
    for (int level = 1; level <= levels; ++level) ExpectSameAsReference(*game, level, p.name);
}

INSTANTIATE_TEST_SUITE_P(Positions, SearchAgainstReference, testing::Range(0, kEnginePositionCount));

// ---- Positions from random legal games.

// True for a quiet move of a piece other than a pawn (one that can be played back).
bool Shuffles(const Game& game, const std::string& m) {
    const Square& from = game.board[m[1] - '1'][m[0] - 'a'];
    const Square& to = game.board[m[3] - '1'][m[2] - 'a'];
    return to.kind == PieceNone && from.kind != PiecePawn;
}

std::string Back(const std::string& m) { return {m[2], m[3], m[0], m[1]}; }

// Looks for a cycle c, d, c', d' (c' and d' the moves played back) where c is the
// computer's choice and, after c and d, playing c back is its choice again; plays
// c, d, c', d', c, d. The computer then stands where its choice c' followed by d'
// would repeat the position a third time. Leaves `game` as it was when there is none.
void PlayShuffle(Game& game) {
    std::string c = Search(game, 1, false).move;
    if (c == "none" || !Shuffles(game, c)) return;
    std::unique_ptr<Game> trial(new Game), cycle(new Game);
    *trial = game;
    PlayCoordinateMove(*trial, c.c_str());
    for (const std::string& d : MovesOf(*trial, trial->sideToMove)) {
        if (!Shuffles(*trial, d)) continue;
        *cycle = *trial;
        PlayCoordinateMove(*cycle, d.c_str());
        if (Search(*cycle, 1, false).move != Back(c)) continue;
        std::string line[4] = {Back(c), Back(d), c, d};
        bool played = true;
        for (const std::string& move : line) played = played && PlayCoordinateMove(*cycle, move.c_str());
        if (!played || cycle->ply + kSearchLookahead > kMaxGamePly) continue;
        game = *cycle;
        return;
    }
}

// Starts of the random games: the start position and quiet endings, where pieces
// often go back and forth.
const char* const kGameStarts[] = {
    "startpos",
    "4k3/pp4p1/8/8/8/8/PP4P1/4K3 w - - 0 1",
    "7k/7p/8/8/8/8/7P/2K5 w - - 0 1",
    "8/5pk1/6p1/8/3R4/6P1/5PK1/2r5 b - - 0 1",
    "2k5/ppp5/8/8/8/8/5PPP/5K2 w - - 0 1",
};

// A position after `plies` random legal half-moves from start `start`, and with
// `shuffle` set a shuffle after them. Returns null when the game ended on the way.
std::unique_ptr<Game> RandomPosition(unsigned seed, int start, int plies, bool shuffle) {
    std::mt19937 random(seed);
    std::unique_ptr<Game> game = EngineGame(kGameStarts[start]);
    for (int i = 0; i < plies; ++i) {
        Moves moves = MovesOf(*game, game->sideToMove);
        if (moves.empty()) return nullptr;
        if (!PlayCoordinateMove(*game, moves[random() % moves.size()].c_str())) return nullptr;
    }
    if (shuffle) PlayShuffle(*game);
    if (game->CheckGameOver(game->sideToMove, 0) != StatusPlaying) return nullptr;
    return game;
}

const int kShards = 8;

// Positions of shard `shard` out of `count`, at `level`; returns how many searched a
// second pass to avoid a repetition.
int CheckRandomPositions(int shard, int count, int level) {
    int repeated = 0;
    for (int n = shard; n < count; n += kShards) {
        // Every other position is a game from the start; the others are endings with a
        // shuffle where one is found. A game that ended on the way is replaced by another.
        int start = n % 2 ? 0 : 1 + n / 2 % 4;
        unsigned seed = 1000 * level + n;
        std::unique_ptr<Game> game;
        while (!(game = RandomPosition(seed, start, 1 + seed % (start ? 12 : 60), start != 0))) seed += 100000;
        repeated += ExpectSameAsReference(*game, level, "random game " + std::to_string(seed));
    }
    return repeated;
}

class RandomAgainstReference : public testing::TestWithParam<int> {};

TEST_P(RandomAgainstReference, LevelsOneAndTwo) {
    int count = kSlowBuild ? 48 : 200;
    CheckRandomPositions(GetParam(), count, 1);
    CheckRandomPositions(GetParam(), kSlowBuild ? 24 : count, 2);
}

TEST_P(RandomAgainstReference, LevelThreeInTheLongRun) {
    if (!LongRun()) GTEST_SKIP() << "set VARNO_LONG_TESTS=1 for level 3 on random positions";
    CheckRandomPositions(GetParam(), 40, 3);
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomAgainstReference, testing::Range(0, kShards));

TEST(SearchAgainstReferenceRepetition, RandomGamesReachTheSecondPass) {
    // The shuffles must make several roots search again, or the ticks of a
    // repeated pass would go unchecked.
    int repeated = 0;
    for (int shard = 0; shard < kShards; ++shard) repeated += CheckRandomPositions(shard, 200, 1);
    EXPECT_GE(repeated, 3);
}

// ---- Bare-king endings for the mating search.

// Kings and the attacker's pieces on random squares: a legal position with the
// attacker, `attacker`, to move (a bishop of `darkBishop` 1 on a dark square, 0 on a
// light one, -1 anywhere).
std::unique_ptr<Game> RandomEnding(std::mt19937& random, const std::vector<int>& kinds, int attacker, int darkBishop) {
    for (;;) {
        char board[64];
        memset(board, 0, sizeof board);
        // A piece letter of `colour` on a free square of the given parity (-1 any).
        auto put = [&](int kind, int colour, int parity) {
            int sq;
            do sq = random() % 64;
            while (board[sq] || (parity >= 0 && (sq / 8 + sq % 8) % 2 != parity));
            board[sq] = colour == ColourWhite ? " PNBRQK"[kind] : " pnbrqk"[kind];
            return sq;
        };
        int mine = put(PieceKing, attacker, -1);
        int theirs = put(PieceKing, 1 - attacker, -1);
        if (abs(mine % 8 - theirs % 8) <= 1 && abs(mine / 8 - theirs / 8) <= 1) continue;
        for (int kind : kinds) put(kind, attacker, kind == PieceBishop && darkBishop >= 0 ? 1 - darkBishop : -1);
        std::string fen;
        for (int row = 7; row >= 0; --row) {
            int empty = 0;
            for (int col = 0; col < 8; ++col) {
                char c = board[row * 8 + col];
                if (!c) { ++empty; continue; }
                if (empty) fen += char('0' + empty);
                empty = 0;
                fen += c;
            }
            if (empty) fen += char('0' + empty);
            if (row) fen += '/';
        }
        fen += attacker == ColourWhite ? " w - - 0 1" : " b - - 0 1";
        std::unique_ptr<Game> game(new Game);
        // Refused when the bare king stands in check with the attacker to move.
        if (!SetUpFromFen(*game, fen.c_str())) continue;
        if (game->IsInCheck(1 - attacker, -1, -1) || game->CheckGameOver(attacker, 0) != StatusPlaying) continue;
        return game;
    }
}

TEST(SearchAgainstReferenceMating, BareKingEndingsOfEveryClassWithEitherSideAttacking) {
    struct Class { const char* name; std::vector<int> kinds; int darkBishop; int endgameType; } classes[] = {
        {"K+Q", {PieceQueen}, -1, EndgameQueenOrRook},
        {"K+R", {PieceRook}, -1, EndgameQueenOrRook},
        {"K+B+B", {PieceBishop, PieceBishop}, -1, EndgameTwoBishops},
        {"K+B+N dark", {PieceBishop, PieceKnight}, 1, EndgameBishopKnightDark},
        {"K+B+N light", {PieceBishop, PieceKnight}, 0, EndgameBishopKnightLight},
    };
    std::mt19937 random(7);
    const int perClass = kSlowBuild ? 2 : 6;
    for (const Class& c : classes) {
        for (int attacker = ColourWhite; attacker <= ColourBlack; ++attacker) {
            for (int n = 0; n < perClass; ++n) {
                std::unique_ptr<Game> game = RandomEnding(random, c.kinds, attacker, c.darkBishop);
                std::unique_ptr<Game> probe(new Game);
                *probe = *game;
                PrepareComputerSearch(*probe);
                ASSERT_EQ(probe->endgameType, c.endgameType) << c.name;
                ExpectSameAsReference(*game, 1, std::string(c.name) + (attacker ? " black" : " white"));
            }
        }
    }
}

}  // namespace
