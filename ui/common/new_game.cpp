#include "ui/common/new_game.h"

static int SameText(const char* a, const char* b) {
    return String(a) == String(b);
}

const char* NewGameNamesRefusal(int whiteType, const char* whiteName, int blackType,
                                const char* blackName) {
    if (whiteType != NewGameComputer && SameText(whiteName, kComputerPlayerName))
        return "Please enter any other name (WHITE SIDE)";
    if (blackType != NewGameComputer && SameText(blackName, kComputerPlayerName))
        return "Please enter any other name (BLACK SIDE)";
    int whiteEmpty = whiteName[0] == '\0';
    int blackEmpty = blackName[0] == '\0';
    if (whiteEmpty && !blackEmpty) return "Please enter name (WHITE SIDE)";
    if (!whiteEmpty && blackEmpty) return "Please enter name (BLACK SIDE)";
    if (whiteEmpty && blackEmpty) return "Please enter name (WHITE AND BLACK SIDES)";
    return 0;
}

static void SetPlayer(PlayerRecord& player, int type, const char* name) {
    player.isComputer = type == NewGameComputer ? 1 : 0;
    const int capacity = (int)sizeof(player.name) - 1;
    int length = String::CStrLen(name);
    if (length > capacity) length = capacity;
    String::CopyChars(name, player.name, length, 0, 0);
}

int StartNewGame(Game& game, int whiteType, const char* whiteName, int blackType,
                 const char* blackName, int levelIndex) {
    // A search running below a dialog's message loop unwinds onto this game when it
    // returns: resetting it now would corrupt the new game and the clocks.
    if (game.thinking) return 0;
    game.Reset(game.newGameMode);
    SetPlayer(game.player[ColourWhite], whiteType, whiteName);
    SetPlayer(game.player[ColourBlack], blackType, blackName);
    game.searchDepth = levelIndex + 1;
    if (game.player[ColourWhite].isComputer) game.computerToMove = 1;
    game.gameActive = 1;
    return 1;
}
