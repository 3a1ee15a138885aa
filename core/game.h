// The game object: board, history, players, flags, begin position and the computer
// player's tables, with every operation that works on them.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include "core/string.h"
#include "core/window_port.h"

enum PieceKind { PieceNone = 0, PiecePawn = 1, PieceKnight = 2, PieceBishop = 3, PieceRook = 4, PieceQueen = 5, PieceKing = 6 };
enum Colour { ColourWhite = 0, ColourBlack = 1 };
enum SquareMark { MarkNone = 0, MarkFrom = 1, MarkTo = 2, MarkRejected = 3 };
enum MoveSpecial { SpecialNone = 0, SpecialEnPassant = 1, SpecialCastling = 4 };
enum ResetMode { ResetEmpty = 0, ResetStartPosition = 1 };
enum GameStatus { StatusPlaying = 0, StatusStalemate = 1, StatusCheckmate = 2, StatusDraw = 3 };
enum EndgameType { EndgameNone = 0, EndgameQueenOrRook = 1, EndgameTwoBishops = 2, EndgameBishopKnightDark = 3, EndgameBishopKnightLight = 4 };
enum LoadKind { LoadGame = 0, LoadPosition = 1 };

// A game holds at most this many committed half-moves; a game that reaches it is over.
const int kMaxGamePly = 400;
// Records the computer's search may write beyond the committed ones (its trial moves,
// the recapture test and the root's repetition look-ahead), with a margin.
const int kSearchLookahead = 16;
const int kHistorySize = kMaxGamePly + kSearchLookahead;
// Every move list has room for the most legal moves a position can have (218), plus
// the en-passant slot a generator writes one ahead of its legality test.
const int kMoveListSize = 256;
// "No move" in a MoveListEntry's fromX.
const int8_t kNoMove = -1;

struct Square {
    int32_t kind;
    int32_t colour;
    int32_t mark;
    int32_t markAge;
    int32_t legalTarget;
};

struct MoveRecord {
    int32_t fromX, fromY;
    int32_t toX, toY;
    int32_t kind;
    int32_t colour;
    int32_t capturedKind;
    int32_t newKind;
    int32_t secFromX, secFromY;
    int32_t secToX, secToY;
    int32_t special;
    int32_t secColour;
};

struct PlayerRecord {
    int32_t isComputer;
    char name[52];
    int32_t clockSeconds;
};

struct MoveListEntry {
    int8_t fromX, fromY;
    int8_t toX, toY;
};

class Game {
public:
    Game();
    ~Game();
    Game& operator=(const Game& other);

    // Reset and constant tables.
    void Reset(int mode);

    // Moves on the board.
    void MakeMove(MoveRecord* rec, int fromX, int fromY, int toX, int toY, int silent, int promoKind);
    void UnmakeMove(const MoveRecord* rec);
    void ClearMarks(int mark);

    // King finder, check test and the 64 square attack tests.
    int FindKing(int side, int* x, int* y);
    int IsInCheck(int side, int x, int y);
    int IsAttackedA1(int side); int IsAttackedB1(int side); int IsAttackedC1(int side); int IsAttackedD1(int side);
    int IsAttackedE1(int side); int IsAttackedF1(int side); int IsAttackedG1(int side); int IsAttackedH1(int side);
    int IsAttackedA2(int side); int IsAttackedB2(int side); int IsAttackedC2(int side); int IsAttackedD2(int side);
    int IsAttackedE2(int side); int IsAttackedF2(int side); int IsAttackedG2(int side); int IsAttackedH2(int side);
    int IsAttackedA3(int side); int IsAttackedB3(int side); int IsAttackedC3(int side); int IsAttackedD3(int side);
    int IsAttackedE3(int side); int IsAttackedF3(int side); int IsAttackedG3(int side); int IsAttackedH3(int side);
    int IsAttackedA4(int side); int IsAttackedB4(int side); int IsAttackedC4(int side); int IsAttackedD4(int side);
    int IsAttackedE4(int side); int IsAttackedF4(int side); int IsAttackedG4(int side); int IsAttackedH4(int side);
    int IsAttackedA5(int side); int IsAttackedB5(int side); int IsAttackedC5(int side); int IsAttackedD5(int side);
    int IsAttackedE5(int side); int IsAttackedF5(int side); int IsAttackedG5(int side); int IsAttackedH5(int side);
    int IsAttackedA6(int side); int IsAttackedB6(int side); int IsAttackedC6(int side); int IsAttackedD6(int side);
    int IsAttackedE6(int side); int IsAttackedF6(int side); int IsAttackedG6(int side); int IsAttackedH6(int side);
    int IsAttackedA7(int side); int IsAttackedB7(int side); int IsAttackedC7(int side); int IsAttackedD7(int side);
    int IsAttackedE7(int side); int IsAttackedF7(int side); int IsAttackedG7(int side); int IsAttackedH7(int side);
    int IsAttackedA8(int side); int IsAttackedB8(int side); int IsAttackedC8(int side); int IsAttackedD8(int side);
    int IsAttackedE8(int side); int IsAttackedF8(int side); int IsAttackedG8(int side); int IsAttackedH8(int side);

