// Reading a game file: the moves from the start position up to the first token that
// cannot be played, then the players, clocks and level.
#include <ctype.h>
#include <string>

#include "files/game_files.h"
#include "core/names.h"

namespace {

const int kMaxTokens = kMaxGamePly;  // two per numbered move, one per history record
const int kMaxNameChars = 18;        // the length of the computer player's name
const int kDefaultLevel = 3;

// Where tags stand in a text: at its start (after a UTF-8 byte-order mark), at the
// start of a line, or after an earlier tag's "]" on the same line, blanks before each.
// Quoted values and "{...}" comments are passed over, so a name holding "]", "[FEN" or
// "{" starts nothing, nor does a comment's line that starts with "[".
struct TagScan {
    int fenTag = 0;                   // a position file says so in a FEN tag
    const char* information = 0;      // the comment right after the tags, or 0
};

// The name of the tag that starts at `name` (right after its "[") is FEN, in any
// letter case and with blanks before it, as the import form of game files allows.
int IsFenTagName(const char* name) {
    while (*name == ' ' || *name == '\t') ++name;
    const char* fen = "FEN";
    for (int i = 0; i < 3; ++i)
        if (toupper((unsigned char)name[i]) != fen[i]) return 0;
    return 1;
}

TagScan ScanTags(const char* text) {
    enum { TagPlace, InTag, InValue, InComment, Elsewhere } state = TagPlace;
    int tagsOnly = 1;  // nothing but tags and blanks so far
    TagScan scan;
    const char* p = text;
    if (p[0] == '\xEF' && p[1] == '\xBB' && p[2] == '\xBF') p += 3;
    for (; *p; ++p) {
        const char c = *p;
        if (state == InComment) {
            if (c == '}') state = Elsewhere;
        } else if (c == '\r' || c == '\n') {
            state = TagPlace;
        } else if (state == TagPlace && c == '[') {
            if (IsFenTagName(p + 1)) {
                scan.fenTag = 1;
                return scan;
            }
            state = InTag;
        } else if (state == TagPlace && c != ' ' && c != '\t') {
            if (c == '{' && tagsOnly) scan.information = p;
            tagsOnly = 0;
            state = c == '{' ? InComment : Elsewhere;
        } else if (state == Elsewhere && c == '{') {
            state = InComment;
        } else if (state == InTag) {
            if (c == '"') state = InValue;
            if (c == ']') state = TagPlace;
        } else if (state == InValue && c == '"') {
            state = InTag;
        }
    }
    return scan;
}

// The movetext: what follows the last "]", with line breaks and tabs as spaces, so
// moves spread over several lines read as one line.
std::string Movetext(const char* text) {
    const char* start = text;
    for (const char* p = text; *p; ++p)
        if (*p == ']') start = p + 1;
    std::string movetext(start);
    for (char& c : movetext)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return movetext;
}

void SkipSpaces(const std::string& text, size_t* pos) {
    while (*pos < text.size() && text[*pos] == ' ') ++*pos;
}

// Takes the token at *pos up to the next space; 0 when no space ends it.
int TakeToken(const std::string& text, size_t* pos, std::string* token) {
    size_t end = text.find(' ', *pos);
    if (end == std::string::npos) return 0;
    *token = text.substr(*pos, end - *pos);
    *pos = end + 1;
    SkipSpaces(text, pos);
    return 1;
}

// Splits the movetext into White's and Black's token of each numbered move.
void SplitTokens(const std::string& movetext, std::string tokens[kMaxTokens]) {
    size_t pos = 0;
    for (int r = 0; r < kMaxTokens / 2; ++r) {
        size_t dot = movetext.find('.', pos);
        if (dot == std::string::npos) return;
        pos = dot + 1;
        SkipSpaces(movetext, &pos);
        if (!TakeToken(movetext, &pos, &tokens[2 * r])) return;
        if (!TakeToken(movetext, &pos, &tokens[2 * r + 1])) return;
    }
}

std::string Cleaned(const std::string& token) {
    std::string kept;
    for (char c : token)
        if (c != 'x' && c != '-' && c != '+' && c != '#' && c != ' ' && c != '\n' && c != '\r') kept += c;
    return kept;
}

int PieceKindOfLetter(char c) {
    switch (c) {
        case 'P': return PiecePawn;
        case 'N': return PieceKnight;
        case 'B': return PieceBishop;
        case 'R': return PieceRook;
        case 'Q': return PieceQueen;
        case 'K': return PieceKing;
        default: return PieceNone;
    }
}

// Plays one cleaned token for the side to move; 0 when it cannot be played.
int PlayToken(Game* game, std::string token) {
    const int row = game->sideToMove == ColourWhite ? 0 : 7;
    int castleTo = -1;
    if (token == "00" || token == "OO") castleTo = 6;
    if (token == "000" || token == "OOO") castleTo = 2;
    if (castleTo >= 0) {
        if (!LoadGameCanMove(game, PieceKing, 4, row, castleTo, row)) return 0;
        game->MakeMove(&game->history[game->ply], 4, row, castleTo, row, 1, PieceQueen);
        game->ply += 1;
        return 1;
    }

    int promoKind = PieceQueen;
    if (token.find('=') != std::string::npos) {
        promoKind = PieceKindOfLetter(token.back());
        if (promoKind < PieceKnight || promoKind > PieceQueen) return 0;
        if (token.size() != 2) token.resize(token.size() - 2);
    }

    if (token.empty()) return 0;
    int kind = PieceKindOfLetter(token[0]);
    if (kind != PieceNone)
        token.erase(0, 1);
    else if (FileLetterToColumn(token[0]) >= 0)
        kind = PiecePawn;
    else
        return 0;

    int fromX = -1, fromY = -1, toX, toY;
    const size_t n = token.size();
    if (n < 2 || n > 4) return 0;
    toX = FileLetterToColumn(token[n - 2]);
    toY = RankDigitToRow(token[n - 1]);
    if (toX < 0 || toY < 0) return 0;
    if (n == 4) {
        fromX = FileLetterToColumn(token[0]);
        fromY = RankDigitToRow(token[1]);
        if (fromX < 0 || fromY < 0 || !LoadGameCanMove(game, kind, fromX, fromY, toX, toY)) return 0;
    } else {
        // The candidates: every square, or one file, or one rank; the last that can go wins.
        int onlyFile = -1, onlyRank = -1;
        if (n == 3) {
            onlyFile = FileLetterToColumn(token[0]);
            if (onlyFile < 0) onlyRank = RankDigitToRow(token[0]);
            if (onlyFile < 0 && onlyRank < 0) return 0;
        }
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                if ((onlyFile >= 0 && x != onlyFile) || (onlyRank >= 0 && y != onlyRank)) continue;
                if (LoadGameCanMove(game, kind, x, y, toX, toY)) {
                    fromX = x;
                    fromY = y;
                }
            }
        if (fromX < 0) return 0;
    }
    game->MakeMove(&game->history[game->ply], fromX, fromY, toX, toY, 1, promoKind);
    game->ply += 1;
    return 1;
}

