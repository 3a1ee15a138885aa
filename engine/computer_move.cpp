// The computer's turn: the random first move, the tables the search is prepared with,
// the choice of search, the clock and the commit of the move found.
#include "engine/computer_turn.h"
#include "engine/search_common.h"
#include "engine/thinking_port.h"

typedef int32_t Worths[8][8];

// 1 if some history record before `ply` starts on (x, y), whatever piece it moved.
static int AnyMoveFrom(const Game& game, int x, int y) {
    for (int i = 0; i < game.ply; ++i) {
        if (game.history[i].fromX == x && game.history[i].fromY == y) return 1;
    }
    return 0;
}

static int HasPawnOnFile(const Game& game, int side, int file) {
    for (int r = 1; r <= 6; ++r) {
        const Square& sq = game.board[r][file];
        if (sq.kind == PiecePawn && sq.colour == side) return 1;
    }
    return 0;
}

static void SetFiles(Worths& table, int row, int firstFile, int lastFile, int value) {
    for (int c = firstFile; c <= lastFile; ++c) table[row][c] = value;
}

// The piece-square fill, square by square in the order a1, b1, ..., h8. After the ply
// 50 mark the opponent's pawn entry of each square is raised by 55 while the position
// counts less than half a pawn for it; that test reads the table as filled so far.
static void FillPieceSquares(Game& game, int me, int you) {
    Worths* mine = game.pieceSquareTable[me];
    Worths* yours = game.pieceSquareTable[you];
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            int whitePawn = game.pawnTable[r][c];
            int blackPawn = game.pawnTable[7 - r][c];
            int myPawn = me == ColourWhite ? whitePawn : blackPawn;
            int yourPawn = me == ColourWhite ? blackPawn : whitePawn;
            // White's entries are written before Black's; the opponent's pawn entry
            // is followed at once by its +55 test.
            for (int side = ColourWhite; side <= ColourBlack; ++side) {
                if (side == me) {
                    mine[PiecePawn][r][c] = -myPawn;
                    mine[PieceKnight][r][c] = -game.knightTable[r][c];
                    mine[PieceBishop][r][c] = -game.bishopTable[r][c];
                    mine[PieceKing][r][c] = -game.kingTable[r][c];
                } else {
                    yours[PiecePawn][r][c] = yourPawn;
                    if (game.ply > 50 && game.Evaluate() < 500) yours[PiecePawn][r][c] += 55;
                    yours[PieceKnight][r][c] = game.knightTable[r][c];
                    yours[PieceBishop][r][c] = game.bishopTable[r][c];
                    yours[PieceKing][r][c] = game.kingTable[r][c];
                }
            }
        }
    }
}

// Early phase: keeps the computer's king sheltered. No pawn bonus on the wing its king
// stands on, and while the king has never left its home square, the home-row squares
// of a wing count against it when that wing lacks pawns or is still blocked.
static void AddKingSafety(Game& game, int me) {
    Worths* mine = game.pieceSquareTable[me];
    for (int i = 0; i < 64; ++i) {
        const Square& sq = game.board[i / 8][i % 8];
        if (sq.kind == PieceKing && sq.colour == me) {
            game.kingX = i % 8;
            game.kingY = i / 8;
            break;
        }
    }
    for (int r = 0; r < 8; ++r) {
        if (game.kingX <= 2) SetFiles(mine[PiecePawn], r, 0, 2, 0);
        if (game.kingX >= 6) SetFiles(mine[PiecePawn], r, 5, 7, 0);
    }
    int home = me == ColourWhite ? 0 : 7;
    const Square& e = game.board[home][4];
    if (e.kind != PieceKing || e.colour != me || AnyMoveFrom(game, 4, home)) return;
    Worths& king = mine[PieceKing];
    if (!(HasPawnOnFile(game, me, 0) && HasPawnOnFile(game, me, 1) && HasPawnOnFile(game, me, 2)))
        SetFiles(king, home, 0, 2, 50);
    if (!(HasPawnOnFile(game, me, 6) && HasPawnOnFile(game, me, 7)))
        SetFiles(king, home, 6, 7, 50);
    const Square* row = game.board[home];
    if (row[1].kind != PieceNone || row[2].kind != PieceNone || row[3].kind != PieceNone)
        SetFiles(king, home, 0, 2, 50);
    if (row[5].kind != PieceNone || row[6].kind != PieceNone)
        SetFiles(king, home, 6, 7, 50);
}

// Both phases: a bishop should not block its centre pawns, and an undeveloped knight
// earns nothing on its home square.
static void AddDevelopment(Game& game, int me) {
    Worths* mine = game.pieceSquareTable[me];
    int home = me == ColourWhite ? 0 : 7;
    int pawnRow = me == ColourWhite ? 1 : 6;
    int bishopRow = me == ColourWhite ? 2 : 5;
    for (int file = 3; file <= 4; ++file) {
        const Square& sq = game.board[pawnRow][file];
        if (sq.kind == PiecePawn && sq.colour == me) mine[PieceBishop][bishopRow][file] = 10;
    }
    if (!AnyMoveFrom(game, 1, home)) mine[PieceKnight][home][1] = 0;
    if (!AnyMoveFrom(game, 6, home)) mine[PieceKnight][home][6] = 0;
}

