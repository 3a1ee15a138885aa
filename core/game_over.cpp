#include "core/game.h"

#include <string.h>
#include "core/castling.h"

Square g_positionHistory[kHistorySize + 1][8][8];

namespace {

// A position's identity: the kind on each square and the colour of each piece.
// Stale colours of empty squares, marks and flags do not count.
int SamePlacement(const Square (&a)[8][8], const Square (&b)[8][8]) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            if (a[y][x].kind != b[y][x].kind) return 0;
            if (a[y][x].kind != PieceNone && a[y][x].colour != b[y][x].colour) return 0;
        }
    return 1;
}

// A digest of the same identity, so that most unequal pairs are told apart without
// comparing 64 squares.
uint64_t PlacementDigest(const Square (&b)[8][8]) {
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            uint32_t v = static_cast<uint32_t>(b[y][x].kind);
            if (v != PieceNone) v |= static_cast<uint32_t>(b[y][x].colour) << 8;
            h = (h ^ v) * 1099511628211ull;
        }
    return h;
}

uint64_t g_positionDigest[kHistorySize + 1];
// What a position is besides its placement: the castling rights (bits 0-3) and the
// file of a legal en-passant capture plus one (0 for none, from bit 4).
int g_positionRights[kHistorySize + 1];

// The file on which the side to move may take en passant right after record ply - 1
// (on the board as it stands), or -1. The generators decide, so a capture that would
// leave the king attacked gives none; they run only when a pawn of the side stands
// beside the pawn that has just made its double step. Of the game's fields only the
// board is used afterwards: the generation's scratch is put back.
int EnPassantFile(Game& g, MoveListEntry* list) {
    const MoveRecord& r = g.history[g.ply - 1];
    if (r.kind != PiecePawn || r.fromX != r.toX || (r.fromY != 1 && r.fromY != 6) || r.toY != (r.fromY == 1 ? 3 : 4))
        return -1;
    const int side = r.fromY == 6 ? ColourWhite : ColourBlack;
    const int file = r.toX, row = r.toY, targetRow = side == ColourWhite ? 5 : 2;
    if (g.board[targetRow][file].kind != PieceNone) return -1;
    int beside = 0;
    for (int x = file - 1; x <= file + 1; x += 2)
        if (x >= 0 && x < 8 && g.board[row][x].kind == PiecePawn && g.board[row][x].colour == side) beside = 1;
    if (!beside) return -1;

    const int moveCount = g.moveCount, kingX = g.kingX, kingY = g.kingY;
    const int savedTargetKind = g.savedTargetKind, savedTargetColour = g.savedTargetColour;
    const int castleTestX = g.castleTestX, castleTestY = g.castleTestY;
    g.GenerateLegalMoves(list, side);
    // A pawn's diagonal step onto the empty square passed over is the en-passant capture.
    int found = -1;
    for (int k = 0; k < g.moveCount && found < 0; ++k)
        if (list[k].toX == file && list[k].toY == targetRow && list[k].fromY == row) found = file;
    g.moveCount = moveCount;
    g.kingX = kingX;
    g.kingY = kingY;
    g.savedTargetKind = savedTargetKind;
    g.savedTargetColour = savedTargetColour;
    g.castleTestX = castleTestX;
    g.castleTestY = castleTestY;
    return found;
}

// One pawn move or capture in the last hundred half-moves keeps the game alive.
int NoProgressInLast100(const MoveRecord* history, int ply) {
    for (int i = ply - 1; i >= ply - 100; --i)
        if (history[i].kind == PiecePawn || history[i].capturedKind != PieceNone) return 0;
    return 1;
}

}  // namespace

