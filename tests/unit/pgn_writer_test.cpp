// The game file's text: the whole file, move texts of every kind, the result from the
// game's own final position, clock texts and the proposed names.
#include "unit/game_file_test_support.h"

namespace {

const char kStart[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const SaveMoment kFifthOfMarch = {2026, 3, 5, 9, 7, "05/03/2026"};

TEST(PgnWriter, CompleteFileOfPersonAgainstComputer) {
    std::unique_ptr<Game> game = StartGame("e2e4 e7e5 g1f3");
    SetPlayer(*game, ColourWhite, "Anna", 0, 65);
    SetPlayer(*game, ColourBlack, "Computer {Varno-4}", 1, 42);
    game->searchDepth = 2;
    EXPECT_EQ(Text(PgnGameText(*game, kFifthOfMarch)),
              "[Event \"Varno-4: Local game {Human VS Computer}\"]\r\n"
              "[Site \"Local\"]\r\n"
              "[Round \"-\"]\r\n"
              "[White \"Anna\"]\r\n"
              "[Black \"Computer {Varno-4}\"]\r\n"
              "[Date \"2026.03.05\"]\r\n"
              "[Result \"? - ?\"]\r\n"
              "{VARNO-4 INFORMATION; TIME WHITE SIDE = 00:01:05; TIME BLACK SIDE = 00:00:42; GAME LEVEL = 2;}\r\n"
              "\r\n"
              "1. e4 e5 2. Nf3 ");
}

TEST(PgnWriter, PlayersInTheEventAndTheLevelItem) {
    struct Case { int whiteComputer, blackComputer; const char* event; const char* info; } cases[] = {
        {0, 0, "{Human VS Human}", "TIME BLACK SIDE = 00:00:00;}\r\n"},
        {1, 0, "{Computer VS Human}", "TIME BLACK SIDE = 00:00:00; GAME LEVEL = 3;}\r\n"},
        {1, 1, "{Computer VS Computer}", "TIME BLACK SIDE = 00:00:00; GAME LEVEL = 3;}\r\n"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = StartGame("e2e4");
        SetPlayer(*game, ColourWhite, "W", c.whiteComputer, 0);
        SetPlayer(*game, ColourBlack, "B", c.blackComputer, 0);
        game->searchDepth = 3;
        std::string text = Text(PgnGameText(*game, kFifthOfMarch));
        EXPECT_NE(text.find(std::string("[Event \"Varno-4: Local game ") + c.event + "\"]"), std::string::npos) << text;
        EXPECT_NE(text.find(c.info), std::string::npos) << text;
        // A single half-move: the file ends with it and one space.
        EXPECT_EQ(text.substr(text.size() - 11), "}\r\n\r\n1. e4 ");
    }
}

TEST(PgnWriter, MoveTexts) {
    struct Case { const char* fen; const char* moves; const char* movetext; } cases[] = {
        // Origin hints: one rival on another file, rivals on the mover's file, three queens.
        {"4k3/8/8/8/8/5N2/8/1N2K3 w KQkq - 0 1", "b1d2", "1. Nbd2 "},
        {"4k3/8/8/8/8/5N2/8/1N2K3 w KQkq - 0 1", "f3d2", "1. Nfd2 "},
        {"k7/8/8/8/8/4R3/8/4R1K1 w KQkq - 0 1", "e1e2", "1. R1e2 "},
        {"k7/8/8/8/8/4R3/8/4R1K1 w KQkq - 0 1", "e3e2", "1. R3e2 "},
        {"1k6/8/8/8/4Q2Q/8/8/K6Q w KQkq - 0 1", "h4e1", "1. Qh4e1 "},
        // A pinned knight is no rival.
        {"k7/8/8/8/4b3/5N2/8/1N5K w KQkq - 0 1", "b1d2", "1. Nd2 "},
        // Kings and pawns never carry a hint.
        {"k7/8/8/8/8/8/8/K7 w KQkq - 0 1", "a1b2", "1. Kb2 "},
        // En passant, numbered from Black's first half-move.
        {"4k3/3p4/8/4P3/8/8/8/4K3 b KQkq - 0 1", "d7d5 e5d6", "1. d5 exd6 "},
        // Both castlings; castling that checks carries no sign.
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "e1g1 e8c8", "1. O-O O-O-O "},
        {"5k2/8/8/8/8/8/8/4K2R w KQkq - 0 1", "e1g1", "1. O-O "},
        // Promotions: the sign after the promoted piece, a capture by the pawn's file.
        {"7k/1P6/8/8/8/8/8/4K3 w KQkq - 0 1", "b7b8q", "1. b8=Q+ "},
        {"r7/1Pk5/8/8/8/8/8/4K3 w KQkq - 0 1", "b7a8n", "1. bxa8=N+ "},
        {"k7/2P5/1K6/8/8/8/8/8 w KQkq - 0 1", "c7c8q", "1. c8=Q# "},
        {"4k3/8/8/8/8/8/1p6/R3K3 b KQkq - 0 1", "b2a1r", "1. bxa1=R+ "},
        // The promoted knight moves later as a knight: checks judged with it on the board.
        {"4k3/2P5/8/8/8/8/8/4K3 w KQkq - 0 1", "c7c8n e8f7 c8d6", "1. c8=N Kf7 2. Nd6+ "},
    };
    for (const Case& c : cases) EXPECT_EQ(Text(PgnMovetext(*GameFrom(c.fen, c.moves))), c.movetext) << c.fen;

    std::unique_ptr<Game> mate = StartGame("e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7");
    EXPECT_EQ(Text(PgnMovetext(*mate)), "1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# ");
    std::unique_ptr<Game> tenth = StartGame("g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8 "
                                            "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1");
    std::string text = Text(PgnMovetext(*tenth));
    EXPECT_EQ(text.substr(text.size() - 16), "Nf3 Nf6 10. Ng1 ");
}

TEST(PgnWriter, ResultComesFromTheWholeGame) {
    struct Case { std::unique_ptr<Game> game; const char* result; } cases[] = {
        {StartGame("e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7"), "1 - 0"},
        {StartGame("f2f3 e7e5 g2g4 d8h4"), "0 - 1"},
        {StartGame("e2e4"), "? - ?"},
        {GameFrom("7k/8/8/8/8/8/8/K5Q1 w KQkq - 0 1", "g1g6"), "1/2 - 1/2"},           // stalemate
        {GameFrom("4k3/8/8/8/8/8/3r4/4K3 w KQkq - 0 1", "e1d2"), "1/2 - 1/2"},          // bare kings
        {StartGame("g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8"), "1/2 - 1/2"},           // repetition
    };
    for (Case& c : cases) EXPECT_STREQ(PgnResultText(*c.game), c.result) << HistoryText(*c.game);

    // Saved while the list shows the begin position: the board and side to move the game
    // shows are not the game's end.
    std::unique_ptr<Game> game = StartGame("f2f3 e7e5 g2g4 d8h4");
    std::unique_ptr<Game> shown = StartGame("");
    memcpy(game->board, shown->board, sizeof game->board);
    game->sideToMove = ColourWhite;
    SetPlayer(*game, ColourWhite, "A", 0, 0);
    SetPlayer(*game, ColourBlack, "B", 0, 0);
    std::string text = Text(PgnGameText(*game, kFifthOfMarch));
    EXPECT_NE(text.find("[Result \"0 - 1\"]"), std::string::npos) << text;
    EXPECT_NE(text.find("1. f3 e5 2. g4 Qh4# "), std::string::npos) << text;
}

TEST(PgnWriter, ClockTexts) {
    const std::pair<int, const char*> cases[] = {{0, "00:00:00"},        {65, "00:01:05"},
                                                 {3599, "00:59:59"},     {3600, "01:00:00"},
                                                 {359999, "99:59:59"},   {360000, "99:59:59"},
                                                 {-5, "00:00:00"}};
    std::unique_ptr<Game> game = StartGame("");
    for (const auto& c : cases) {
        game->player[ColourBlack].clockSeconds = c.first;
        char out[9];
        memset(out, 'X', sizeof out);
        game->FormatSideTime(out, ColourBlack);
        EXPECT_STREQ(out, c.second) << c.first;
    }
}

TEST(PgnWriter, ProposedNames) {
    std::unique_ptr<Game> game = StartGame("e2e4");
    SetPlayer(*game, ColourWhite, "A<>\"b\\/*?:|c", 0, 0);
    SetPlayer(*game, ColourBlack, "Computer {Varno-4}", 1, 0);
    EXPECT_EQ(Text(ProposedGameFileName(*game, kFifthOfMarch)), "[Abc]-[Computer {Varno-4}]-[05_03_2026]-[09-07]");
    // Names keep their characters in the tags.
    EXPECT_NE(Text(PgnGameText(*game, kFifthOfMarch)).find("[White \"A<>\"b\\/*?:|c\"]"), std::string::npos);

    const SaveMoment evening = {2026, 12, 8, 9, 57, "08.12.2026"};
    EXPECT_EQ(Text(ProposedPositionFileName(evening)), "[08_12_2026] [09-57]");
    const SaveMoment noDate = {2026, 12, 8, 23, 5, ""};
    EXPECT_EQ(Text(ProposedPositionFileName(noDate)), "[] [23-05]");
}

}  // namespace
