// varno-perft [--divide] FEN DEPTH
// Prints the perft node count of the position on its last line; with --divide, first
// one line per root move ("e2e4: 8102"), in the generator's order.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "tools/common/perft.h"
#include "tools/common/position_setup.h"

namespace {

void PrintDivideLine(const char* move, uint64_t nodes, void*) {
    printf("%s: %llu\n", move, (unsigned long long)nodes);
}

int Usage() {
    fprintf(stderr, "usage: varno-perft [--divide] FEN DEPTH\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    int divide = 0;
    if (argc > 1 && strcmp(argv[1], "--divide") == 0) {
        divide = 1;
        first = 2;
    }
    if (argc - first < 2) return Usage();
    // The FEN may come as one argument or as its six fields.
    std::string fen;
    for (int i = first; i < argc - 1; ++i) {
        if (!fen.empty()) fen += ' ';
        fen += argv[i];
    }
    char* end = nullptr;
    long depth = strtol(argv[argc - 1], &end, 10);
    if (*end != '\0' || depth < 0 || depth > 12) return Usage();

    static Game game;  // large: keep it off the stack
    if (!SetUpFromFen(game, fen.c_str())) {
        fprintf(stderr, "varno-perft: cannot read FEN: %s\n", fen.c_str());
        return 1;
    }
    uint64_t nodes = divide && depth > 0 ? PerftDivide(game, int(depth), PrintDivideLine, nullptr)
                                         : Perft(game, int(depth));
    if (divide) printf("\n");
    printf("%llu\n", (unsigned long long)nodes);
    return 0;
}
