"""Game and position files in the real window under Wine: Game/Save with the proposed
name and the file's bytes, the Load dialog's list, preview and refusals, Load, Delete,
position files saved from a browsed row, the replace question, refused names, a
finished game and its game-over warning, failed saves, and the offer to save before
New game and before the window closes.

    python3 test_files.py <path-to-varno-4.exe> <output-dir>

Every game here is played by two persons, so nothing depends on the computer's moves.
Screenshots of every run stay in the output dir.
"""
import datetime
import os
import re
import subprocess
import sys
import time

import harness
import play_support
from harness import Image, ImageChops, ImageStat, read_bytes
from play_support import pieces, replay

# Menu items by their place in the popup (separators are skipped by the arrow keys).
GAME, POSITION = "alt+g", "alt+p"
NEW, LOAD, SAVE = 0, 1, 2
IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7
LIST, PREVIEW, DELETE = 1012, 1013, 3

# The short date the tests ask Wine for, so the proposed names are known.
SHORT_DATE = "dd.MM.yyyy"
INTERNATIONAL = r"HKCU\Control Panel\International"

GAME_MOVES = ["e2e4", "d7d5", "e4d5", "d8d5", "b1c3", "d5e5"]
GAME_MOVETEXT = "1. e4 d5 2. exd5 Qxd5 3. Nc3 Qe5+ "
FEN_AFTER_E4_D5 = b"rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w - - 0 1"
FEN_AFTER_E4 = b"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b - - 0 1"
MATED_FEN = b"rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w - - 0 1"
PREVIEW_TEXTS = ["File not selected", "File not found", "Error open file", "File is too big",
                 "Not begin position", " Error position", " Game over"]


def proposed_date(moment):
    return moment.strftime("%d_%m_%Y")


def proposed_game_name(white, black, moment):
    return f"[{white}]-[{black}]-[{proposed_date(moment)}]-[{moment.strftime('%H-%M')}]"


def proposed_position_name(moment):
    return f"[{proposed_date(moment)}] [{moment.strftime('%H-%M')}]"


class Run:
    """One started program in a fresh folder, with helpers for menus, dialogs and boxes."""

    def __init__(self, session, results, name, prepare=None):
        self.session = session
        self.results = results
        self.name = name
        self.workdir = session.new_workdir(name)
        if prepare:
            prepare(self.workdir)
        self.program = session.start(self.workdir)
        session.wait_window()
        self.play = play_support.Play(session)
        self.sheet = harness.skin_sheet(0)
        self.reader = play_support.BoardReader(self.sheet)

    def save_dir(self, *parts):
        return os.path.join(self.workdir, "Save", *parts)

    def saved_files(self):
        folder = self.save_dir()
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

    def command(self, menu, index):
        self.session.key(menu)
        self.session.key(*(["Down"] * index), "Return")

    def dialog(self, title, timeout=15):
        return self.session.wait_dialog(title, timeout)

    def answer(self, text, button, label, timeout=15):
        """Checks that a message box with exactly `text` is open and presses `button`."""
        box = self.session.wait_message(text, timeout)
        other = None if box else self.session.any_message(0)
        shown = box.message() if box else (other.message() if other else None)
        ok = self.results.check(f"{label}: the box says {text!r}", shown == text, repr(shown))
        if box:
            self.session.screenshot(f"{self.name}-box-" + re.sub(r"[^a-z0-9]+", "-", label.lower()))
            self.session.click_control(box, button)
            self.session.wait_no_dialog("Varno-4")
        return ok

    def no_box(self, label, timeout=2):
        box = self.session.any_message(timeout)
        self.results.check(f"{label}: no message box", box is None, box.message() if box else "")

    def close_dialog(self, title, button):
        window = self.dialog(title)
        if window:
            self.session.click_control(window, button)
        self.session.wait_no_dialog(title)

    def board(self, label):
        return pieces(self.reader.read(self.session.client_shot(f"{self.name}-{label}")))


# -- the Load dialog -----------------------------------------------------------------

