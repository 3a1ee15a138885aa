#include "tools/common/position_setup.h"

namespace {

int PieceKindOfLetter(char c) {
    switch (c | 0x20) {  // lower case
        case 'p': return PiecePawn;
        case 'n': return PieceKnight;
        case 'b': return PieceBishop;
        case 'r': return PieceRook;
        case 'q': return PieceQueen;
        case 'k': return PieceKing;
        default: return PieceNone;
    }
}

int IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

const char* SkipSpaces(const char* p) {
    while (IsSpace(*p)) ++p;
    return p;
}

// A history record that only says "something left (fromX, fromY)". Taking it back (as
// the repetition test does) puts a pawn on that back-rank corner or king square, which
// no real position has, so the made-up boards before the set-up position can never
// repeat a real one. Its to-square is an empty square that no other made-up record
// touches, and taking it back leaves that square empty.
struct SeedPlan {
    int fromX[5], fromY[5];
    int count;
};

int IsReservedSquare(int x, int y, int epFile) {
    if ((y == 0 || y == 7) && (x == 0 || x == 4 || x == 7)) return 1;
    if (epFile >= 0 && x == epFile) return 1;
    return 0;
}

// The made-up records: one per lost castling right (from the king square when a colour
// has lost both), then White's or Black's double step when the FEN names an
// en-passant square. Colours alternate so that the last record is the opponent's and
// the record count and side to move agree: beginSide plays record 0.
int SeedHistory(Game& game, const int rights[2][2], int epFile) {
    SeedPlan plan;
    plan.count = 0;
    for (int colour = 0; colour < 2; ++colour) {
        int row = colour == ColourWhite ? 0 : 7;
        int lostKingSide = !rights[colour][0], lostQueenSide = !rights[colour][1];
        if (lostKingSide && lostQueenSide) {
            plan.fromX[plan.count] = 4; plan.fromY[plan.count++] = row;
        } else if (lostKingSide) {
            plan.fromX[plan.count] = 7; plan.fromY[plan.count++] = row;
        } else if (lostQueenSide) {
            plan.fromX[plan.count] = 0; plan.fromY[plan.count++] = row;
        }
    }
    int records = plan.count + (epFile >= 0 ? 1 : 0);
    if (records > kMaxGamePly) return 0;

    int spareX = -1, spareY = -1;
    for (int i = 0; i < 64 && spareX < 0; ++i) {
        int x = i % 8, y = i / 8;
        if (game.board[y][x].kind == PieceNone && !IsReservedSquare(x, y, epFile)) {
            spareX = x;
            spareY = y;
        }
    }
    if (plan.count > 0 && spareX < 0) return 0;

    int beginSide = game.sideToMove ^ (records & 1);
    for (int i = 0; i < plan.count; ++i) {
        MoveRecord& r = game.history[i];
        r = MoveRecord();
        r.fromX = plan.fromX[i];
        r.fromY = plan.fromY[i];
        r.toX = spareX;
        r.toY = spareY;
        r.kind = PiecePawn;
        r.colour = beginSide ^ (i & 1);
        r.capturedKind = PieceNone;
        r.newKind = PiecePawn;
        r.secFromX = -1;
        r.secToX = -1;
        r.special = SpecialNone;
    }
    if (epFile >= 0) {
        MoveRecord& r = game.history[plan.count];
        r = MoveRecord();
        int mover = game.sideToMove ^ 1;  // the side that just made the double step
        r.fromX = epFile;
        r.fromY = mover == ColourWhite ? 1 : 6;
        r.toX = epFile;
        r.toY = mover == ColourWhite ? 3 : 4;
        r.kind = PiecePawn;
        r.colour = mover;
        r.capturedKind = PieceNone;
        r.newKind = PiecePawn;
        r.secFromX = -1;
        r.secToX = -1;
        r.special = SpecialNone;
    }
    game.ply = records;
    game.beginSide = beginSide;
    return 1;
}

}  // namespace

