// Position files: the FEN line written from a board, the placement and side read back,
// the test that refuses impossible and finished positions, and the save names.
#include "core/names.h"
#include "unit/game_file_test_support.h"

namespace {

std::unique_ptr<Game> ReadFen(const char* text) {
    std::unique_ptr<Game> game(new Game);
    game->Reset(ResetStartPosition);
    game->player[ColourWhite].isComputer = 1;
    game->LoadFromFen(String(text));
    return game;
}

// The placement as the writer gives it back (the side and tail dropped).
std::string Placement(const Game& game) {
    std::string fen = Text(FenPositionText(game, ColourWhite));
    return fen.substr(0, fen.find(' '));
}

TEST(FenFile, Writing) {
    std::unique_ptr<Game> start = StartGame("");
    EXPECT_EQ(Text(FenPositionText(*start, ColourWhite)), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1");
    EXPECT_EQ(53, FenPositionText(*start, ColourWhite).Length());
    EXPECT_EQ(Text(FenPositionText(*start, ColourBlack)), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b - - 0 1");

    std::unique_ptr<Game> game = StartGame("e2e4 c7c5 g1f3");
    EXPECT_EQ(Placement(*game), "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R");
    game = GameFrom("4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1", "");
    EXPECT_EQ(Placement(*game), "4k3/8/8/8/8/8/8/4K3");
    game = GameFrom("4k3/8/8/8/8/8/4K3/8 w KQkq - 0 1", "");
    EXPECT_EQ(Text(FenPositionText(*game, ColourWhite)), "4k3/8/8/8/8/8/4K3/8 w - - 0 1");
    // Empty squares left in a square's colour field are no pieces.
    game->board[0][0].colour = ColourBlack;
    EXPECT_EQ(Placement(*game), "4k3/8/8/8/8/8/4K3/8");
}

TEST(FenFile, ReadingPlacementAndSide) {
    struct Case { const char* text; const char* placement; int side; } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 0},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq e3 0 1", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 1},
        {"   4k3/8/8/8/8/8/8/R3K3 W", "4k3/8/8/8/8/8/8/R3K3", 0},
        {"4k3/8/8/8/8/8/8/R3K3", "4k3/8/8/8/8/8/8/R3K3", 1},   // no side: Black
        {"4k3/8/8/8/8/8/8/R3K3 ", "4k3/8/8/8/8/8/8/R3K3", 1},  // nothing after the space
        {"4k3/8/8/8/8/8/8/R3K3 x", "4k3/8/8/8/8/8/8/R3K3", 1},
        // Eleven squares in a row: what lies beyond h is dropped; so is a ninth rank.
        {"4k3/8/8/8/8/8/8/R3K2RRRR w", "4k3/8/8/8/8/8/8/R3K2R", 0},
        {"4k3/8/8/8/8/8/8/4K3/QQQQ w", "4k3/8/8/8/8/8/8/4K3", 0},
        // Characters outside the alphabet are skipped; line ends are no spaces.
        {"4k3/8/8/8/8/8/8/4K2R\r\n", "4k3/8/8/8/8/8/8/4K2R", 1},
        {"4kx3/8/8/8/8/8/8/R3K3 w", "4k3/8/8/8/8/8/8/R3K3", 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = ReadFen(c.text);
        EXPECT_EQ(Placement(*game), c.placement) << c.text;
        EXPECT_EQ(game->sideToMove, c.side) << c.text;
        EXPECT_EQ(game->beginSide, c.side) << c.text;
        EXPECT_EQ(0, game->ply) << c.text;
        EXPECT_EQ(0, game->player[ColourWhite].isComputer) << c.text;
        EXPECT_EQ(0, memcmp(game->beginBoard, game->board, sizeof game->board)) << c.text;
    }
}

TEST(FenFile, Validation) {
    struct Case { const char* text; const char* error; } cases[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w", ""},
        {"rnbqkbnr/pppppppp/8/8/4K3/8/PPPPPPPP/RNBQKBNR w", " Error position"},   // second white king
        {"rnbq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w", " Error position"},     // no black king
        {"4k3/8/8/8/8/P7/PPPPPPPP/4K3 w", " Error position"},                     // nine pawns
        {"4k3/8/8/8/8/N7/PPPPPPPP/1N2K1N1 w", " Error position"},                 // eight pawns, three knights
        {"4k3/8/8/8/8/Q7/1PPPPPPP/3QK3 w", ""},                                   // seven pawns, two queens
        {"4k3/8/8/8/8/QQ6/1PPPPPPP/3QK3 w", " Error position"},                   // seven pawns, three queens
        {"4k3/8/8/8/8/8/PPPPPPPP/2B1KB2 w", ""},                                  // a bishop on each shade
        {"4k3/8/8/8/8/8/PPPPPPPP/1B1BK3 w", " Error position"},                   // two on one shade
        {"4k3/8/8/8/8/8/1PPPPPPP/1B1BK3 w", ""},                                  // ... with a pawn less
        {"P3k3/8/8/8/8/8/8/4K3 w", " Error position"},                            // pawn on the eighth rank
        {"4k3/8/8/8/8/8/8/p3K3 b", " Error position"},                            // pawn on the first rank
        {"4k3/8/8/8/8/8/8/4KR2 w", ""},
        {"4k3/4R3/8/8/8/8/8/4K3 w", " Error position"},                           // Black, not to move, in check
        {"4k3/4R3/8/8/8/8/8/4K3 b", ""},                                          // Black to move, in check
        {"4k3/8/8/8/8/8/8/4K3 w", " Game over"},                                  // bare kings
        {"7k/5Q2/6K1/8/8/8/8/8 b", " Game over"},                                 // stalemate
        {"R6k/8/7K/8/8/8/8/8 b", " Game over"},                                   // checkmate
        {"7k/5Q2/6K1/8/8/8/PPPPPPPP/P7 b", " Game over"},                         // impossible and stalemate
    };
    for (const Case& c : cases) EXPECT_EQ(Text(ReadFen(c.text)->errorText), c.error) << c.text;
}

TEST(SaveName, RefusedAndAcceptedNames) {
    const char* refused[] = {"CON", "con", "Con.pgn", "PRN", "aux.txt", "NUL", "nul.tar.gz", "COM1", "com9.fen",
                             "LPT1", "Lpt9", "CON .pgn", "name.", "name ", "...", ".", "a\tb", "a\x01", "a\x7f",
                             "a<b", "a>b", "a\"b", "a\\b", "a/b", "a*b", "a?b", "a:b", "a|b"};
    for (const char* name : refused) EXPECT_NE(nullptr, SaveNameRefusal(name)) << name;
    const char* accepted[] = {"", "CONSOLE", "CON1", "COM0", "COM10", "LPT", "xCON", "AUX_1", ".hidden", "a.b",
                              " leading", "[Anna]-[Computer {Varno-4}]-[05_03_2026]-[09-07]", "[08_12_2026] [09-57]",
                              "caf\xe9"};
    for (const char* name : accepted) EXPECT_EQ(nullptr, SaveNameRefusal(name)) << name;
    EXPECT_EQ(Text(SaveFilePath("game", ".pgn")), "Save\\game.pgn");
}

// One check serves the Save name, the skin files and the Load list.
TEST(SaveName, DeviceNames) {
    const char* devices[] = {"CON", "con", "cOn", "PRN", "aux", "AUX", "Nul", "com1", "COM9",
                             "com1.bmp", "LPT1", "lpt9.pgn", "con .x", "aux  .pgn", "nul.tar.gz"};
    for (const char* name : devices) EXPECT_EQ(1, IsReservedDeviceName(name)) << name;
    const char* files[] = {"", "CO", "COM", "COM0", "COM10", "LPT10", "CONSOLE", "xCON", " CON",
                           "CON_", "AUX1", "com1x.bmp", ".con"};
    for (const char* name : files) EXPECT_EQ(0, IsReservedDeviceName(name)) << name;
}

}  // namespace
