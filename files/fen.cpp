// Position files: one FEN line written from a board and read back into a game, with
// the test that decides whether a read position may be played.
#include "files/file_text.h"
#include "files/game_files.h"

namespace {

char FenLetter(const Square& s) {
    char letter = s.kind == PiecePawn ? 'P' : PieceLetter(s.kind);
    return s.colour == ColourBlack ? char(letter - 'A' + 'a') : letter;
}

int KindOfFenLetter(char c, int* colour) {
    static const char kLetters[] = "PNBRQK";
    for (int i = 0; i < 6; ++i) {
        if (c == kLetters[i]) {
            *colour = ColourWhite;
            return PiecePawn + i;
        }
        if (c == kLetters[i] - 'A' + 'a') {
            *colour = ColourBlack;
            return PiecePawn + i;
        }
    }
    return PieceNone;
}

// The pieces of one colour beyond what the eight pawns could have become.
int Surplus(const int count[7], const int bishopsOnShade[2]) {
    int surplus = 0;
    if (count[PieceKnight] > 2) surplus += count[PieceKnight] - 2;
    for (int shade = 0; shade < 2; ++shade)
        if (bishopsOnShade[shade] >= 1) surplus += bishopsOnShade[shade] - 1;
    if (count[PieceRook] > 2) surplus += count[PieceRook] - 2;
    if (count[PieceQueen] >= 1) surplus += count[PieceQueen] - 1;
    return surplus;
}

}  // namespace

String FenPositionText(const Game& game, int side) {
    String text;
    for (int y = 7; y >= 0; --y) {
        if (y != 7) text += '/';
        int run = 0;
        for (int x = 0; x < 8; ++x) {
            const Square& s = game.board[y][x];
            if (s.kind == PieceNone) {
                ++run;
                continue;
            }
            if (run) text += char('0' + run);
            run = 0;
            text += FenLetter(s);
        }
        if (run) text += char('0' + run);
    }
    text += side == ColourWhite ? " w" : " b";
    // No castling rights, no en-passant square, full-move number 1 (0 is not valid FEN).
    text += " - - 0 1";
    return text;
}

String ProposedPositionFileName(const SaveMoment& when) {
    String name("[");
    name += DateDigitsText(when.shortDate).CStr();
    name += "] [";
    name += char('0' + when.hour / 10 % 10);
    name += char('0' + when.hour % 10);
    name += '-';
    name += char('0' + when.minute / 10 % 10);
    name += char('0' + when.minute % 10);
    name += ']';
    return name;
}

void Game::LoadFromFen(String text) {
    errorText = "";
    int first = 0;
    while (text.CharAt(first) == ' ') ++first;
    const char* fen = text.CStr() + first;
    const int length = text.Length() - first;

    Reset(ResetStartPosition);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) board[y][x] = Square();

    int x = 0, r = 0, i = 0;
    while (i < length) {
        const char c = fen[i];
        int colour = ColourWhite;
        if (c == '/') {
            ++r;
            x = 0;
        } else if (c >= '1' && c <= '7') {
            x += c - '0';
        } else if (c == '8') {
            // A whole empty rank; the "/" or space after it goes with it.
            ++r;
            x = 0;
            ++i;
        } else if (int kind = KindOfFenLetter(c, &colour)) {
            if (x >= 0 && x <= 7 && r >= 0 && r <= 7) {
                board[7 - r][x].kind = kind;
                board[7 - r][x].colour = colour;
            }
            ++x;
        }
        if (i < length && fen[i] == ' ') break;
        ++i;
    }
    const char sideLetter = i + 1 < length ? fen[i + 1] : '\0';
    beginSide = (sideLetter == 'w' || sideLetter == 'W') ? ColourWhite : ColourBlack;
    sideToMove = beginSide;

    ValidateLoadedPosition();
    player[ColourWhite].isComputer = 0;
    player[ColourBlack].isComputer = 0;
    for (int y = 0; y < 8; ++y)
        for (int col = 0; col < 8; ++col) beginBoard[y][col] = board[y][col];
}

void Game::ValidateLoadedPosition() {
    int count[2][7] = {};
    int bishopsOnShade[2][2] = {};  // [colour][1: the shade of a1]
    int pawnOnEdgeRow = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const Square& s = board[y][x];
            if (s.kind == PieceNone) continue;
            const int colour = s.colour == ColourBlack ? ColourBlack : ColourWhite;
            ++count[colour][s.kind];
            if (s.kind == PieceBishop) ++bishopsOnShade[colour][(x % 2) == (y % 2) ? 1 : 0];
            if (s.kind == PiecePawn && (y == 0 || y == 7)) pawnOnEdgeRow = 1;
        }

    errorText = "";
    int impossible = pawnOnEdgeRow;
    for (int colour = 0; colour < 2; ++colour) {
        if (count[colour][PieceKing] != 1) impossible = 1;
        if (count[colour][PiecePawn] + Surplus(count[colour], bishopsOnShade[colour]) > 8) impossible = 1;
    }
    if (impossible) errorText = " Error position";
    if (IsInCheck(1 - sideToMove, -1, -1) == 1) errorText = " Error position";
    if (CheckGameOver(sideToMove, 0) != StatusPlaying) errorText = " Game over";
}
