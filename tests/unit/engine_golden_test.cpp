// Golden moves: the move and value the computer chooses at each level in a fixed set
// of positions. Guards the exact orders of the search (the exchange sort, strict
// comparisons at the root, generation order on ties) against regressions; the values
// were taken from the implementation after checking it against the rules it follows.
#include <string.h>
#include "unit/engine_test_support.h"

namespace {

// Endings cheap enough for the deepest level; with the endings and bare-king endings
// of kEnginePositions they make the level-3 set.
const EnginePosition kDeepEndings[] = {
    {"end-king-pawn-alone", "8/8/8/8/5k2/8/4P3/4K3 w - - 0 1", ""},
    {"end-rook-castling-right", "4k3/8/8/8/8/8/8/4K2R w K - 0 1", ""},
    {"end-knight-black-bare", "8/8/3k4/8/2N5/8/3K4/8 b - - 0 1", ""},
    {"end-bishop-pawn", "8/6pk/8/8/8/8/1B4PK/8 w - - 0 1", ""},
    {"end-rook-knight", "8/8/8/4k3/8/2n5/8/R3K3 w - - 0 1", ""},
    {"end-rook-queen", "6k1/6p1/8/8/8/8/1q6/3R2K1 w - - 0 1", ""},
    {"end-pawns-corner", "8/p7/1p6/8/8/1P6/P7/k1K5 w - - 0 1", ""},
    {"end-pawn-b6", "2k5/8/1PK5/8/8/8/8/8 w - - 0 1", ""},
    {"end-pawn-e6", "5k2/5p2/4P3/8/8/8/8/5K2 w - - 0 1", ""},
    {"end-rooks", "r7/8/8/8/8/8/5k2/R6K w - - 0 1", ""},
};

// The move and value chosen at levels 1, 2 and 3; an empty move: that level is not run.
struct Golden {
    const char* name;
    struct { const char* move; int value; } level[3];
};

const Golden kGolden[] = {
    {"open-e4", {{"e7e5", 7}, {"d7d5", 10}, {}}},
    {"open-e4e5-nf3", {{"f7f6", 11}, {"g8f6", 12}, {}}},
    {"open-sicilian", {{"e7e5", 19}, {"c8d7", 22}, {}}},
    {"open-castling", {{"d2d3", 15}, {"f3g5", 6}, {}}},
    {"mid-kiwipete", {{"e2a6", -9}, {"e2a6", 19}, {}}},
    {"mid-opposite-castling", {{"e6e5", 12}, {"d7c5", 13}, {}}},
    {"mid-hanging-pawns", {{"c4d5", 1002}, {"c4d5", -2}, {}}},
    {"mid-mate-in-one", {{"h5f7", -999991}, {"h5f7", -999992}, {}}},
    {"mid-en-passant", {{"d2d4", 5}, {"g1e2", 4}, {}}},
    {"end-rook-pawns", {{"b4c4", 30}, {"b4f4", 25}, {"b4f4", 15}}},
    {"end-king-pawn", {{"e3f2", 0}, {"e3f2", 0}, {"e3f2", 0}}},
    {"end-back-rank", {{"d1d8", -999991}, {"d1d8", -999992}, {"d1d8", -999993}}},
    {"end-rook-black", {{"g7g8", 7}, {"g7g8", 7}, {"g7g8", 7}}},
    {"end-pawn-race", {{"f4g3", 5}, {"f4g3", 0}, {"f4f3", 0}}},
    {"end-promotion", {{"d7d8", -9990}, {"e1f1", -10010}, {"d7d8", -10020}}},
    {"bare-queen", {{"d1h5", -10004}, {"d1h5", -10004}, {"d1h5", -10004}}},
    {"bare-rook", {{"a1a5", -5000}, {"a1a5", -5000}, {"a1a5", -5000}}},
    {"bare-bishop-knight", {{"e1d2", -5991}, {"e1d2", -5991}, {"e1d2", -5991}}},
    {"bare-two-bishops", {{"c1b2", -6005}, {"c1b2", -6005}, {"c1b2", -6005}}},
    {"bare-rook-black", {{"a1a5", -5000}, {"a1a5", -5000}, {"a1a5", -5000}}},
    {"end-king-pawn-alone", {{}, {}, {"e1f1", -985}}}, {"end-rook-castling-right", {{}, {}, {"h1h7", -5017}}},
    {"end-knight-black-bare", {{}, {}, {"d6c7", 3008}}}, {"end-bishop-pawn", {{}, {}, {"h2h1", -3004}}},
    {"end-rook-knight", {{}, {}, {"a1a6", -2005}}}, {"end-rook-queen", {{}, {}, {"d1d8", 5982}}},
    {"end-pawns-corner", {{}, {}, {"a2a4", 23}}}, {"end-pawn-b6", {{}, {}, {"c6b5", -965}}},
    {"end-pawn-e6", {{}, {}, {"e6f7", 0}}}, {"end-rooks", {{}, {}, {"a1a8", -5015}}},
};

const EnginePosition* FindPosition(const char* name) {
    for (int i = 0; i < kEnginePositionCount; ++i)
        if (strcmp(kEnginePositions[i].name, name) == 0) return &kEnginePositions[i];
    for (const EnginePosition& p : kDeepEndings)
        if (strcmp(p.name, name) == 0) return &p;
    return nullptr;
}

void CheckLevel(int level) {
    int checked = 0;
    for (const Golden& g : kGolden) {
        if (!g.level[level - 1].move) continue;
        const EnginePosition* p = FindPosition(g.name);
        ASSERT_NE(p, nullptr) << g.name;
        std::unique_ptr<Game> game = EngineGame(p->position, p->moves, level);
        ThinkResult r = ThinkOnce(*game, level);
        EXPECT_EQ(Text(r.move), g.level[level - 1].move) << g.name << " level " << level;
        EXPECT_EQ(r.value, g.level[level - 1].value) << g.name << " level " << level;
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

TEST(EngineGolden, Level1) { CheckLevel(1); }
TEST(EngineGolden, Level2) { CheckLevel(2); }
TEST(EngineGolden, Level3) { CheckLevel(3); }

}  // namespace
