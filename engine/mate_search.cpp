// The mating search for bare-king endings: six half-moves of alpha-beta with a fixed
// move order (captures, then quiet minor-piece, pawn and king moves, then quiet rook
// and queen moves) and evaluations that drive the bare king to the edge or to the
// corner the bishop can cover.
#include <stdlib.h>
#include "engine/search_common.h"

// Indices of `list` in the mating search's order: three passes in generation order.
static void OrderByPasses(const Game& game, const MoveListEntry* list, int count, int* order) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (game.board[list[i].toY][list[i].toX].kind != PieceNone) order[n++] = i;
    }
    for (int pass = 2; pass <= 3; ++pass) {
        for (int i = 0; i < count; ++i) {
            if (game.board[list[i].toY][list[i].toX].kind != PieceNone) continue;
            int kind = game.board[list[i].fromY][list[i].fromX].kind;
            int heavy = kind == PieceRook || kind == PieceQueen;
            if (heavy == (pass == 3)) order[n++] = i;
        }
    }
}

namespace {

int MateReply(Game& game, int depth, int alpha, int beta);

int MateMove(Game& game, int depth, int isRoot, int alpha, int beta) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.sideToMove);
    if (count == 0) return NoMovesValue(game, game.sideToMove, kComputerMated);

    int order[kMoveListSize];
    if (isRoot) {
        for (int i = 0; i < count; ++i) order[i] = i;  // the root keeps generation order
        return SearchRoot(game, list, order, count,
                          [&game, depth](int best) { return MateReply(game, depth, kNoReplyTried, best); });
    }
    OrderByPasses(game, list, count, order);
    return MinimiseOver(game, list, count, [&order](int k) { return order[k]; }, alpha, beta,
                        [&game, depth](int a, int b) { return MateReply(game, depth, a, b); });
}

}  // namespace

int Game::MateSearchMove(int depth, int isRoot, int alpha) {
    return MateMove(*this, depth, isRoot, alpha, kComputerMated);
}

// The mating evaluation of the ending class.
static int EvalMateOfClass(Game& game) {
    switch (game.endgameType) {
        case EndgameQueenOrRook: return game.EvalMateQueenOrRook();
        case EndgameTwoBishops: return game.EvalMateTwoBishops();
        case EndgameBishopKnightDark: return game.EvalMateBishopKnightDark();
        default: return game.EvalMateBishopKnightLight();
    }
}

namespace {

int MateReply(Game& game, int depth, int alpha, int beta) {
    MoveListEntry list[kMoveListSize];
    int count = GenerateMoves(game, list, game.opponentSide);
    if (count == 0) return NoMovesValue(game, game.opponentSide, kOpponentMated - depth);

    int order[kMoveListSize];
    OrderByPasses(game, list, count, order);
    auto at = [&order](int k) { return order[k]; };
    if (depth > 0)
        return MaximiseOver(game, list, count, at, alpha, beta,
                            [&game, depth](int a, int b) { return MateMove(game, depth - 1, 0, a, b); });
    return MaximiseOver(game, list, count, at, alpha, beta, [&game](int, int) { return EvalMateOfClass(game); });
}

}  // namespace

int Game::MateSearchReply(int depth, int beta) { return MateReply(*this, depth, kNoReplyTried, beta); }

// Material from the bare-king side's view: its pieces add, the computer's subtract.
static int MateMaterial(const Game& game) {
    static const int kWorth[7] = {0, 1000, 3000, 3000, 5000, 10000, 0};
    int total = 0;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const Square& sq = game.board[r][c];
            if (sq.kind == PieceNone) continue;
            total += sq.colour == game.opponentSide ? kWorth[sq.kind] : -kWorth[sq.kind];
        }
    }
    return total;
}

// The common part of the four evaluations: the bare king's table value, the distance
// between the kings (weighted by `distanceWeight`, plus `sameLine` when they share a
// file or rank), and, with `knights` set, how far the computer's knights stand from
// the bare king.
static int EvalMate(Game& game, const int32_t table[8][8], int distanceWeight, int sameLine, int knights) {
    int cx = 0, cy = 0, ox = 0, oy = 0;
    game.FindKing(game.sideToMove, &cx, &cy);
    game.FindKing(game.opponentSide, &ox, &oy);
    int dx = abs(ox - cx);
    int dy = abs(oy - cy);
    int value = table[oy][ox] + distanceWeight * (dx + dy);
    if (dx == 0 || dy == 0) value += sameLine;
    if (knights) {
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                const Square& sq = game.board[r][c];
                if (sq.kind == PieceKnight && sq.colour == game.sideToMove) {
                    value += (abs(ox - c) + abs(oy - r)) / 4;
                }
            }
        }
    }
    return value + MateMaterial(game);
}

int Game::EvalMateQueenOrRook() { return EvalMate(*this, mateTableQueenRook, 2, 1, 0); }
int Game::EvalMateTwoBishops() { return EvalMate(*this, mateTableTwoBishops, 1, 0, 0); }
int Game::EvalMateBishopKnightDark() { return EvalMate(*this, mateTableDarkCorner, 2, 1, 1); }
int Game::EvalMateBishopKnightLight() { return EvalMate(*this, mateTableLightCorner, 2, 1, 1); }
