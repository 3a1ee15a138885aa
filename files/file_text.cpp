#include "files/file_text.h"

#include "core/names.h"

String PlayerName(const PlayerRecord& player) {
    String name;
    for (int i = 0; i < (int)sizeof player.name - 1 && player.name[i]; ++i) name += player.name[i];
    return name;
}

void StartReplay(const Game& game, Game* replay) {
    replay->Reset(ResetStartPosition);
    if (game.analyseMode == 0) return;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) replay->board[y][x] = game.beginBoard[y][x];
    replay->sideToMove = game.beginSide;
}

String DateDigitsText(const char* shortDate) {
    const int kMaxDateChars = 126;
    String date;
    for (int i = 0; shortDate && shortDate[i] && i < kMaxDateChars; ++i)
        date += shortDate[i] >= '0' && shortDate[i] <= '9' ? shortDate[i] : '_';
    return date;
}

String WithoutUnsafeNameChars(const String& name) { return WithoutRefusedFileNameChars(name.CStr()); }
