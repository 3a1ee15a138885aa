// The per-square legal-move generator as one template over the square index. Every
// candidate is decided the same way: the move is put on the board, the mover's king
// square is tested for attack, and the move is taken back; the candidates of each
// square and their order are fixed at compile time from the square alone.
#pragma once

#include <stddef.h>
#include <string.h>
#include "core/attacks.h"
#include "core/castling.h"
#include "core/game.h"
#include "core/square_lists.h"

namespace movegen {

using squares::At;

// What one generation shares between its square generators.
struct Context {
    Game& game;
    MoveListEntry* out;
    int side;
    // From-squares whose trial moves must run the check test. While the stored king
    // square is not attacked, a move can expose it only by emptying the one square
    // between it and an enemy rook, bishop or queen on a line (the mover lands on an
    // own-coloured square, which only shields); every other trial's test answers 0.
    uint64_t testMask;
    // The attack test of the stored king square, or null to ask Game::IsInCheck.
    attacks::AttackTest kingTest;
    // Whether that square was attacked when the generation began (-1 unknown).
    int kingAttacked;
};

// The own pieces that stand alone between square K and an enemy slider on one of K's
// lines: the only from-squares whose moves can open a line onto K.
template <int K, int DX, int DY, int J>
inline bool PinStep(const Square (&b)[8][8], int side, int& first, uint64_t& pinned) {
    constexpr int T = squares::Step(K, DX, DY, J);
    constexpr bool kDiagonal = DX != 0 && DY != 0;
    const Square& q = b[T / 8][T % 8];
    if (q.kind == PieceNone) return false;
    if (first < 0) {
        if (q.colour != side) return true;
        first = T;
        return false;
    }
    if (q.colour != side &&
        (q.kind == PieceQueen || q.kind == (kDiagonal ? PieceBishop : PieceRook)))
        pinned |= uint64_t(1) << first;
    return true;
}

template <int K, int DX, int DY, int... J>
inline void PinsOnRay([[maybe_unused]] const Square (&b)[8][8], [[maybe_unused]] int side,
                      [[maybe_unused]] uint64_t& pinned, std::integer_sequence<int, J...>) {
    [[maybe_unused]] int first = -1;
    (void)(PinStep<K, DX, DY, J + 1>(b, side, first, pinned) || ...);
}

template <int K>
uint64_t PinnedPieces(const Square (&b)[8][8], int side) {
    uint64_t pinned = 0;
    PinsOnRay<K, 0, 1>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, 0, 1)>{});
    PinsOnRay<K, 0, -1>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, 0, -1)>{});
    PinsOnRay<K, 1, 0>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, 1, 0)>{});
    PinsOnRay<K, -1, 0>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, -1, 0)>{});
    PinsOnRay<K, 1, 1>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, 1, 1)>{});
    PinsOnRay<K, 1, -1>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, 1, -1)>{});
    PinsOnRay<K, -1, 1>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, -1, 1)>{});
    PinsOnRay<K, -1, -1>(b, side, pinned, std::make_integer_sequence<int, squares::RayLength(K, -1, -1)>{});
    return pinned;
}

// Sets up the context for a generation for `side` once kingX/kingY are stored.
Context MakeContext(Game& game, MoveListEntry* out, int side);

inline int StoredKingAttacked(Context& c) {
    return c.kingTest ? c.kingTest(c.game.board, c.side)
                      : c.game.IsInCheck(c.side, c.game.kingX, c.game.kingY);
}

// Appends one entry; a full list takes no more (every list has kMoveListSize slots).
inline void Append(Context& c, int from, int to) {
    Game& g = c.game;
    if (g.moveCount >= kMoveListSize) return;
    MoveListEntry& e = c.out[g.moveCount++];
    e.fromX = int8_t(from % 8);
    e.fromY = int8_t(from / 8);
    e.toX = int8_t(to % 8);
    e.toY = int8_t(to / 8);
}

// A square's kind and colour read as one word (kind in the low half), with `side`
// taken out of the colour: a piece of the side leaves its kind alone, so the word lies
// in 1 .. 2^32 - 1 exactly then. One load and one test instead of two of each.
inline uint64_t OwnWord(const Square& q, int side) {
    static_assert(offsetof(Square, kind) == 0 && offsetof(Square, colour) == 4 &&
                      __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
                  "a square's kind and colour are read as one 64-bit word");
    uint64_t word;
    memcpy(&word, &q, sizeof word);
    return word ^ (uint64_t(uint32_t(side)) << 32);
}

