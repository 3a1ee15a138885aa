// Static evaluation of the classic search: the prepared piece-square worths summed
// over the board plus a small pawn-structure term; and the pawn proximity map that
// the late-phase king entries are built from.
#include <string.h>
#include "engine/search_common.h"

// Pawn-structure term of one colour from its pawn counts per file: 20 for every file
// with doubled pawns and 20 for every file whose pawns have no neighbour file pawn.
static int PawnWeakness(const int8_t pawnsOnFile[8]) {
    int weakness = 0;
    for (int file = 0; file < 8; ++file) {
        int pawns = pawnsOnFile[file];
        if (pawns > 1) weakness += 20;
        if (pawns > 0) {
            int left = file > 0 ? pawnsOnFile[file - 1] : 0;
            int right = file < 7 ? pawnsOnFile[file + 1] : 0;
            if (left == 0 && right == 0) weakness += 20;
        }
    }
    return weakness;
}

// Both colours' terms: a weakness of the side not thinking lowers the value, one of
// the computer's raises it.
static int PawnTerm(const int8_t whitePawns[8], const int8_t blackPawns[8], int opponentSide) {
    int white = PawnWeakness(whitePawns), black = PawnWeakness(blackPawns);
    return opponentSide == ColourWhite ? black - white : white - black;
}

int Game::Evaluate() {
    memset(pieceFileCounts, 0, sizeof pieceFileCounts);
    int total = 0;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const Square& sq = board[r][c];
            if (sq.kind == PieceNone) continue;
            total += pieceSquareTable[sq.colour][sq.kind][r][c];
            ++pieceFileCounts[sq.colour][sq.kind][c];
        }
    }
    return total + PawnTerm(pieceFileCounts[ColourWhite][PiecePawn], pieceFileCounts[ColourBlack][PiecePawn], opponentSide);
}

void ComputeEvalBase(const Game& game, EvalBase* base) {
    memset(base->pawns, 0, sizeof base->pawns);
    int total = 0;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const Square& sq = game.board[r][c];
            if (sq.kind == PieceNone) continue;
            total += game.pieceSquareTable[sq.colour][sq.kind][r][c];
            if (sq.kind == PiecePawn) ++base->pawns[sq.colour][c];
        }
    }
    base->pieces = total;
    base->pawnTerm = PawnTerm(base->pawns[ColourWhite], base->pawns[ColourBlack], game.opponentSide);
}

// The pieces' sum once `move` stands on the board (without the moved piece when
// `withoutMover` is set).
static int PiecesAfter(const Game& game, const EvalBase& base, const MoveRecord& move, int withoutMover) {
    const int32_t(*worth)[7][8][8] = game.pieceSquareTable;
    int mover = move.colour, other = 1 - mover;
    int pieces = base.pieces - worth[mover][move.kind][move.fromY][move.fromX];
    if (!withoutMover) pieces += worth[mover][move.newKind][move.toY][move.toX];
    if (move.capturedKind != PieceNone) pieces -= worth[other][move.capturedKind][move.toY][move.toX];
    if (move.special == SpecialEnPassant) {
        pieces -= worth[move.secColour][PiecePawn][move.secFromY][move.secFromX];
    } else if (move.special == SpecialCastling) {
        pieces += worth[move.secColour][PieceRook][move.secToY][move.secToX] -
                  worth[move.secColour][PieceRook][move.secFromY][move.secFromX];
    }
    return pieces;
}

// Whether the pawn counts per file change: not for a pawn's step along its file that
// stays a pawn, unless the pawn is then taken off.
static bool ChangesPawns(const MoveRecord& move, int withoutMover) {
    if (move.capturedKind == PiecePawn) return true;
    if (move.kind != PiecePawn) return false;
    return withoutMover || move.fromX != move.toX || move.newKind != PiecePawn;
}

// The pawn counts once `move` stands on the board.
static void PawnsAfter(const EvalBase& base, const MoveRecord& move, int withoutMover, int8_t pawns[2][8]) {
    int mover = move.colour, other = 1 - mover;
    memcpy(pawns, base.pawns, sizeof base.pawns);
    if (move.kind == PiecePawn) --pawns[mover][move.fromX];
    if (move.newKind == PiecePawn && !withoutMover) ++pawns[mover][move.toX];
    if (move.capturedKind == PiecePawn) --pawns[other][move.toX];
    if (move.special == SpecialEnPassant) --pawns[move.secColour][move.secFromX];
}

int EvaluateAfter(const Game& game, const EvalBase& base, const MoveRecord& move, int withoutMover) {
    int pieces = PiecesAfter(game, base, move, withoutMover);
    if (!ChangesPawns(move, withoutMover)) return pieces + base.pawnTerm;
    int8_t pawns[2][8];
    PawnsAfter(base, move, withoutMover, pawns);
    return pieces + PawnTerm(pawns[ColourWhite], pawns[ColourBlack], game.opponentSide);
}

int EvaluateDescribedTrialMove(const Game& game, const EvalBase& base, const MoveListEntry& move) {
    MoveRecord rec;
    DescribeTrialMove(game, move, &rec);
    return EvaluateAfter(game, base, rec, 0);
}

void AdvanceEvalBase(const Game& game, const EvalBase& base, const MoveRecord& move, EvalBase* after) {
    after->pieces = PiecesAfter(game, base, move, 0);
    if (!ChangesPawns(move, 0)) {
        memcpy(after->pawns, base.pawns, sizeof base.pawns);
        after->pawnTerm = base.pawnTerm;
        return;
    }
    PawnsAfter(base, move, 0, after->pawns);
    after->pawnTerm = PawnTerm(after->pawns[ColourWhite], after->pawns[ColourBlack], game.opponentSide);
}

int Game::IsOnBoard(int x, int y) {
    return x >= 0 && x <= 7 && y >= 0 && y <= 7;
}

void Game::BuildPawnProximityMap(int map[8][8]) {
    static const int kStep[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) map[r][c] = board[r][c].kind == PiecePawn ? 7 : 0;
    }
    // Each sweep spreads the values one step further; seven steps reach every square.
    for (int sweep = 0; sweep < 8; ++sweep) {
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                int v = map[r][c] - 1;
                for (int k = 0; k < 8; ++k) {
                    int x = c + kStep[k][0];
                    int y = r + kStep[k][1];
                    if (IsOnBoard(x, y) && map[y][x] < v) map[y][x] = v;
                }
            }
        }
    }
}
