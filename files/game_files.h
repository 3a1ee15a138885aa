// The text of game files (PGN) and position files (FEN): written from a game, read back
// into a game, and the names they are saved under. Portable: the window side takes the
// local time, runs the dialogs and touches the files, and hands the texts in and out.
#pragma once

#include "core/game.h"
#include "core/string.h"

// The largest game or position file the Load dialog reads: room for the longest game
// the writer produces (400 half-moves, long names).
const int kMaxGameFileBytes = 65536;

// The folder under the current directory that holds every game and position file.
extern const char kSaveFolder[];           // "Save"
extern const char kGameFileExtension[];    // ".pgn"
extern const char kPositionFileExtension[]; // ".fen"

// The local time of one save, taken once by the window side: the Date tag and the
// proposed name come from the same moment.
struct SaveMoment {
    int year, month, day;   // local date
    int hour, minute;       // local time of day
    const char* shortDate;  // the date in the user's short date format (may be empty)
};

// ---- Game files --------------------------------------------------------------------

// The whole game file for `game` (played from the start position): the seven tags, the
// information comment, an empty line and the movetext, CR LF between lines, no line end
// after the last. The Result tag and the check signs come from a replay of the whole
// game, so the position the board happens to show does not matter.
String PgnGameText(const Game& game, const SaveMoment& when);

// The movetext alone ("1. e4 e5 2. Nf3 "): move texts with origin hints, capture, check
// and mate signs and promotions, each followed by one space. Replays from the start
// position, or from `beginBoard` with `beginSide` to move when `analyseMode` is set.
String PgnMovetext(const Game& game);

// The Result tag's value from the final position of the replay: "1 - 0", "0 - 1",
// "1/2 - 1/2" or "? - ?".
const char* PgnResultText(const Game& game);

// The proposed game file name, without folder and extension:
// "[White]-[Black]-[date]-[HH-MM]", the date's non-digits made "_", then the
// characters a file name cannot hold removed.
String ProposedGameFileName(const Game& game, const SaveMoment& when);

// Reads a game file's text into `game` (the Load dialog passes the scratch game).
// Refuses a text with a "[FEN" tag where a tag can stand: at the start of the text or
// of a line, or after another tag on its line ("Not begin position" in `errorText`,
// nothing else changed). Otherwise resets `game` to the start position, replays the
// moves up to the first it cannot play (only moves flagged legal are played), takes
// the names and computer sides from the tags and the clocks and level from the
// information comment after them. `errorText` is empty afterwards.
void LoadGameFromPgn(Game* game, const String* text);

// 1 when (fromX, fromY) holds a piece of `kind` of the side to move and the piece may
// legally go to (toX, toY); else 0. Leaves the legal-target flags of that piece.
int LoadGameCanMove(Game* game, int kind, int fromX, int fromY, int toX, int toY);

// 0..7 for 'a'..'h', else -1.
int FileLetterToColumn(char c);
// 0..7 for '1'..'8', else -1.
int RankDigitToRow(char c);
// Seconds of an "HH:MM:SS" text (exactly 8 characters, digits in the six digit places,
// separators not looked at); 0 for anything else.
int ParseClockHms(const String* text);

// ---- Loading -----------------------------------------------------------------------

// The Load dialog's Load: `game` becomes a copy of `loaded` (the file read), as a game
// of its `loadKind` (a game file gives the side to move by its half-move count, a
// position file an analyse-mode game), in progress and unchanged. Returns 1; 0 with
// nothing changed while the computer searches on `game` (the dialog stays open).
int TakeLoadedGame(Game& game, const Game& loaded);

// ---- Position files ----------------------------------------------------------------

// The FEN line of `game`'s board with `side` to move: placement, " w" or " b", and the
// tail " - - 0 1". No line end.
String FenPositionText(const Game& game, int side);

// The proposed position file name, without folder and extension: "[date] [HH-MM]", the
// date's non-digits made "_".
String ProposedPositionFileName(const SaveMoment& when);

// (Game::LoadFromFen and Game::ValidateLoadedPosition are members: core/game.h.)

// ---- Save names --------------------------------------------------------------------

// Why Windows could not hold `name` as a plain file, as the message to show, or 0 when
// the name may be used: a reserved device name (CON, PRN, AUX, NUL, COM1-COM9,
// LPT1-LPT9, with or without an extension, any case), a name ending in a dot or a
// space, a name of dots only, control characters, or a character the name filter
// refuses. An empty name is not judged here (the dialog asks for a name).
const char* SaveNameRefusal(const char* name);

// "Save\" + name + extension: the path of a file in the save folder.
String SaveFilePath(const char* name, const char* extension);
