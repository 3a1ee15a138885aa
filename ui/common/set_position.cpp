#include "ui/common/set_position.h"
#include "ui/common/play_port.h"

#include <string.h>

const char* const kPaletteRowTexts[kPaletteRowCount] = {
    " Pawn", " Knight", " Bishop", " Rook", " Queen", " King", " Clear field", " White move",
    " Black move"};

void Game::CountPieces(int counts[2][7]) {
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 7; ++k) counts[c][k] = 0;
    // An empty square adds to kind 0 under its stale colour: those counts mean nothing,
    // but the colour must still index the array.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) counts[board[y][x].colour & 1][board[y][x].kind] += 1;
}

void Game::CountBishopsBySquareColour(int out[2][2]) {
    out[0][0] = out[0][1] = out[1][0] = out[1][1] = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (board[y][x].kind == PieceBishop) out[board[y][x].colour & 1][IsSameParity(x, y)] += 1;
}

int Game::IsSameParity(int col, int row) { return (col & 1) == (row & 1) ? 1 : 0; }

int BeginSetPosition(Game& game) {
    if (game.thinking) return 0;  // the search would unwind onto the emptied board
    game.Reset(ResetEmpty);
    game.setPositionMode = 1;
    game.ply = 0;
    game.gameActive = 1;
    return 1;
}

namespace {

int Surplus(int count, int allowed) { return count > allowed ? count - allowed : 0; }

// Whether kind `kind` of `colour` may stand on (col, row), with the board counted
// as it is (the caller has emptied the square).
int PlacementAllowed(Game& game, int kind, int colour, int col, int row) {
    int counts[2][7];
    int bishops[2][2];
    game.CountPieces(counts);
    game.CountBishopsBySquareColour(bishops);
    const int* n = counts[colour];
    int lightBishops = bishops[colour][0];
    int darkBishops = bishops[colour][1];
    // Pieces beyond the initial set each need a pawn that promoted.
    int extra = Surplus(n[PieceKnight], 2) + Surplus(lightBishops, 1) + Surplus(darkBishops, 1) +
                Surplus(n[PieceRook], 2) + Surplus(n[PieceQueen], 1);
    int freePawns = 8 - n[PiecePawn];
    int noPromotionLeft = freePawns <= extra;
    switch (kind) {
    case PiecePawn:
        return !(n[PiecePawn] + extra >= 8 || row == 0 || row == 7);
    case PieceKnight:
        return !(n[PieceKnight] >= 2 && noPromotionLeft);
    case PieceBishop: {
        int sameColourBishops = game.IsSameParity(col, row) ? darkBishops : lightBishops;
        return !(sameColourBishops >= 1 && noPromotionLeft);
    }
    case PieceRook:
        return !(n[PieceRook] >= 2 && noPromotionLeft);
    case PieceQueen:
        return !(n[PieceQueen] >= 1 && noPromotionLeft);
    default:
        return n[PieceKing] < 1;
    }
}

}  // namespace

int PlaceSetPositionPiece(Game& game, int col, int row, int paletteRow, int primary) {
    if (col < 0 || col > 7 || row < 0 || row > 7) return 0;
    Square& square = game.board[row][col];
    int colour = primary ? ColourWhite : ColourBlack;
    if (paletteRow >= PalettePawn && paletteRow <= PaletteKing) {
        int kind = paletteRow + 1;
        if (square.kind == kind && square.colour == colour) {
            square.kind = PieceNone;
            return 1;
        }
        int oldKind = square.kind;
        square.kind = PieceNone;
        if (!PlacementAllowed(game, kind, colour, col, row)) {
            square.kind = oldKind;  // its colour was never touched
            return 0;
        }
        square.kind = kind;
        square.colour = colour;
        return 1;
    }
    if (paletteRow == PaletteClearField && square.kind != PieceNone) {
        square.kind = PieceNone;
        return 1;
    }
    return 0;
}

const char* SetPositionRefusal(Game& game, int paletteRow) {
    int whiteKing = 0, blackKing = 0, others = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Square& s = game.board[y][x];
            if (s.kind == PieceKing) {
                if (s.colour == ColourWhite) whiteKing = 1;
                else blackKing = 1;
            } else if (s.kind != PieceNone) {
                others = 1;
            }
        }
    }
    if (!whiteKing && !blackKing) return "Kings are not found!";
    if (!whiteKing) return "White king is not found!";
    if (!blackKing) return "Black king is not found!";
    if (!others) return "Only kings are found!";
    if (paletteRow == PaletteWhiteMove && game.IsInCheck(ColourBlack, -1, -1))
        return "Black king is check!";
    if (paletteRow == PaletteBlackMove && game.IsInCheck(ColourWhite, -1, -1))
        return "White king is check!";
    if (game.CheckGameOver(paletteRow - PaletteWhiteMove, 0) != StatusPlaying)
        return "Position error: this game is finished.";
    return 0;
}

int ChooseSetPositionRow(Game& game, int paletteRow, WindowHandle* listBox) {
    if (paletteRow != PaletteWhiteMove && paletteRow != PaletteBlackMove) return 0;
    const char* refusal = SetPositionRefusal(game, paletteRow);
    if (refusal) {
        WindowMessageBox(refusal, MessageInfo);
        return 0;
    }
    game.beginSide = paletteRow - PaletteWhiteMove;
    game.analyseMode = 1;
    PlayRebuildMoveList(&game, listBox);
    game.setPositionMode = 0;
    game.sideToMove = game.beginSide;
    for (int side = 0; side < 2; ++side) {
        game.player[side].isComputer = 0;
        memset(game.player[side].name, 0, sizeof(game.player[side].name));
        game.player[side].clockSeconds = 0;
    }
    game.gameActive = 1;
    game.modified = 1;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) game.beginBoard[y][x] = game.board[y][x];
    return 1;
}