    // Game-over and repetition tests.
    int CheckGameOver(int side, int showMessage);
    int IsThreefoldRepetition();

    // Legal-move generation.
    void GenerateLegalMoves(MoveListEntry* out, int side);
    void MarkLegalTargets(int side, int x, int y);
    void GenerateFromA1(MoveListEntry* out, int* side); void GenerateFromB1(MoveListEntry* out, int* side);
    void GenerateFromC1(MoveListEntry* out, int* side); void GenerateFromD1(MoveListEntry* out, int* side);
    void GenerateFromE1(MoveListEntry* out, int* side); void GenerateFromF1(MoveListEntry* out, int* side);
    void GenerateFromG1(MoveListEntry* out, int* side); void GenerateFromH1(MoveListEntry* out, int* side);
    void GenerateFromA2(MoveListEntry* out, int* side); void GenerateFromB2(MoveListEntry* out, int* side);
    void GenerateFromC2(MoveListEntry* out, int* side); void GenerateFromD2(MoveListEntry* out, int* side);
    void GenerateFromE2(MoveListEntry* out, int* side); void GenerateFromF2(MoveListEntry* out, int* side);
    void GenerateFromG2(MoveListEntry* out, int* side); void GenerateFromH2(MoveListEntry* out, int* side);
    void GenerateFromA3(MoveListEntry* out, int* side); void GenerateFromB3(MoveListEntry* out, int* side);
    void GenerateFromC3(MoveListEntry* out, int* side); void GenerateFromD3(MoveListEntry* out, int* side);
    void GenerateFromE3(MoveListEntry* out, int* side); void GenerateFromF3(MoveListEntry* out, int* side);
    void GenerateFromG3(MoveListEntry* out, int* side); void GenerateFromH3(MoveListEntry* out, int* side);
    void GenerateFromA4(MoveListEntry* out, int* side); void GenerateFromB4(MoveListEntry* out, int* side);
    void GenerateFromC4(MoveListEntry* out, int* side); void GenerateFromD4(MoveListEntry* out, int* side);
    void GenerateFromE4(MoveListEntry* out, int* side); void GenerateFromF4(MoveListEntry* out, int* side);
    void GenerateFromG4(MoveListEntry* out, int* side); void GenerateFromH4(MoveListEntry* out, int* side);
    void GenerateFromA5(MoveListEntry* out, int* side); void GenerateFromB5(MoveListEntry* out, int* side);
    void GenerateFromC5(MoveListEntry* out, int* side); void GenerateFromD5(MoveListEntry* out, int* side);
    void GenerateFromE5(MoveListEntry* out, int* side); void GenerateFromF5(MoveListEntry* out, int* side);
    void GenerateFromG5(MoveListEntry* out, int* side); void GenerateFromH5(MoveListEntry* out, int* side);
    void GenerateFromA6(MoveListEntry* out, int* side); void GenerateFromB6(MoveListEntry* out, int* side);
    void GenerateFromC6(MoveListEntry* out, int* side); void GenerateFromD6(MoveListEntry* out, int* side);
    void GenerateFromE6(MoveListEntry* out, int* side); void GenerateFromF6(MoveListEntry* out, int* side);
    void GenerateFromG6(MoveListEntry* out, int* side); void GenerateFromH6(MoveListEntry* out, int* side);
    void GenerateFromA7(MoveListEntry* out, int* side); void GenerateFromB7(MoveListEntry* out, int* side);
    void GenerateFromC7(MoveListEntry* out, int* side); void GenerateFromD7(MoveListEntry* out, int* side);
    void GenerateFromE7(MoveListEntry* out, int* side); void GenerateFromF7(MoveListEntry* out, int* side);
    void GenerateFromG7(MoveListEntry* out, int* side); void GenerateFromH7(MoveListEntry* out, int* side);
    void GenerateFromA8(MoveListEntry* out, int* side); void GenerateFromB8(MoveListEntry* out, int* side);
    void GenerateFromC8(MoveListEntry* out, int* side); void GenerateFromD8(MoveListEntry* out, int* side);
    void GenerateFromE8(MoveListEntry* out, int* side); void GenerateFromF8(MoveListEntry* out, int* side);
    void GenerateFromG8(MoveListEntry* out, int* side); void GenerateFromH8(MoveListEntry* out, int* side);

