// The tables a computer turn prepares: the worth of every piece on every square for
// the present position and phase of the game, and the ending class.
#include <string>
#include "unit/engine_test_support.h"

namespace {

std::unique_ptr<Game> Prepared(const char* position, const char* moves = "") {
    std::unique_ptr<Game> game = EngineGame(position, moves);
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

const int kMaterial[7] = {0, 1000, 3000, 3000, 5000, 10000, 0};

// Every entry except `skipped` squares of the computer's king, knights, bishops and
// pawns follows the tables: the computer's worths negated, pawns mirrored for Black,
// material folded in. Early phase only.
void ExpectPlainFill(const Game& game, std::initializer_list<const char*> skipped) {
    int me = game.sideToMove;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            bool skip = false;
            for (const char* s : skipped) skip |= s[0] - 'a' == c && s[1] - '1' == r;
            for (int colour = 0; colour < 2; ++colour) {
                int sign = colour == me ? -1 : 1;
                int pawnRow = colour == ColourWhite ? r : 7 - r;
                int expected[7] = {0, game.pawnBaseTable[pawnRow][c], game.knightTable[r][c], game.bishopTable[r][c],
                                   0, 0, game.kingMiddleTable[r][c]};
                for (int kind = 0; kind <= PieceKing; ++kind) {
                    if (skip && colour == me && kind != PieceRook && kind != PieceQueen) continue;
                    EXPECT_EQ(game.pieceSquareTable[colour][kind][r][c], sign * (expected[kind] + kMaterial[kind]))
                        << "colour " << colour << " kind " << kind << " r" << r << " c" << c;
                }
            }
        }
}

TEST(EngineTables, EarlyFillFollowsTheTablesForEitherComputerColour) {
    std::unique_ptr<Game> white = Prepared("4k3/pppppppp/8/8/8/8/PP3PPP/3K4 w - - 0 1");
    EXPECT_EQ(white->opponentSide, ColourBlack);
    ExpectPlainFill(*white, {"b1", "g1"});
    std::unique_ptr<Game> black = Prepared("4k3/pp3ppp/8/8/8/8/PPPPPPPP/3K4 b - - 0 1");
    EXPECT_EQ(black->opponentSide, ColourWhite);
    ExpectPlainFill(*black, {"b8", "g8"});
}

TEST(EngineTables, PhaseChangesAtPly50AndThe55RuleAfterIt) {
    // Ply 49, Black thinks: early tables, and its unmoved king is kept off the
    // blocked queen's wing.
    std::unique_ptr<Game> g49 = Prepared("startpos", KnightShuffle(49).c_str());
    ASSERT_EQ(g49->ply, 49);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(g49->pawnTable[r][c], g49->pawnBaseTable[r][c]);
            EXPECT_EQ(g49->kingTable[r][c], g49->kingMiddleTable[r][c]);
            EXPECT_EQ(g49->pieceSquareTable[ColourWhite][PiecePawn][r][c], g49->pawnBaseTable[r][c] + 1000);
        }
    EXPECT_EQ(Worth(*g49, ColourBlack, PieceKing, "b8"), 50);

    // Ply 50, White thinks: late tables, kings by pawn proximity, no +55 yet.
    std::unique_ptr<Game> g50 = Prepared("startpos", KnightShuffle(50).c_str());
    int near[8][8];
    g50->BuildPawnProximityMap(near);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(g50->pawnTable[r][c], g50->pawnBaseTable[r][c] + 2 * r);
            EXPECT_EQ(g50->kingTable[r][c], g50->knightTable[r][c]);
            EXPECT_EQ(g50->pieceSquareTable[ColourBlack][PiecePawn][r][c], g50->pawnTable[7 - r][c] + 1000);
            EXPECT_EQ(g50->pieceSquareTable[ColourWhite][PieceKing][r][c], -4 * near[r][c]);
            EXPECT_EQ(g50->pieceSquareTable[ColourBlack][PieceKing][r][c], 4 * near[r][c]);
        }
    EXPECT_EQ(Worth(*g50, ColourWhite, PieceKing, "e1"), -4 * 6);  // the king stands next to its pawns

    // Ply 51, Black thinks: the opponent's pawn worths carry +55 on every square.
    std::unique_ptr<Game> g51 = Prepared("startpos", KnightShuffle(51).c_str());
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(g51->pieceSquareTable[ColourWhite][PiecePawn][r][c], g51->pawnTable[r][c] + 55 + 1000);
}