class LoadDialog:
    """The open Load dialog: its list, buttons and preview."""

    def __init__(self, run, title):
        self.run = run
        self.session = run.session
        self.title = title
        self.window = run.dialog(title)
        if self.window is None:
            raise AssertionError(f"the dialog {title!r} did not open")
        self.texts = {}

    def refresh(self):
        self.window = self.run.dialog(self.title)
        return self.window

    def rows(self):
        return self.session.list_rows(self.title, LIST)[0]

    def buttons(self):
        """(Load enabled, Delete enabled)."""
        window = self.refresh()
        return window.control(IDOK)["enabled"], window.control(DELETE)["enabled"]

    def click_row(self, name, double=False):
        rows, _, height = self.session.list_rows(self.title, LIST)
        left, top, _, _ = self.window.control(LIST)["rect"]
        x, y = left + 30, top + 2 + rows.index(name) * height + height // 2
        self.session.click_screen(x, y, count=2 if double else 1)
        time.sleep(0.4)

    def preview_shot(self, label):
        return self.session.screenshot(f"{self.run.name}-preview-{label}",
                                       self.window.control(PREVIEW)["rect"])

    def preview_text(self, label):
        """Which of the preview's texts the preview shows exactly; None when none."""
        shot = self.preview_shot(label)
        for text in PREVIEW_TEXTS:
            if text not in self.texts:
                self.texts[text] = self.session.rendered_text(text, *shot.size)
            if shot.tobytes() == self.texts[text].tobytes():
                return text
        return None

    def preview_board(self, label):
        """The preview read back as {square: (kind, colour)}, a8 at the top left."""
        shot = self.preview_shot(label)
        cells = []
        for kind in range(7):
            for column in range(10):
                if kind == 0 and column > 4:
                    continue
                cell = harness.sheet_cell(self.run.sheet, column, kind).resize((32, 32), Image.BOX)
                cells.append((kind, column, cell))
        board = {}
        for i in range(8):
            for j in range(8):
                tile = shot.crop((1 + 32 * j, 1 + 32 * i, 33 + 32 * j, 33 + 32 * i))
                _, kind, column = min(
                    ((sum(ImageStat.Stat(ImageChops.difference(tile, cell)).mean), kind, column)
                     for kind, column, cell in cells), key=lambda t: t[0])
                if kind:
                    board[harness.square_name(j, 7 - i)] = (kind, 1 if column >= 5 else 0)
        return board


def open_load(run, menu):
    run.command(menu, LOAD)
    return LoadDialog(run, "Load game" if menu == GAME else "Load position")


# -- the groups of checks ------------------------------------------------------------

def game_file_round_trip(session, results):
    run = Run(session, results, "game")
    check = results.check
    started = datetime.datetime.now()
    run.play.new_game(white_name="Ann", black="Human", black_name="Bob")
    run.play.play(*GAME_MOVES)
    rows = session.wait_rows(7, timeout=10)
    position, problem = replay(rows)
    check("the game is listed as played", len(rows) == 7 and problem is None, str(rows))

    before = datetime.datetime.now()
    run.command(GAME, SAVE)
    dialog = run.dialog("Save game")
    after = datetime.datetime.now()
    session.screenshot("game-save-name")
    name = dialog.control(1017)["text"] if dialog else None
    allowed = {proposed_game_name("Ann", "Bob", m) for m in (before, after)}
    check("Game/Save proposes [White]-[Black]-[short date]-[HH-MM]", name in allowed,
          f"{name!r} not in {allowed}")
    session.key("Return")
    run.answer("Game saved", IDOK, "game saved")
    elapsed = (datetime.datetime.now() - started).total_seconds()

    check("the file is in Save under the accepted name", run.saved_files() == [f"{name}.pgn"],
          str(run.saved_files()))
    data = read_bytes(run.save_dir(f"{name}.pgn")) if run.saved_files() else b""
    clocks = re.search(rb"TIME WHITE SIDE = (\d\d):(\d\d):(\d\d); TIME BLACK SIDE = (\d\d):(\d\d):(\d\d);",
                       data)
    check("the information comment holds both clocks as HH:MM:SS", clocks is not None, repr(data))
    if clocks:
        v = [int(g) for g in clocks.groups()]
        white, black = v[0] * 3600 + v[1] * 60 + v[2], v[3] * 3600 + v[4] * 60 + v[5]
        check("the clocks written are the persons' times", white + black <= elapsed + 1,
              f"{white} + {black} > {elapsed:.0f}")
        expected = {('[Event "Varno-4: Local game {Human VS Human}"]\r\n[Site "Local"]\r\n'
                     '[Round "-"]\r\n[White "Ann"]\r\n[Black "Bob"]\r\n'
                     f'[Date "{m.year}.{m.month:02d}.{m.day:02d}"]\r\n[Result "? - ?"]\r\n'
                     f"{{VARNO-4 INFORMATION; TIME WHITE SIDE = {v[0]:02d}:{v[1]:02d}:{v[2]:02d}; "
                     f"TIME BLACK SIDE = {v[3]:02d}:{v[4]:02d}:{v[5]:02d};}}\r\n\r\n"
                     + GAME_MOVETEXT).encode() for m in (before, after)}
        check("the game file holds the tags, the comment and the moves byte for byte",
              data in expected, repr(data))

    # A move more, so that loading offers to save; No goes on to the Load dialog.
    run.play.play("f1e2")
    session.wait_rows(8, timeout=10)
    run.command(GAME, LOAD)
    run.answer("Save current game?", IDNO, "load after a change")
    load = LoadDialog(run, "Load game")
    session.screenshot("game-load-opened")
    check("the Load dialog lists the saved game", load.rows() == [f"{name}.pgn"], str(load.rows()))
    check("the preview reads File not selected", load.preview_text("opened") == "File not selected")
    check("Load and Delete are disabled before a file is selected", load.buttons() == (False, False),
          str(load.buttons()))
    load.click_row(f"{name}.pgn")
    session.screenshot("game-load-selected")
    shown = load.preview_board("selected")
    check("the preview shows the saved game's last position", shown == position,
          f"{sorted(shown.items())} != {sorted(position.items())}")
    check("Load and Delete are enabled for a readable file", load.buttons() == (True, True),
          str(load.buttons()))
    session.click_control(load.refresh(), IDOK)
    check("Load closes the dialog", session.wait_no_dialog("Load game"))
    loaded = session.rows()
    check("the loaded game's move list is the saved one", loaded == rows, str(loaded))
    check("the board shows the loaded game", run.board("loaded") == position)
    return run, rows, name


