// The tables a computer turn prepares: the worth of every piece on every square for
// the present position and phase of the game, and the ending class. (The plain sum of
// table and material, signed by side, is pinned by the golden choices.)
#include <string>
#include "unit/engine_test_support.h"

namespace {

std::unique_ptr<Game> Prepared(const char* position, const char* moves = "", int ply = -1) {
    std::unique_ptr<Game> game = EngineGame(position, moves);
    if (ply >= 0) game->ply = ply;
    PrepareComputerSearch(*game);
    return game;
}

// Knight shuffles from the start position: `plies` half-moves that move no pawn.
std::string KnightShuffle(int plies) {
    static const char* kCycle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    std::string moves;
    for (int i = 0; i < plies; ++i) moves += std::string(kCycle[i % 4]) + " ";
    return moves;
}

TEST(EngineTables, PhaseChangesAtPly50AndThe55RuleAfterIt) {
    // Ply 49, Black thinks: early tables; its unmoved king is kept off the blocked
    // queen's wing.
    std::unique_ptr<Game> g49 = Prepared("startpos", KnightShuffle(49).c_str());
    ASSERT_EQ(g49->ply, 49);
    EXPECT_EQ(Worth(*g49, ColourWhite, PiecePawn, "e4"), g49->pawnBaseTable[3][4] + 1000);
    EXPECT_EQ(Worth(*g49, ColourWhite, PieceKing, "e4"), g49->kingMiddleTable[3][4]);
    EXPECT_EQ(Worth(*g49, ColourBlack, PieceKing, "b8"), 50);

    // Ply 50, White thinks: late tables (pawns gain 2 a row), kings by pawn proximity,
    // no +55 yet.
    std::unique_ptr<Game> g50 = Prepared("startpos", KnightShuffle(50).c_str());
    int near[8][8];
    g50->BuildPawnProximityMap(near);
    EXPECT_EQ(Worth(*g50, ColourBlack, PiecePawn, "e5"), g50->pawnBaseTable[3][4] + 2 * 3 + 1000);  // mirrored
    EXPECT_EQ(g50->kingTable[3][4], g50->knightTable[3][4]);
    EXPECT_EQ(Worth(*g50, ColourBlack, PieceKing, "d5"), 4 * near[4][3]);
    EXPECT_EQ(Worth(*g50, ColourWhite, PieceKing, "e1"), -4 * 6);  // the king stands next to its pawns

    // Ply 51, Black thinks: the opponent's pawn worths carry +55.
    std::unique_ptr<Game> g51 = Prepared("startpos", KnightShuffle(51).c_str());
    for (const char* s : {"a2", "e4", "h7"}) {
        int row = s[1] - '1', file = s[0] - 'a';  // White pawns: rows as they stand
        EXPECT_EQ(Worth(*g51, ColourWhite, PiecePawn, s), g51->pawnBaseTable[row][file] + 2 * row + 55 + 1000) << s;
    }
}

TEST(EngineTables, The55RuleStopsOnceTheOpponentCountsHalfAPawnAhead) {
    // Sixteen White pawns, Black thinks, late phase. Filled square by square, the
    // value read at each square climbs past 500 on e3: the squares before it get the
    // 55, e3 and everything after do not.
    std::unique_ptr<Game> game = Prepared("4k3/8/8/8/8/PPPPPPPP/PPPPPPPP/4K3 b - - 0 1", "", 60);
    auto pawn = [&](const char* s) { return Worth(*game, ColourWhite, PiecePawn, s); };
    auto table = [&](const char* s) { return game->pawnTable[s[1] - '1'][s[0] - 'a']; };
    for (const char* s : {"a1", "h1", "a2", "h2", "a3", "b3", "c3", "d3"}) EXPECT_EQ(pawn(s), table(s) + 1055) << s;
    for (const char* s : {"e3", "f3", "h3", "a5", "h8"}) EXPECT_EQ(pawn(s), table(s) + 1000) << s;
}

TEST(EngineTables, UnmovedKingAvoidsWingsWithoutPawnsOrStillBlocked) {
    struct Case {
        const char* fen;
        const char* moves;
        int queenSide, kingSide;  // 1 when those home-row king entries are 50
    } cases[] = {
        {"4k3/8/8/8/8/8/PPPPPPP1/4K3 w KQ - 0 1", "", 0, 1},    // no h pawn
        {"4k3/8/8/8/8/8/P1PPPPPP/4K3 w KQ - 0 1", "", 1, 0},    // no b pawn
        {"4k3/8/8/8/8/8/PPPPPPPP/1N2K3 w KQ - 0 1", "", 1, 0},  // b1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/3QK3 w KQ - 0 1", "", 1, 0},   // d1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/4K1N1 w KQ - 0 1", "", 0, 1},  // g1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/4KB2 w KQ - 0 1", "", 0, 1},   // f1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/4K3 w KQ - 0 1", "", 0, 0},
        {"4k3/ppppppp1/8/8/8/8/8/4K3 b kq - 0 1", "", 0, 1},    // Black thinks
        {"4k3/8/8/8/8/8/PPPPPPP1/3K4 w - - 0 1", "", 0, 0},     // king not on e1
        {"4k3/pppppppp/8/8/8/8/P1PPPPP1/4K3 w KQ - 0 1", "", 1, 1},
        {"4k3/pppppppp/8/8/8/8/P1PPPPP1/4K3 w KQ - 0 1", "e1f1 a7a6 f1e1 a6a5", 0, 0},  // went away and back
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = Prepared(c.fen, c.moves);
        int me = game->sideToMove, home = me == ColourWhite ? 0 : 7;
        for (int file = 0; file < 8; ++file) {
            int penalised = file <= 2 ? c.queenSide : file >= 6 ? c.kingSide : 0;
            int expected = penalised ? 50 : -game->kingMiddleTable[home][file];
            EXPECT_EQ(game->pieceSquareTable[me][PieceKing][home][file], expected) << c.fen << " file " << file;
        }
    }
}

TEST(EngineTables, KingWingPawnsEarnNothing) {
    // Castled short: files f to h; on c1: files a to c. Other files keep their worths.
    std::unique_ptr<Game> castled = Prepared("startpos", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 g8f6");
    std::unique_ptr<Game> queenSide = Prepared("4k3/pppppppp/8/8/8/8/PPPPPPPP/2K5 w - - 0 1");
    EXPECT_EQ(Worth(*castled, ColourWhite, PiecePawn, "f2"), -1000);
    EXPECT_EQ(Worth(*castled, ColourWhite, PiecePawn, "h5"), -1000);
    EXPECT_EQ(Worth(*castled, ColourWhite, PiecePawn, "e4"), -castled->pawnBaseTable[3][4] - 1000);
    EXPECT_EQ(Worth(*queenSide, ColourWhite, PiecePawn, "a2"), -1000);
    EXPECT_EQ(Worth(*queenSide, ColourWhite, PiecePawn, "c5"), -1000);
    EXPECT_EQ(Worth(*queenSide, ColourWhite, PiecePawn, "d2"), -queenSide->pawnBaseTable[1][3] - 1000);
}

TEST(EngineTables, BishopBeforeCentrePawnsAndUndevelopedKnights) {
    for (int ply : {3, 60}) {  // both phases
        std::unique_ptr<Game> black = Prepared("4k3/3p4/8/8/8/8/4P3/4K3 b - - 0 1", "", ply);
        EXPECT_EQ(Worth(*black, ColourBlack, PieceBishop, "d6"), 10 - 3000) << ply;
        EXPECT_EQ(Worth(*black, ColourBlack, PieceBishop, "e6"), -6 - 3000) << ply;
        EXPECT_EQ(Worth(*black, ColourWhite, PieceBishop, "e3"), 6 + 3000) << ply;  // not the computer's
        std::unique_ptr<Game> white = Prepared("4k3/3p4/8/8/8/8/4P3/4K3 w - - 0 1", "", ply);
        EXPECT_EQ(Worth(*white, ColourWhite, PieceBishop, "e3"), 10 - 3000) << ply;
        EXPECT_EQ(Worth(*white, ColourWhite, PieceBishop, "d3"), -6 - 3000) << ply;
    }
    // The b1 knight went to c3 and back; the g1 knight never moved.
    std::unique_ptr<Game> knights = Prepared("startpos", "b1c3 e7e5 c3b1 e5e4");
    EXPECT_EQ(Worth(*knights, ColourWhite, PieceKnight, "b1"), -1 - 3000);
    EXPECT_EQ(Worth(*knights, ColourWhite, PieceKnight, "g1"), 0 - 3000);
    EXPECT_EQ(Worth(*knights, ColourBlack, PieceKnight, "b8"), 1 + 3000);
    std::unique_ptr<Game> blackKnights = Prepared("startpos", "e2e4 g8f6 d2d4 f6g8 g1f3");
    EXPECT_EQ(Worth(*blackKnights, ColourBlack, PieceKnight, "b8"), -3000);
    EXPECT_EQ(Worth(*blackKnights, ColourBlack, PieceKnight, "g8"), -1 - 3000);
}

TEST(EngineTables, EndingClassNeedsABareOpponentKingAndMatingMaterial) {
    struct Case { const char* fen; int expected; } cases[] = {
        {"4k3/8/8/8/8/8/4P3/R3K3 w - - 0 1", EndgameQueenOrRook},  // extra pawn does not matter
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", EndgameQueenOrRook},
        {"r3k3/8/8/8/8/8/8/4K3 b - - 0 1", EndgameQueenOrRook},
        {"4k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", EndgameTwoBishops},
        {"4k3/8/8/8/8/8/8/2B1KBN1 w - - 0 1", EndgameTwoBishops},
        {"4k3/8/8/8/8/8/8/2B1KN2 w - - 0 1", EndgameBishopKnightDark},       // c1 is dark
        {"4k3/8/8/8/8/8/8/1N2KB2 w - - 0 1", EndgameBishopKnightLight},      // f1 is light
        {"4k3/8/8/8/8/8/4B3/2B1KBN1 w - - 0 1", EndgameBishopKnightLight},   // last bishop (e2) decides
        {"4k3/8/8/8/8/8/1B6/2B1KBN1 w - - 0 1", EndgameBishopKnightDark},    // last bishop (b2) decides
        {"4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1", EndgameNone},
        {"4k3/8/8/8/8/8/8/4KB2 w - - 0 1", EndgameNone},
        {"4k3/4p3/8/8/8/8/8/R3K3 w - - 0 1", EndgameNone},  // the opponent keeps a pawn
        {"4k3/8/8/8/8/8/8/3QK3 b - - 0 1", EndgameNone},    // the computer is the bare one
    };
    for (const Case& c : cases) EXPECT_EQ(Prepared(c.fen)->endgameType, c.expected) << c.fen;
}

}  // namespace