int Game::CheckGameOver(int side, int showMessage) {
    int status = StatusPlaying;
    const char* message = 0;

    GenerateLegalMoves(moveList, side);
    if (moveCount == 0) {
        if (IsInCheck(side, kingX, kingY)) {
            status = StatusCheckmate;
            message = side == ColourWhite ? "Game over.\nBlack wins by checkmate." : "Game over.\nWhite wins by checkmate.";
        } else {
            status = StatusStalemate;
            message = "Game over.\nStalemate.";
        }
    }

    if (status == StatusPlaying) {
        // Kings are not counted; a lone minor piece each cannot force mate.
        int count[2][7] = {};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const Square& s = board[y][x];
                if (s.kind > PieceNone && s.kind <= PieceKing && (s.colour == ColourWhite || s.colour == ColourBlack))
                    ++count[s.colour][s.kind];
            }
        int heavyOrPawn[2], minor[2];
        for (int c = 0; c < 2; ++c) {
            heavyOrPawn[c] = count[c][PiecePawn] + count[c][PieceRook] + count[c][PieceQueen];
            minor[c] = count[c][PieceKnight] + count[c][PieceBishop];
        }
        if (heavyOrPawn[0] == 0 && heavyOrPawn[1] == 0 && minor[0] <= 1 && minor[1] <= 1) {
            status = StatusDraw;
            message = "Game over.\nNeither player has sufficient material to force checkmate.\nThis game is a draw.";
        }
    }

    if (status == StatusPlaying && IsThreefoldRepetition()) {
        status = StatusDraw;
        message = "Game over.\nThis position has been repeated three times.\nThis game is a draw.";
    }

    if (status == StatusPlaying && ply >= 100 && ply <= kHistorySize && NoProgressInLast100(history, ply)) {
        status = StatusDraw;
        message = "Game over.\nNo pawns moved or pieces captured in last fifty moves.\nThis game is a draw.";
    }

    // The history holds kMaxGamePly committed half-moves: a game that has filled it
    // ends here, so no caller commits a move beyond it.
    if (status == StatusPlaying && ply >= kMaxGamePly) {
        status = StatusDraw;
        message = "Game over.\nThe game has reached 400 half-moves.\nThis game is a draw.";
    }

    if (showMessage && status != StatusPlaying) WindowMessageBox(message, MessageInfo);
    return status;
}

int Game::IsThreefoldRepetition() {
    // Positions can repeat three times only after eight half-moves; a ply beyond the
    // store cannot come from a game and is not looked at.
    if (ply < 8 || ply > kHistorySize) return 0;

    // Boards ply down to 0, each with the en-passant chance the record before it gave.
    MoveListEntry list[kMoveListSize];
    const int32_t savedPly = ply;
    Square saved[8][8];
    memcpy(saved, board, sizeof(board));
    memcpy(g_positionHistory[ply], board, sizeof(board));
    g_positionDigest[ply] = PlacementDigest(board);
    for (int i = savedPly - 1; i >= 0; --i) {
        ply = i + 1;
        g_positionRights[i + 1] = (EnPassantFile(*this, list) + 1) << 4;
        UnmakeMove(&history[i]);
        memcpy(g_positionHistory[i], board, sizeof(board));
        g_positionDigest[i] = PlacementDigest(board);
    }
    ply = savedPly;
    memcpy(board, saved, sizeof(board));
    g_positionRights[0] = 0;
    int taken = 0;
    for (int k = 0; k <= ply; ++k) {
        if (k > 0) taken |= CastlingRightsTakenBy(&history[k - 1], 1);
        g_positionRights[k] |= CastlingRightsOn(g_positionHistory[k], taken);
    }

    // Boards are the same position with the same side to move (an even distance
    // apart), the same castling rights and en-passant chance, and the same placement.
    for (int j = ply; j >= 0; --j) {
        int earlier = 0;
        for (int k = j - 2; k >= 0; k -= 2)
            if (g_positionDigest[k] == g_positionDigest[j] && g_positionRights[k] == g_positionRights[j] &&
                SamePlacement(g_positionHistory[k], g_positionHistory[j]) && ++earlier >= 2)
                return 1;
    }
    return 0;
}
