// What the engine tools and tests share: one computer move searched the way the
// program's turn does it, without the window, with its value, node count and time.
#pragma once
#include <stdint.h>
#include <chrono>
#include "core/game.h"
#include "engine/computer_turn.h"
#include "engine/search_common.h"

struct ThinkResult {
    MoveListEntry move;   // fromX kNoMove when none was chosen
    int value;
    uint64_t nodes;
    double milliseconds;
    int alternative;      // 1 when the root searched again to avoid a repetition
};

// Searches the side to move of `game` at `level` as its computer player would.
inline ThinkResult ThinkOnce(Game& game, int level) {
    game.player[game.sideToMove].isComputer = 1;
    game.searchDepth = level;
    game.thinking = 1;
    game.titleSuffix = "";
    game.bestMove.fromX = kNoMove;
    g_searchNodes = 0;
    auto start = std::chrono::steady_clock::now();
    PrepareComputerSearch(game);
    ThinkResult result;
    result.value = RunComputerSearch(game);
    result.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    result.nodes = g_searchNodes;
    result.move = game.bestMove;
    result.alternative = game.titleSuffix.Length() > 0;
    game.thinking = 0;
    return result;
}

// Coordinate notation of a move ("e2e4"), or "none".
inline const char* MoveText(const MoveListEntry& move, char text[6]) {
    if (move.fromX == kNoMove) return "none";
    text[0] = (char)('a' + move.fromX);
    text[1] = (char)('1' + move.fromY);
    text[2] = (char)('a' + move.toX);
    text[3] = (char)('1' + move.toY);
    text[4] = '\0';
    return text;
}