inline bool HoldsOwnPiece(const Square& q, int side) { return OwnWord(q, side) - 1 < 0xFFFFFFFFull; }
inline bool HoldsEnemyPiece(const Square& q, int side) { return q.kind != PieceNone && q.colour != side; }

// The trial of one move: the mover goes from s onto t (keeping its kind, in the side's
// colour), `attacked` is asked with the move on the board, and the move is taken back.
// The target's former contents stay in savedTargetKind/savedTargetColour.
template <typename Test>
inline int Trial(Game& g, Square& s, Square& t, int side, Test attacked) {
    const int targetKind = t.kind, targetColour = t.colour;
    g.savedTargetKind = targetKind;
    g.savedTargetColour = targetColour;
    t.kind = s.kind;
    t.colour = side;
    s.kind = PieceNone;
    const int answer = attacked();
    s.kind = t.kind;
    t.kind = targetKind;
    t.colour = targetColour;
    return answer;
}

// A move by any piece but the king from S to T (T not holding an own piece), tested on
// the stored king square unless that test is known to answer 0.
template <int S, int T>
inline void TryMove(Context& c, bool test) {
    Game& g = c.game;
    Square& t = At(g.board, T);
    if (!test) {
        g.savedTargetKind = t.kind;
        g.savedTargetColour = t.colour;
    } else if (Trial(g, At(g.board, S), t, c.side, [&c] { return StoredKingAttacked(c); })) {
        return;
    }
    Append(c, S, T);
}

// A king's step from S to T, tested on T itself with S emptied.
template <int S, int T>
inline void TryKingStep(Context& c) {
    Game& g = c.game;
    Square& t = At(g.board, T);
    if (HoldsOwnPiece(t, c.side)) return;
    if (!Trial(g, At(g.board, S), t, c.side, [&g, &c] { return attacks::SquareAttacked<T>(g.board, c.side); }))
        Append(c, S, T);
}

template <int S, int T>
inline void TryJump(Context& c, bool test) {
    if (!HoldsOwnPiece(At(c.game.board, T), c.side)) TryMove<S, T>(c, test);
}

// One square of a ray; true when the ray ends there (own piece, or after a capture).
template <int S, int DX, int DY, int K>
inline bool TryRaySquare(Context& c, bool test) {
    constexpr int T = squares::Step(S, DX, DY, K);
    if (HoldsOwnPiece(At(c.game.board, T), c.side)) return true;
    TryMove<S, T>(c, test);
    return c.game.savedTargetKind != PieceNone;
}

template <int S, int DX, int DY, int... K>
inline void WalkRay([[maybe_unused]] Context& c, [[maybe_unused]] bool test, std::integer_sequence<int, K...>) {
    (void)(TryRaySquare<S, DX, DY, K + 1>(c, test) || ...);
}

template <int S, int DX, int DY>
inline void Ray(Context& c, bool test) {
    WalkRay<S, DX, DY>(c, test, std::make_integer_sequence<int, squares::RayLength(S, DX, DY)>{});
}

template <int S>
inline void RookRays(Context& c, bool test) {
    Ray<S, 0, 1>(c, test);
    Ray<S, 0, -1>(c, test);
    Ray<S, 1, 0>(c, test);
    Ray<S, -1, 0>(c, test);
}

template <int S>
inline void BishopRays(Context& c, bool test) {
    Ray<S, 1, 1>(c, test);
    Ray<S, 1, -1>(c, test);
    Ray<S, -1, 1>(c, test);
    Ray<S, -1, -1>(c, test);
}

template <int S, int... I>
inline void KnightJumps([[maybe_unused]] Context& c, [[maybe_unused]] bool test, std::integer_sequence<int, I...>) {
    (TryJump<S, squares::kKnightTargets<S>.sq[I]>(c, test), ...);
}

template <int S, int... I>
inline void KingSteps([[maybe_unused]] Context& c, std::integer_sequence<int, I...>) {
    (TryKingStep<S, squares::kKingTargets<S>.sq[I]>(c), ...);
}

// Castling of the king on e1 (Row 0, White) or e8 (Row 7, Black): refused when the king
// stands in check, or for a wing whose right the history took away (a record left the
// king's square, or left or reached that rook's corner). The king is stood on each
// square it crosses, and the move itself is tried last.
template <int Row>
struct Castling {
    static constexpr int kKing = 4 + 8 * Row;
    static constexpr int kColour = Row == 0 ? ColourWhite : ColourBlack;