    // The computer player.
    void ComputerMove();
    int Evaluate();
    int IsOnBoard(int x, int y);
    void BuildPawnProximityMap(int map[8][8]);
    int SearchMove(int depth, int alpha);
    int SearchReply(int depth, int beta);
    int CanRecaptureOn(int x, int y);
    int MateSearchMove(int depth, int isRoot, int alpha);
    int MateSearchReply(int depth, int beta);
    int EvalMateQueenOrRook();
    int EvalMateTwoBishops();
    int EvalMateBishopKnightDark();
    int EvalMateBishopKnightLight();
    void ThinkingTick(int percent);

    // Board input and the move list (the main window's operations on the game).
    int SideOfPly(int row);
    int FindMarkedSquare(int mark, int* col, int* row);
    void PlayMarkedMove(WindowHandle* listBox);
    void RebuildMoveList(WindowHandle* listBox);
    void CountPieces(int counts[2][7]);
    void CountBishopsBySquareColour(int out[2][2]);
    int IsSameParity(int col, int row);
    void RunNewGameDialog(int mode);

    // Game and position files, portable text (files/).
    // Clock text HH:MM:SS of the player of colour `side` into out (8 characters and a
    // NUL); a clock beyond the two hour digits shows 99:59:59.
    void FormatSideTime(char out[9], int side) const;
    // Resets the game and sets up the FEN text's placement and side to move (both
    // players human, begin position = board); the tail is ignored. Validates.
    void LoadFromFen(String text);
    // errorText := "" when the position may be played, " Error position" when it is
    // impossible or the side not to move stands in check, " Game over" when the side to
    // move is mated, stalemated or the game is drawn.
    void ValidateLoadedPosition();

    // Game and position files, Win32 side (files/win32/), on the main game.
    // Writes the game file after the Save-name dialog. 1 when nothing is left unsaved
    // (written now, or nothing to write); 0 when a save was wanted and did not happen
    // (refused in analyse mode, dialog cancelled, name refused, file not written).
    int SaveGame();
    // Writes the position shown at the selected row as a position file. 1 when
    // written; 0 when not (warning answered No, dialog cancelled, file not written).
    int SavePosition();
    // Before the game is discarded: asks to save it. 1: the caller may go on (nothing to
    // save, No, or saved); 0: the caller abandons its command (Yes and not saved).
    int OfferSave();
    // Runs the Load dialog for `kind` (LoadGame, LoadPosition): 1 loaded, 2 cancelled.
    int RunLoadDialog(int kind);

    // Fields, in their fixed order.
    Square board[8][8];
    MoveRecord history[kHistorySize];
    PlayerRecord player[2];
    int32_t sideToMove;
    int32_t opponentSide;
    int32_t ply;
    int32_t endgameType;
    int32_t selectedTargetCount;
    int32_t gameActive;
    int32_t modified;
    int32_t analyseMode;
    Square beginBoard[8][8];
    int32_t beginSide;
    int32_t thinking;
    MoveListEntry bestMove;
    MoveListEntry firstChoice;
    int32_t searchDepth;
    int32_t pawnTable[8][8];
    int32_t pawnBaseTable[8][8];
    int8_t pieceFileCounts[2][7][8];
    int32_t kingTable[8][8];
    int32_t kingMiddleTable[8][8];
    int32_t kingX, kingY;
    int32_t castleTestX, castleTestY;
    int32_t knightTable[8][8];
    int32_t bishopTable[8][8];
    int32_t mateTableQueenRook[8][8];
    int32_t mateTableTwoBishops[8][8];
    int32_t mateTableDarkCorner[8][8];
    int32_t mateTableLightCorner[8][8];
    MoveListEntry openingTable[7];
    MoveListEntry moveList[kMoveListSize];
    int32_t pieceSquareTable[2][7][8][8];
    int32_t moveCount;
    int32_t searchStartClock;
    uint32_t searchStartTicks;
    int32_t computerToMove;
    int32_t savedTargetKind, savedTargetColour;
    String errorText;
    String titleSuffix;
    MoveListEntry replyList[kMoveListSize];
    int32_t setPositionMode;
    int32_t loadKind;
    int32_t newGameMode;

private:
    Game(const Game&);  // games are copied only by assignment into an existing object

    // The record is plain data but for its two String members. Reset clears, and
    // assignment copies, the two plain stretches around them (part 0: board ..
    // savedTargetColour, part 1: replyList .. newGameMode) as bytes.
    static const int kPlainParts = 2;
    static size_t PlainOffset(int part);
    static size_t PlainSize(int part);
};

// Boards of the positions of the game, rebuilt by each repetition test.
extern Square g_positionHistory[kHistorySize + 1][8][8];
