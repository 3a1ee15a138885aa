// Pieces shared by the classic search and the mating search: the value sentinels,
// stepping into and out of trial moves, the exchange sort of the move order and the
// root procedure with its repetition avoidance.
#pragma once

#include <stdint.h>
#include "core/game.h"
#include "core/move_record.h"

// Values are from the view of the side that is not thinking; 1000 is one pawn.
const int kComputerMated = 1000000;    // worst for the computer; "no move tried" at its nodes
const int kNoReplyTried = -1000000;    // "no move tried" at the opponent's nodes
const int kOpponentMated = -999990;    // minus the remaining depth: nearer mates score lower
// At or above this the computer stands worse by half a pawn and accepts a repetition.
const int kAcceptRepetition = 500;

// The deepest line, level 3, looks 2 * 3 + 2 half-moves ahead (the mating search 6)
// and the root's repetition test two: all within the history's look-ahead room.
static_assert(2 * 3 + 2 <= kSearchLookahead, "the search must stay within the history");

// Positions the searches stepped into since the counter was last cleared (inner
// nodes and leaf moves; the ordering's trial moves are not counted). For the
// developer tools; the program never reads it.
extern uint64_t g_searchNodes;

// Plays a trial move into the history record at `ply` the way the search does:
// silently, a promoting pawn becomes a queen.
inline void MakeTrialMove(Game& game, const MoveListEntry& move) {
    game.MakeMove(&game.history[game.ply], move.fromX, move.fromY, move.toX, move.toY, 1, PieceQueen);
}

inline void UnmakeTrialMove(Game& game) {
    game.UnmakeMove(&game.history[game.ply]);
}

// A trial move the search descends into: recorded at `ply`, then `ply` is raised.
inline void StepInto(Game& game, const MoveListEntry& move) {
    MakeTrialMove(game, move);
    ++game.ply;
    ++g_searchNodes;
}

inline void StepBack(Game& game) {
    --game.ply;
    UnmakeTrialMove(game);
}

// Generates the legal moves of `side` into `list` and returns their number.
inline int GenerateMoves(Game& game, MoveListEntry* list, int side) {
    game.GenerateLegalMoves(list, side);
    return game.moveCount;
}

// The value of a node whose side to move, `side`, has no legal move (kingX and kingY
// from its generation): `mated` when it is in check, 0 for stalemate.
inline int NoMovesValue(Game& game, int side, int mated) {
    return game.IsInCheck(side, game.kingX, game.kingY) ? mated : 0;
}

// A computer node's loop over `count` moves of `list`, visited in the order order(0),
// order(1), ...: each move is made and scored by child(alpha, bound) with bound the
// lower of the node's best so far and `beta`; returns the lowest score, as soon as it
// is at or below `alpha`. Within the window (alpha, beta) the value is exact; beyond it
// a bound on the side of the window it lies on, which is all an ancestor can use.
template <class Order, class Child>
int MinimiseOver(Game& game, const MoveListEntry* list, int count, Order&& order, int alpha, int beta, Child child) {
    int best = kComputerMated;
    for (int k = 0; k < count; ++k) {
        StepInto(game, list[order(k)]);
        int score = child(alpha, best < beta ? best : beta);
        StepBack(game);
        if (score < best) best = score;
        if (best <= alpha) return best;
    }
    return best;
}

// The opponent's node loop: the highest score, as soon as it reaches `beta`; the
// children see the higher of the node's best so far and `alpha`.
template <class Order, class Child>
int MaximiseOver(Game& game, const MoveListEntry* list, int count, Order&& order, int alpha, int beta, Child child) {
    int best = kNoReplyTried;
    for (int k = 0; k < count; ++k) {
        StepInto(game, list[order(k)]);
        int score = child(best > alpha ? best : alpha, beta);
        StepBack(game);
        if (score > best) best = score;
        if (best >= beta) return best;
    }
    return best;
}

// Evaluate's sum of one position split into its parts, so that the value after a
// move can be had from the move's record instead of another pass over the board.
struct EvalBase {
    int pieces;           // worths of all pieces on the board
    int8_t pawns[2][8];   // pawns per colour and file
    int pawnTerm;         // the pawn-structure term
};

void ComputeEvalBase(const Game& game, EvalBase* base);

// What Evaluate returns once `move` (a record of a move on the board `base`
// describes, made or only described) stands on the board; with `withoutMover` set, as
// if the moved piece were then taken off its to-square. Reads the record and the
// prepared table alone; leaves pieceFileCounts alone.
int EvaluateAfter(const Game& game, const EvalBase& base, const MoveRecord& move, int withoutMover);