def position_files(session, results, run, rows, game_file):
    check = results.check
    # Browse back to the position after 1. e4 d5 and save it.
    session.key("Up", "Up", "Up", "Up")
    check("browsing selects row 2", session.selected_row() == 2, str(session.selected_row()))
    before = datetime.datetime.now()
    run.command(POSITION, SAVE)
    dialog = run.dialog("Save game")
    after = datetime.datetime.now()
    check("Position/Save in a normal game opens the dialog titled Save game", dialog is not None)
    session.screenshot("position-save-name")
    name = dialog.control(1017)["text"] if dialog else None
    allowed = {proposed_position_name(m) for m in (before, after)}
    check("Position/Save proposes [short date] [HH-MM]", name in allowed, f"{name!r} not in {allowed}")
    session.key("Return")
    run.answer("Position saved", IDOK, "position saved")
    path = run.save_dir(f"{name}.fen")
    check("the position file holds the browsed row's FEN",
          os.path.exists(path) and read_bytes(path) == FEN_AFTER_E4_D5,
          repr(read_bytes(path)) if os.path.exists(path) else "missing")

    # A name of its own, then the same name in other letters: Windows names ignore case.
    run.command(POSITION, SAVE)
    run.dialog("Save game")
    session.type_text("opening")
    session.key("Return")
    run.answer("Position saved", IDOK, "named position saved")
    session.key("Up")
    run.command(POSITION, SAVE)
    run.dialog("Save game")
    session.type_text("OPENING")
    session.key("Return")
    run.answer("OPENING.fen already exists. Replace it?", IDNO, "replace question")
    dialog = run.dialog("Save game", timeout=5)
    check("No goes back to the Save-name dialog with the name",
          dialog is not None and dialog.control(1017)["text"] == "OPENING")
    check("No leaves the existing file as it was", read_bytes(run.save_dir("opening.fen")) == FEN_AFTER_E4_D5)

    for refused, message in (("con.txt", "Windows keeps this name for a device.\nPlease choose another name."),
                             ("..", "A file name cannot be made of dots only.\nPlease choose another name."),
                             ("game. ", "A file name cannot end with a dot or a space.\nPlease correct the name.")):
        session.type_text(refused)
        session.key("Return")
        run.answer(message, IDOK, f"name {refused!r} refused")
        dialog = run.dialog("Save game", timeout=5)
        check(f"the dialog stays open after refusing {refused!r}", dialog is not None)
    session.type_text("opening")
    session.key("Return")
    run.answer("opening.fen already exists. Replace it?", IDYES, "replace yes")
    run.answer("Position saved", IDOK, "replaced position saved")
    check("Yes replaces the file", read_bytes(run.save_dir("opening.fen")) == FEN_AFTER_E4)
    # The name is taken as its first 99 characters, pasted or typed.
    run.command(POSITION, SAVE)
    run.dialog("Save game")
    session.set_clipboard("x" * 120)
    session.key("ctrl+v", "Return")
    run.answer("Position saved", IDOK, "long name")
    files = {f.lower() for f in run.saved_files()}
    check("a name of 120 characters is cut to 99", "x" * 99 + ".fen" in files, str(files))
    check("no refused name and no temporary file reached the folder",
          files == {f"{game_file}.pgn".lower(), f"{name}.fen".lower(), "opening.fen",
                    "x" * 99 + ".fen"}, str(files))

    load = open_load(run, POSITION)
    check("the position list holds the three position files",
          sorted(load.rows() or []) == sorted([f"{name}.fen", "opening.fen", "x" * 99 + ".fen"]),
          str(load.rows()))
    load.click_row(f"{name}.fen")
    session.screenshot("position-load-selected")
    expected, _ = replay(rows[:3])
    shown = load.preview_board("fen")
    check("the preview shows the saved position", shown == expected,
          f"{sorted(shown.items())} != {sorted(expected.items())}")
    session.click_control(load.refresh(), IDOK)
    check("Load closes the position dialog", session.wait_no_dialog("Load position"))
    check("a loaded position starts a list of its own", session.rows() == [" 0."], str(session.rows()))
    check("the board shows the loaded position", run.board("fen-loaded") == expected)
    run.play.play("g1f3")
    listed = session.wait_rows(2, timeout=10)
    check("the loaded position is played on with White to move", listed[1:] == [" 1. Ng1-f3"],
          str(listed))
    session.close_program(run.program)


