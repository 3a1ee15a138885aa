#include "tools/common/perft.h"

namespace {

int IsPromotion(const Game& game, const MoveListEntry& e) {
    return (e.toY == 7 || e.toY == 0) && game.board[e.fromY][e.fromX].kind == PiecePawn;
}

const int kPromotionKinds[4] = {PieceKnight, PieceBishop, PieceRook, PieceQueen};

uint64_t PerftFrom(Game& game, int depth);

// Plays one listed move as `promoKind` (ignored unless it promotes), counts below it.
uint64_t PlayAndCount(Game& game, const MoveListEntry& e, int promoKind, int depth) {
    MoveRecord* rec = &game.history[game.ply];
    game.MakeMove(rec, e.fromX, e.fromY, e.toX, e.toY, 1, promoKind);
    ++game.ply;
    game.sideToMove ^= 1;
    uint64_t nodes = PerftFrom(game, depth - 1);
    game.sideToMove ^= 1;
    --game.ply;
    game.UnmakeMove(rec);
    return nodes;
}

uint64_t PerftFrom(Game& game, int depth) {
    if (depth == 0) return 1;
    MoveListEntry list[kMoveListSize];
    game.GenerateLegalMoves(list, game.sideToMove);
    const int count = game.moveCount;
    if (depth == 1) return uint64_t(CountExpandedMoves(game, list, count));
    uint64_t total = 0;
    for (int i = 0; i < count; ++i) {
        if (IsPromotion(game, list[i])) {
            for (int kind : kPromotionKinds) total += PlayAndCount(game, list[i], kind, depth);
        } else {
            total += PlayAndCount(game, list[i], PieceQueen, depth);
        }
    }
    return total;
}

int HasRoom(const Game& game, int depth) { return game.ply >= 0 && game.ply + depth <= kHistorySize; }

}  // namespace

int CountExpandedMoves(const Game& game, const MoveListEntry* list, int count) {
    int n = count;
    for (int i = 0; i < count; ++i)
        if (IsPromotion(game, list[i])) n += 3;
    return n;
}

uint64_t Perft(Game& game, int depth) {
    if (depth < 0 || !HasRoom(game, depth)) return 0;
    return PerftFrom(game, depth);
}

uint64_t PerftDivide(Game& game, int depth, void (*report)(const char* move, uint64_t nodes, void* context),
                     void* context) {
    if (depth < 1 || !HasRoom(game, depth)) return 0;
    MoveListEntry list[kMoveListSize];
    game.GenerateLegalMoves(list, game.sideToMove);
    const int count = game.moveCount;
    uint64_t total = 0;
    for (int i = 0; i < count; ++i) {
        const MoveListEntry& e = list[i];
        char text[6] = {char('a' + e.fromX), char('1' + e.fromY), char('a' + e.toX), char('1' + e.toY), 0, 0};
        const int promotes = IsPromotion(game, e);
        for (int k = promotes ? 0 : 3; k < 4; ++k) {
            if (promotes) text[4] = "nbrq"[k];
            uint64_t nodes = PlayAndCount(game, e, kPromotionKinds[k], depth);
            report(text, nodes, context);
            total += nodes;
        }
    }
    return total;
}