// The base of the board after `move` (a record of a move on the board `base`
// describes), as ComputeEvalBase would find it: a child node's base without a pass
// over the board.
void AdvanceEvalBase(const Game& game, const EvalBase& base, const MoveRecord& move, EvalBase* after);

// The record of a trial move as MakeTrialMove writes it, with the board left alone.
inline void DescribeTrialMove(const Game& game, const MoveListEntry& move, MoveRecord* rec) {
    DescribeMove(game.board, rec, move.fromX, move.fromY, move.toX, move.toY, PieceQueen);
}

// EvaluateAfter on the record of the trial move `move` (of the board `base` describes).
int EvaluateDescribedTrialMove(const Game& game, const EvalBase& base, const MoveListEntry& move);

// The same value, without a record for a move that only takes its piece from one
// square to another and captures no pawn. Pawn moves off their file or onto the last
// rows (the pawn term, en passant, promotion), captured pawns and castling (a king's
// two-column step) change more than the two squares' worths.
inline int EvaluateTrialMove(const Game& game, const EvalBase& base, const MoveListEntry& move) {
    const Square& from = game.board[move.fromY][move.fromX];
    const int kind = from.kind;
    const int captured = game.board[move.toY][move.toX].kind;
    const int columns = move.toX - move.fromX;
    const bool pawnStep = kind == PiecePawn && columns == 0 && move.toY != 0 && move.toY != 7;
    if ((kind == PiecePawn && !pawnStep) || captured == PiecePawn || (kind == PieceKing && (columns == 2 || columns == -2)))
        return EvaluateDescribedTrialMove(game, base, move);
    const int32_t(*worth)[8][8] = game.pieceSquareTable[from.colour];
    const int32_t(*theirs)[8][8] = game.pieceSquareTable[1 - from.colour];
    int pieces = base.pieces - worth[kind][move.fromY][move.fromX] + worth[kind][move.toY][move.toX];
    if (captured != PieceNone) pieces -= theirs[captured][move.toY][move.toX];
    return pieces + base.pawnTerm;
}

// Move order of a node: keys and the exchange sort that puts higher keys first (for i
// from 0, for j > i, pairs i and j exchanged when key i < key j). The sort is not
// stable: equal keys end in the order the exchanges leave them, which decides ties.
// Pass i of the sort leaves position i final, so the passes run only when the search
// reaches that position: a node cut off early skips the rest, in the same order.
struct MoveOrder {
    int key[kMoveListSize];
    int index[kMoveListSize];
    int count;

    // The list index at position k; called for k = 0, 1, 2, ... in turn.
    int operator()(int k) {
        for (int j = k + 1; j < count; ++j) {
            if (key[k] < key[j]) {
                int t = key[k]; key[k] = key[j]; key[j] = t;
                t = index[k]; index[k] = index[j]; index[j] = t;
            }
        }
        return index[k];
    }
};

// Keys the `count` moves of `list` by sign * Evaluate() after each (evaluated from its
// record, on the board `base` describes), in generation order; the sort is left to
// the order's passes.
void KeyMoves(const Game& game, const EvalBase& base, const MoveListEntry* list, int count, int sign, MoveOrder* order);

// 1 if playing `move` would give a threefold repetition at once or after some reply
// of the opponent. Board, `ply` and the history below `ply` are as before afterwards.
int MoveAllowsRepetition(Game& game, const MoveListEntry& move);

// The root of both searches. Visits `list` in `order`, one thinking tick before each
// move, and scores a move by child(best) with the move made; keeps the first move of
// the lowest score, stores it in bestMove, and searches again without a move that
// would let a threefold repetition arise while the computer is not worse.
template <class Child>
int SearchRoot(Game& game, MoveListEntry* list, const int* order, int count, Child child) {
    int best = kComputerMated;
    int bestIndex = 0;
    game.firstChoice.fromX = kNoMove;
    for (;;) {
        for (int k = 0; k < count; ++k) {
            int i = order[k];
            if (list[i].fromX == kNoMove) continue;
            game.ThinkingTick(k * 100 / count);
            if (!game.thinking) return 0;  // broken off: the pass's result is not used
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
        if (best >= kAcceptRepetition) return best;
        if (!MoveAllowsRepetition(game, game.bestMove)) return best;
        list[bestIndex].fromX = kNoMove;
        int left = 0;
        for (int i = 0; i < count; ++i) left += list[i].fromX != kNoMove;
        if (left == 0) return best;  // the repeating move stays chosen
        best = kComputerMated;
        game.titleSuffix = " [alt.searching] ";
    }
}