    // Stands the king on P with its own square emptied; 1 when P is not attacked.
    template <int P>
    static bool PathSafe(Context& c) {
        Game& g = c.game;
        Square& p = At(g.board, P);
        Square& king = At(g.board, kKing);
        const int savedColour = p.colour;
        p.colour = kColour;
        p.kind = PieceKing;
        king.kind = PieceNone;
        g.castleTestX = P % 8;
        const int attacked = g.IsInCheck(c.side, g.castleTestX, g.castleTestY);
        p.kind = PieceNone;
        p.colour = savedColour;
        king.kind = PieceKing;
        return !attacked;
    }

    template <int T>
    static void TryCastle(Context& c) {
        Game& g = c.game;
        // With the stored king square on the king's own square this repeats the test
        // that let castling begin: the king on T only shields, so the answer is 0.
        auto attacked = [&g, &c] { return IsStoredKingSquare(c) ? 0 : g.IsInCheck(c.side, g.kingX, g.kingY); };
        if (!Trial(g, At(g.board, kKing), At(g.board, T), c.side, attacked)) Append(c, kKing, T);
    }

    static bool IsStoredKingSquare(const Context& c) { return c.game.kingX == 4 && c.game.kingY == Row; }

    static void Generate(Context& c) {
        Game& g = c.game;
        g.castleTestX = 4;
        g.castleTestY = Row;
        if (At(g.board, kKing).colour != kColour) return;
        // The board is asked first: without a rook in a corner and the squares between
        // empty neither side can castle, and the check test and the records are not
        // needed (their answers change nothing then).
        const Square* row = g.board[Row];
        const bool kingSide = row[7].kind == PieceRook && row[5].kind == PieceNone && row[6].kind == PieceNone;
        const bool queenSide = row[0].kind == PieceRook && row[1].kind == PieceNone && row[2].kind == PieceNone &&
                               row[3].kind == PieceNone;
        if (!kingSide && !queenSide) return;
        const int inCheck = IsStoredKingSquare(c) && c.kingAttacked >= 0
                                ? c.kingAttacked
                                : g.IsInCheck(c.side, g.castleTestX, g.castleTestY);
        if (inCheck) return;

        constexpr int kShort = ShortCastlingOfRow(Row), kLong = LongCastlingOfRow(Row);
        const int taken = CastlingRightsTakenOnRow<Row>(g.history, g.ply < kHistorySize ? g.ply : kHistorySize);
        if ((taken & (kShort | kLong)) == (kShort | kLong)) return;
        const bool kingRookGone = taken & kShort, queenRookGone = taken & kLong;

        if (kingSide && !kingRookGone && PathSafe<kKing + 1>(c) && PathSafe<kKing + 2>(c)) TryCastle<kKing + 2>(c);
        if (queenSide && !queenRookGone && PathSafe<kKing - 2>(c) && PathSafe<kKing - 1>(c)) TryCastle<kKing - 2>(c);
    }
};

// En passant by the pawn on S onto file N, allowed right after the other side's double
// step on file N. The board must agree: while an earlier position of the game is shown
// the last record may belong to another position, and an entry onto an occupied square
// would capture whatever stands there. Its entry is written before the test; the trial
// empties the pawn's square and the passed pawn's square, and every field it changes
// is put back.
template <int S, int N, bool White>
inline void TryEnPassant(Context& c) {
    Game& g = c.game;
    if (g.ply <= 0 || g.ply > kHistorySize) return;
    const MoveRecord& r = g.history[g.ply - 1];
    if (r.kind != PiecePawn || r.fromX != N || r.fromY != (White ? 6 : 1) || r.toY != (White ? 4 : 3)) return;
    constexpr int kTarget = N + 8 * (White ? 5 : 2);
    constexpr int kPassed = N + 8 * (White ? 4 : 3);
    const Square& passedPawn = At(g.board, kPassed);
    if (At(g.board, kTarget).kind != PieceNone || passedPawn.kind != PiecePawn || passedPawn.colour == c.side) return;
    if (g.moveCount < kMoveListSize) {
        MoveListEntry& e = c.out[g.moveCount];
        e.fromX = int8_t(S % 8);
        e.fromY = int8_t(S / 8);
        e.toX = int8_t(N);
        e.toY = int8_t(kTarget / 8);
    }
    Square& s = At(g.board, S);
    Square& t = At(g.board, kTarget);
    Square& passed = At(g.board, kPassed);
    const Square savedTarget = t, savedPassed = passed;
    const int savedKind = s.kind;
    t.kind = PiecePawn;
    t.colour = White ? ColourWhite : ColourBlack;
    s.kind = PieceNone;
    passed.kind = PieceNone;
    const int attacked = StoredKingAttacked(c);
    s.kind = savedKind;
    t.kind = savedTarget.kind;
    t.colour = savedTarget.colour;
    passed.kind = savedPassed.kind;
    passed.colour = savedPassed.colour;
    if (!attacked && g.moveCount < kMoveListSize) ++g.moveCount;
}