int SetUpFromFen(Game& game, const char* fen) {
    if (!fen) return 0;
    game.Reset(ResetEmpty);
    const char* p = SkipSpaces(fen);

    // Piece placement, rank 8 first.
    for (int y = 7; y >= 0; --y) {
        int x = 0;
        while (x < 8) {
            char c = *p++;
            if (c >= '1' && c <= '8') {
                int run = c - '0';
                if (x + run > 8) return 0;
                for (int i = 0; i < run; ++i, ++x) {
                    game.board[y][x].kind = PieceNone;
                    game.board[y][x].colour = ColourWhite;
                }
            } else {
                int kind = PieceKindOfLetter(c);
                if (kind == PieceNone) return 0;
                game.board[y][x].kind = kind;
                game.board[y][x].colour = (c >= 'a' && c <= 'z') ? ColourBlack : ColourWhite;
                ++x;
            }
        }
        if (y > 0 && *p++ != '/') return 0;
    }
    if (!IsSpace(*p)) return 0;
    p = SkipSpaces(p);

    // Side to move.
    if (*p == 'w') game.sideToMove = ColourWhite;
    else if (*p == 'b') game.sideToMove = ColourBlack;
    else return 0;
    ++p;
    if (*p && !IsSpace(*p)) return 0;
    p = SkipSpaces(p);

    // Castling rights: [colour][0 king side, 1 queen side]. Missing fields mean none.
    int rights[2][2] = {{0, 0}, {0, 0}};
    if (*p == '-') {
        ++p;
    } else {
        while (*p && !IsSpace(*p)) {
            switch (*p) {
                case 'K': rights[ColourWhite][0] = 1; break;
                case 'Q': rights[ColourWhite][1] = 1; break;
                case 'k': rights[ColourBlack][0] = 1; break;
                case 'q': rights[ColourBlack][1] = 1; break;
                default: return 0;
            }
            ++p;
        }
    }
    if (*p && !IsSpace(*p)) return 0;
    p = SkipSpaces(p);

    // En-passant square: it must be the square a pawn of the side not to move has just
    // passed, with that pawn beside it and the square it came from empty, so that the
    // made-up double step agrees with the board.
    int epFile = -1;
    if (*p == '-') {
        ++p;
    } else if (*p >= 'a' && *p <= 'h') {
        epFile = *p++ - 'a';
        int white = game.sideToMove == ColourWhite;
        char rank = *p++;
        if (rank != (white ? '6' : '3')) return 0;
        int passedY = white ? 5 : 2, pawnY = white ? 4 : 3, startY = white ? 6 : 1;
        const Square& pawn = game.board[pawnY][epFile];
        if (pawn.kind != PiecePawn || pawn.colour != (white ? ColourBlack : ColourWhite)) return 0;
        if (game.board[passedY][epFile].kind != PieceNone || game.board[startY][epFile].kind != PieceNone)
            return 0;
    } else if (*p) {
        return 0;
    }
    if (*p && !IsSpace(*p)) return 0;
    // The half-move and move numbers, if present, are not used.

    return SeedHistory(game, rights, epFile);
}

int PlayCoordinateMove(Game& game, const char* move) {
    if (!move) return 0;
    if (move[0] < 'a' || move[0] > 'h' || move[1] < '1' || move[1] > '8' ||
        move[2] < 'a' || move[2] > 'h' || move[3] < '1' || move[3] > '8')
        return 0;
    int fromX = move[0] - 'a', fromY = move[1] - '1', toX = move[2] - 'a', toY = move[3] - '1';
    int promoKind = PieceQueen;
    int lettered = 0;
    if (move[4] != '\0') {
        promoKind = PieceKindOfLetter(move[4]);
        if (promoKind < PieceKnight || promoKind > PieceQueen || move[5] != '\0') return 0;
        lettered = 1;
    }
    if (game.ply < 0 || game.ply >= kMaxGamePly) return 0;

    const Square& from = game.board[fromY][fromX];
    int promotes = from.kind == PiecePawn && (toY == 7 || toY == 0);
    if (lettered && !promotes) return 0;

    MoveListEntry list[kMoveListSize];
    game.GenerateLegalMoves(list, game.sideToMove);
    for (int i = 0; i < game.moveCount; ++i) {
        const MoveListEntry& e = list[i];
        if (e.fromX == fromX && e.fromY == fromY && e.toX == toX && e.toY == toY) {
            game.MakeMove(&game.history[game.ply], fromX, fromY, toX, toY, 1, promoKind);
            ++game.ply;
            game.sideToMove ^= 1;
            return 1;
        }
    }
    return 0;
}
