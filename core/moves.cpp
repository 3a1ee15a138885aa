#include "core/game.h"
#include "core/move_record.h"

void DescribeMove(const Square (&board)[8][8], MoveRecord* rec, int fromX, int fromY, int toX, int toY,
                  int promoKind) {
    const Square& from = board[fromY][fromX];
    rec->fromX = fromX;
    rec->fromY = fromY;
    rec->toX = toX;
    rec->toY = toY;
    rec->kind = from.kind;
    rec->colour = from.colour;
    rec->capturedKind = board[toY][toX].kind;
    rec->newKind = rec->kind;
    rec->special = SpecialNone;
    rec->secFromX = -1;
    rec->secToX = -1;
    if (Promotes(from, toY)) rec->newKind = promoKind;

    // En passant: a pawn's diagonal step onto an empty square takes the pawn beside it.
    if (rec->kind == PiecePawn && fromX != toX && rec->capturedKind == PieceNone) {
        rec->secColour = fromY < toY ? ColourBlack : ColourWhite;
        rec->secFromY = fromY < toY ? toY - 1 : toY + 1;
        rec->special = SpecialEnPassant;
        rec->secFromX = toX;
    }

    // Castling: a king's two-column step from e1 or e8 brings the rook along.
    if (fromX == 4 && (fromY == 0 || fromY == 7) && from.kind == PieceKing && (toX == 6 || toX == 2)) {
        rec->secFromX = toX == 6 ? 7 : 0;
        rec->secFromY = fromY;
        rec->secToX = toX == 6 ? 5 : 3;
        rec->secToY = fromY;
        rec->special = SpecialCastling;
        rec->secColour = fromY == 0 ? ColourWhite : ColourBlack;
    }
}

// Only the squares' kind and colour change; a square that empties keeps its stale
// colour, which nothing reads. Legality, ply and the side to move are the callers'.
void Game::MakeMove(MoveRecord* rec, int fromX, int fromY, int toX, int toY, int silent, int promoKind) {
    // Promotion; the dialog is asked while the board still shows the old position.
    const Square& mover = board[fromY][fromX];
    if (Promotes(mover, toY) && !player[mover.colour].isComputer && !silent) {
        int chosen = WindowChoosePromotion();
        // A failed or closed dialog yields no piece kind; a queen is the safe choice.
        promoKind = chosen >= PieceKnight && chosen <= PieceQueen ? chosen : PieceQueen;
    }
    DescribeMove(board, rec, fromX, fromY, toX, toY, promoKind);

    if (rec->special == SpecialEnPassant) board[rec->secFromY][rec->secFromX].kind = PieceNone;
    if (rec->special == SpecialCastling) {
        board[fromY][rec->secFromX].kind = PieceNone;
        board[fromY][rec->secToX].kind = PieceRook;
        board[fromY][rec->secToX].colour = rec->secColour;
    }
    Square& to = board[toY][toX];
    to.kind = rec->newKind;
    to.colour = rec->colour;
    board[fromY][fromX].kind = PieceNone;
}

void Game::UnmakeMove(const MoveRecord* rec) {
    Square& from = board[rec->fromY][rec->fromX];
    Square& to = board[rec->toY][rec->toX];
    from.kind = rec->kind;
    from.colour = rec->colour;
    to.kind = rec->capturedKind;
    to.colour = rec->colour == ColourWhite ? ColourBlack : ColourWhite;
    if (rec->special != SpecialNone) {
        if (rec->secFromX != -1) {
            board[rec->secFromY][rec->secFromX].kind = rec->special;
            board[rec->secFromY][rec->secFromX].colour = rec->secColour;
        }
        if (rec->secToX != -1) board[rec->secToY][rec->secToX].kind = PieceNone;
    }
}

void Game::ClearMarks(int mark) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (mark == MarkNone || board[y][x].mark == mark) board[y][x].mark = MarkNone;
}
