#!/usr/bin/env bash
# Game and position files written as the program writes them, read by chess readers of
# other makers: chess.js (npm, pinned, installed into the build folder) must read every
# file to the same moves, players and position; pgn-extract (Debian) must parse every
# file and read the games to the same moves.
# Usage: game_files_interop.sh PATH/TO/varno-game-files WORK_FOLDER
# Exits 77 (skipped) when node or npm is missing, or chess.js cannot be installed.
set -euo pipefail
tool=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
chess_js_version=1.4.0
games=200
positions=200

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "node or npm not installed: skipped"
  exit 77
fi
modules=$work/node_modules
installed=$(node -p "require('$modules/chess.js/package.json').version" 2>/dev/null || true)
if [ "$installed" != "$chess_js_version" ]; then
  mkdir -p "$work"
  if ! npm install --prefix "$work" --no-audit --no-fund --silent "chess.js@$chess_js_version"; then
    echo "chess.js $chess_js_version could not be installed from npm: skipped"
    exit 77
  fi
fi

rm -rf "$work/files" "$work/pgn-extract"
mkdir -p "$work/files"
"$tool" "$work/files" "$games" "$positions"
node "$here/game_files_interop.mjs" "$work/files" "$modules" "$work/pgn-extract"

pgn_extract=$(command -v pgn-extract || true)
[ -n "$pgn_extract" ] || { [ -x /usr/games/pgn-extract ] && pgn_extract=/usr/games/pgn-extract; }
if [ -z "$pgn_extract" ]; then
  echo "FAIL pgn-extract not installed"
  exit 1
fi
cd "$work/pgn-extract"
# The files as written: the one diagnostic allowed is the missing result at the end of
# the moves (the program writes none), with pgn-extract's line naming the game.
"$pgn_extract" -s -r -l raw.log ../files/game-*.pgn >/dev/null
missing=$(grep -c '^Missing result\.$' raw.log || true)
lines=$(wc -l < raw.log)
if [ "$missing" != "$games" ] || [ "$lines" != $((2 * games)) ]; then
  echo "FAIL pgn-extract on the written game files:"
  grep -v '^Missing result\.$' raw.log | head -20
  exit 1
fi
# The normalised games and the positions: no diagnostic at all, and the same moves.
"$pgn_extract" -s -Wuci -w 100000 --nomovenumbers --noresults -C -N -V --notags \
  -l normalised.log -o uci.txt all.pgn
if [ -s normalised.log ]; then
  echo "FAIL pgn-extract diagnostics:"
  head -20 normalised.log
  exit 1
fi
# One line per game; the position files' games have no moves and leave a lone "*".
# pgn-extract writes the promotion letter in capitals.
grep -v -e '^$' -e '^\*$' uci.txt | sed 's/ *$//' | tr 'NBRQ' 'nbrq' > read-uci.txt
if ! diff -q expected-uci.txt read-uci.txt >/dev/null; then
  echo "FAIL pgn-extract read other moves:"
  diff expected-uci.txt read-uci.txt | head -5 | cut -c1-200
  exit 1
fi
echo "pgn-extract parsed $games game files and $positions position files and read the games to the same moves"