TEST(EngineTables, The55RuleStopsOnceTheOpponentCountsHalfAPawnAhead) {
    // Sixteen White pawns, Black thinks, late phase. Filled square by square, the
    // value read at each square climbs past 500 on e3: the squares before it get the
    // 55, e3 and everything after do not.
    std::unique_ptr<Game> game = EngineGame("4k3/8/8/8/8/PPPPPPPP/PPPPPPPP/4K3 b - - 0 1");
    game->ply = 60;
    PrepareComputerSearch(*game);
    auto pawn = [&](const char* s) { return Worth(*game, ColourWhite, PiecePawn, s); };
    auto table = [&](const char* s) { return game->pawnTable[s[1] - '1'][s[0] - 'a']; };
    for (const char* s : {"a1", "h1", "a2", "h2", "a3", "b3", "c3", "d3"}) EXPECT_EQ(pawn(s), table(s) + 1055) << s;
    for (const char* s : {"e3", "f3", "h3", "a5", "h8"}) EXPECT_EQ(pawn(s), table(s) + 1000) << s;
}

TEST(EngineTables, UnmovedKingAvoidsWingsWithoutPawnsOrStillBlocked) {
    struct Case {
        const char* fen;
        int queenSide, kingSide;  // 1 when those home-row king entries are 50
    } cases[] = {
        {"4k3/8/8/8/8/8/PPPPPPP1/4K3 w KQ - 0 1", 0, 1},   // no h pawn
        {"4k3/8/8/8/8/8/P1PPPPPP/4K3 w KQ - 0 1", 1, 0},   // no b pawn
        {"4k3/8/8/8/8/8/PPPPPPPP/1N2K3 w KQ - 0 1", 1, 0}, // b1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/3QK3 w KQ - 0 1", 1, 0},  // d1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/4K1N1 w KQ - 0 1", 0, 1}, // g1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/4KB2 w KQ - 0 1", 0, 1},  // f1 occupied
        {"4k3/8/8/8/8/8/PPPPPPPP/4K3 w KQ - 0 1", 0, 0},
        {"4k3/ppppppp1/8/8/8/8/8/4K3 b kq - 0 1", 0, 1},   // Black thinks
        {"4k3/8/8/8/8/8/PPPPPPP1/3K4 w - - 0 1", 0, 0},    // king not on e1
    };
    for (const Case& c : cases) {
        std::unique_ptr<Game> game = Prepared(c.fen);
        int me = game->sideToMove, home = me == ColourWhite ? 0 : 7;
        for (int file = 0; file < 8; ++file) {
            int penalised = file <= 2 ? c.queenSide : file >= 6 ? c.kingSide : 0;
            int expected = penalised ? 50 : -game->kingMiddleTable[home][file];
            EXPECT_EQ(game->pieceSquareTable[me][PieceKing][home][file], expected) << c.fen << " file " << file;
        }
    }
}

TEST(EngineTables, KingThatWentAwayAndBackCountsAsMoved) {
    const char* fen = "4k3/pppppppp/8/8/8/8/P1PPPPP1/4K3 w KQ - 0 1";
    std::unique_ptr<Game> unmoved = Prepared(fen);
    EXPECT_EQ(Worth(*unmoved, ColourWhite, PieceKing, "b1"), 50);
    EXPECT_EQ(Worth(*unmoved, ColourWhite, PieceKing, "h1"), 50);
    std::unique_ptr<Game> moved = Prepared(fen, "e1f1 a7a6 f1e1 a6a5");
    EXPECT_EQ(Worth(*moved, ColourWhite, PieceKing, "b1"), 0);
    EXPECT_EQ(Worth(*moved, ColourWhite, PieceKing, "h1"), 0);
}

