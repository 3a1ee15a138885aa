"""Helpers for the end-to-end tests of playing: clicks on squares, the New game dialog,
the break question, greyed menu items and the board read back from a screenshot, with
a small replay of the move list's rows to know what the board should show. What is
not about playing comes from harness.
"""
import time

import harness
from harness import ImageChops, ImageStat, sheet_cell, square_name, start_position

SQUARE = 64          # square size at scale 100 (the default settings)
BOARD_ORIGIN = 20    # client pixel of the board's top-left corner
# The side panel at scale 100 with the default colours, in client pixels.
LIST_LEFT, LIST_TOP, LIST_WIDTH, LIST_HEIGHT, ROW_HEIGHT = 552, 148, 128, 256, 25
TOP_NAME = (532, 84, 700, 116)
# (the list's frame runs along the bottom name strip's first row)
BOTTOM_NAME = (532, LIST_TOP + LIST_HEIGHT + 1, 700, LIST_TOP + LIST_HEIGHT + 32)
BOTTOM_CLOCK = (LIST_LEFT, LIST_TOP + LIST_HEIGHT + 32, LIST_LEFT + LIST_WIDTH,
                LIST_TOP + LIST_HEIGHT + 64)
BACKGROUND, INK, SELECTED_BACKGROUND = (128, 128, 128), (255, 255, 255), (96, 96, 96)
PIECE_LETTERS = {"N": 2, "B": 3, "R": 4, "Q": 5, "K": 6}
BREAK_QUESTION = "Break AI move. Are you sure?"
GAME_OVER_TEXTS = [
    "Game over.\nBlack wins by checkmate.",
    "Game over.\nWhite wins by checkmate.",
    "Game over.\nStalemate.",
    "Game over.\nNeither player has sufficient material to force checkmate.\nThis game is a draw.",
    "Game over.\nThis position has been repeated three times.\nThis game is a draw.",
    "Game over.\nNo pawns moved or pieces captured in last fifty moves.\nThis game is a draw.",
    "Game over.\nThe game has reached 400 half-moves.\nThis game is a draw.",
]


class Play:
    """Playing in the window a harness.Session started last."""

    def __init__(self, session):
        self.session = session

    def menu_items_greyed(self, menu_key, name):
        """Opens a menu of the menu bar with its Alt key and reads from the screen which
        of its text items are drawn grey (in order, separators skipped)."""
        session = self.session
        session.key(menu_key)
        popup = harness.wait_until(
            lambda: next((w for w in session.windows() if w.cls == "#32768" and w.visible), None),
            10)
        greyed = None
        if popup is not None:
            greyed = greyed_text_rows(session.screenshot(name).crop(popup.rect))
        session.key("Escape", "Escape")
        return greyed

    def click_square(self, square, pause=0.3):
        self.session.click(*square_centre(square), pause=pause)

    def ask_break(self, then=None, timeout=30, also=()):
        """Presses Escape and holds it while `then` runs (a person's click that gives
        the computer its turn) and a moment after; returns the break question, or a
        box whose text is in `also`, once shown (else None). Any other box is not
        taken for it. The key is let go before the X server repeats it: under Wine a
        repeated Escape answers the question at once."""
        self.session.xdotool("keydown", "Escape", pause=0)
        try:
            if then is not None:
                then()
            time.sleep(0.3)
        finally:
            self.session.xdotool("keyup", "Escape", pause=0)
        return self.session.wait_message([BREAK_QUESTION, *also], timeout)

    def play(self, *moves):
        """Plays moves like "e2e4" by clicking their two squares."""
        for move in moves:
            self.click_square(move[:2])
            self.click_square(move[2:4])

    def new_game(self, white="Human", white_name="", black="Computer", black_name="",
                 level="Normal", discard=False):
        """Starts a game with the New game dialog, driven by keys as a person would. With
        `discard`, the offer to save the changed game before it is answered No."""
        dialog = self.open_new_game(discard)
        fill_new_game(self.session, white, white_name, black, black_name, level)
        self.session.key("Return")
        if not self.session.wait_no_dialog("New game"):
            raise AssertionError("the New game dialog stayed open")
        return dialog

    def open_new_game(self, discard=False):
        self.session.key("alt+g")
        self.session.key("Return")
        if discard:
            self.discard_offer()
        dialog = self.session.wait_dialog("New game")
        if dialog is None:
            raise AssertionError("the New game dialog did not open")
        return dialog


    def discard_offer(self):
        """Answers No to the offer to save the current game, which must be open."""
        box = self.session.wait_message("Save current game?", 10)
        if box is None:
            other = self.session.any_message(0)
            raise AssertionError(f"no offer to save: {other.message() if other else 'no box'}")
        self.session.click_control(box, 7)  # No
        self.session.wait_no_dialog("Varno-4")

    def close_discarding(self, program, timeout=30):
        """Closes the window; a changed game's offer to save is answered No. Returns the
        exit code (None when the program is still running after `timeout` seconds)."""
        session = self.session
        session.probe("close")
        asked = harness.wait_until(
            lambda: not program.running() or any(w.title == "Varno-4" and w.visible
                                                 for w in session.windows()), 15)
        if asked and program.running():
            self.discard_offer()
        return program.wait_exit(timeout)


def fill_new_game(session, white, white_name, black, black_name, level):
    """Focus starts on White's type list (Human); Tab walks the dialog's controls."""
    key = session.key
    if white == "Computer":
        key("Up")
    key("Tab")
    if white_name:
        session.type_text(white_name)
    key("Tab")
    if black == "Human":
        key("Down")
    key("Tab")
    if black_name:
        session.type_text(black_name)
    if white == "Computer" or black == "Computer":
        key("Tab")
        if level == "Easy":
            key("Up")


def list_rows_drawn(shot, count, selected):
    """What the move list's pixels show, as faults (empty when right): each of the
    `count` first rows holds ink, the `selected` row has the selection's background,
    the others and the room below the rows the plain one."""
    faults = []
    for row in range(LIST_HEIGHT // ROW_HEIGHT):
        top = LIST_TOP + row * ROW_HEIGHT
        band = shot.crop((LIST_LEFT, top, LIST_LEFT + LIST_WIDTH, top + ROW_HEIGHT))
        ink = harness.ink_pixels(band, INK)
        background = max(band.getcolors(LIST_WIDTH * ROW_HEIGHT))[1]  # the commonest colour
        want = SELECTED_BACKGROUND if row == selected else BACKGROUND
        if row < count and ink < 10:
            faults.append(f"row {row} has no ink")
        if row >= count and ink:
            faults.append(f"row {row} past the last has ink")
        if background != want:
            faults.append(f"row {row} background {background} != {want}")
    return faults


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


class BoardReader:
    """Reads every square of a client screenshot back as the sheet cell it shows."""

    def __init__(self, sheet):
        self.sheet = sheet
        self.cells = []
        for kind in range(7):
            for column in range(10):
                if kind == 0 and column > 4:
                    continue  # the logo and unused cells
                self.cells.append((kind, column, sheet_cell(sheet, column, kind)))

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

def parse_row(text):
    """The move of a row without its number and check marks ("Ng1-f3", "0-0", ...);
    None for the begin row."""
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
