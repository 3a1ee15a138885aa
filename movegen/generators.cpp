// All legal moves of a side, the questions that stop early, and the 64 named
// per-square generators, each the shared generator of its square.
#include <stddef.h>
#include <string.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include "movegen/queries.h"
#include "movegen/square_generator.h"

namespace movegen {

namespace {

typedef uint64_t (*PinTest)(const Square (&b)[8][8], int side);

template <int... S>
constexpr std::array<PinTest, 64> BuildPinTests(std::integer_sequence<int, S...>) {
    return {{&PinnedPieces<S>...}};
}

const std::array<PinTest, 64> kPinTests = BuildPinTests(std::make_integer_sequence<int, 64>{});

}  // namespace

Context MakeContext(Game& game, MoveListEntry* out, int side) {
    Context c{game, out, side, ~uint64_t(0), nullptr, -1};
    if (game.kingX == -1) return c;  // the check test would look for the king itself
    const unsigned index = unsigned(game.kingX) + 8u * unsigned(game.kingY);
    if (index > 63) {
        c.testMask = 0;  // no square: the check test answers 0 to every trial
        return c;
    }
    c.kingTest = attacks::kAttackTests[index];
    c.kingAttacked = c.kingTest(game.board, side);
    if (!c.kingAttacked) c.testMask = kPinTests[index](game.board, side);
    return c;
}

}  // namespace movegen

namespace {

typedef void (*SquareGenerator)(movegen::Context& c);

void NoPiece(movegen::Context&) {}

// The generators by piece kind and square, for the pieces the generation already
// knows: one call without asking the square again. Kind 0 does nothing.
template <int K, int... S>
constexpr std::array<SquareGenerator, 64> BuildPieceGenerators(std::integer_sequence<int, S...>) {
    if constexpr (K == PieceNone) return {{((void)S, &NoPiece)...}};
    else return {{&movegen::GeneratePiece<S, K>...}};
}

const std::array<SquareGenerator, 64> kPieceGenerators[7] = {
    BuildPieceGenerators<PieceNone>(std::make_integer_sequence<int, 64>{}),
    BuildPieceGenerators<PiecePawn>(std::make_integer_sequence<int, 64>{}),
    BuildPieceGenerators<PieceKnight>(std::make_integer_sequence<int, 64>{}),
    BuildPieceGenerators<PieceBishop>(std::make_integer_sequence<int, 64>{}),
    BuildPieceGenerators<PieceRook>(std::make_integer_sequence<int, 64>{}),
    BuildPieceGenerators<PieceQueen>(std::make_integer_sequence<int, 64>{}),
    BuildPieceGenerators<PieceKing>(std::make_integer_sequence<int, 64>{}),
};

// The generator of square `sq`, which holds a piece of the side.
inline void GenerateOn(const Game& game, movegen::Context& c, int sq) {
    const unsigned kind = unsigned((&game.board[0][0])[sq].kind);
    if (kind <= PieceKing) kPieceGenerators[kind][sq](c);
}

static_assert(offsetof(Square, kind) == 0 && offsetof(Square, colour) == 4 &&
                  __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "a square's kind and colour are read as one 64-bit word");

// A square's kind in the low and its colour in the high half of one word.
inline uint64_t KindAndColour(const Square& q) {
    uint64_t word;
    memcpy(&word, &q, sizeof word);
    return word;
}

// One square of the pass over the board: its bit in `pieces` when it holds a piece of
// the side, and in `kings` when that piece is a king. With the side's colour taken out
// of its high half, the word of a piece of the side is its nonzero kind: it lies in
// 1 .. 2^32 - 1 exactly then, and is 6 for a king.
template <int S>
inline void FindOn(const Square (&b)[8][8], uint64_t sideWord, uint64_t& pieces, uint64_t& kings) {
    const uint64_t word = KindAndColour(b[S / 8][S % 8]) ^ sideWord;
    pieces |= uint64_t(word - 1 < 0xFFFFFFFFull) << S;
    kings |= uint64_t(word == PieceKing) << S;
}

// One pass over the board without a branch: the side's pieces and kings as bits.
#if defined(__SSE2__)
// Four squares at a time: their kinds and colours side by side in two registers.
template <int Q>
inline void FindOnFour(const Square* squares, __m128i side, uint64_t& pieces, uint64_t& kings) {
    const Square* q = squares + 4 * Q;
    // Each square's first eight bytes: its kind and its colour.
    const __m128 s01 = _mm_castsi128_ps(_mm_unpacklo_epi64(_mm_loadl_epi64((const __m128i*)&q[0]),
                                                           _mm_loadl_epi64((const __m128i*)&q[1])));
    const __m128 s23 = _mm_castsi128_ps(_mm_unpacklo_epi64(_mm_loadl_epi64((const __m128i*)&q[2]),
                                                           _mm_loadl_epi64((const __m128i*)&q[3])));
    const __m128i kinds = _mm_castps_si128(_mm_shuffle_ps(s01, s23, _MM_SHUFFLE(2, 0, 2, 0)));
    const __m128i colours = _mm_castps_si128(_mm_shuffle_ps(s01, s23, _MM_SHUFFLE(3, 1, 3, 1)));
    const __m128i own = _mm_cmpeq_epi32(colours, side);
    const __m128i occupied = _mm_andnot_si128(_mm_cmpeq_epi32(kinds, _mm_setzero_si128()), own);
    const __m128i king = _mm_and_si128(_mm_cmpeq_epi32(kinds, _mm_set1_epi32(PieceKing)), own);
    pieces |= uint64_t(_mm_movemask_ps(_mm_castsi128_ps(occupied))) << (4 * Q);
    kings |= uint64_t(_mm_movemask_ps(_mm_castsi128_ps(king))) << (4 * Q);
}

template <int... Q>
inline void FindPieces(const Square (&b)[8][8], int side, uint64_t& pieces, uint64_t& kings,
                       std::integer_sequence<int, Q...>) {
    const __m128i sides = _mm_set1_epi32(side);
    pieces = kings = 0;
    (FindOnFour<Q>(&b[0][0], sides, pieces, kings), ...);
}

const auto kFindSequence = std::make_integer_sequence<int, 16>{};
#else
template <int... S>
inline void FindPieces(const Square (&b)[8][8], int side, uint64_t& pieces, uint64_t& kings,
                       std::integer_sequence<int, S...>) {
    const uint64_t sideWord = uint64_t(uint32_t(side)) << 32;
    pieces = kings = 0;
    (FindOn<S>(b, sideWord, pieces, kings), ...);
}

const auto kFindSequence = std::make_integer_sequence<int, 64>{};
#endif

// The side's pieces as bits, with kingX and kingY set to the king finder's answer: the
// side's king of lowest index, if any.
uint64_t FindSidePieces(Game& game, int side) {
    uint64_t pieces, kings;
    FindPieces(game.board, side, pieces, kings, kFindSequence);
    if (kings) {
        const int king = __builtin_ctzll(kings);
        game.kingX = king % 8;
        game.kingY = king / 8;
    }
    return pieces;
}

}  // namespace

