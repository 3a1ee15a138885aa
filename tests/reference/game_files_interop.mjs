// Reads every game and position file of a folder written by varno-game-files with
// chess.js and compares what it reads with the folder's manifest: the same moves, the
// same players and the same final position (placement and side to move).
//
// Usage: node game_files_interop.mjs FOLDER NODE_MODULES OUT
// The Result tag is the one accepted difference: this program writes "1 - 0", "0 - 1",
// "1/2 - 1/2" and "? - ?" and no result at the end of the moves; the files are given to
// chess.js with the tag in the standard form. For pgn-extract, OUT receives the same
// normalised games (with the standard result after the moves: without it pgn-extract
// skips a game), one game per position file with the position as its FEN tag, and the
// moves each game must read to (expected-uci.txt, one game per line).
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';

const [folder, modules, out] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const { Chess } = createRequire(join(resolve(modules), 'x.js'))('chess.js');

const kStandardResult = { '1 - 0': '1-0', '0 - 1': '0-1', '1/2 - 1/2': '1/2-1/2', '? - ?': '*' };

function normaliseResult(pgn) {
  return pgn.replace(/\[Result "([^"]*)"\]/, (tag, value) => `[Result "${kStandardResult[value] ?? value}"]`);
}

const forPgnExtract = [];
const expectedUci = [];

const placementAndSide = (fen) => fen.split(' ').slice(0, 2).join(' ');

const manifest = JSON.parse(readFileSync(join(folder, 'manifest.json'), 'latin1'));
const failures = [];
let games = 0, positions = 0, halfMoves = 0;
for (const entry of manifest) {
  const text = readFileSync(join(folder, entry.file), 'latin1');
  const chess = new Chess();
  try {
    if (entry.file.endsWith('.pgn')) {
      chess.loadPgn(normaliseResult(text));
      const moves = chess.history({ verbose: true }).map((m) => m.from + m.to + (m.promotion ?? ''));
      if (moves.join(' ') !== entry.moves.join(' '))
        failures.push(`${entry.file}: moves differ at half-move ${moves.findIndex((m, i) => m !== entry.moves[i])}` +
                      ` (${moves.length} read, ${entry.moves.length} written)`);
      const headers = chess.getHeaders ? chess.getHeaders() : chess.header();
      if (headers.White !== entry.white || headers.Black !== entry.black)
        failures.push(`${entry.file}: players read as "${headers.White}" and "${headers.Black}"`);
      if (headers.Result !== kStandardResult[entry.result])
        failures.push(`${entry.file}: result read as "${headers.Result}", written "${entry.result}"`);
      games += 1;
      halfMoves += moves.length;
      forPgnExtract.push(`${normaliseResult(text)} ${kStandardResult[entry.result]}\n`);
      expectedUci.push(entry.moves.join(' '));
    } else {
      chess.load(text);
      positions += 1;
      forPgnExtract.push(`[Event "${entry.file}"]\n[SetUp "1"]\n[FEN "${text}"]\n\n*\n`);
    }
    if (placementAndSide(chess.fen()) !== entry.fen)
      failures.push(`${entry.file}: position read as ${placementAndSide(chess.fen())}, written ${entry.fen}`);
  } catch (error) {
    failures.push(`${entry.file}: refused: ${error.message}`);
  }
}
writeFileSync(join(out, 'all.pgn'), forPgnExtract.join('\n'), 'latin1');
writeFileSync(join(out, 'expected-uci.txt'), expectedUci.join('\n') + '\n', 'latin1');
console.log(`chess.js read ${games} game files (${halfMoves} half-moves) and ${positions} position files`);
for (const failure of failures) console.log(`FAIL ${failure}`);
process.exit(failures.length ? 1 : 0);