// White pawn on S (rows 1 to 6): step, the double step from row 1, the captures (from
// row 1 towards the h-file first, elsewhere towards the a-file first), and en passant
// from row 4 towards the h-file first.
template <int S>
inline void WhitePawn(Context& c, bool test) {
    constexpr int x = S % 8, y = S / 8;
    Square(&b)[8][8] = c.game.board;
    if (At(b, S + 8).kind == PieceNone) TryMove<S, S + 8>(c, test);
    if constexpr (y == 1) {
        if (At(b, S + 8).kind == PieceNone && At(b, S + 16).kind == PieceNone) TryMove<S, S + 16>(c, test);
        if constexpr (x < 7) if (HoldsEnemyPiece(At(b, S + 9), c.side)) TryMove<S, S + 9>(c, test);
        if constexpr (x > 0) if (HoldsEnemyPiece(At(b, S + 7), c.side)) TryMove<S, S + 7>(c, test);
    } else {
        if constexpr (x > 0) if (HoldsEnemyPiece(At(b, S + 7), c.side)) TryMove<S, S + 7>(c, test);
        if constexpr (x < 7) if (HoldsEnemyPiece(At(b, S + 9), c.side)) TryMove<S, S + 9>(c, test);
    }
    if constexpr (y == 4) {
        if constexpr (x < 7) TryEnPassant<S, x + 1, true>(c);
        if constexpr (x > 0) TryEnPassant<S, x - 1, true>(c);
    }
}

// Black pawn on S (rows 1 to 6): step, captures towards the h-file first, en passant
// from row 3, and the double step from row 6 last.
template <int S>
inline void BlackPawn(Context& c, bool test) {
    constexpr int x = S % 8, y = S / 8;
    Square(&b)[8][8] = c.game.board;
    if (At(b, S - 8).kind == PieceNone) TryMove<S, S - 8>(c, test);
    if constexpr (x < 7) if (HoldsEnemyPiece(At(b, S - 7), c.side)) TryMove<S, S - 7>(c, test);
    if constexpr (x > 0) if (HoldsEnemyPiece(At(b, S - 9), c.side)) TryMove<S, S - 9>(c, test);
    if constexpr (y == 3) {
        if constexpr (x < 7) TryEnPassant<S, x + 1, false>(c);
        if constexpr (x > 0) TryEnPassant<S, x - 1, false>(c);
    }
    if constexpr (y == 6) {
        if (At(b, S - 8).kind == PieceNone && At(b, S - 16).kind == PieceNone) TryMove<S, S - 16>(c, test);
    }
}

// The legal moves of a piece of kind K (1 to 6) and of c.side on square S.
template <int S, int K>
void GeneratePiece(Context& c) {
    constexpr int y = S / 8;
    const bool test = (c.testMask >> S) & 1;
    if constexpr (K == PiecePawn && y > 0 && y < 7) {
        if (c.side == ColourWhite) WhitePawn<S>(c, test);
        else BlackPawn<S>(c, test);
    } else if constexpr (K == PieceKnight) {
        KnightJumps<S>(c, test, std::make_integer_sequence<int, squares::kKnightTargets<S>.count>{});
    } else if constexpr (K == PieceBishop) {
        BishopRays<S>(c, test);
    } else if constexpr (K == PieceRook) {
        RookRays<S>(c, test);
    } else if constexpr (K == PieceQueen) {
        RookRays<S>(c, test);
        BishopRays<S>(c, test);
    } else if constexpr (K == PieceKing) {
        KingSteps<S>(c, std::make_integer_sequence<int, squares::kKingTargets<S>.count>{});
        if constexpr (S == 4) Castling<0>::Generate(c);
        if constexpr (S == 60) Castling<7>::Generate(c);
    }
}

// The generator of square S: the legal moves of a piece of c.side standing there.
template <int S>
void GenerateSquare(Context& c) {
    const Square& s = At(c.game.board, S);
    if (s.kind == PieceNone || s.colour != c.side) return;
    switch (s.kind) {
        case PiecePawn: return GeneratePiece<S, PiecePawn>(c);
        case PieceKnight: return GeneratePiece<S, PieceKnight>(c);
        case PieceBishop: return GeneratePiece<S, PieceBishop>(c);
        case PieceRook: return GeneratePiece<S, PieceRook>(c);
        case PieceQueen: return GeneratePiece<S, PieceQueen>(c);
        case PieceKing: return GeneratePiece<S, PieceKing>(c);
        default: return;
    }
}

}  // namespace movegen
