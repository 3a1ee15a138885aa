#include "ui/common/board_play.h"
#include "ui/common/play_port.h"
#include "ui/common/board_geometry.h"

int Game::SideOfPly(int row) {
    int side = row & 1;
    if (analyseMode != 0 && beginSide == ColourBlack) side ^= 1;
    return side;
}

int Game::FindMarkedSquare(int mark, int* col, int* row) {
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (board[y][x].mark == mark) {
                *col = x;
                *row = y;
                return 1;
            }
        }
    }
    return 0;
}

void Game::PlayMarkedMove(WindowHandle* listBox) {
    int fromX, fromY, toX, toY;
    if (!FindMarkedSquare(MarkFrom, &fromX, &fromY)) return;
    if (!FindMarkedSquare(MarkTo, &toX, &toY)) return;
    // A finished game's history is full; nothing may be written past its last record.
    if (ply < 0 || ply >= kMaxGamePly) return;
    ClearMarks(MarkNone);
    MakeMove(&history[ply], fromX, fromY, toX, toY, 0, PieceQueen);
    ++ply;
    ClearMarks(MarkNone);
    PlayRebuildMoveList(this, listBox);
    if (analyseMode == 0) modified = 1;
    sideToMove = 1 - sideToMove;
    PlayInvalidateWindow(0);
    if (CheckGameOver(sideToMove, 1) != StatusPlaying) return;
    if (player[sideToMove].isComputer == 1) computerToMove = 1;
}

int BoardSquareAt(int x, int y, int boardScale, int whiteOnTop, int* col, int* row) {
    const int sq = SquareSizeForScale(boardScale);
    const int end = kBoardOrigin + 8 * sq;
    if (x < kBoardOrigin || x >= end || y < kBoardOrigin || y >= end) return 0;
    int screenCol = (x - kBoardOrigin) / sq;
    int screenRow = (y - kBoardOrigin) / sq;
    *row = whiteOnTop ? screenRow : 7 - screenRow;
    *col = whiteOnTop ? 7 - screenCol : screenCol;
    return 1;
}

// The release proper, with the game's half-move count already at the shown row.
static int JudgeRelease(Game& game, int col, int row, int shownRow, int rowCount, int primary,
                        WindowHandle* listBox) {
    int side = game.SideOfPly(shownRow);
    if (!game.gameActive) return ReleaseIgnored;
    if (rowCount == shownRow + 1 && game.CheckGameOver(side, 0) != StatusPlaying) return ReleaseIgnored;
    if (game.player[side].isComputer) return ReleaseIgnored;
    if (!primary) return ReleaseIgnored;

    Square& square = game.board[row][col];
    if (square.kind != PieceNone && square.colour == side) {
        int wasMarked = square.mark;
        game.ClearMarks(MarkNone);
        if (wasMarked == MarkNone) {
            game.MarkLegalTargets(side, col, row);
            if (game.selectedTargetCount) square.mark = MarkFrom;
        }
        return ReleaseMarked;
    }

    int fromCol, fromRow;
    if (!game.FindMarkedSquare(MarkFrom, &fromCol, &fromRow)) return ReleaseIgnored;
    if (!square.legalTarget) {
        game.ClearMarks(MarkRejected);
        square.mark = MarkRejected;
        square.markAge = 0;  // every refusal flashes its full time
        return ReleaseMarked;
    }
    if (game.CheckGameOver(side, 0) != StatusPlaying) return ReleaseMarked;
    square.mark = MarkTo;
    game.sideToMove = side;
    game.PlayMarkedMove(listBox);
    return ReleasePlayed;
}

int PlayBoardRelease(Game& game, int col, int row, int shownRow, int rowCount, int primary,
                     WindowHandle* listBox) {
    if (shownRow < 0 || shownRow > kMaxGamePly) return ReleaseIgnored;
    // Targets, castling, en passant and the game-over test belong to the shown
    // position, so the rules see the history only up to its row. A move played there
    // keeps that count and so drops every later half-move.
    int gamePly = game.ply;
    game.ply = shownRow;
    int outcome = JudgeRelease(game, col, row, shownRow, rowCount, primary, listBox);
    if (outcome != ReleasePlayed) game.ply = gamePly;
    return outcome;
}

int AgeRefusedTargets(Game& game) {
    int ended = 0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            Square& square = game.board[y][x];
            if (square.mark != MarkRejected) continue;
            if (++square.markAge >= kFlashTicks) {
                square.mark = MarkNone;
                square.markAge = 0;
                ++ended;
            }
        }
    }
    return ended;
}

int ComputerTurnDue(Game& game) {
    if (!game.computerToMove || game.thinking) return 0;
    if (game.ply >= kMaxGamePly) {
        game.computerToMove = 0;
        return 0;
    }
    return 1;
}

int TickHumanClock(Game& game) {
    if (game.setPositionMode || game.analyseMode || !game.gameActive) return -1;
    int side = game.sideToMove;
    if (side != ColourWhite && side != ColourBlack) return -1;
    if (game.player[side].isComputer == 1) return -1;
    ++game.player[side].clockSeconds;
    return side;
}

void BrowseMoveList(Game& main, Game& scratch, int row) {
    if (row < 0 || row > kMaxGamePly) return;
    scratch.Reset(ResetStartPosition);
    if (main.analyseMode) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) scratch.board[y][x] = main.beginBoard[y][x];
        main.gameActive = 1;
        main.ply = row;
    }
    for (int i = 0; i < row; ++i) {
        const MoveRecord& rec = main.history[i];
        scratch.MakeMove(&scratch.history[i], rec.fromX, rec.fromY, rec.toX, rec.toY, 1, rec.newKind);
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) main.board[y][x] = scratch.board[y][x];
}

void ShowCurrentPosition(Game& main, Game& scratch) {
    if (main.analyseMode) return;  // there the board and the count move together
    BrowseMoveList(main, scratch, main.ply);
}
