#include "ui/common/move_text.h"

namespace {

void AppendSquare(String* out, int x, int y) {
    *out += char('a' + x);
    *out += char('1' + y);
}

}  // namespace

String MoveRowText(const MoveRecord& r, int index, char suffix) {
    String row;
    if (index % 2 == 0) {
        row += ' ';
        row.AppendInt(index / 2 + 1);
        row += ". ";
    } else {
        row += "           ";
    }
    if (r.kind == PieceKing && r.fromX == 4 && (r.toX == 6 || r.toX == 2)) {
        row += r.toX == 6 ? "0-0" : "0-0-0";
        return row;
    }
    row += PieceLetter(r.kind);
    AppendSquare(&row, r.fromX, r.fromY);
    row += (r.capturedKind != 0 || r.special != 0) ? 'x' : '-';
    AppendSquare(&row, r.toX, r.toY);
    if (r.newKind != r.kind) {
        row += '=';
        row += PromotionLetter(r.newKind);
    }
    row += suffix;
    return row;
}

void BuildMoveRows(const Game& game, MoveRowSink sink, void* context) {
    sink(" 0.", context);
    Game replay;
    replay.Reset(ResetStartPosition);
    if (game.analyseMode != 0) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) replay.board[y][x] = game.beginBoard[y][x];
        replay.sideToMove = game.beginSide;
    }
    const int count = game.ply < kMaxGamePly ? game.ply : kMaxGamePly;
    for (int i = 0; i < count; ++i) {
        const MoveRecord& r = game.history[i];
        replay.MakeMove(&replay.history[replay.ply], r.fromX, r.fromY, r.toX, r.toY, 1, r.newKind);
        replay.ply += 1;
        replay.sideToMove = replay.sideToMove == 0 ? 1 : 0;
        char suffix = 0;
        if (replay.CheckGameOver(replay.sideToMove, 0) == StatusCheckmate)
            suffix = '#';
        else if (replay.IsInCheck(replay.sideToMove, -1, -1) == 1)
            suffix = '+';
        String row = MoveRowText(r, i, suffix);
        sink(row.CStr(), context);
    }
}
