// Every game the writer writes reads back to the same game: random legal games with
// random players, clocks and levels, and the positions met on the way as FEN lines.
#include "core/names.h"
#include "tools/common/random_games.h"
#include "unit/game_file_test_support.h"

namespace {

const int kGames = 200;

// What the corpus must hold for the round trip to mean something.
struct Coverage {
    int castlings = 0, enPassants = 0, underPromotions = 0, originHints = 0, mates = 0, fullLength = 0;
};

void Count(const Game& game, const std::string& movetext, int status, Coverage* seen) {
    for (int i = 0; i < game.ply; ++i) {
        const MoveRecord& r = game.history[i];
        if (r.kind == PieceKing && r.fromX == 4 && (r.toX == 2 || r.toX == 6)) ++seen->castlings;
        if (r.kind == PiecePawn && r.special == SpecialEnPassant) ++seen->enPassants;
        if (r.kind == PiecePawn && r.newKind != PiecePawn && r.newKind != PieceQueen) ++seen->underPromotions;
    }
    std::istringstream tokens(movetext);
    for (std::string token; tokens >> token;) {
        if (!strchr("NBRQ", token[0])) continue;
        std::string squares;
        for (char c : token)
            if (!strchr("x+#", c)) squares += c;
        if (squares.size() > 3) ++seen->originHints;  // letter, hint, target
    }
    if (status == StatusCheckmate) ++seen->mates;
    if (game.ply == kMaxGamePly) ++seen->fullLength;
}

TEST(GameFileRoundTrip, RandomGamesReadBackWhole) {
    RandomSource random(20261209);
    Coverage seen;
    int longest = 0;
    for (int n = 0; n < kGames; ++n) {
        std::unique_ptr<Game> game(new Game);
        game->Reset(ResetStartPosition);
        const int status = PlayRandomGame(*game, random, kMaxGamePly);
        char name[18];
        for (int side = 0; side < 2; ++side) {
            const int computer = random.Next(3) == 0;
            RandomPlayerName(random, name);
            SetPlayer(*game, side, computer ? kComputerPlayerName : name, computer, random.Next(360000));
        }
        game->searchDepth = 1 + random.Next(3);
        const SaveMoment when = {2026, 1 + random.Next(12), 1 + random.Next(28), random.Next(24), random.Next(60), ""};

        const String text = PgnGameText(*game, when);
        if (text.Length() > longest) longest = text.Length();
        std::unique_ptr<Game> read(new Game);
        LoadGameFromPgn(read.get(), &text);

        SCOPED_TRACE(Text(text));
        EXPECT_EQ("", Text(read->errorText));
        EXPECT_EQ(HistoryText(*game), HistoryText(*read));
        EXPECT_EQ(0, memcmp(game->history, read->history, sizeof(MoveRecord) * game->ply));
        EXPECT_TRUE(SamePlacement(*game, *read));
        for (int side = 0; side < 2; ++side) {
            EXPECT_STREQ(game->player[side].name, read->player[side].name);
            EXPECT_EQ(game->player[side].isComputer, read->player[side].isComputer);
            EXPECT_EQ(game->player[side].clockSeconds, read->player[side].clockSeconds);
        }
        const int anyComputer = game->player[0].isComputer || game->player[1].isComputer;
        EXPECT_EQ(anyComputer ? game->searchDepth : 3, read->searchDepth);

        // The positions on the way, through a position file and back.
        std::unique_ptr<Game> replay(new Game);
        replay->Reset(ResetStartPosition);
        for (int i = 0; i <= game->ply; i += 37) {
            while (replay->ply < i) {
                const MoveRecord& r = game->history[replay->ply];
                replay->MakeMove(&replay->history[replay->ply], r.fromX, r.fromY, r.toX, r.toY, 1, r.newKind);
                replay->ply += 1;
            }
            std::unique_ptr<Game> position(new Game);
            position->LoadFromFen(FenPositionText(*replay, i % 2));
            EXPECT_TRUE(SamePlacement(*replay, *position)) << i;
            EXPECT_EQ(i % 2, position->sideToMove);
        }
        Count(*game, Text(PgnMovetext(*game)), status, &seen);
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_LE(longest, kMaxGameFileBytes);
    EXPECT_GT(seen.castlings, 0);
    EXPECT_GT(seen.enPassants, 0);
    EXPECT_GT(seen.underPromotions, 0);
    EXPECT_GT(seen.originHints, 0);
    EXPECT_GT(seen.mates, 0);
    EXPECT_GT(seen.fullLength, 0);
}

// Names that look like the comment's items, or hold a tag's "]", stay names: the level
// and clocks read back are the ones the comment holds. The reader keeps 18 characters.
TEST(GameFileRoundTrip, NamesLikeItemsKeepLevelAndClocks) {
    struct Case { const char* name; int level, whiteClock, blackClock; } cases[] = {
        {"LEVEL = 1", 2, 65, 42},
        {"TIME WHITE SIDE = 00:00:09", 3, 65, 42},
        {"a]b", 1, 3599, 3600},
    };
    const SaveMoment when = {2026, 3, 5, 10, 0, ""};
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = StartGame("e2e4 e7e5 g1f3");
        SetPlayer(*game, ColourWhite, c.name, 0, c.whiteClock);
        SetPlayer(*game, ColourBlack, kComputerPlayerName, 1, c.blackClock);
        game->searchDepth = c.level;
        const String text = PgnGameText(*game, when);
        std::unique_ptr<Game> read(new Game);
        LoadGameFromPgn(read.get(), &text);

        SCOPED_TRACE(Text(text));
        EXPECT_NE(std::string::npos, Text(text).find(std::string("\r\n[White \"") + c.name + "\"]\r\n"));
        EXPECT_EQ("", Text(read->errorText));
        EXPECT_EQ("e2e4 e7e5 g1f3", HistoryText(*read));
        EXPECT_EQ(std::string(c.name).substr(0, 18), read->player[ColourWhite].name);
        EXPECT_EQ(0, read->player[ColourWhite].isComputer);
        EXPECT_EQ(1, read->player[ColourBlack].isComputer);
        EXPECT_EQ(c.whiteClock, read->player[ColourWhite].clockSeconds);
        EXPECT_EQ(c.blackClock, read->player[ColourBlack].clockSeconds);
        EXPECT_EQ(c.level, read->searchDepth);
    }
}

}  // namespace
