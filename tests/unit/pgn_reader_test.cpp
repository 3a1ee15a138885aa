// Reading game files: the tokens that play and the first that ends the replay, names,
// clocks and level, the refusal of position files, and texts of other programs.
#include "unit/game_file_test_support.h"

namespace {

// Reads `text` into a fresh game and returns it.
std::unique_ptr<Game> Read(const std::string& text) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetEmpty);
    String s(text.c_str());
    LoadGameFromPgn(game.get(), &s);
    return game;
}

std::string MovesRead(const std::string& movetext) { return HistoryText(*Read(movetext)); }

const std::string kItalian = "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. ";
const char kItalianMoves[] = "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5";

TEST(PgnReader, TokensThatPlayAndTokensThatEndTheReplay) {
    struct Case { std::string movetext; std::string moves; } cases[] = {
        // Castling in its written forms; after the king has moved it ends the replay.
        {kItalian + "O-O ", std::string(kItalianMoves) + " e1g1"},
        {kItalian + "0-0 ", std::string(kItalianMoves) + " e1g1"},
        {kItalian + "O-O+ ", std::string(kItalianMoves) + " e1g1"},
        {kItalian + "OO ", std::string(kItalianMoves) + " e1g1"},
        {"1. d4 d5 2. Nc3 Nc6 3. Bf4 Bf5 4. Qd2 Qd7 5. O-O-O 0-0-0 ",
         "d2d4 d7d5 b1c3 b8c6 c1f4 c8f5 d1d2 d8d7 e1c1 e8c8"},
        {"1. e4 e5 2. Ke2 Ke7 3. Ke1 Ke8 4. Nf3 Nf6 5. Be2 Be7 6. O-O ",
         "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 g1f3 g8f6 f1e2 f8e7"},
        // Promotions: the letter after "=", a sign before it, none at all; a king ends it.
        {"1. h4 g5 2. hxg5 h5 3. g6 h4 4. g7 h3 5. gxh8=N ", "h2h4 g7g5 h4g5 h7h5 g5g6 h5h4 g6g7 h4h3 g7h8n"},
        {"1. h4 g5 2. hxg5 h5 3. g6 h4 4. g7 h3 5. gxf8+=R ", "h2h4 g7g5 h4g5 h7h5 g5g6 h5h4 g6g7 h4h3 g7f8r"},
        {"1. h4 g5 2. hxg5 h5 3. g6 h4 4. g7 h3 5. gxh8=Q+ ", "h2h4 g7g5 h4g5 h7h5 g5g6 h5h4 g6g7 h4h3 g7h8q"},
        {"1. h4 g5 2. hxg5 h5 3. g6 h4 4. g7 h3 5. gxh8 ", "h2h4 g7g5 h4g5 h7h5 g5g6 h5h4 g6g7 h4h3 g7h8q"},
        {"1. h4 g5 2. hxg5 h5 3. g6 h4 4. g7 h3 5. gxh8=K ", "h2h4 g7g5 h4g5 h7h5 g5g6 h5h4 g6g7 h4h3"},
        {"1. h4 g5 2. hxg5 h5 3. g6 h4 4. g7 h3 5. h8Q ", "h2h4 g7g5 h4g5 h7h5 g5g6 h5h4 g6g7 h4h3"},
        {"1. =Q ", ""},
        // Piece letters, coordinates, case.
        {"1. Pe4 ", "e2e4"},
        {"1. e2e4 ", "e2e4"},
        {"1. g1f3 ", ""},
        {"1. Ng1f3 ", "g1f3"},
        {"1. nf3 ", ""},
        // Two knights reach d2: the last found wins unless the file or rank says which.
        {"1. Nf3 a6 2. d4 a5 3. Nd2 ", "g1f3 a7a6 d2d4 a6a5 f3d2"},
        {"1. Nf3 a6 2. d4 a5 3. Nbd2 ", "g1f3 a7a6 d2d4 a6a5 b1d2"},
        {"1. Nf3 a6 2. d4 a5 3. N1d2 ", "g1f3 a7a6 d2d4 a6a5 b1d2"},
        // Numbering without spaces; "1..." leaves White's token "..".
        {"1.e4 e5 2.Nf3 ", "e2e4 e7e5 g1f3"},
        {"1... e5 ", ""},
        // A move without anything after it is not taken; results and marks end the game.
        {"1. e4 e5", "e2e4"},
        {"1. e4 e5 2. Nf3 1-0 ", "e2e4 e7e5 g1f3"},
        {"1. e4 e5 2. Nf3! Nc6 ", "e2e4 e7e5"},
        {"", ""},
        // Only legal moves are played: a pinned knight, a blocked pawn, a wrong colour.
        {"1. d4 e5 2. dxe5 Bb4+ 3. Nc3 Nf6 4. Nd5 ", "d2d4 e7e5 d4e5 f8b4 b1c3 g8f6"},
        {"1. d4 e5 2. dxe5 Bb4+ 3. Nc3 Nf6 4. Nc3d5 ", "d2d4 e7e5 d4e5 f8b4 b1c3 g8f6"},
        {"1. e4 e5 2. e5 ", "e2e4 e7e5"},
        {"1. e5 ", ""},
        // Moves spread over lines and tabs, as other programs write them.
        {"1. e4 e5\r\n2. Nf3 Nc6\n3. Bb5\ta6\r\n", "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6"},
    };
    for (const Case& c : cases) EXPECT_EQ(MovesRead(c.movetext), c.moves) << c.movetext;
}