void Game::GenerateLegalMoves(MoveListEntry* out, int side) {
    uint64_t pieces = FindSidePieces(*this, side);
    moveCount = 0;
    movegen::Context c = movegen::MakeContext(*this, out, side);
    // The generators of the squares without a piece of the side do nothing; the others
    // run in square order.
    for (; pieces; pieces &= pieces - 1) GenerateOn(*this, c, __builtin_ctzll(pieces));
}

#define VARNO_SQUARE_GENERATOR(name, index)                                    \
    void Game::GenerateFrom##name(MoveListEntry* out, int* side) {             \
        movegen::Context c = movegen::MakeContext(*this, out, *side);          \
        movegen::GenerateSquare<index>(c);                                     \
    }

VARNO_SQUARE_GENERATOR(A1, 0) VARNO_SQUARE_GENERATOR(B1, 1) VARNO_SQUARE_GENERATOR(C1, 2)
VARNO_SQUARE_GENERATOR(D1, 3) VARNO_SQUARE_GENERATOR(E1, 4) VARNO_SQUARE_GENERATOR(F1, 5)
VARNO_SQUARE_GENERATOR(G1, 6) VARNO_SQUARE_GENERATOR(H1, 7) VARNO_SQUARE_GENERATOR(A2, 8)
VARNO_SQUARE_GENERATOR(B2, 9) VARNO_SQUARE_GENERATOR(C2, 10) VARNO_SQUARE_GENERATOR(D2, 11)
VARNO_SQUARE_GENERATOR(E2, 12) VARNO_SQUARE_GENERATOR(F2, 13) VARNO_SQUARE_GENERATOR(G2, 14)
VARNO_SQUARE_GENERATOR(H2, 15) VARNO_SQUARE_GENERATOR(A3, 16) VARNO_SQUARE_GENERATOR(B3, 17)
VARNO_SQUARE_GENERATOR(C3, 18) VARNO_SQUARE_GENERATOR(D3, 19) VARNO_SQUARE_GENERATOR(E3, 20)
VARNO_SQUARE_GENERATOR(F3, 21) VARNO_SQUARE_GENERATOR(G3, 22) VARNO_SQUARE_GENERATOR(H3, 23)
VARNO_SQUARE_GENERATOR(A4, 24) VARNO_SQUARE_GENERATOR(B4, 25) VARNO_SQUARE_GENERATOR(C4, 26)
VARNO_SQUARE_GENERATOR(D4, 27) VARNO_SQUARE_GENERATOR(E4, 28) VARNO_SQUARE_GENERATOR(F4, 29)
VARNO_SQUARE_GENERATOR(G4, 30) VARNO_SQUARE_GENERATOR(H4, 31) VARNO_SQUARE_GENERATOR(A5, 32)
VARNO_SQUARE_GENERATOR(B5, 33) VARNO_SQUARE_GENERATOR(C5, 34) VARNO_SQUARE_GENERATOR(D5, 35)
VARNO_SQUARE_GENERATOR(E5, 36) VARNO_SQUARE_GENERATOR(F5, 37) VARNO_SQUARE_GENERATOR(G5, 38)
VARNO_SQUARE_GENERATOR(H5, 39) VARNO_SQUARE_GENERATOR(A6, 40) VARNO_SQUARE_GENERATOR(B6, 41)
VARNO_SQUARE_GENERATOR(C6, 42) VARNO_SQUARE_GENERATOR(D6, 43) VARNO_SQUARE_GENERATOR(E6, 44)
VARNO_SQUARE_GENERATOR(F6, 45) VARNO_SQUARE_GENERATOR(G6, 46) VARNO_SQUARE_GENERATOR(H6, 47)
VARNO_SQUARE_GENERATOR(A7, 48) VARNO_SQUARE_GENERATOR(B7, 49) VARNO_SQUARE_GENERATOR(C7, 50)
VARNO_SQUARE_GENERATOR(D7, 51) VARNO_SQUARE_GENERATOR(E7, 52) VARNO_SQUARE_GENERATOR(F7, 53)
VARNO_SQUARE_GENERATOR(G7, 54) VARNO_SQUARE_GENERATOR(H7, 55) VARNO_SQUARE_GENERATOR(A8, 56)
VARNO_SQUARE_GENERATOR(B8, 57) VARNO_SQUARE_GENERATOR(C8, 58) VARNO_SQUARE_GENERATOR(D8, 59)
VARNO_SQUARE_GENERATOR(E8, 60) VARNO_SQUARE_GENERATOR(F8, 61) VARNO_SQUARE_GENERATOR(G8, 62)
VARNO_SQUARE_GENERATOR(H8, 63)

