"""Helpers for the end-to-end tests of playing: dialogs and message boxes seen through
varno-4-play-probe.exe, the board read back from a screenshot, clicks on squares, and
a small replay of the move list's rows to know what the board should show.
"""
import os
import subprocess
import tempfile
import time

import harness
from harness import Image

try:
    from PIL import ImageChops, ImageStat
except ImportError:
    from PIL import ImageChops, ImageStat  # noqa: F401  (path set up by harness)

PROBE_NAME = "varno-4-play-probe.exe"
PROBE_SOURCE = os.path.join(harness.REPO, "tests", "e2e", "probe", "play_probe.cpp")
SQUARE = 64          # square size at scale 100 (the default settings)
BOARD_ORIGIN = 20    # client pixel of the board's top-left corner
PIECE_LETTERS = {"N": 2, "B": 3, "R": 4, "Q": 5, "K": 6}
KIND_NAMES = ["empty", "pawn", "knight", "bishop", "rook", "queen", "king"]


def find_probe(session):
    """The play probe built beside the program; built into the output dir with the
    cross compiler when the build did not make it."""
    beside = os.path.join(os.path.dirname(session.exe), PROBE_NAME)
    if os.path.exists(beside):
        return beside
    built = os.path.join(session.out_dir, PROBE_NAME)
    if not os.path.exists(built):
        subprocess.run(["x86_64-w64-mingw32-g++-posix", "-O2", "-static", PROBE_SOURCE,
                        "-o", built, "-luser32"], check=True)
    return built


class Window:
    """A dialog or message box of the program as the probe reported it."""

    def __init__(self, title, cls, rect, visible):
        self.title, self.cls, self.rect, self.visible = title, cls, rect, visible
        self.controls = []

    def control(self, control_id):
        for c in self.controls:
            if c["id"] == control_id:
                return c
        return None

    def message(self):
        """The longest static text: a message box's message."""
        texts = [c["text"] for c in self.controls if c["cls"].lower() == "static" and c["text"]]
        return max(texts, key=len) if texts else ""


def parse_rect(text):
    return tuple(int(v) for v in text.split())