TEST(PgnReader, StateAfterReading) {
    std::unique_ptr<Game> game = Read("[White \"A\"]\r\n{x}\r\n\r\n1. e4 e5 2. Nf3 Zz ");
    EXPECT_EQ(3, game->ply);
    EXPECT_EQ(ColourBlack, game->sideToMove);  // the side of the token that ended it
    EXPECT_EQ(PieceKnight, At(*game, "f3").kind);
    EXPECT_EQ(0, game->analyseMode);
    EXPECT_EQ(0, game->gameActive);
    EXPECT_EQ("", Text(game->errorText));
    for (int i = 0; i < 64; ++i) EXPECT_EQ(0, game->board[i / 8][i % 8].legalTarget) << i;

    // 101 rounds of knight moves: 404 half-moves, read up to the 400 the history holds.
    std::string shuffle;
    for (int i = 0; i < 101; ++i) {
        shuffle += std::to_string(2 * i + 1) + ". Nf3 Nf6 " + std::to_string(2 * i + 2) + ". Ng1 Ng8 ";
    }
    game = Read(shuffle);
    EXPECT_EQ(kMaxGamePly, game->ply);
    EXPECT_EQ(ColourBlack, game->sideToMove);
}

TEST(PgnReader, NamesClocksAndLevel) {
    struct Case {
        std::string text;
        const char* white; const char* black;
        int whiteComputer, blackComputer, whiteClock, blackClock, level;
    } cases[] = {
        {"", "Player 1", "Player 2", 0, 0, 0, 0, 3},
        {"[White \"\"]\n[Black \"Bob\"]", "Player 1", "Bob", 0, 0, 0, 0, 3},
        {"[White \"abcdefghijklmnopqrstuvwxyz1234\"]", "abcdefghijklmnopqr", "Player 2", 0, 0, 0, 0, 3},
        {"[White \"Computer {Varno-4} the second\"]\n{GAME LEVEL = 2;}", "Computer {Varno-4}", "Player 2", 1, 0, 0, 0, 2},
        {"[Black \"Computer {Varno-4}\"] {GAME LEVEL = 1;}", "Player 1", "Computer {Varno-4}", 0, 1, 0, 0, 1},
        {"[Black \"Computer {Varno-4}\"]\n{GAME LEVEL = 7;}", "Player 1", "Computer {Varno-4}", 0, 1, 0, 0, 3},
        {"[Black \"Computer {Varno-4}\"]\n{GAME LEVEL = ", "Player 1", "Computer {Varno-4}", 0, 1, 0, 0, 3},
        {"[White \"A\"] [Black \"B\"]\n{GAME LEVEL = 1;}", "A", "B", 0, 0, 0, 0, 3},
        {"[White \"A", "Player 1", "Player 2", 0, 0, 0, 0, 3},  // no closing quote
        {"{TIME WHITE SIDE = 01:02:03; TIME BLACK SIDE = 1:02:03;}", "Player 1", "Player 2", 0, 0, 3723, 0, 3},
        {"{TIME BLACK SIDE = 99:59:59", "Player 1", "Player 2", 0, 0, 0, 359999, 3},
        {"{TIME WHITE SIDE = 00:00:4", "Player 1", "Player 2", 0, 0, 0, 0, 3},
        // The items count only in the comment right after the tags, never in a tag.
        {"[White \"LEVEL = 1\"]\n[Black \"Computer {Varno-4}\"]\n{GAME LEVEL = 2;}", "LEVEL = 1",
         "Computer {Varno-4}", 0, 1, 0, 0, 2},
        {"[White \"TIME WHITE SIDE = 00\"]\n{TIME WHITE SIDE = 00:00:09;}", "TIME WHITE SIDE = ", "Player 2", 0, 0, 9, 0, 3},
        {"[Black \"Computer {Varno-4}\"] GAME LEVEL = 1; TIME WHITE SIDE = 00:00:09", "Player 1",
         "Computer {Varno-4}", 0, 1, 0, 0, 3},
        {"[White \"A\"]\n{x}\n{TIME WHITE SIDE = 00:00:09}", "A", "Player 2", 0, 0, 0, 0, 3},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = Read(c.text);
        EXPECT_STREQ(game->player[ColourWhite].name, c.white) << c.text;
        EXPECT_STREQ(game->player[ColourBlack].name, c.black) << c.text;
        EXPECT_EQ(game->player[ColourWhite].isComputer, c.whiteComputer) << c.text;
        EXPECT_EQ(game->player[ColourBlack].isComputer, c.blackComputer) << c.text;
        EXPECT_EQ(game->player[ColourWhite].clockSeconds, c.whiteClock) << c.text;
        EXPECT_EQ(game->player[ColourBlack].clockSeconds, c.blackClock) << c.text;
        EXPECT_EQ(game->searchDepth, c.level) << c.text;
        EXPECT_EQ(0, game->ply) << c.text;
    }
}

