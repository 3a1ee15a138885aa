// The classic search: fixed-depth alpha-beta over legal moves. SearchMove is a node
// where the computer (sideToMove) moves and minimises; SearchReply one where the
// opponent moves and maximises. Each node gets both bounds (its parent's best and its
// grandparent's): the root's choices are exactly those of plain minimax. At the leaves
// a one-square recapture test stands in for the exchanges the search does not look at.
// The evaluation's base is carried down the tree, and moves that are only evaluated
// are described, not made.
#include "engine/search_common.h"
#include "movegen/queries.h"

uint64_t g_searchNodes = 0;

void KeyMoves(const Game& game, const EvalBase& base, const MoveListEntry* list, int count, int sign, MoveOrder* order) {
    for (int i = 0; i < count; ++i) {
        order->key[i] = sign * EvaluateTrialMove(game, base, list[i]);
        order->index[i] = i;
    }
    order->count = count;
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

namespace {

int ReplyNode(Game& game, int depth, int alpha, int beta, const EvalBase& base);

// The base after the trial move just stepped into.
inline void ChildBase(const Game& game, const EvalBase& base, EvalBase* child) {
    AdvanceEvalBase(game, base, game.history[game.ply - 1], child);
}

int MoveNode(Game& game, int depth, int alpha, int beta, const EvalBase& base) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.sideToMove);
    if (count == 0) return NoMovesValue(game, game.sideToMove, kComputerMated);

    MoveOrder order;
    KeyMoves(game, base, list, count, -1, &order);
    auto reply = [&game, &base, depth](int childAlpha, int childBeta) {
        EvalBase child;
        ChildBase(game, base, &child);
        return ReplyNode(game, depth, childAlpha, childBeta, child);
    };
    if (depth == game.searchDepth) {
        for (int k = 0; k < count; ++k) order(k);  // the root's passes use the whole order
        return SearchRoot(game, list, order.index, count, [&reply](int best) { return reply(kNoReplyTried, best); });
    }
    return MinimiseOver(game, list, count, order, alpha, beta, reply);
}

// The score of the opponent's move `entry` that ends a line, on the board `base`
// describes. A capture that the computer can take back on the same square (when it did
// not itself capture just before) is scored as if the capturing piece were lost: the
// board with that piece taken off its square. Only that test needs the move made; it
// leaves what the generation of the leaf's own moves works with as it was.
int ScoreLeaf(Game& game, const EvalBase& base, const MoveListEntry& entry) {
    if (game.board[entry.toY][entry.toX].kind == PieceNone || game.history[game.ply - 1].capturedKind != PieceNone)
        return EvaluateTrialMove(game, base, entry);
    MoveRecord move;
    DescribeTrialMove(game, entry, &move);
    const int kingX = game.kingX, kingY = game.kingY, moveCount = game.moveCount;
    StepInto(game, entry);
    int recapture = game.CanRecaptureOn(move.toX, move.toY);
    StepBack(game);
    game.kingX = kingX;
    game.kingY = kingY;
    game.moveCount = moveCount;
    --g_searchNodes;  // the leaf move is counted once, by the caller
    if (recapture == -1) return EvaluateAfter(game, base, move, 0);
    if (recapture != 1) return recapture;  // the computer is mated or stalemated
    return EvaluateAfter(game, base, move, 1);
}

// A leaf node: the opponent's moves in generation order, no ordering step, each scored
// as soon as its piece's moves are generated; the generation stops at the cut-off.
struct Leaf {
    Game& game;
    const EvalBase& base;
    const MoveListEntry* list;
    int beta;
    int best;

    static int Visit(void* context, int first, int count) {
        Leaf& leaf = *static_cast<Leaf*>(context);
        for (int i = first; i < count; ++i) {
            ++g_searchNodes;
            int score = ScoreLeaf(leaf.game, leaf.base, leaf.list[i]);
            if (score > leaf.best) leaf.best = score;
            if (leaf.best >= leaf.beta) return 1;
        }
        return 0;
    }
};

int LeafNode(Game& game, int beta, const EvalBase& base) {
    MoveListEntry list[kMoveListSize];
    Leaf leaf{game, base, list, beta, kNoReplyTried};
    if (GenerateInSteps(game, list, game.opponentSide, &Leaf::Visit, &leaf) == 0)
        return NoMovesValue(game, game.opponentSide, kOpponentMated);
    return leaf.best;
}

int ReplyNode(Game& game, int depth, int alpha, int beta, const EvalBase& base) {
    if (depth == 0) return LeafNode(game, beta, base);
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.opponentSide);
    if (count == 0) return NoMovesValue(game, game.opponentSide, kOpponentMated - depth);

    MoveOrder order;
    KeyMoves(game, base, list, count, 1, &order);
    return MaximiseOver(game, list, count, order, alpha, beta,
                        [&game, &base, depth](int childAlpha, int childBeta) {
                            EvalBase child;
                            ChildBase(game, base, &child);
                            return MoveNode(game, depth - 1, childAlpha, childBeta, child);
                        });
}

}  // namespace

int Game::SearchMove(int depth, int alpha) {
    EvalBase base;
    ComputeEvalBase(*this, &base);
    return MoveNode(*this, depth, alpha, kComputerMated, base);
}

int Game::SearchReply(int depth, int beta) {
    EvalBase base;
    ComputeEvalBase(*this, &base);
    return ReplyNode(*this, depth, kNoReplyTried, beta, base);
}

int Game::CanRecaptureOn(int x, int y) {
    const Square& target = board[y][x];
    if (target.kind != PieceNone && target.colour != sideToMove) {
        // Onto a piece of the other side only captures go: the first legal one answers,
        // and only without one is the rest of the side's moves asked about.
        if (HasLegalMoveOnto(*this, sideToMove, x, y)) return 1;
        if (!HasLegalMove(*this, sideToMove)) return NoMovesValue(*this, sideToMove, kComputerMated);
        return -1;
    }
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(*this, list, sideToMove);
    if (count == 0) return NoMovesValue(*this, sideToMove, kComputerMated);
    for (int i = 0; i < count; ++i) {
        if (list[i].toX == x && list[i].toY == y) return 1;
    }
    return -1;
}