def refusals_and_delete(session, results):
    check = results.check

    def prepare(workdir):
        os.makedirs(os.path.join(workdir, "Save"))
        small = b'[White "Ann"]\r\n[Black "Bob"]\r\n\r\n1. e4 e5 '
        files = {
            "big.pgn": small + b" " * (65537 - len(small)),
            "edge.pgn": small + b" " * (65536 - len(small)),
            "locked.pgn": small,
            # Made by another program: no ANSI code page holds these letters together.
            "élève 中文 ש.pgn": small,
            "kings.fen": b"rnbqkbnr/pppppppp/8/8/4K3/8/PPPPPPPP/RNBQKBNR w - - 0 1",
            "start.fen": b"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b - - 0 1",
        }
        for name, data in files.items():
            with open(os.path.join(workdir, "Save", name), "wb") as f:
                f.write(data)

    run = Run(session, results, "refusals", prepare)
    load = open_load(run, GAME)
    check("the game list holds the three game files; a name the ANSI calls cannot open is left out",
          load.rows() == ["big.pgn", "edge.pgn", "locked.pgn"], str(load.rows()))
    load.click_row("big.pgn")
    check("a file of 65537 bytes reads File is too big", load.preview_text("big") == "File is too big")
    check("a refused file keeps Load disabled and Delete enabled", load.buttons() == (False, True),
          str(load.buttons()))
    load.click_row("edge.pgn")
    expected, _ = replay([" 0.", " 1. e2-e4", "           e7-e5"])
    check("a file of exactly 65536 bytes is read", load.preview_board("edge") == expected)
    check("a readable file enables Load", load.buttons() == (True, True), str(load.buttons()))
    holder = session.hold_file(run.workdir, "Save\\locked.pgn", 20)
    check("another program holds locked.pgn", holder is not None)
    load.click_row("locked.pgn")
    check("a file that cannot be opened reads Error open file",
          load.preview_text("locked") == "Error open file")
    if holder:
        holder.kill()
    run.close_dialog("Load game", IDCANCEL)
    check("Cancel leaves the window without a game", session.rows() == [], str(session.rows()))

    load = open_load(run, POSITION)
    load.click_row("kings.fen")
    session.screenshot("refusals-error-position")
    check("a second white king reads ' Error position'", load.preview_text("kings") == " Error position")
    check("Load stays disabled for an impossible position", load.buttons() == (False, True),
          str(load.buttons()))
    load.click_row("kings.fen", double=True)
    check("a double click on a refused file loads nothing",
          run.dialog("Load position", timeout=2) is not None and session.rows() == [])
    load.click_row("start.fen")
    check("a readable position is previewed", load.preview_board("start") == harness.start_position())
    session.click_control(load.refresh(), DELETE)
    time.sleep(0.5)
    check("Delete removes the file at once", not os.path.exists(run.save_dir("start.fen")))
    check("after Delete the list is read again", load.rows() == ["kings.fen"], str(load.rows()))
    check("after Delete nothing is selected", load.preview_text("deleted") == "File not selected")
    check("after Delete Load and Delete are disabled", load.buttons() == (False, False),
          str(load.buttons()))
    load.click_row("kings.fen")
    session.click_control(load.refresh(), DELETE)
    time.sleep(0.5)
    check("an empty list reads File not found", load.preview_text("empty") == "File not found")
    check("an empty list disables both buttons", load.buttons() == (False, False), str(load.buttons()))
    run.close_dialog("Load position", IDCANCEL)
    session.close_program(run.program)