TEST(EngineTables, KingWingPawnsEarnNothing) {
    // Castled short: files f to h; on c1: files a to c. Other files keep their worths.
    std::unique_ptr<Game> castled = Prepared("startpos", "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5 e1g1 g8f6");
    std::unique_ptr<Game> queenSide = Prepared("4k3/pppppppp/8/8/8/8/PPPPPPPP/2K5 w - - 0 1");
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            int plain = -castled->pawnBaseTable[r][c] - 1000;
            EXPECT_EQ(castled->pieceSquareTable[ColourWhite][PiecePawn][r][c], c >= 5 ? -1000 : plain);
            EXPECT_EQ(queenSide->pieceSquareTable[ColourWhite][PiecePawn][r][c], c <= 2 ? -1000 : plain);
        }
}

TEST(EngineTables, BishopBeforeCentrePawnsAndUndevelopedKnights) {
    for (int ply : {3, 60}) {  // both phases
        std::unique_ptr<Game> black = EngineGame("4k3/3p4/8/8/8/8/4P3/4K3 b - - 0 1");
        black->ply = ply;
        PrepareComputerSearch(*black);
        EXPECT_EQ(Worth(*black, ColourBlack, PieceBishop, "d6"), 10 - 3000) << ply;
        EXPECT_EQ(Worth(*black, ColourBlack, PieceBishop, "e6"), -6 - 3000) << ply;
        EXPECT_EQ(Worth(*black, ColourWhite, PieceBishop, "e3"), 6 + 3000) << ply;  // not the computer's
        std::unique_ptr<Game> white = EngineGame("4k3/3p4/8/8/8/8/4P3/4K3 w - - 0 1");
        white->ply = ply;
        PrepareComputerSearch(*white);
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
    struct Case {
        const char* fen;
        int expected;
    } cases[] = {
        {"4k3/8/8/8/8/8/4P3/R3K3 w - - 0 1", EndgameQueenOrRook},    // extra pawn does not matter
        {"4k3/8/8/8/8/8/8/3QK3 w - - 0 1", EndgameQueenOrRook},
        {"r3k3/8/8/8/8/8/8/4K3 b - - 0 1", EndgameQueenOrRook},
        {"4k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", EndgameTwoBishops},
        {"4k3/8/8/8/8/8/8/2B1KBN1 w - - 0 1", EndgameTwoBishops},
        {"4k3/8/8/8/8/8/8/2B1KN2 w - - 0 1", EndgameBishopKnightDark},  // c1 is dark
        {"4k3/8/8/8/8/8/8/1N2KB2 w - - 0 1", EndgameBishopKnightLight}, // f1 is light
        {"4k3/8/8/8/8/8/4B3/2B1KBN1 w - - 0 1", EndgameBishopKnightLight}, // last bishop (e2) decides
        {"4k3/8/8/8/8/8/1B6/2B1KBN1 w - - 0 1", EndgameBishopKnightDark},  // last bishop (b2) decides
        {"4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1", EndgameNone},
        {"4k3/8/8/8/8/8/8/4KB2 w - - 0 1", EndgameNone},
        {"4k3/4p3/8/8/8/8/8/R3K3 w - - 0 1", EndgameNone},           // the opponent keeps a pawn
        {"4k3/8/8/8/8/8/8/3QK3 b - - 0 1", EndgameNone},             // the computer is the bare one
    };
    for (const Case& c : cases) EXPECT_EQ(Prepared(c.fen)->endgameType, c.expected) << c.fen;
}

}  // namespace
