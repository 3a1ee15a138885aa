#!/usr/bin/env bash
# Compares varno-perft --divide with stockfish's "go perft" root move by root move.
# Usage: perft_vs_stockfish.sh PATH/TO/varno-perft
# Exits 77 (skipped) when stockfish is not installed.
set -euo pipefail
perft=$1
stockfish=$(command -v stockfish || true)
[ -n "$stockfish" ] || { [ -x /usr/games/stockfish ] && stockfish=/usr/games/stockfish; }
if [ -z "$stockfish" ]; then
  echo "stockfish not installed: skipped"
  exit 77
fi

# FEN|depth: the standard positions and a few with en passant, promotions and
# castling under attack for both colours.
positions=(
  "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1|4"
  "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1|3"
  "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1|4"
  "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1|3"
  "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8|3"
  "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10|3"
  "rnbqkb1r/pp1p1ppp/5n2/2pPp3/8/8/PPP1PPPP/RNBQKBNR w KQkq e6 0 4|3"
  "r3k2r/1P4P1/8/8/8/8/1p4p1/R3K2R b KQkq - 0 1|3"
  "4k3/8/8/K2pP2r/8/8/8/8 w - d6 0 1|4"
)

failures=0
for entry in "${positions[@]}"; do
  fen=${entry%|*}
  depth=${entry##*|}
  ours=$("$perft" --divide "$fen" "$depth" | grep ': ' | sort)
  theirs=$(printf 'position fen %s\ngo perft %s\nquit\n' "$fen" "$depth" | "$stockfish" 2>/dev/null |
    grep -E '^[a-h][1-8][a-h][1-8][nbrq]?: [0-9]+$' | sort)
  if [ "$ours" == "$theirs" ]; then
    echo "same: $fen (depth $depth, $(echo "$ours" | wc -l) root moves)"
  else
    echo "DIFFERENT: $fen (depth $depth)"
    diff <(echo "$ours") <(echo "$theirs") | sed 's/^/  /' || true
    failures=$((failures + 1))
  fi
done
echo "$((${#positions[@]} - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