def finished_game(session, results):
    check = results.check
    run = Run(session, results, "mate")
    run.play.new_game(white_name="Ann", black="Human", black_name="Bob")
    run.play.play("f2f3", "e7e5", "g2g4", "d8h4")
    run.answer("Game over.\nBlack wins by checkmate.", IDOK, "mate")
    run.command(GAME, SAVE)
    dialog = run.dialog("Save game")
    name = dialog.control(1017)["text"] if dialog else ""
    session.key("Return")
    run.answer("Game saved", IDOK, "mated game saved")
    data = read_bytes(run.save_dir(f"{name}.pgn")) if run.saved_files() else b""
    check("a game Black won is saved with the result 0 - 1 and the mate sign",
          b'[Result "0 - 1"]\r\n' in data and data.endswith(b"\r\n\r\n1. f3 e5 2. g4 Qh4# "),
          repr(data))

    warning = "Warning. Position status: game over.\nAre you sure?"
    run.command(POSITION, SAVE)
    run.answer(warning, IDNO, "game over warning")
    check("No to the warning saves nothing", run.dialog("Save game", timeout=3) is None
          and run.saved_files() == [f"{name}.pgn"], str(run.saved_files()))
    run.command(POSITION, SAVE)
    run.answer(warning, IDYES, "game over warning, yes")
    run.dialog("Save game")
    session.type_text("mated")
    session.key("Return")
    run.answer("Position saved", IDOK, "mated position saved")
    check("Yes to the warning saves the finished position",
          read_bytes(run.save_dir("mated.fen")) == MATED_FEN)

    load = open_load(run, POSITION)
    load.click_row("mated.fen")
    check("a mated side to move reads ' Game over'", load.preview_text("mated") == " Game over")
    run.close_dialog("Load position", IDCANCEL)
    session.close_program(run.program)


def save_over(run, name, label):
    """Game/Save under the name of a file in Save that cannot be replaced: Yes to the
    question, then the failure report."""
    run.command(GAME, SAVE)
    run.dialog("Save game")
    run.session.type_text(name)
    run.session.key("Return")
    run.answer(f"{name}.pgn already exists. Replace it?", IDYES, label)
    run.answer("The game was not saved: the file cannot be written under this name "
               "(it may be read-only or in use).", IDOK, f"{label} fails")


