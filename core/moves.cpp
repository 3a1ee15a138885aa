#include "core/game.h"

// Only the squares' kind and colour change; a square that empties keeps its stale
// colour, which nothing reads. Legality, ply and the side to move are the callers'.
void Game::MakeMove(MoveRecord* rec, int fromX, int fromY, int toX, int toY, int silent, int promoKind) {
    Square& from = board[fromY][fromX];
    Square& to = board[toY][toX];
    rec->fromX = fromX;
    rec->fromY = fromY;
    rec->toX = toX;
    rec->toY = toY;
    rec->kind = from.kind;
    rec->colour = from.colour;
    rec->capturedKind = to.kind;
    rec->newKind = rec->kind;
    rec->special = SpecialNone;
    rec->secFromX = -1;
    rec->secToX = -1;

    // Promotion; the dialog is asked while the board still shows the old position.
    int lastRow = rec->colour == ColourWhite ? 7 : 0;
    if (rec->kind == PiecePawn && (rec->colour == ColourWhite || rec->colour == ColourBlack) && toY == lastRow) {
        if (player[rec->colour].isComputer) {
            rec->newKind = promoKind;
        } else if (!silent) {
            int chosen = WindowChoosePromotion();
            // A failed or closed dialog yields no piece kind; a queen is the safe choice.
            rec->newKind = chosen >= PieceKnight && chosen <= PieceQueen ? chosen : PieceQueen;
        } else {
            rec->newKind = promoKind;
        }
    }

    // En passant: a pawn's diagonal step onto an empty square takes the pawn beside it.
    if (rec->kind == PiecePawn && fromX != toX && rec->capturedKind == PieceNone) {
        int victimY = fromY < toY ? toY - 1 : toY + 1;
        board[victimY][toX].kind = PieceNone;
        rec->secColour = fromY < toY ? ColourBlack : ColourWhite;
        rec->secFromY = victimY;
        rec->special = SpecialEnPassant;
        rec->secFromX = toX;
    }

    // Castling: a king's two-column step from e1 or e8 brings the rook along.
    if (fromX == 4 && (fromY == 0 || fromY == 7) && from.kind == PieceKing && (toX == 6 || toX == 2)) {
        int rookFromX = toX == 6 ? 7 : 0;
        int rookToX = toX == 6 ? 5 : 3;
        int rookColour = fromY == 0 ? ColourWhite : ColourBlack;
        board[fromY][rookFromX].kind = PieceNone;
        board[fromY][rookToX].kind = PieceRook;
        board[fromY][rookToX].colour = rookColour;
        rec->secFromX = rookFromX;
        rec->secFromY = fromY;
        rec->secToX = rookToX;
        rec->secToY = fromY;
        rec->special = SpecialCastling;
        rec->secColour = rookColour;
    }

    to.kind = rec->newKind;
    to.colour = rec->colour;
    from.kind = PieceNone;
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
