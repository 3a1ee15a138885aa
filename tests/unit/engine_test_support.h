// Shared set-up of the computer player's tests: games from a FEN or the start position
// with moves, the side to move played by the computer, and readable moves.
#pragma once
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/game.h"
#include "engine/computer_turn.h"
#include "engine/search_common.h"
#include "fakes/fake_thinking.h"
#include "fakes/fake_window.h"
#include "tools/common/engine_positions.h"
#include "tools/common/engine_think.h"
#include "unit/board_test_support.h"

// A game set up from "startpos" or a FEN, then the moves; the side to move is the
// computer at `level`. The fakes start clean.
inline std::unique_ptr<Game> EngineGame(const char* position, const char* moves = "", int level = 1) {
    std::unique_ptr<Game> game(new Game);
    EXPECT_TRUE(SetUpPositionWithMoves(*game, position, moves)) << position << " / " << moves;
    game->player[game->sideToMove].isComputer = 1;
    game->searchDepth = level;
    g_fakeThinking.Clear();
    g_fakeWindow.Clear();
    return game;
}

inline std::string Text(const MoveListEntry& move) {
    char text[6];
    return MoveText(move, text);
}

// Worth of a piece in the prepared table, at a square named like "e4".
inline int Worth(const Game& game, int colour, int kind, const char* square) {
    return game.pieceSquareTable[colour][kind][square[1] - '1'][square[0] - 'a'];
}