TEST(PgnReader, PositionFilesAreRefusedOnlyByATag) {
    const std::string kFen = "[FEN \"r1bqkbnr/pppppppp/2n5/8/8/5N2/PPPPPPPP/RNBQKB1R w KQkq - 2 2\"]";
    struct Case { std::string text; int refused; } cases[] = {
        {"[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]\n1. e4 ", 1},
        {"\xEF\xBB\xBF" + kFen + "\n1. e4 ", 1},
        {"[Event \"x\"]\r\n  [FEN \"x\"]\r\n1. e4 ", 1},
        {"[Event \"x\"]\n\t[FEN \"x\"]\n1. e4 ", 1},
        {"[Event \"x\"] [SetUp \"1\"] " + kFen + "\n1. e4 ", 1},
        {"[Event \"x\"]" + kFen + "\n1. e4 ", 1},
        {"[White \"[FEN fan\"]\n1. e4 ", 0},
        {"[White \"a] [FEN\"]\n1. e4 ", 0},
        {"{a comment with [FEN in it}\n1. e4 ", 0},
        {"{a comment] [FEN}\n1. e4 ", 0},
        {"{a comment\n[FEN on its second line}\n1. e4 ", 0},
        {"[Fen \"x\"]\n1. e4 ", 1},
        {"[fen \"x\"]\n1. e4 ", 1},
        {"[ FEN \"x\"]\n1. e4 ", 1},
        {"[Event \"x\"]\n[ \t fen \"x\"]\n1. e4 ", 1},
        {"[FE \"x\"]\n1. e4 ", 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game(new Game);
        game->Reset(ResetStartPosition);
        ASSERT_TRUE(PlayMoves(*game, "d2d4 d7d5"));
        String text(c.text.c_str());
        LoadGameFromPgn(game.get(), &text);
        if (c.refused) {
            EXPECT_EQ("Not begin position", Text(game->errorText)) << c.text;
            EXPECT_EQ("d2d4 d7d5", HistoryText(*game)) << "a refusal changes nothing else";
        } else {
            EXPECT_EQ("", Text(game->errorText)) << c.text;
            EXPECT_EQ("e2e4", HistoryText(*game)) << c.text;
        }
    }
}

TEST(PgnReader, SmallReaders) {
    const char* clocks[][2] = {{"01:02:03", "3723"}, {"00:00:00", "0"}, {"99-59.59", "359999"},
                               {"1:02:03;", "0"},    {"01:02:0", "0"},  {"01:02:033", "0"},
                               {"0a:00:00", "0"},    {"", "0"}};
    for (const auto& c : clocks) {
        String text(c[0]);
        EXPECT_EQ(std::to_string(ParseClockHms(&text)), c[1]) << c[0];
    }
    const std::string files = "`abcdefghi", ranks = "0123456789";
    for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(FileLetterToColumn(files[i]), i >= 1 && i <= 8 ? int(i) - 1 : -1);
    for (size_t i = 0; i < ranks.size(); ++i) EXPECT_EQ(RankDigitToRow(ranks[i]), i >= 1 && i <= 8 ? int(i) - 1 : -1);

    std::unique_ptr<Game> game = StartGame("");
    EXPECT_EQ(1, LoadGameCanMove(game.get(), PieceKnight, 6, 0, 5, 2));
    EXPECT_EQ(0, LoadGameCanMove(game.get(), PieceBishop, 6, 0, 5, 2));  // wrong kind
    EXPECT_EQ(0, LoadGameCanMove(game.get(), PieceKnight, 6, 7, 5, 5));  // not the side to move
    EXPECT_EQ(0, LoadGameCanMove(game.get(), PieceKing, 4, 0, 6, 0));    // castling through pieces
    EXPECT_EQ(0, LoadGameCanMove(game.get(), PieceKing, 4, 0, 9, 0));    // off the board
}

}  // namespace