#undef VARNO_SQUARE_GENERATOR

namespace {

// The side's pieces that might move onto square T: those a knight jump, a king step or
// a pawn capture away, and the first piece on each line from T. A superset: each is
// then asked for its legal moves.
uint64_t PiecesReaching(const Square (&b)[8][8], int side, int T) {
    static const int kLineDX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    static const int kLineDY[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static const int kJumpDX[8] = {1, 2, 2, 1, -1, -2, -2, -1};
    static const int kJumpDY[8] = {2, 1, -1, -2, -2, -1, 1, 2};
    const int tx = T % 8, ty = T / 8;
    uint64_t found = 0;
    auto own = [&](int x, int y) {
        return x >= 0 && x < 8 && y >= 0 && y < 8 && b[y][x].kind != PieceNone && b[y][x].colour == side;
    };
    for (int d = 0; d < 8; ++d) {
        if (own(tx + kJumpDX[d], ty + kJumpDY[d])) found |= uint64_t(1) << (tx + kJumpDX[d] + 8 * (ty + kJumpDY[d]));
        int x = tx + kLineDX[d], y = ty + kLineDY[d];
        while (x >= 0 && x < 8 && y >= 0 && y < 8 && b[y][x].kind == PieceNone) {
            x += kLineDX[d];
            y += kLineDY[d];
        }
        if (own(x, y)) found |= uint64_t(1) << (x + 8 * y);
    }
    return found;
}

}  // namespace

int HasLegalMoveOnto(Game& game, int side, int x, int y) {
    const uint64_t pieces = FindSidePieces(game, side);
    const int target = x + 8 * y;
    MoveListEntry list[kMoveListSize];
    game.moveCount = 0;
    movegen::Context c = movegen::MakeContext(game, list, side);
    for (uint64_t near = PiecesReaching(game.board, side, target) & pieces; near; near &= near - 1) {
        const int first = game.moveCount;
        GenerateOn(game, c, __builtin_ctzll(near));
        for (int i = first; i < game.moveCount; ++i)
            if (list[i].toX == x && list[i].toY == y) return 1;
    }
    return 0;
}

int HasLegalMove(Game& game, int side) {
    uint64_t pieces = FindSidePieces(game, side);
    MoveListEntry list[kMoveListSize];
    game.moveCount = 0;
    movegen::Context c = movegen::MakeContext(game, list, side);
    for (; pieces && game.moveCount == 0; pieces &= pieces - 1) GenerateOn(game, c, __builtin_ctzll(pieces));
    return game.moveCount > 0;
}

int GenerateInSteps(Game& game, MoveListEntry* list, int side, int (*visit)(void* context, int first, int count),
                    void* context) {
    uint64_t pieces = FindSidePieces(game, side);
    game.moveCount = 0;
    movegen::Context c = movegen::MakeContext(game, list, side);
    for (int stop = 0; pieces && !stop; pieces &= pieces - 1) {
        const int first = game.moveCount;
        GenerateOn(game, c, __builtin_ctzll(pieces));
        if (game.moveCount > first) stop = visit(context, first, game.moveCount);
    }
    return game.moveCount;
}
