// varno-perft-bench: perft speed of the move generator, start position to depth 6 and
// "Kiwipete" to depth 5 (moves of the last half-move counted from the list, not
// played), with the same counts from stockfish when it is installed, as a ratio.
//   cmake --build build/native --target varno-perft-bench && build/native/tools/varno-perft-bench
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <chrono>
#include <string>
#include "tools/common/perft.h"
#include "tools/common/position_setup.h"

namespace {

struct Case {
    const char* name;
    const char* fen;
    int depth;
    uint64_t expected;
};

const Case kCases[] = {
    {"start position", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 6, 119060324ULL},
    {"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5, 193690690ULL},
};

const int kRuns = 3;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

const char* FindStockfish() {
    static const char* const kPlaces[] = {"/usr/games/stockfish", "/usr/bin/stockfish", "/usr/local/bin/stockfish"};
    for (const char* place : kPlaces)
        if (access(place, X_OK) == 0) return place;
    return nullptr;
}

// Runs stockfish on `commands`; returns its wall time and the "Nodes searched" count.
double RunStockfish(const char* program, const std::string& commands, uint64_t* nodes) {
    std::string shell = "printf '" + commands + "quit\\n' | " + program + " 2>/dev/null";
    auto start = std::chrono::steady_clock::now();
    FILE* pipe = popen(shell.c_str(), "r");
    if (!pipe) return -1;
    char line[512];
    *nodes = 0;
    while (fgets(line, sizeof line, pipe))
        if (strncmp(line, "Nodes searched:", 15) == 0) *nodes = strtoull(line + 15, nullptr, 10);
    int status = pclose(pipe);
    double seconds = Seconds(start);
    return status == 0 ? seconds : -1;
}

}  // namespace

int main() {
    static Game game;
    const char* stockfish = FindStockfish();
    double startup = 0;
    if (stockfish) {
        uint64_t unused;
        startup = 1e9;  // its start-up time, subtracted from each run
        for (int run = 0; run < kRuns; ++run) {
            double elapsed = RunStockfish(stockfish, "isready\\n", &unused);
            if (elapsed >= 0 && elapsed < startup) startup = elapsed;
        }
    } else {
        printf("stockfish not found: no comparison\n");
    }
    int failures = 0;
    for (const Case& c : kCases) {
        if (!SetUpFromFen(game, c.fen)) {
            printf("%s: cannot set up\n", c.name);
            return 1;
        }
        // Best of three runs: the machine may be busy with other work.
        uint64_t nodes = 0;
        double seconds = 1e9;
        for (int run = 0; run < kRuns; ++run) {
            auto start = std::chrono::steady_clock::now();
            nodes = Perft(game, c.depth);
            double elapsed = Seconds(start);
            if (elapsed < seconds) seconds = elapsed;
        }
        double rate = nodes / seconds;
        printf("%-15s depth %d: %llu nodes in %.3f s = %.1f M nodes/s%s\n", c.name, c.depth,
               (unsigned long long)nodes, seconds, rate / 1e6, nodes == c.expected ? "" : "  WRONG COUNT");
        if (nodes != c.expected) ++failures;
        if (!stockfish) continue;
        std::string commands = std::string("position fen ") + c.fen + "\\ngo perft " + std::to_string(c.depth) + "\\n";
        uint64_t theirNodes = 0;
        double theirSeconds = 1e9;
        for (int run = 0; run < kRuns; ++run) {
            double elapsed = RunStockfish(stockfish, commands, &theirNodes) - startup;
            if (elapsed > 0 && elapsed < theirSeconds) theirSeconds = elapsed;
        }
        if (theirSeconds >= 1e9 || theirNodes == 0) {
            printf("%-15s stockfish: no result\n", "");
            continue;
        }
        double theirRate = theirNodes / theirSeconds;
        printf("%-15s stockfish: %llu nodes in %.3f s = %.1f M nodes/s; stockfish/varno = %.2f\n", "",
               (unsigned long long)theirNodes, theirSeconds, theirRate / 1e6, theirRate / rate);
    }
    return failures ? 1 : 0;
}
