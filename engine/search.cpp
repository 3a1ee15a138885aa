// The classic search: fixed-depth alpha-beta over legal moves with one-sided bounds.
// SearchMove is a node where the computer (sideToMove) moves and minimises;
// SearchReply one where the opponent moves and maximises. At the leaves a one-square
// recapture test stands in for the exchanges the search does not look at.
#include "engine/search_common.h"

uint64_t g_searchNodes = 0;

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
    for (int i = 0; i < count - 1; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (key[i] < key[j]) {
                int t = key[i]; key[i] = key[j]; key[j] = t;
                t = order[i]; order[i] = order[j]; order[j] = t;
            }
        }
    }
}

int MoveAllowsRepetition(Game& game, const MoveListEntry& move) {
    StepInto(game, move);
    int repeats = game.IsThreefoldRepetition();
    if (!repeats) {
        int replies = GenerateMoves(game, game.replyList, game.opponentSide);
        for (int i = 0; i < replies && !repeats; ++i) {
            StepInto(game, game.replyList[i]);
            repeats = game.IsThreefoldRepetition();
            StepBack(game);
        }
    }
    StepBack(game);
    return repeats;
}

int Game::SearchMove(int depth, int alpha) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(*this, list, sideToMove);
    if (count == 0) return NoMovesValue(*this, sideToMove, kComputerMated);

    int order[kMoveListSize];
    OrderMoves(*this, list, count, -1, order);
    auto reply = [this, depth](int best) { return SearchReply(depth, best); };
    if (depth == searchDepth) return SearchRoot(*this, list, order, count, reply);
    return MinimiseOver(*this, list, order, count, alpha, reply);
}

// The opponent's move that ends a line, made on the board `base` describes, with
// `ply` raised. A capture that the computer can take back on the same square (when it
// did not itself capture just before) is scored as if the capturing piece were lost:
// the board with that piece taken off its square.
static int ScoreLeaf(Game& game, const EvalBase& base, const MoveRecord& move) {
    if (move.capturedKind == PieceNone || game.history[game.ply - 2].capturedKind != PieceNone)
        return EvaluateAfter(game, base, move, 0);
    int recapture = game.CanRecaptureOn(move.toX, move.toY);
    if (recapture == -1) return EvaluateAfter(game, base, move, 0);
    if (recapture != 1) return recapture;  // the computer is mated or stalemated
    return EvaluateAfter(game, base, move, 1);
}

int Game::SearchReply(int depth, int beta) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(*this, list, opponentSide);
    if (count == 0) return NoMovesValue(*this, opponentSide, kOpponentMated - depth);

    if (depth > 0) {
        int order[kMoveListSize];
        OrderMoves(*this, list, count, 1, order);
        return MaximiseOver(*this, list, order, count, beta,
                            [this, depth](int best) { return SearchMove(depth - 1, best); });
    }
    // Leaves: generation order, no ordering step.
    EvalBase base;
    ComputeEvalBase(*this, &base);
    return MaximiseOver(*this, list, nullptr, count, beta,
                        [this, &base](int) { return ScoreLeaf(*this, base, history[ply - 1]); });
}

int Game::CanRecaptureOn(int x, int y) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(*this, list, sideToMove);
    if (count == 0) return NoMovesValue(*this, sideToMove, kComputerMated);
    for (int i = 0; i < count; ++i) {
        if (list[i].toX == x && list[i].toY == y) return 1;
    }
    return -1;
}