def offer_to_save(session, results):
    check = results.check

    def prepare(workdir):
        # A file where the folder should be: no save can be written.
        with open(os.path.join(workdir, "Save"), "wb") as f:
            f.write(b"not a folder")

    run = Run(session, results, "offer", prepare)
    run.play.new_game(white_name="Ann", black="Human", black_name="Bob")
    run.play.play("e2e4")
    rows = session.wait_rows(2, timeout=10)

    run.command(GAME, SAVE)
    run.dialog("Save game")
    session.key("Return")
    run.answer('The game was not saved: the folder "Save" cannot be created.', IDOK, "failed save")
    run.no_box("after the failure report")
    run.command(GAME, SAVE)
    check("the game is still unsaved after the failure", run.dialog("Save game") is not None)
    session.key("BackSpace", "Return")
    run.answer("Please enter name", IDOK, "empty name")
    check("an empty name closes the dialog", session.wait_no_dialog("Save game"))

    run.command(GAME, NEW)
    run.answer("Save current game?", IDYES, "new game")
    run.close_dialog("Save game", IDCANCEL)
    check("Yes then Cancel does not open the New game dialog", run.dialog("New game", timeout=3) is None)
    check("Yes then Cancel keeps the game", session.rows() == rows, str(session.rows()))

    run.command(GAME, NEW)
    run.answer("Save current game?", IDYES, "new game, save fails")
    run.dialog("Save game")
    session.key("Return")
    run.answer('The game was not saved: the folder "Save" cannot be created.', IDOK,
               "failed save before a new game")
    check("a failed save does not open the New game dialog", run.dialog("New game", timeout=3) is None)
    check("a failed save keeps the game", session.rows() == rows, str(session.rows()))

    session.probe("close")
    run.answer("Save current game?", IDYES, "close")
    run.close_dialog("Save game", IDCANCEL)
    time.sleep(1)
    check("Yes then Cancel keeps the window open", run.program.running() and session.title() == "Varno-4")
    check("the window keeps the game", session.rows() == rows, str(session.rows()))

    # With the folder possible again, a save after Yes lets the command go on.
    os.remove(os.path.join(run.workdir, "Save"))
    run.command(GAME, NEW)
    run.answer("Save current game?", IDYES, "new game, saved")
    dialog = run.dialog("Save game")
    name = dialog.control(1017)["text"] if dialog else ""
    session.key("Return")
    run.answer("Game saved", IDOK, "saved before a new game")
    check("a save after Yes opens the New game dialog", run.dialog("New game") is not None)
    run.close_dialog("New game", IDCANCEL)
    check("the game was written before the new game", run.saved_files() == [f"{name}.pgn"],
          str(run.saved_files()))

    # A file that another program has open is not replaced, and keeps its text.
    run.play.play("e7e5")
    rows = session.wait_rows(3, timeout=10)
    with open(run.save_dir("held.pgn"), "wb") as f:
        f.write(b"kept")
    holder = session.hold_file(run.workdir, "Save\\held.pgn", 30)
    check("another program holds held.pgn", holder is not None)
    save_over(run, "held", "replace a held file")
    if holder:
        holder.kill()
    check("a failed replace keeps the old file whole", read_bytes(run.save_dir("held.pgn")) == b"kept")
    check("a failed replace leaves no temporary file",
          run.saved_files() == sorted([f"{name}.pgn", "held.pgn"]), str(run.saved_files()))

    # Nor is a read-only file, though Wine's move would replace it.
    with open(run.save_dir("kept.pgn"), "wb") as f:
        f.write(b"read-only")
    os.chmod(run.save_dir("kept.pgn"), 0o444)
    save_over(run, "kept", "replace a read-only file")
    check("a read-only file keeps its bytes", read_bytes(run.save_dir("kept.pgn")) == b"read-only")

    # Neither failure saved the game: closing still offers to save it.
    session.probe("close")
    run.answer("Save current game?", IDNO, "close, no")
    check("No lets the window close", run.program.wait_exit(30) == 0)


def main():
    session, results = harness.script(__doc__)
    with session:
        previous = set_short_date(session, SHORT_DATE)
        try:
            run_rows = results.run("game file saved and loaded", game_file_round_trip, session, results)
            if run_rows:
                results.run("position files", position_files, session, results, *run_rows)
            for name, group in (("refused files and Delete", refusals_and_delete),
                                ("a finished game", finished_game),
                                ("offer to save", offer_to_save)):
                # A group that failed half-way may leave its window open; the next one
                # needs the window class to itself.
                for program in session.programs:
                    program.kill()
                harness.wait_until(lambda: session.title() is None, 30, interval=0.5)
                results.run(name, group, session, results)
        finally:
            set_short_date(session, previous)
    return results.finish()


def set_short_date(session, value):
    """Sets the prefix's short date format (None removes it); returns the one before."""
    quiet = dict(env=session.env, capture_output=True, text=True, timeout=120)
    found = subprocess.run(["wine", "reg", "query", INTERNATIONAL, "/v", "sShortDate"], **quiet)
    match = re.search(r"sShortDate\s+REG_SZ\s+(\S*)", found.stdout)
    if value is None:
        subprocess.run(["wine", "reg", "delete", INTERNATIONAL, "/v", "sShortDate", "/f"], **quiet)
    else:
        subprocess.run(["wine", "reg", "add", INTERNATIONAL, "/v", "sShortDate", "/t", "REG_SZ",
                        "/d", value, "/f"], **quiet)
    return match.group(1) if match else None


if __name__ == "__main__":
    sys.exit(main())
