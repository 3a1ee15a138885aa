#include "core/piece_letters.h"

#include "core/game.h"

char PieceLetter(int kind) {
    switch (kind) {
        case PieceKnight: return 'N';
        case PieceBishop: return 'B';
        case PieceRook: return 'R';
        case PieceQueen: return 'Q';
        case PieceKing: return 'K';
        default: return 0;
    }
}

char PromotionLetter(int kind) {
    switch (kind) {
        case PieceKnight: return 'N';
        case PieceBishop: return 'B';
        case PieceRook: return 'R';
        default: return 'Q';
    }
}
