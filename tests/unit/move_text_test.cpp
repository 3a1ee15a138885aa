// Rows of the move list: numbering, the notation of every kind of move and its
// suffixes, and a game left untouched by the replay.
#include <memory>

#include "ui/common/move_text.h"
#include "unit/board_test_support.h"

namespace {

void Collect(const char* text, void* rows) { static_cast<std::vector<std::string>*>(rows)->push_back(text); }

std::vector<std::string> Rows(const Game& game) {
    std::vector<std::string> rows;
    BuildMoveRows(game, Collect, &rows);
    return rows;
}

const char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

TEST(MoveText, RowsForEveryKindOfMove) {
    struct Case { const char* fen; const char* moves; std::vector<std::string> rows; } cases[] = {
        {kStart, "", {" 0."}},
        {kStart, "e2e4 e7e5 d1h5 b8c6 f1c4 g8f6 h5f7",
         {" 0.", " 1. e2-e4", "           e7-e5", " 2. Qd1-h5", "           Nb8-c6", " 3. Bf1-c4", "           Ng8-f6",
          " 4. Qh5xf7#"}},
        {"7k/8/8/8/8/8/8/K5Q1 w KQkq - 0 1", "g1g6", {" 0.", " 1. Qg1-g6"}},  // stalemate: no suffix
        {"7k/8/8/8/8/8/8/K5Q1 w KQkq - 0 1", "g1g7", {" 0.", " 1. Qg1-g7+"}},
        {"4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1", "e1f1", {" 0.", " 1. Ke1-f1"}},  // a king step is not castling
        // Castling is written with digits and never checks, even when the rook does.
        {"r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1", "e1g1 e8c8", {" 0.", " 1. 0-0", "           0-0-0"}},
        {"5k2/8/8/8/8/8/8/4K2R w KQkq - 0 1", "e1g1", {" 0.", " 1. 0-0"}},
        {"4k3/3p4/8/4P3/8/8/8/4K3 b KQkq - 0 1", "d7d5 e5d6", {" 0.", " 1. d7-d5", "           e5xd6"}},
        {"r7/1Pk5/8/8/8/8/8/4K3 w KQkq - 0 1", "b7a8n", {" 0.", " 1. b7xa8=N+"}},
        {"7k/1P6/8/8/8/8/8/4K3 w KQkq - 0 1", "b7b8q", {" 0.", " 1. b7-b8=Q+"}},
        // Numbering follows the half-move after a Black-to-move start.
        {"4k3/8/8/8/8/8/4P3/4K3 b KQkq - 0 1", "e8d8 e1d1 d8c8", {" 0.", " 1. Ke8-d8", "           Ke1-d1", " 2. Kd8-c8"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Rows(*GameFrom(c.fen, c.moves)), c.rows) << c.fen << " " << c.moves;

    // Not in analyse mode the game is replayed from the start position.
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    ASSERT_TRUE(PlayMoves(*game, "e2e4 e7e5 g1f3"));
    EXPECT_EQ(Rows(*game), (std::vector<std::string>{" 0.", " 1. e2-e4", "           e7-e5", " 2. Ng1-f3"}));
}

TEST(MoveText, TenthMoveAndTheGameItselfAreUntouched) {
    std::string moves;
    for (int i = 0; i < 5; ++i) moves += "g1f3 g8f6 f3g1 f6g8 ";
    std::unique_ptr<Game> game = GameFrom(kStart, (moves + "b1c3").c_str());
    ASSERT_EQ(21, game->ply);
    std::vector<std::string> rows = Rows(*game);
    ASSERT_EQ(22u, rows.size());
    EXPECT_EQ(" 10. Nf3-g1", rows[19]);
    EXPECT_EQ(" 11. Nb1-c3", rows[21]);
    EXPECT_EQ(PieceKnight, game->board[2][2].kind);  // the replay used a copy
    EXPECT_EQ(21, game->ply);
}

}  // namespace