class Play:
    def __init__(self, session):
        self.session = session
        self.probe_exe = find_probe(session)

    def probe(self, *args, timeout=60):
        """Runs the play probe: (exit code, output lines); (None, []) on a timeout. The
        output goes through a file: a wine server started by the call would hold a pipe."""
        with tempfile.TemporaryFile(mode="w+", errors="replace",
                                    dir=self.session.temp_root) as out:
            try:
                code = subprocess.run(["wine", self.probe_exe] + [str(a) for a in args],
                                      env=self.session.env, stdout=out,
                                      stderr=subprocess.DEVNULL, timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                return None, []
            out.seek(0)
            return code, [line.rstrip("\r\n") for line in out]

    # -- the program's windows -------------------------------------------------------
    def windows(self):
        found = []
        for line in self.probe("windows")[1]:
            if line.startswith("window "):
                title, cls, rect, visible = line[7:].split("|", 3)
                found.append(Window(title, cls, parse_rect(rect), visible == "1"))
            elif line.startswith("control ") and found:
                cid, cls, rect, enabled, readonly, image, text = line[8:].split("|", 6)
                found[-1].controls.append({"id": int(cid), "cls": cls, "rect": parse_rect(rect),
                                           "enabled": enabled == "1", "readonly": readonly == "1",
                                           "image": image == "1", "text": text})
        return found

    def wait_window(self, title, timeout=15):
        """The shown window of that title, once there is one."""
        def look():
            for w in self.windows():
                if w.title == title and w.visible:
                    return w
            return None
        return harness.wait_until(look, timeout, interval=0.3)

    def wait_no_window(self, title, timeout=15):
        """True once no window of that title exists. Under Wine without a window manager
        a closed dialog lingers hidden for a while, and input meanwhile can be lost."""
        return harness.wait_until(lambda: all(w.title != title for w in self.windows()),
                                  timeout, interval=0.3)

    def wait_message(self, timeout=15):
        """A message box (caption "Varno-4") once one is open, else None."""
        return self.wait_window("Varno-4", timeout)

    def rows(self):
        """(rows of the move list, selected row), or (None, None) when unreadable."""
        code, lines = self.probe("rows")
        if code != 0:
            return None, None
        rows, selected = [], None
        for line in lines:
            if line.startswith("row "):
                rows.append(line[4:])
            elif line.startswith("selected "):
                selected = int(line.split()[1])
        return rows, selected

    def menu_items_greyed(self, menu_key, name):
        """Opens a menu of the menu bar with its Alt key and reads from the screen which
        of its text items are drawn grey (in order, separators skipped)."""
        self.session.key(menu_key)
        popup = harness.wait_until(
            lambda: next((w for w in self.windows() if w.cls == "#32768" and w.visible), None), 10)
        greyed = None
        if popup is not None:
            greyed = greyed_text_rows(self.session.screenshot(name).crop(popup.rect))
        self.session.key("Escape", "Escape")
        return greyed

    def set_clipboard(self, text):
        if self.probe("clipboard", text)[0] != 0:
            raise AssertionError("the clipboard could not be set")

    def click_screen(self, x, y):
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"],
                       env=self.session.env, check=True)
        time.sleep(0.3)

    def click_control(self, window, control_id):
        left, top, right, bottom = window.control(control_id)["rect"]
        self.click_screen((left + right) // 2, (top + bottom) // 2)

    def type_text(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], env=self.session.env,
                       check=True)
        time.sleep(0.3)

    def title(self):
        code, lines = self.session.probe("find")
        return lines[0] if code == 0 and lines else None

    # -- the board -------------------------------------------------------------------
    def client_origin(self):
        if not hasattr(self, "_origin"):
            x, y, _, _ = self.session.client_rect()
            self._origin = (x, y)
        return self._origin

    def click_square(self, square, button=1, then_keys=(), pause=0.3):
        """Clicks the middle of a square; `then_keys` are pressed in the same breath."""
        cx, cy = self.client_origin()
        x, y = square_centre(square)
        command = ["xdotool", "mousemove", "--sync", str(cx + x), str(cy + y), "click", str(button)]
        if then_keys:
            command += ["key"] + list(then_keys)
        subprocess.run(command, env=self.session.env, check=True)
        time.sleep(pause)

    def ask_break(self, timeout=30):
        """Holds Escape until the break question shows; returns it (None if none)."""
        env = self.session.env
        subprocess.run(["xdotool", "keydown", "Escape"], env=env, check=True)
        question = self.wait_message(timeout)
        subprocess.run(["xdotool", "keyup", "Escape"], env=env, check=True)
        return question

    def play(self, *moves):
        """Plays moves like "e2e4" by clicking their two squares."""
        for move in moves:
            self.click_square(move[:2])
            self.click_square(move[2:4])

    def board_shot(self, name):
        """A client screenshot at once (no probe call in between), kept as <name>.png."""
        cx, cy = self.client_origin()
        path = os.path.join(self.session.out_dir, name + ".png")
        shot = self.session.screenshot(name).crop((cx, cy, cx + 700, cy + 552))
        shot.save(path)
        return shot

    def wait_rows(self, count, timeout=60):
        """Rows once the list holds at least `count` of them (the last rows read)."""
        rows = harness.wait_until(lambda: (lambda r: r if r and len(r) >= count else None)(
            self.rows()[0]), timeout, interval=0.2)
        return rows or self.rows()[0]

    def new_game(self, white="Human", white_name="", black="Computer", black_name="",
                 level="Normal"):
        """Starts a game with the New game dialog, driven by keys as a person would."""
        dialog = self.open_new_game()
        fill_new_game(self, white, white_name, black, black_name, level)
        self.session.key("Return")
        if not self.wait_no_window("New game"):
            raise AssertionError("the New game dialog stayed open")
        return dialog

    def open_new_game(self):
        self.session.key("alt+g")
        self.session.key("Return")
        dialog = self.wait_window("New game")
        if dialog is None:
            raise AssertionError("the New game dialog did not open")
        return dialog


def fill_new_game(play, white, white_name, black, black_name, level):
    """Focus starts on White's type list (Human); Tab walks the dialog's controls."""
    key = play.session.key
    if white == "Computer":
        key("Up")
    key("Tab")
    if white_name:
        play.type_text(white_name)
    key("Tab")
    if black == "Human":
        key("Down")
    key("Tab")
    if black_name:
        play.type_text(black_name)
    if white == "Computer" or black == "Computer":
        key("Tab")
        if level == "Easy":
            key("Up")


