// The game file's text: tags, information comment and movetext, and the proposed name.
#include <memory>

#include "files/file_text.h"
#include "files/game_files.h"

const char kSaveFolder[] = "Save";
const char kGameFileExtension[] = ".pgn";
const char kPositionFileExtension[] = ".fen";

namespace {

// The longest clock the two hour digits hold.
const int kMaxClockSeconds = 99 * 3600 + 59 * 60 + 59;

// The file-hint and rank-hint rule: every other piece of the mover's kind and colour
// that may legally reach the target is a rival.
void AppendOriginHint(String* text, Game& replay, const MoveRecord& r) {
    int fileHint = 0, rankHint = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            if (x == r.fromX && y == r.fromY) continue;
            const Square& s = replay.board[y][x];
            if (s.kind != r.kind || s.colour != r.colour) continue;
            replay.MarkLegalTargets(replay.sideToMove, x, y);
            if (!replay.board[r.toY][r.toX].legalTarget) continue;
            if (x == r.fromX || fileHint)
                rankHint = 1;
            else
                fileHint = 1;
        }
    if (fileHint) *text += FileLetter(r.fromX);
    if (rankHint) *text += RankDigit(r.fromY);
}

// Text of one half-move; plays it on the replay, whose position is the one before it.
String HalfMoveText(Game& replay, const MoveRecord& r) {
    String move;
    const int isCapture = r.capturedKind != 0 || (r.kind == PiecePawn && r.special != 0);
    if (r.kind == PiecePawn) {
        if (isCapture) move += FileLetter(r.fromX);
    } else {
        move += PieceLetter(r.kind);
        if (r.kind != PieceKing) AppendOriginHint(&move, replay, r);
    }
    if (isCapture) move += 'x';
    move += FileLetter(r.toX);
    move += RankDigit(r.toY);

    replay.MakeMove(&replay.history[replay.ply], r.fromX, r.fromY, r.toX, r.toY, 1, r.newKind);
    replay.ply += 1;
    replay.sideToMove = 1 - replay.sideToMove;

    if (r.kind == PieceKing && r.fromX == 4 && (r.toX == 2 || r.toX == 6))
        return String(r.toX == 2 ? "O-O-O" : "O-O");
    // Promotion before the sign (e8=Q+), as other programs read it.
    if (r.newKind != r.kind) {
        move += '=';
        move += PromotionLetter(r.newKind);
    }
    if (replay.CheckGameOver(replay.sideToMove, 0) == StatusCheckmate)
        move += '#';
    else if (replay.IsInCheck(replay.sideToMove, -1, -1) == 1)
        move += '+';
    return move;
}

const char* ResultOf(Game& replay) {
    switch (replay.CheckGameOver(replay.sideToMove, 0)) {
        case StatusCheckmate: return replay.sideToMove == ColourBlack ? "1 - 0" : "0 - 1";
        case StatusStalemate:
        case StatusDraw: return "1/2 - 1/2";
        default: return "? - ?";
    }
}

// Replays the whole game: its movetext, and its result from the final position.
String ReplayGame(const Game& game, const char** result) {
    std::unique_ptr<Game> replay(new Game);
    StartReplay(game, replay.get());
    String text;
    const int count = game.ply < kMaxGamePly ? game.ply : kMaxGamePly;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0) {
            text.AppendInt(i / 2 + 1);
            text += ". ";
        }
        String move = HalfMoveText(*replay, game.history[i]);
        text += move.CStr();
        text += ' ';
    }
    if (result) *result = ResultOf(*replay);
    return text;
}

void AppendTag(String* text, const char* name, const char* value) {
    *text += '[';
    *text += name;
    *text += " \"";
    *text += value;
    *text += "\"]";
    text->AppendNewLine();
}

void AppendTwoDigits(String* text, int value) {
    *text += char('0' + value / 10 % 10);
    *text += char('0' + value % 10);
}

const char* PlayerKind(const PlayerRecord& player) { return player.isComputer ? "Computer" : "Human"; }

}  // namespace

void Game::FormatSideTime(char out[9], int side) const {
    int s = player[side].clockSeconds;
    if (s < 0) s = 0;
    if (s > kMaxClockSeconds) s = kMaxClockSeconds;
    const int parts[3] = {s / 3600, s % 3600 / 60, s % 60};
    for (int i = 0; i < 3; ++i) {
        out[3 * i] = char('0' + parts[i] / 10);
        out[3 * i + 1] = char('0' + parts[i] % 10);
        out[3 * i + 2] = i < 2 ? ':' : '\0';
    }
}

String PgnMovetext(const Game& game) { return ReplayGame(game, 0); }

const char* PgnResultText(const Game& game) {
    const char* result = 0;
    ReplayGame(game, &result);
    return result;
}

String PgnGameText(const Game& game, const SaveMoment& when) {
    const char* result = 0;
    String movetext = ReplayGame(game, &result);
    const PlayerRecord& white = game.player[ColourWhite];
    const PlayerRecord& black = game.player[ColourBlack];

    String text;
    String event("Varno-4: Local game {");
    event += PlayerKind(white);
    event += " VS ";
    event += PlayerKind(black);
    event += '}';
    AppendTag(&text, "Event", event.CStr());
    AppendTag(&text, "Site", "Local");
    AppendTag(&text, "Round", "-");
    AppendTag(&text, "White", PlayerName(white).CStr());
    AppendTag(&text, "Black", PlayerName(black).CStr());
    String date;
    date.AppendInt(when.year);
    date += '.';
    AppendTwoDigits(&date, when.month);
    date += '.';
    AppendTwoDigits(&date, when.day);
    AppendTag(&text, "Date", date.CStr());
    AppendTag(&text, "Result", result);

    char clock[9];
    text += "{VARNO-4 INFORMATION; TIME WHITE SIDE = ";
    game.FormatSideTime(clock, ColourWhite);
    text += clock;
    text += "; TIME BLACK SIDE = ";
    game.FormatSideTime(clock, ColourBlack);
    text += clock;
    text += ';';
    if (white.isComputer == 1 || black.isComputer == 1) {
        text += " GAME LEVEL = ";
        text.AppendInt(game.searchDepth);
        text += ';';
    }
    text += '}';
    text.AppendNewLine();
    text.AppendNewLine();
    text += movetext.CStr();
    return text;
}

String ProposedGameFileName(const Game& game, const SaveMoment& when) {
    String name("[");
    name += PlayerName(game.player[ColourWhite]).CStr();
    name += "]-[";
    name += PlayerName(game.player[ColourBlack]).CStr();
    name += "]-[";
    name += DateDigitsText(when.shortDate).CStr();
    name += "]-[";
    AppendTwoDigits(&name, when.hour);
    name += '-';
    AppendTwoDigits(&name, when.minute);
    name += ']';
    return WithoutUnsafeNameChars(name);
}