// Bare-king endings the mating search knows: the opponent has its king alone and the
// computer a rook or queen, two bishops, or a bishop and a knight.
static int ClassifyEnding(const Game& game, int me, int you) {
    int count[2][7] = {};
    int lastBishopDark = 0;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const Square& sq = game.board[r][c];
            if (sq.kind == PieceNone) continue;
            ++count[sq.colour][sq.kind];
            if (sq.kind == PieceBishop) lastBishopDark = (r % 2) == (c % 2);
        }
    }
    const int* theirs = count[you];
    if (theirs[PiecePawn] + theirs[PieceKnight] + theirs[PieceBishop] + theirs[PieceRook] + theirs[PieceQueen] != 0)
        return EndgameNone;
    const int* ours = count[me];
    if (ours[PieceRook] + ours[PieceQueen] > 0) return EndgameQueenOrRook;
    if (ours[PieceBishop] == 2) return EndgameTwoBishops;
    if (ours[PieceBishop] > 0 && ours[PieceKnight] > 0)
        return lastBishopDark ? EndgameBishopKnightDark : EndgameBishopKnightLight;
    return EndgameNone;
}

void PrepareComputerSearch(Game& game) {
    int me = game.sideToMove;
    int you = 1 - me;
    game.opponentSide = you;
    int32_t* all = &game.pieceSquareTable[0][0][0][0];
    for (int i = 0; i < 2 * 7 * 64; ++i) all[i] = 0;

    int early = game.ply < 50;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            if (early) {
                game.kingTable[r][c] = game.kingMiddleTable[r][c];
                game.pawnTable[r][c] = game.pawnBaseTable[r][c];
            } else {
                game.pawnTable[r][c] = game.pawnBaseTable[r][c] + 2 * r;
                game.kingTable[r][c] = game.knightTable[r][c];
            }
        }
    }
    FillPieceSquares(game, me, you);
    if (early) AddKingSafety(game, me);
    AddDevelopment(game, me);
    game.endgameType = ClassifyEnding(game, me, you);

    if (!early) {
        // Late phase: both kings head for the pawns.
        int near[8][8];
        game.BuildPawnProximityMap(near);
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                game.pieceSquareTable[me][PieceKing][r][c] = -4 * near[r][c];
                game.pieceSquareTable[you][PieceKing][r][c] = 4 * near[r][c];
            }
        }
    }
    static const int kMaterial[7] = {0, 1000, 3000, 3000, 5000, 10000, 0};
    for (int kind = PiecePawn; kind <= PieceQueen; ++kind) {
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                game.pieceSquareTable[me][kind][r][c] -= kMaterial[kind];
                game.pieceSquareTable[you][kind][r][c] += kMaterial[kind];
            }
        }
    }
}

int RunComputerSearch(Game& game) {
    if (game.endgameType != EndgameNone) return game.MateSearchMove(2, 1, kNoReplyTried);
    return game.SearchMove(game.searchDepth, kNoReplyTried);
}

static void MarkMove(Game& game, const MoveListEntry& move) {
    game.board[move.fromY][move.fromX].mark = MarkFrom;
    game.board[move.toY][move.toX].mark = MarkTo;
}

static int FindMark(const Game& game, int mark, int* x, int* y) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            if (game.board[r][c].mark == mark) {
                *x = c;
                *y = r;
                return 1;
            }
        }
    }
    return 0;
}

// Plays the marked move the way a person's move is committed. Returns 0 when no move
// is marked (nothing is played).
static int CommitMarkedMove(Game& game) {
    int fromX, fromY, toX, toY;
    if (!FindMark(game, MarkFrom, &fromX, &fromY) || !FindMark(game, MarkTo, &toX, &toY)) return 0;
    game.ClearMarks(0);
    game.MakeMove(&game.history[game.ply], fromX, fromY, toX, toY, 0, PieceQueen);
    ++game.ply;
    game.ClearMarks(0);
    WindowRebuildMoveList(&game);
    if (!game.analyseMode) game.modified = 1;
    game.sideToMove = 1 - game.sideToMove;
    WindowInvalidateBoard();
    if (game.CheckGameOver(game.sideToMove, 1) == StatusPlaying && game.player[game.sideToMove].isComputer == 1)
        game.computerToMove = 1;
    return 1;
}

void Game::ComputerMove() {
    thinking = 1;
    computerToMove = 0;
    if (ply >= kMaxGamePly) {
        // The game is over at its record limit; there is no room for another move.
        thinking = 0;
        return;
    }

    if (ply == 0 && analyseMode == 0 && sideToMove == ColourWhite) {
        // First move of a game from the start position with White to move, so every
        // entry of the table is legal. A set-up or loaded position that hands the
        // first move to the computer is searched instead of given a table move.
        unsigned r = (unsigned)WindowRandom() % 7;
        MarkMove(*this, openingTable[r]);
        CommitMarkedMove(*this);
        if (WindowBeepEnabled()) WindowBeep();
        thinking = 0;
        return;
    }

    WindowSetWaitCursor(1);
    titleSuffix = "";
    WindowUpdateNow();
    bestMove.fromX = kNoMove;
    searchStartClock = player[sideToMove].clockSeconds;
    searchStartTicks = WindowTickCount();
    PrepareComputerSearch(*this);
    RunComputerSearch(*this);
    ChargeThinkingClock(*this);
    if (bestMove.fromX != kNoMove) MarkMove(*this, bestMove);
    WindowUpdateNow();
    if (WindowBeepEnabled() && CheckGameOver(sideToMove, 0) == StatusPlaying) WindowBeep();
    WindowSetWaitCursor(0);
    WindowRestoreTitle();
    WindowDropQueuedCommands();
    WindowFlashIfInactive();
    CommitMarkedMove(*this);
    thinking = 0;
}
