#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/game.h"
#include "fakes/fake_window.h"
#include "tools/common/position_setup.h"
#include "ui/common/move_text.h"

namespace {

void Collect(const char* text, void* rows) {
    static_cast<std::vector<std::string>*>(rows)->push_back(text);
}

std::vector<std::string> Rows(const Game& game) {
    std::vector<std::string> rows;
    BuildMoveRows(game, Collect, &rows);
    return rows;
}

// A game that began from `fen` (analyse mode) with `moves` played.
std::unique_ptr<Game> From(const char* fen, std::initializer_list<const char*> moves) {
    std::unique_ptr<Game> game(new Game);
    EXPECT_TRUE(SetUpFromFen(*game, fen)) << fen;
    EXPECT_EQ(0, game->ply) << "the position needs no made-up history";
    game->analyseMode = 1;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) game->beginBoard[y][x] = game->board[y][x];
    game->beginSide = game->sideToMove;
    for (const char* move : moves) EXPECT_TRUE(PlayCoordinateMove(*game, move)) << move;
    return game;
}

std::unique_ptr<Game> FromStart(std::initializer_list<const char*> moves) {
    return From("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", moves);
}

TEST(MoveText, GameWithoutMovesHasOnlyTheBeginRow) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    EXPECT_EQ(std::vector<std::string>{" 0."}, Rows(*game));
}

TEST(MoveText, MovesArePrefixedByNumberOrElevenSpaces) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);  // not analyse mode: replayed from the start position
    for (const char* move : {"e2e4", "e7e5", "g1f3"}) ASSERT_TRUE(PlayCoordinateMove(*game, move));
    EXPECT_EQ((std::vector<std::string>{" 0.", " 1. e2-e4", "           e7-e5", " 2. Ng1-f3"}),
              Rows(*game));
}

TEST(MoveText, TenthMoveAndTheGameItselfAreUntouched) {
    std::unique_ptr<Game> game = FromStart({});
    for (int i = 0; i < 5; ++i)
        for (const char* move : {"g1f3", "g8f6", "f3g1", "f6g8"}) PlayCoordinateMove(*game, move);
    PlayCoordinateMove(*game, "b1c3");
    ASSERT_EQ(21, game->ply);
    std::vector<std::string> rows = Rows(*game);
    ASSERT_EQ(22u, rows.size());
    EXPECT_EQ(" 10. Nf3-g1", rows[19]);
    EXPECT_EQ(" 11. Nb1-c3", rows[21]);
    EXPECT_EQ(PieceKnight, game->board[2][2].kind);  // the replay used a copy
    EXPECT_EQ(21, game->ply);
}

TEST(MoveText, MateCheckStalemateSuffixes) {
    std::vector<std::string> rows =
        Rows(*FromStart({"e2e4", "e7e5", "d1h5", "b8c6", "f1c4", "g8f6", "h5f7"}));
    EXPECT_EQ(" 4. Qh5xf7#", rows[7]);
    EXPECT_EQ(" 2. Qd1-h5", rows[3]);

    EXPECT_EQ(" 1. Qg1-g6", Rows(*From("7k/8/8/8/8/8/8/K5Q1 w KQkq - 0 1", {"g1g6"}))[1]);
    EXPECT_EQ(" 1. Qg1-g7+", Rows(*From("7k/8/8/8/8/8/8/K5Q1 w KQkq - 0 1", {"g1g7"}))[1]);
}

TEST(MoveText, CastlingIsWrittenWithDigitsAndNoCheck) {
    std::vector<std::string> rows =
        Rows(*From("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1", {"e1g1", "e8c8"}));
    EXPECT_EQ(" 1. 0-0", rows[1]);
    EXPECT_EQ("           0-0-0", rows[2]);
    // The rook arrives on f1 and checks the king on f8: still no "+".
    EXPECT_EQ(" 1. 0-0", Rows(*From("5k2/8/8/8/8/8/8/4K2R w KQkq - 0 1", {"e1g1"}))[1]);
}

TEST(MoveText, EnPassantShowsACapture) {
    std::vector<std::string> rows =
        Rows(*From("4k3/3p4/8/4P3/8/8/8/4K3 b KQkq - 0 1", {"d7d5", "e5d6"}));
    EXPECT_EQ(" 1. d7-d5", rows[1]);
    EXPECT_EQ("           e5xd6", rows[2]);
}

TEST(MoveText, PromotionWithCaptureAndCheck) {
    EXPECT_EQ(" 1. b7xa8=N+", Rows(*From("r7/1Pk5/8/8/8/8/8/4K3 w KQkq - 0 1", {"b7a8n"}))[1]);
    EXPECT_EQ(" 1. b7-b8=Q+", Rows(*From("7k/1P6/8/8/8/8/8/4K3 w KQkq - 0 1", {"b7b8q"}))[1]);
}

TEST(MoveText, NumberingFollowsTheHalfMoveAfterABlackToMoveStart) {
    std::vector<std::string> rows =
        Rows(*From("4k3/8/8/8/8/8/4P3/4K3 b KQkq - 0 1", {"e8d8", "e1d1", "d8c8"}));
    EXPECT_EQ((std::vector<std::string>{" 0.", " 1. Ke8-d8", "           Ke1-d1", " 2. Kd8-c8"}), rows);
}

TEST(MoveText, RowOfARecordAlone) {
    MoveRecord r = {};
    r.fromX = 6; r.fromY = 6; r.toX = 7; r.toY = 7;
    r.kind = PiecePawn; r.newKind = PieceQueen; r.capturedKind = PieceRook;
    EXPECT_STREQ(" 5. g7xh8=Q#", MoveRowText(r, 8, '#').CStr());
    r.newKind = PieceBishop; r.capturedKind = 0;
    EXPECT_STREQ("           g7-h8=B", MoveRowText(r, 9, 0).CStr());
    r.kind = PieceKing; r.newKind = PieceKing; r.fromX = 4; r.toX = 5;
    EXPECT_STREQ(" 1. Ke7-f8+", MoveRowText(r, 0, '+').CStr());  // one step: not castling
}

}  // namespace
