// varno-engine-bench: time and nodes of the computer's move over a fixed set of
// positions, per level: median and maximum, and optionally every position.
//   varno-engine-bench [--levels N] [--verbose]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <memory>
#include <vector>
#include "tools/common/engine_positions.h"
#include "tools/common/engine_think.h"

template <class T>
static T Median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int main(int argc, char** argv) {
    int maxLevel = 3;
    int verbose = 0;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--levels") == 0 && i + 1 < argc) maxLevel = atoi(argv[++i]);
        else if (strcmp(argv[i], "--verbose") == 0) verbose = 1;
        else {
            fprintf(stderr, "usage: %s [--levels 1..3] [--verbose]\n", argv[0]);
            return 2;
        }
    }
    std::unique_ptr<Game> game(new Game);
    printf("%d positions\n", kEnginePositionCount);
    printf("level | median ms | max ms   | median nodes | max nodes\n");
    for (int level = 1; level <= maxLevel; ++level) {
        std::vector<double> times;
        std::vector<uint64_t> nodes;
        for (int i = 0; i < kEnginePositionCount; ++i) {
            const EnginePosition& p = kEnginePositions[i];
            if (!SetUpPositionWithMoves(*game, p.position, p.moves)) {
                fprintf(stderr, "bad position %s\n", p.name);
                return 1;
            }
            ThinkResult r = ThinkOnce(*game, level);
            times.push_back(r.milliseconds);
            nodes.push_back(r.nodes);
            if (verbose) {
                char text[6];
                fprintf(stderr, "  L%d %-22s %-5s %9d %10llu nodes %9.1f ms\n", level, p.name, MoveText(r.move, text),
                        r.value, (unsigned long long)r.nodes, r.milliseconds);
            }
        }
        printf("%5d | %9.1f | %8.1f | %12llu | %9llu\n", level, Median(times),
               *std::max_element(times.begin(), times.end()), (unsigned long long)Median(nodes),
               (unsigned long long)*std::max_element(nodes.begin(), nodes.end()));
        fflush(stdout);
    }
    return 0;
}