// The text between `opening` and the next double quote, at most kMaxNameChars.
void ReadName(const String* text, const char* opening, PlayerRecord* player, const char* fallback) {
    String name;
    int start = text->FindEnd(opening);
    if (start >= 0) {
        int end = text->FindChar('"', start);
        if (end >= 0) {
            int count = end - start < kMaxNameChars ? end - start : kMaxNameChars;
            if (count > 0) name.AssignMid(text, start, count);
        }
    }
    if (name.Length() == 0) name = fallback;
    String::CopyChars(name.CStr(), player->name, name.Length(), 0, 0);
    player->isComputer = name == String(kComputerPlayerName) ? 1 : 0;
}

// The information comment, from its "{" to its "}" (or the end of the text).
String InformationComment(const String* text, const char* start) {
    String comment;
    if (start) {
        const int from = int(start - text->CStr());
        const int end = text->FindChar('}', from);
        comment.AssignMid(text, from, end >= 0 ? end - from + 1 : -1);
    }
    return comment;
}

int ReadClock(const String* comment, const char* item) {
    int start = comment->FindEnd(item);
    if (start < 0) return 0;
    String clock;
    clock.AssignMid(comment, start, 8);
    return ParseClockHms(&clock);
}

}  // namespace

int FileLetterToColumn(char c) { return c >= 'a' && c <= 'h' ? c - 'a' : -1; }

int RankDigitToRow(char c) { return c >= '1' && c <= '8' ? c - '1' : -1; }

int ParseClockHms(const String* text) {
    if (text->Length() != 8) return 0;
    int d[8];
    for (int i = 0; i < 8; ++i) {
        char c = text->CharAt(i);
        if (i % 3 != 2 && (c < '0' || c > '9')) return 0;
        d[i] = c - '0';
    }
    return (10 * d[0] + d[1]) * 3600 + (10 * d[3] + d[4]) * 60 + 10 * d[6] + d[7];
}

int LoadGameCanMove(Game* game, int kind, int fromX, int fromY, int toX, int toY) {
    if (fromX < 0 || fromX > 7 || fromY < 0 || fromY > 7 || toX < 0 || toX > 7 || toY < 0 || toY > 7) return 0;
    const Square& from = game->board[fromY][fromX];
    if (from.kind != kind || from.colour != game->sideToMove) return 0;
    game->MarkLegalTargets(game->sideToMove, fromX, fromY);
    return game->board[toY][toX].legalTarget ? 1 : 0;
}

void LoadGameFromPgn(Game* game, const String* text) {
    game->errorText = "";
    const TagScan tags = ScanTags(text->CStr());
    if (tags.fenTag) {
        game->errorText = "Not begin position";
        return;
    }
    std::string* tokens = new std::string[kMaxTokens];
    SplitTokens(Movetext(text->CStr()), tokens);

    game->Reset(ResetStartPosition);
    for (int i = 0; i < kMaxTokens; ++i) {
        game->sideToMove = i % 2;
        if (!PlayToken(game, Cleaned(tokens[i]))) break;
    }
    delete[] tokens;
    // The legality tests leave their flags; a fresh game has none.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) game->board[y][x].legalTarget = 0;

    ReadName(text, "[White \"", &game->player[ColourWhite], "Player 1");
    ReadName(text, "[Black \"", &game->player[ColourBlack], "Player 2");
    // Clocks and level come from the writer's comment alone: a name cannot set them.
    const String information = InformationComment(text, tags.information);
    game->player[ColourWhite].clockSeconds = ReadClock(&information, "TIME WHITE SIDE = ");
    game->player[ColourBlack].clockSeconds = ReadClock(&information, "TIME BLACK SIDE = ");

    game->searchDepth = kDefaultLevel;
    int level = information.FindEnd("LEVEL = ");
    if ((game->player[ColourWhite].isComputer || game->player[ColourBlack].isComputer) && level >= 0) {
        char c = information.CharAt(level);
        if (c >= '1' && c <= '3') game->searchDepth = c - '0';
    }
}
