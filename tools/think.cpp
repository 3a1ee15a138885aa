// varno-think: the computer's move in one position.
//   varno-think POSITION [MOVE...] LEVEL
// POSITION is "startpos" or a FEN (one argument, quoted), the moves are in coordinate
// notation (e2e4, e7e8q) and go into the history, LEVEL is 1 to 3. Prints the move the
// computer chooses for the side to move, the value (1000 = one pawn, from the view of
// the side not thinking), the nodes searched and the time.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <memory>
#include "tools/common/engine_positions.h"
#include "tools/common/engine_think.h"

static const char* kEndingNames[] = {"classic search", "mating search (queen or rook)",
                                     "mating search (two bishops)", "mating search (bishop and knight, dark)",
                                     "mating search (bishop and knight, light)"};

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s POSITION [MOVE...] LEVEL\n  POSITION: startpos or a FEN in quotes\n", argv[0]);
        return 2;
    }
    int level = atoi(argv[argc - 1]);
    if (level < 1 || level > 3 || strlen(argv[argc - 1]) != 1) {
        fprintf(stderr, "level must be 1, 2 or 3\n");
        return 2;
    }
    std::unique_ptr<Game> game(new Game);
    if (!SetUpPositionWithMoves(*game, argv[1], "")) {
        fprintf(stderr, "bad position: %s\n", argv[1]);
        return 1;
    }
    // With the side not to move in check, its king could be taken: no game gets
    // there, and a search of it means nothing.
    int notToMove = 1 - game->sideToMove;
    if (game->IsInCheck(notToMove, -1, -1)) {
        fprintf(stderr, "no game reaches this position: %s, not to move, is in check\n",
                notToMove == ColourWhite ? "white" : "black");
        return 1;
    }
    for (int i = 2; i < argc - 1; ++i) {
        if (game->ply >= kMaxGamePly || !PlayCoordinateMove(*game, argv[i])) {
            fprintf(stderr, "illegal move: %s\n", argv[i]);
            return 1;
        }
    }
    if (game->ply >= kMaxGamePly) {
        printf("the game is over: it has reached %d half-moves\n", kMaxGamePly);
        return 0;
    }
    int plyBefore = game->ply;
    ThinkResult r = ThinkOnce(*game, level);
    char text[6];
    printf("side     %s\n", game->sideToMove == ColourWhite ? "white" : "black");
    printf("search   %s%s\n", kEndingNames[game->endgameType],
           r.alternative ? ", searched again to avoid a repetition" : "");
    printf("move     %s\n", MoveText(r.move, text));
    printf("value    %d\n", r.value);
    printf("nodes    %llu\n", (unsigned long long)r.nodes);
    printf("time     %.1f ms\n", r.milliseconds);
    if (plyBefore == 0) printf("note     at the first half-move the program plays a random opening move instead\n");
    return 0;
}