def greyed_text_rows(image):
    """For each band of rows that holds text in a picture of a popup menu: True when
    its text is grey (a disabled item), False when it is dark or on the highlight."""
    pixels = image.load()
    width, height = image.size
    bands, current = [], None
    for y in range(height):
        background = pixels[4, y]
        far = max((pixels[x, y] for x in range(4, width - 4)),
                  key=lambda p: sum(abs(p[k] - background[k]) for k in range(3)))
        if sum(abs(far[k] - background[k]) for k in range(3)) > 150:
            if current is None:
                current = {"text": far, "background": background, "rows": 0}
                bands.append(current)
            elif max(far) < max(current["text"]):
                current["text"] = far
            current["rows"] += 1
        else:
            current = None
    text_bands = [b for b in bands if b["rows"] >= 4]  # separators are thin lines
    return [sum(b["background"]) > 450 and max(b["text"]) >= 80 for b in text_bands]


def square_centre(square):
    """Client pixel at the middle of a square named like "e2" (White at the bottom)."""
    x = ord(square[0]) - ord("a")
    y = int(square[1]) - 1
    return (BOARD_ORIGIN + x * SQUARE + SQUARE // 2, BOARD_ORIGIN + (7 - y) * SQUARE + SQUARE // 2)


def square_name(x, y):
    return "abcdefgh"[x] + str(y + 1)


class BoardReader:
    """Reads every square of a client screenshot back as the sheet cell it shows."""

    def __init__(self, sheet):
        self.cells = []
        for kind in range(7):
            for column in range(10):
                if kind == 0 and column > 4:
                    continue  # the logo and unused cells
                cell = sheet.crop((column * 64, kind * 64, column * 64 + 64, kind * 64 + 64))
                self.cells.append((kind, column, cell))

    def read(self, shot):
        """{square: (kind, colour, background)}; background 0/1 plain, 2 target,
        3 selected or refused, 4 last move."""
        board = {}
        for y in range(8):
            for x in range(8):
                left = BOARD_ORIGIN + x * SQUARE
                top = BOARD_ORIGIN + (7 - y) * SQUARE
                tile = shot.crop((left, top, left + SQUARE, top + SQUARE))
                best = None
                for kind, column, cell in self.cells:
                    diff = sum(ImageStat.Stat(ImageChops.difference(tile, cell)).mean)
                    if best is None or diff < best[0]:
                        best = (diff, kind, column)
                _, kind, column = best
                colour = 1 if column >= 5 else 0
                board[square_name(x, y)] = (kind, colour if kind else None, column % 5)
        return board


def pieces(read_board):
    """Only the pieces of a board read back: {square: (kind, colour)}."""
    return {sq: (k, c) for sq, (k, c, _) in read_board.items() if k}


def marked(read_board, background):
    return sorted(sq for sq, (_, _, b) in read_board.items() if b == background)


# -- replaying the move list's rows ----------------------------------------------------

def start_position():
    board = {}
    back = [4, 2, 3, 5, 6, 3, 2, 4]
    for x in range(8):
        board[square_name(x, 0)] = (back[x], 0)
        board[square_name(x, 1)] = (1, 0)
        board[square_name(x, 6)] = (1, 1)
        board[square_name(x, 7)] = (back[x], 1)
    return board


def parse_row(text):
    """(kind letter or '', from, to, promotion letter or '') of a row's move, or
    ('K', castling) rows as king moves; None for the begin row."""
    body = text.strip()
    if body.endswith("."):
        return None
    if "." in body.split(" ")[0]:
        body = body.split(" ", 1)[1].strip()
    body = body.rstrip("+#")
    return body


def replay(rows):
    """The position after the rows of a game from the start position, and the first
    row whose move does not fit the board it was played on (None when all fit)."""
    board = start_position()
    problem = None
    for index, text in enumerate(rows[1:]):
        colour = index % 2
        body = parse_row(text)
        home = "1" if colour == 0 else "8"
        if body in ("0-0", "0-0-0"):
            king_to, rook_from, rook_to = ("g", "h", "f") if body == "0-0" else ("c", "a", "d")
            if board.get("e" + home) != (6, colour) and problem is None:
                problem = text
            board.pop("e" + home, None)
            board[king_to + home] = (6, colour)
            board.pop(rook_from + home, None)
            board[rook_to + home] = (4, colour)
            continue
        kind = PIECE_LETTERS.get(body[0], 1)
        if body[0] in PIECE_LETTERS:
            body = body[1:]
        src, dst = body[0:2], body[3:5]
        promotion = PIECE_LETTERS.get(body[6], 5) if "=" in body else None
        target = board.get(dst)
        if board.get(src) != (kind, colour) or (target and target[1] == colour):
            problem = problem or text
        if kind == 1 and src[0] != dst[0] and target is None:
            board.pop(dst[0] + src[1], None)  # en passant
        board.pop(src, None)
        board[dst] = (promotion or kind, colour)
    return board, problem
