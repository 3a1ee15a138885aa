// Taking the game the Load dialog read as the game played.
#include "files/game_files.h"

int TakeLoadedGame(Game& game, const Game& loaded) {
    // A search running below the dialog's message loop unwinds onto this game when it
    // returns: replacing it now would corrupt the loaded game and the clocks.
    if (game.thinking) return 0;
    int kind = game.loadKind;
    game = loaded;
    if (kind == LoadPosition) {
        game.analyseMode = 1;
    } else {
        game.sideToMove = game.ply & 1;
    }
    game.gameActive = 1;
    game.modified = 0;
    return 1;
}
