// Setting up a position: the placement rules, the seven finishing checks with their
// messages, and the Options dialog's arithmetic, skin-file names and skin-file check.
#include <string>
#include <vector>

#include "fakes/fake_play.h"
#include "fakes/fake_window.h"
#include "unit/board_test_support.h"
#include "ui/common/options_rules.h"
#include "ui/common/set_position.h"
#include "ui/common/skin_file.h"

namespace {

// A game in set-position mode holding the pieces of a FEN board.
void SetUpBoard(Game& game, const char* board) {
    std::string fen = std::string(board) + " w - - 0 1";
    ASSERT_TRUE(SetUpFromFen(game, fen.c_str())) << board;
    game.setPositionMode = 1;
    game.gameActive = 1;
    game.ply = 0;  // the mode starts with no history
    g_fakePlay.Clear();
    g_fakeWindow.Clear();
}

const char* const kEightPawns = "8/8/8/8/8/8/PPPPPPPP/8";

struct Placement {
    const char* board;
    const char* square;
    int paletteRow;
    int primary;
    int changed;
    int kind;    // on the square afterwards
    int colour;  // of that piece (ignored when empty)
    const char* why;
};

TEST(SetPositionTest, PlacementKeepsTheMaterialPossible) {
    const Placement cases[] = {
        {"8/8/8/8/8/8/8/8", "a1", PalettePawn, 1, 0, 0, 0, "pawn on row 0"},
        {"8/8/8/8/8/8/8/8", "h8", PalettePawn, 0, 0, 0, 0, "pawn on row 7"},
        {"8/8/8/8/8/8/8/8", "e4", PalettePawn, 1, 1, PiecePawn, ColourWhite, "pawn in the middle"},
        {kEightPawns, "e4", PalettePawn, 1, 0, 0, 0, "ninth pawn"},
        {kEightPawns, "e4", PalettePawn, 0, 1, PiecePawn, ColourBlack, "Black's first pawn"},
        {"8/8/8/8/8/8/PPPPPPPP/1N4N1", "e4", PalettePawn + 1, 1, 0, 0, 0, "third knight"},
        {"8/8/8/8/8/8/PPPPPPPP/R6R", "e4", PalettePawn + 3, 1, 0, 0, 0, "third rook"},
        {"8/8/8/8/8/8/PPPPPPPP/3Q4", "e4", PalettePawn + 4, 1, 0, 0, 0, "second queen"},
        {"8/8/8/8/8/8/PPPPPPPP/2B5", "a3", PalettePawn + 2, 1, 0, 0, 0, "second dark bishop"},
        {"8/8/8/8/8/8/PPPPPPPP/2B5", "b3", PalettePawn + 2, 1, 1, PieceBishop, ColourWhite,
         "light bishop beside a dark one"},
        {"8/8/8/8/8/8/1PPPPPPP/1N4N1", "e4", PalettePawn + 1, 1, 1, PieceKnight, ColourWhite,
         "seven pawns allow one surplus piece"},
        {"8/8/8/8/4N3/8/1PPPPPPP/1N4N1", "d4", PalettePawn + 1, 1, 0, 0, 0,
         "seven pawns refuse a second surplus piece"},
        {"8/8/8/8/4N3/8/2PPPPPP/1N4N1", "d4", PalettePawn + 1, 1, 1, PieceKnight, ColourWhite,
         "each removed pawn allows one more"},
        {"8/8/8/8/8/8/1PPPPPPP/2QQ4", "e4", PalettePawn, 1, 0, 0, 0, "pawns plus surplus at 8"},
        {"8/8/8/8/8/8/8/4K3", "e8", PaletteKing, 1, 0, 0, 0, "second white king"},
        {"8/8/8/8/8/8/8/4K3", "e8", PaletteKing, 0, 1, PieceKing, ColourBlack, "black king"},
        {"8/8/8/8/8/8/8/R7", "a1", PalettePawn + 3, 1, 1, 0, 0, "same kind and colour removes"},
        {"8/8/8/8/8/8/8/R7", "a1", PalettePawn + 3, 0, 1, PieceRook, ColourBlack,
         "other button replaces"},
        {"8/8/8/8/8/8/1PPPPPPP/PN4N1", "a1", PalettePawn + 1, 1, 1, PieceKnight, ColourWhite,
         "replaced pawn is not counted"},
        {"8/8/8/8/8/8/PPPPPPPP/3Qr3", "e1", PalettePawn + 4, 1, 0, PieceRook, ColourBlack,
         "refused placement keeps the old piece"},
        {"8/8/8/8/8/8/8/3q4", "d1", PaletteClearField, 1, 1, 0, 0, "clear field, primary"},
        {"8/8/8/8/8/8/8/3q4", "d1", PaletteClearField, 0, 1, 0, 0, "clear field, other button"},
        {"8/8/8/8/8/8/8/3q4", "e1", PaletteClearField, 1, 0, 0, 0, "clear field on an empty square"},
        {"8/8/8/8/8/8/8/3q4", "d1", PaletteWhiteMove, 1, 0, PieceQueen, ColourBlack, "finish row"},
    };
    for (const Placement& c : cases) {
        Game game;
        SetUpBoard(game, c.board);
        Game before;
        before = game;
        int changed = PlaceSetPositionPiece(game, c.square[0] - 'a', c.square[1] - '1', c.paletteRow,
                                            c.primary);
        EXPECT_EQ(changed, c.changed) << c.why;
        EXPECT_EQ(At(game, c.square).kind, c.kind) << c.why;
        if (c.kind) {
            EXPECT_EQ(At(game, c.square).colour, c.colour) << c.why;
        }
        if (!c.changed) {
            EXPECT_TRUE(BoardCopy(before).Same(game)) << c.why;
        }
    }
}

TEST(SetPositionTest, CountsBySquareColour) {
    Game game;
    SetUpBoard(game, "8/8/8/8/8/8/8/1bB1B3");  // b1 light (black), c1 and e1 dark (white)
    EXPECT_EQ(game.IsSameParity(0, 0), 1);
    EXPECT_EQ(game.IsSameParity(1, 0), 0);
    int bishops[2][2];
    game.CountBishopsBySquareColour(bishops);
    EXPECT_EQ(bishops[ColourWhite][1], 2);
    EXPECT_EQ(bishops[ColourWhite][0], 0);
    EXPECT_EQ(bishops[ColourBlack][0], 1);
    EXPECT_EQ(bishops[ColourBlack][1], 0);
    int counts[2][7];
    game.CountPieces(counts);
    EXPECT_EQ(counts[ColourWhite][PieceBishop], 2);
    EXPECT_EQ(counts[ColourBlack][PieceBishop], 1);
}

struct Finish {
    const char* board;
    int paletteRow;
    const char* message;  // nullptr: the position may be played
};

TEST(SetPositionTest, SevenFinishingChecksInOrder) {
    const Finish cases[] = {
        {"8/8/8/8/8/8/8/Q7", PaletteWhiteMove, "Kings are not found!"},
        {"4k3/8/8/8/8/8/8/Q7", PaletteWhiteMove, "White king is not found!"},
        {"8/8/8/8/8/8/8/Q3K3", PaletteWhiteMove, "Black king is not found!"},
        {"4k3/8/8/8/8/8/8/4K3", PaletteBlackMove, "Only kings are found!"},
        {"4k3/8/8/8/8/8/8/4R1K1", PaletteWhiteMove, "Black king is check!"},
        {"4k3/8/8/8/8/8/8/4R1K1", PaletteBlackMove, nullptr},
        {"4k3/8/8/8/8/8/8/4r1K1", PaletteBlackMove, "White king is check!"},
        {"4k3/8/8/8/8/8/8/4r1K1", PaletteWhiteMove, nullptr},
        {"4k3/8/8/8/8/8/8/2B1K3", PaletteWhiteMove, "Position error: this game is finished."},
        {"7k/5Q2/6K1/8/8/8/8/8", PaletteBlackMove, "Position error: this game is finished."},
        {"7k/5Q2/6K1/8/8/8/8/8", PaletteWhiteMove, nullptr},
        {"R5k1/5ppp/8/8/8/8/8/6K1", PaletteBlackMove, "Position error: this game is finished."},
    };
    for (const Finish& c : cases) {
        Game game;
        SetUpBoard(game, c.board);
        Game before;
        before = game;
        WindowHandle listBox = reinterpret_cast<WindowHandle>(0x110);
        int finished = ChooseSetPositionRow(game, c.paletteRow, &listBox);
        std::string where = std::string(c.board) + (c.paletteRow == PaletteWhiteMove ? " w" : " b");
        EXPECT_EQ(finished, c.message ? 0 : 1) << where;
        if (c.message) {
            ASSERT_EQ(g_fakeWindow.messages.size(), 1u) << where;
            EXPECT_EQ(g_fakeWindow.messages[0], c.message) << where;
            EXPECT_EQ(g_fakeWindow.messageKinds[0], MessageInfo) << where;
            EXPECT_EQ(game.setPositionMode, 1) << where;
            EXPECT_TRUE(BoardCopy(before).Same(game)) << where;
            EXPECT_EQ(g_fakePlay.rebuilds, 0) << where;
        } else {
            EXPECT_TRUE(g_fakeWindow.messages.empty()) << where;
        }
    }
}

TEST(SetPositionTest, FinishingStartsAnAnalyseGameFromThePosition) {
    Game game;
    SetUpBoard(game, "4k3/8/8/8/8/8/8/4R1K1");
    game.player[ColourWhite].isComputer = 1;
    game.player[ColourBlack].clockSeconds = 7;
    WindowHandle listBox = reinterpret_cast<WindowHandle>(0x110);
    for (int row = PalettePawn; row <= PaletteClearField; ++row)
        EXPECT_EQ(ChooseSetPositionRow(game, row, &listBox), 0) << row;
    EXPECT_EQ(game.setPositionMode, 1);
    ASSERT_EQ(ChooseSetPositionRow(game, PaletteBlackMove, &listBox), 1);
    EXPECT_EQ(game.beginSide, ColourBlack);
    EXPECT_EQ(game.sideToMove, ColourBlack);
    EXPECT_EQ(game.analyseMode, 1);
    EXPECT_EQ(game.setPositionMode, 0);
    EXPECT_EQ(game.gameActive, 1);
    EXPECT_EQ(game.modified, 1);
    EXPECT_EQ(game.player[ColourWhite].isComputer, 0);
    EXPECT_EQ(game.player[ColourBlack].clockSeconds, 0);
    EXPECT_EQ(game.player[ColourWhite].name[0], 0);
    EXPECT_EQ(memcmp(game.beginBoard, game.board, sizeof game.board), 0);
    EXPECT_EQ(g_fakePlay.rebuilds, 1);
    EXPECT_EQ(g_fakePlay.rebuiltPly, 0);
    EXPECT_EQ(game.SideOfPly(0), ColourBlack);
}

TEST(SetPositionTest, EnteringEmptiesTheGame) {
    Game game;
    game.Reset(ResetStartPosition);
    ASSERT_TRUE(PlayMoves(game, "e2e4 e7e5"));
    game.analyseMode = 1;
    game.modified = 1;
    game.computerToMove = 1;
    BeginSetPosition(game);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(game.board[i / 8][i % 8].kind, PieceNone) << i;
    EXPECT_EQ(game.setPositionMode, 1);
    EXPECT_EQ(game.gameActive, 1);
    EXPECT_EQ(game.ply, 0);
    EXPECT_EQ(game.analyseMode + game.modified + game.computerToMove, 0);
}

TEST(OptionsRulesTest, PickFromSkinArithmetic) {
    const struct {
        uint32_t average;
        uint32_t background;
        uint32_t ink;
    } cases[] = {
        {0xC8C8C8, 0xB4B4B4, 0xF0F0F0},  // grey 200: background 180
        {0x787878, 0x6C6C6C, 0x909090},  // grey 120: ink 144
        {0xF0F0F0, 0xD8D8D8, 0xFFFFFF},  // 240 + 48 is held at 255
        {0xFF640A, 0xE65A09, 0xFF780C},  // bytes stay in their places
        {0x000000, 0x000000, 0x000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DarkerBackground(c.average), c.background) << std::hex << c.average;
        EXPECT_EQ(BrighterInk(c.average), c.ink) << std::hex << c.average;
    }
}

TEST(OptionsRulesTest, AverageRoundsEachByteDown) {
    ColourSums sums;
    ClearColourSums(&sums);
    EXPECT_EQ(AverageColour(sums), 0u);
    for (int i = 0; i < 4095; ++i) AddColour(&sums, 0xC87814);
    AddColour(&sums, 0xC97915);  // one pixel brighter in each byte is not enough to round up
    EXPECT_EQ(AverageColour(sums), 0xC87814u);
    AddColour(&sums, 0xFFFFFF);
    EXPECT_EQ(sums.count, 4097u);
    EXPECT_EQ(AverageColour(sums) & 0xFF, 0x14u);
}

TEST(OptionsRulesTest, SkinFileNamesFitTheirBuffers) {
    const struct {
        std::string found;
        int listed;
        const char* row;
    } cases[] = {
        {"Wood.bmp", 1, "Wood"},
        {"Wood.BMP", 1, "Wood"},      // the loader's ".bmp" opens the same file
        {"My..skin.bmp", 1, "My..skin"},
        {"abc", 0, ""},               // the loader would open SKIN\abc.bmp, not this file
        {"...bmp", 0, ""},            // ".." leaves the folder
        {".bmp", 0, ""},
        {"", 0, ""},
        {std::string(250, 'w') + ".bmp", 1, nullptr},  // "SKIN\" + 254 characters: 259
        {std::string(251, 'w') + ".bmp", 0, ""},
    };
    for (const auto& c : cases) {
        String path, row;
        int listed = SkinListEntry(c.found.c_str(), &path, &row);
        EXPECT_EQ(listed, c.listed) << c.found.size();
        if (!listed) continue;
        std::string expectedRow = c.row ? c.row : c.found.substr(0, c.found.size() - 4);
        EXPECT_EQ(std::string(row.CStr()), expectedRow);
        EXPECT_EQ(std::string(path.CStr()), "SKIN\\" + expectedRow + ".bmp");
        EXPECT_LE(row.Length(), kMaxSkinRowText);
    }
}

TEST(OptionsRulesTest, SkinBaseNamesAreRefusedOnlyWhenTheyLeaveTheFolder) {
    const struct {
        const char* name;
        int taken;
    } cases[] = {
        {"Wood", 1}, {"My..skin", 1}, {"...", 1}, {".hidden", 1}, {".", 0}, {"..", 0},
        {"", 0},     {"a\\b", 0},     {"a/b", 0}, {"c:x", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSkinBaseName(c.name), c.taken) << c.name;
        String path;
        EXPECT_EQ(SkinFilePath(c.name, &path), c.taken) << c.name;
    }
}

// The list and the loader take only names the settings file gives back as written
// and that open a file, not a device.
TEST(OptionsRulesTest, SkinNamesTheSettingsFileKeepsAndNoDevices) {
    const struct {
        const char* name;
        int kept;   // IsStoredUnchanged
        int taken;  // SkinFilePath
    } cases[] = {
        {"Wood", 1, 1},     {"a b", 1, 1},      {" lead", 0, 0},   {"trail ", 0, 0},
        {"\tTab", 0, 0},    {"'q'", 0, 0},      {"\"q\"", 0, 0},   {"''", 0, 0},
        {"'q", 1, 1},       {"q'", 1, 1},       {"'", 1, 1},       {"'q\"", 1, 1},
        {"com1", 1, 0},     {"aux", 1, 0},      {"COM10", 1, 1},   {"Lpt9.x", 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsStoredUnchanged(c.name), c.kept) << c.name;
        String path;
        EXPECT_EQ(SkinFilePath(c.name, &path), c.taken) << c.name;
    }
}

// A skin file's headers as the check sees them: the file's first bytes and its size.
struct SheetFile {
    const char* what;
    uint32_t infoSize;
    int32_t width, height;
    uint16_t planes, bits;
    uint32_t compression, coloursUsed, imageSize;
    int64_t offset;    // -1: right after the colour table
    int64_t fileSize;  // -1: the offset plus the whole image
    int taken;
};

void Put(std::vector<unsigned char>& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = (unsigned char)(value >> (8 * i));
}

int CheckSheet(const SheetFile& f) {
    const int core = f.infoSize == 12;
    const int masks = f.compression == 3 && f.infoSize == 40 ? 12 : 0;
    int64_t colours = f.coloursUsed ? f.coloursUsed : (f.bits <= 8 ? 1 << f.bits : 0);
    int64_t offset = f.offset >= 0 ? f.offset : 14 + f.infoSize + masks + colours * (core ? 3 : 4);
    int64_t image = f.compression == 1 || f.compression == 2 ? f.imageSize
                                                             : (640 * f.bits + 31) / 32 * 4 * 448;
    int64_t size = f.fileSize >= 0 ? f.fileSize : offset + image;
    std::vector<unsigned char> head(kSkinHeaderBytes, 0);
    head[0] = 'B';
    head[1] = 'M';
    Put(head, 10, uint32_t(offset), 4);
    Put(head, 14, f.infoSize, 4);
    if (core) {
        Put(head, 18, uint32_t(f.width), 2);
        Put(head, 20, uint32_t(f.height), 2);
        Put(head, 22, f.planes, 2);
        Put(head, 24, f.bits, 2);
    } else {
        Put(head, 18, uint32_t(f.width), 4);
        Put(head, 22, uint32_t(f.height), 4);
        Put(head, 26, f.planes, 2);
        Put(head, 28, f.bits, 2);
        Put(head, 30, f.compression, 4);
        Put(head, 34, f.imageSize, 4);
        Put(head, 46, f.coloursUsed, 4);
    }
    int headSize = size < kSkinHeaderBytes ? int(size) : kSkinHeaderBytes;
    return IsSkinSheetHeader(head.data(), headSize, uint64_t(size));
}

TEST(OptionsRulesTest, SkinFileHeadersAndSize) {
    const SheetFile cases[] = {
        {"24 bits", 40, 640, 448, 1, 24, 0, 0, 0, -1, -1, 1},
        {"24 bits, top-down", 40, 640, -448, 1, 24, 0, 0, 0, -1, -1, 0},
        {"24 bits, old header", 12, 640, 448, 1, 24, 0, 0, 0, -1, -1, 1},
        {"32 bits", 40, 640, 448, 1, 32, 0, 0, 0, -1, -1, 1},
        {"16 bits", 40, 640, 448, 1, 16, 0, 0, 0, -1, -1, 1},
        {"16 bits, bit fields", 40, 640, 448, 1, 16, 3, 0, 0, -1, -1, 1},
        {"32 bits, bit fields, V5 header", 124, 640, 448, 1, 32, 3, 0, 0, -1, -1, 1},
        {"8 bits", 40, 640, 448, 1, 8, 0, 0, 0, -1, -1, 1},
        {"4 bits, V4 header", 108, 640, 448, 1, 4, 0, 0, 0, -1, -1, 1},
        {"1 bit", 40, 640, 448, 1, 1, 0, 0, 0, -1, -1, 1},
        {"RLE8", 40, 640, 448, 1, 8, 1, 0, 5000, -1, -1, 1},
        {"RLE4", 40, 640, 448, 1, 4, 2, 0, 3000, -1, -1, 1},
        {"cut after 30 bytes", 40, 640, 448, 1, 24, 0, 0, 0, -1, 30, 0},
        {"cut after 54 bytes", 40, 640, 448, 1, 24, 0, 0, 0, -1, 54, 0},
        {"cut after 100000 bytes", 40, 640, 448, 1, 24, 0, 0, 0, -1, 100000, 0},
        {"cut after 800000 bytes", 40, 640, 448, 1, 24, 0, 0, 0, -1, 800000, 0},
        {"one byte short", 40, 640, 448, 1, 24, 0, 0, 0, -1, 54 + 1920 * 448 - 1, 0},
        {"8x8 pixels of data", 40, 640, 448, 1, 24, 0, 0, 0, -1, 246, 0},
        {"offset past the end", 40, 640, 448, 1, 24, 0, 0, 0, 0x7FFFFFF0, 54 + 1920 * 448, 0},
        {"offset inside the headers", 40, 640, 448, 1, 24, 0, 0, 0, 20, 54 + 1920 * 448, 0},
        {"8 bits cut in the palette", 40, 640, 448, 1, 8, 0, 0, 0, -1, 54 + 500, 0},
        {"257 colours used", 40, 640, 448, 1, 8, 0, 257, 0, -1, -1, 0},
        {"JPEG", 40, 640, 448, 1, 24, 4, 0, 192, 54, 246, 0},
        {"PNG, full length", 40, 640, 448, 1, 24, 5, 0, 0, 54, 54 + 1920 * 448, 0},
        {"depth 0", 40, 640, 448, 1, 0, 0, 0, 0, 54, 54 + 1920 * 448, 0},
        {"depth 7", 40, 640, 448, 1, 7, 0, 0, 0, -1, -1, 0},
        {"header size 0", 0, 640, 448, 1, 24, 0, 0, 0, 54, 54 + 1920 * 448, 0},
        {"RLE8 at 4 bits", 40, 640, 448, 1, 4, 1, 0, 3000, -1, -1, 0},
        {"RLE8 top-down", 40, 640, -448, 1, 8, 1, 0, 5000, -1, -1, 0},
        {"bit fields at 24 bits", 40, 640, 448, 1, 24, 3, 0, 0, -1, -1, 0},
        {"449 high", 40, 640, 449, 1, 24, 0, 0, 0, -1, -1, 0},
        {"2 planes", 40, 640, 448, 2, 24, 0, 0, 0, -1, -1, 0},
    };
    for (const SheetFile& c : cases) EXPECT_EQ(CheckSheet(c), c.taken) << c.what;
}

}  // namespace
