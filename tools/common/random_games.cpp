#include "tools/common/random_games.h"

int PlayRandomGame(Game& game, RandomSource& random, int maxPly) {
    MoveListEntry list[kMoveListSize];
    while (game.ply < maxPly) {
        int status = game.CheckGameOver(game.sideToMove, 0);
        if (status != StatusPlaying) return status;
        game.GenerateLegalMoves(list, game.sideToMove);
        const MoveListEntry& m = list[random.Next(game.moveCount)];
        game.MakeMove(&game.history[game.ply], m.fromX, m.fromY, m.toX, m.toY, 1, PieceKnight + random.Next(4));
        game.ply += 1;
        game.sideToMove = 1 - game.sideToMove;
    }
    return StatusPlaying;
}

void RandomPlayerName(RandomSource& random, char out[18]) {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789   =-_.,'!()[]{}";
    const int length = 1 + random.Next(17);
    for (int i = 0; i < length; ++i) out[i] = kChars[random.Next(int(sizeof kChars) - 1)];
    out[length] = '\0';
}
