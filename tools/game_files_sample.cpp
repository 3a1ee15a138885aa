// Writes game files and position files of random legal games and set-ups, as the
// program writes them, with a manifest of what each must read to: for the checks
// against chess readers of other makers (tests/reference/game_files_interop.sh).
//
// Usage: varno-game-files OUTDIR [GAMES [POSITIONS [SEED]]]
// OUTDIR/game-NNN.pgn, OUTDIR/position-NNN.fen and OUTDIR/manifest.json, an array of
// {"file", "moves" (coordinate notation, "e7e8q"), "white", "black", "result", "fen"
// (placement and side of the final position)}.
#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "core/names.h"
#include "files/game_files.h"
#include "tools/common/random_games.h"

namespace {

std::string Json(const char* text) {
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        if (*p == '"' || *p == '\\') out += '\\';
        out += *p;
    }
    return out + "\"";
}

std::string PlacementAndSide(const Game& game, int side) {
    std::string fen = FenPositionText(game, side).CStr();
    return fen.substr(0, fen.find(' ') + 2);
}

int WriteFile(const std::string& path, const String& text) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return 0;
    const size_t written = fwrite(text.CStr(), 1, size_t(text.Length()), f);
    return fclose(f) == 0 && written == size_t(text.Length());
}

// A random position the program accepts: kings and a few pieces on random squares,
// read as the program reads a position file.
void RandomSetUp(Game& game, RandomSource& random) {
    do {
        game.Reset(ResetEmpty);
        Square* squares = &game.board[0][0];
        const int whiteKing = random.Next(64);
        int blackKing;
        while ((blackKing = random.Next(64)) == whiteKing) {
        }
        squares[whiteKing].kind = PieceKing;
        squares[blackKing].kind = PieceKing;
        squares[blackKing].colour = ColourBlack;
        const int pieces = random.Next(12);
        for (int i = 0; i < pieces; ++i) {
            Square& s = squares[random.Next(64)];
            const int kind = PiecePawn + random.Next(5), colour = random.Next(2);
            if (s.kind != PieceNone) continue;
            s.kind = kind;
            s.colour = colour;
        }
        game.LoadFromFen(FenPositionText(game, random.Next(2)));
    } while (game.errorText.Length() != 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s OUTDIR [GAMES [POSITIONS [SEED]]]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const int games = argc > 2 ? atoi(argv[2]) : 100;
    const int positions = argc > 3 ? atoi(argv[3]) : 100;
    RandomSource random(argc > 4 ? strtoull(argv[4], 0, 10) : 9);
    std::string manifest = "[\n";
    std::unique_ptr<Game> game(new Game);
    char name[18];

    for (int n = 0; n < games; ++n) {
        game->Reset(ResetStartPosition);
        PlayRandomGame(*game, random, kMaxGamePly);
        for (int side = 0; side < 2; ++side) {
            const int computer = random.Next(3) == 0;
            RandomPlayerName(random, name);
            PlayerRecord& p = game->player[side];
            snprintf(p.name, sizeof p.name, "%s", computer ? kComputerPlayerName : name);
            p.isComputer = computer;
            p.clockSeconds = random.Next(360000);
        }
        game->searchDepth = 1 + random.Next(3);
        const SaveMoment when = {2026, 1 + random.Next(12), 1 + random.Next(28), 0, 0, ""};
        char file[32];
        snprintf(file, sizeof file, "game-%03d.pgn", n + 1);
        if (!WriteFile(dir + "/" + file, PgnGameText(*game, when))) {
            perror(file);
            return 1;
        }
        std::string moves;
        for (int i = 0; i < game->ply; ++i) {
            const MoveRecord& r = game->history[i];
            moves += i ? ",\"" : "\"";
            moves += {char('a' + r.fromX), char('1' + r.fromY), char('a' + r.toX), char('1' + r.toY)};
            if (r.newKind != r.kind) moves += "??nbrq"[r.newKind];
            moves += '"';
        }
        manifest += std::string("{\"file\":\"") + file + "\",\"moves\":[" + moves + "],\"white\":" +
                    Json(game->player[0].name) + ",\"black\":" + Json(game->player[1].name) +
                    ",\"result\":" + Json(PgnResultText(*game)) + ",\"fen\":" +
                    Json(PlacementAndSide(*game, game->sideToMove).c_str()) + "},\n";
    }

    for (int n = 0; n < positions; ++n) {
        // Half from the random games' own positions, half from random set-ups.
        if (n % 2 == 0) {
            game->Reset(ResetStartPosition);
            PlayRandomGame(*game, random, random.Next(120));
        } else {
            RandomSetUp(*game, random);
        }
        char file[32];
        snprintf(file, sizeof file, "position-%03d.fen", n + 1);
        if (!WriteFile(dir + "/" + file, FenPositionText(*game, game->sideToMove))) {
            perror(file);
            return 1;
        }
        manifest += std::string("{\"file\":\"") + file + "\",\"fen\":" +
                    Json(PlacementAndSide(*game, game->sideToMove).c_str()) + "},\n";
    }
    manifest.resize(manifest.size() - 2);
    manifest += "\n]\n";
    if (!WriteFile(dir + "/manifest.json", String(manifest.c_str()))) {
        perror("manifest.json");
        return 1;
    }
    printf("%d game files and %d position files in %s\n", games, positions, dir.c_str());
    return 0;
}
