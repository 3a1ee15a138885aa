"""Playing a game in the real window under Wine: moves by mouse clicks, the computer's
answers, browsing with the arrow keys, the promotion dialog, the New game and About
dialogs, and breaking off the computer's search with Escape.

    python3 test_play.py <path-to-varno-4.exe> <output-dir>

Screenshots of every run stay in the output dir; the computer's answer times are
printed.
"""
import os
import sys
import time

import harness
import play_support
from play_support import marked, pieces, replay

COMPUTER = "Computer {Varno-4}"


class Run:
    """One started program with its helpers."""

    def __init__(self, session, name):
        self.session = session
        self.name = name
        self.program = session.start(session.new_workdir(name))
        session.wait_window()
        self.play = play_support.Play(session)
        self.reader = play_support.BoardReader(harness.skin_sheet(0))

    def shot(self, label):
        """The board as the screen shows it at once (no probe call before the picture)."""
        return self.reader.read(self.session.client_shot(f"{self.name}-{label}", settle=False))

    def rows(self):
        return self.session.rows()

    def wait_answer(self, rows_before, timeout=60):
        """Seconds until the computer's move is listed (None when it is not)."""
        start = time.monotonic()
        rows = self.session.wait_rows(rows_before + 1, timeout)
        return time.monotonic() - start if rows and len(rows) > rows_before else None

    def close(self):
        # A dialog or question left open would keep the window from closing.
        if any(w.visible for w in self.session.windows()):
            self.program.kill()
        else:
            self.play.close_discarding(self.program)


def shows_game(results, name, board, rows):
    position, problem = replay(rows)
    results.check(f"{name}: every listed move fits the board it was played on", problem is None,
                  str(problem))
    return results.check(f"{name}: the board shows the listed game", pieces(board) == position,
                         f"{sorted(pieces(board).items())} != {sorted(position.items())}")


def save_items(play, label):
    """(Game/Save greyed, Position/Save greyed) as the two menus show them."""
    game = play.menu_items_greyed("alt+g", f"menu-game-{label}")      # New, Load, Save, Exit
    position = play.menu_items_greyed("alt+p", f"menu-position-{label}")  # Set, Load, Save
    return (game[2] if game and len(game) == 4 else None,
            position[2] if position and len(position) == 3 else None)


def person_against_computer(session, results, times):
    run = Run(session, "easy")
    play = run.play
    items = save_items(play, "before")
    results.check("before a game both Save items are grey", items == (True, True), str(items))
    play.new_game(white_name="Ann", level="Easy")
    items = save_items(play, "new")
    results.check("a new game offers Position/Save only", items == (True, False), str(items))
    rows, selected = session.move_list()
    results.check("new game lists only the begin row", rows == [" 0."] and selected == 0, str(rows))

    play.click_square("e2")
    board = run.shot("selected")
    results.check("a click on an own piece selects it and shows its targets",
                  marked(board, 3) == ["e2"] and marked(board, 2) == ["e3", "e4"],
                  f"{marked(board, 3)} {marked(board, 2)}")

    play.click_square("e5", pause=0)
    board = run.shot("refused")
    results.check("a refused target flashes and the piece stays selected",
                  marked(board, 3) == ["e2", "e5"], str(marked(board, 3)))
    time.sleep(0.6)
    board = run.shot("flash-over")
    results.check("the flash ends by itself", marked(board, 3) == ["e2"], str(marked(board, 3)))
    results.check("a refused target plays nothing", run.rows() == [" 0."], str(run.rows()))

    play.click_square("e2")
    board = run.shot("deselected")
    results.check("a second click on the selected piece deselects it",
                  not marked(board, 3) and not marked(board, 2), str(marked(board, 2)))

    play.play("e2e4")
    answer = run.wait_answer(2)
    rows = run.rows()
    results.check("the person's move is listed", len(rows) >= 2 and rows[1] == " 1. e2-e4", str(rows))
    items = save_items(play, "moved")
    results.check("a changed game can be saved", items == (False, False), str(items))
    results.check("the computer answers at level 1 within seconds", answer is not None and answer < 10,
                  str(answer))
    times.append(("level 1", "1...", answer))
    shot = session.client_shot("easy-answered-panel", settle=False)
    board = run.reader.read(shot)
    shows_game(results, "after the answer", board, rows)
    side_panel(session, results, shot, rows)
    results.check("the title is plain again after the search", session.title() == "Varno-4")

    play.play("d2d4")
    answer = run.wait_answer(4)
    times.append(("level 1", "2...", answer))
    rows = run.rows()
    results.check("the second answer is listed", len(rows) == 5, str(rows))
    browsing(run, results, rows)
    run.close()


def side_panel(session, results, shot, rows):
    """The names, the list's rows and the running clock as the screen shows them."""
    faults = play_support.list_rows_drawn(shot, len(rows), len(rows) - 1)
    results.check("the list's rows are drawn, the last one selected", not faults, "; ".join(faults))
    top = harness.ink_span(shot.crop(play_support.TOP_NAME), play_support.INK)
    bottom = harness.ink_span(shot.crop(play_support.BOTTOM_NAME), play_support.INK)
    results.check("the names are drawn: the computer's above, the shorter Ann below",
                  top > bottom > 0, f"{top} {bottom}")
    # Ann is to move: her clock, below the list, counts the seconds.
    strips = []
    for _ in range(3):
        strips.append(session.client_shot("easy-clock", settle=False).crop(play_support.BOTTOM_CLOCK))
        time.sleep(1.1)
    results.check("the running clock's strip shows ink and changes each second",
                  all(harness.ink_pixels(s, play_support.INK) for s in strips) and
                  strips[0].tobytes() != strips[1].tobytes() != strips[2].tobytes())


def browsing(run, results, rows):
    play = run.play
    run.session.key("Up")
    board = run.shot("browse-3")
    shown = run.session.selected_row()
    results.check("Up selects the row before", shown == 3, str(shown))
    shows_game(results, "browsed to row 3", board, rows[:4])
    run.session.key("Up")
    board = run.shot("browse-2")
    shows_game(results, "browsed to row 2", board, rows[:3])

    # White to move at row 2: a move there replaces the later half-moves.
    play.play("g1f3")
    run.wait_answer(4)
    new_rows = run.rows()
    results.check("a move at an earlier row drops the later ones",
                  new_rows[:3] == rows[:3] and new_rows[3] == " 2. Ng1-f3" and len(new_rows) == 5,
                  str(new_rows))
    shows_game(results, "after playing at row 2", run.shot("replaced"), new_rows)



def normal_level(session, results, times):
    run = Run(session, "normal")
    play = run.play
    play.new_game(white_name="Ann")
    play.play("e2e4")
    times.append(("level 2", "1...", run.wait_answer(2, timeout=120)))
    play.play("g1f3")
    times.append(("level 2", "2...", run.wait_answer(4, timeout=120)))
    rows = run.rows()
    results.check("the computer answers at level 2", len(rows) == 5, str(rows))
    shows_game(results, "level 2", run.shot("answered"), rows)
    run.close()


def break_question(session, results):
    """The break question on a person's game: the computer searches only after the
    person's move, so the question comes in the search of a known half-move, in its
    first pass (no repetition can arise yet), and nothing but the answer decides."""
    run = Run(session, "break")
    play = run.play
    play.new_game(white_name="Ann")
    play.click_square("e2")
    question = play.ask_break(lambda: play.click_square("e4", pause=0))
    results.check("Escape during a search asks the break question", question is not None)
    results.check("the question comes while the computer's first answer is searched",
                  run.rows() == [" 0.", " 1. e2-e4"], str(run.rows()))
    session.screenshot("break-question")
    session.key("Return")  # the default answer, No: the search goes on
    rows = session.wait_rows(3, timeout=30)
    results.check("answering No (the default) lets the computer's move be played",
                  len(rows) == 3, str(rows))

    play.click_square("d2")
    question = play.ask_break(lambda: play.click_square("d4", pause=0))
    results.check("the question comes again in the next search", question is not None)
    if question is not None:
        session.click_control(question, 6)  # Yes
    results.check("the question closes on Yes",
                  session.wait_no_dialog("Varno-4", timeout=10))
    time.sleep(2)
    rows = run.rows()
    results.check("answering Yes breaks off the move: none is played and none starts",
                  len(rows) == 4 and rows[3] == " 2. d2-d4", str(rows))
    results.check("the title is plain after the break", session.title() == "Varno-4",
                  str(session.title()))
    shows_game(results, "after the break", run.shot("break-yes"), rows)
    run.close()


def stop_computers(session, play, tries=10):
    """Stops a computer-against-computer game, whatever half-move it has reached: Yes
    to the break question (a break in a search's first pass ends the play), or the
    game-over box when the game ended by itself. True once the list stays as it is."""
    for _ in range(tries):
        box = play.ask_break(also=play_support.GAME_OVER_TEXTS)
        if box is None:
            return False
        if box.message() == play_support.BREAK_QUESTION:
            session.click_control(box, 6)  # Yes
        else:
            session.key("Return")
        session.wait_no_dialog("Varno-4", timeout=10)
        before = session.rows()
        time.sleep(1.5)
        if session.rows() == before and not any(w.visible for w in session.windows()):
            return True
    return False


def computer_against_computer(session, results):
    run = Run(session, "computers")
    play = run.play
    play.new_game(white="Computer", black="Computer")
    # No game ends before its fourth half-move: these rows come whatever is played.
    rows = session.wait_rows(5, timeout=60)
    results.check("the computer plays both sides by itself", len(rows) >= 5, str(len(rows)))
    run.shot("playing")

    # The list is browsed between the computer's moves: each turn must still be
    # searched on the game's real position.
    for _ in range(4):
        session.key("Up", "Up")
    stopped = stop_computers(session, play)
    results.check("the computers' game can be stopped", stopped)
    rows = run.rows()
    session.key("End")
    shows_game(results, "computer against computer, browsed while it played",
               run.shot("stopped"), rows)
    run.close()


def highlights(session, results):
    run = Run(session, "highlights")
    play = run.play
    play.new_game(white_name="A&B", black="Human", black_name="AB")
    play.play("e2e4", "f7f6", "d1h5")
    shot = session.client_shot("check", settle=False)
    board = run.reader.read(shot)
    # An "&" is drawn as typed, not taken for an underline mark: "A&B" is wider.
    white = harness.ink_span(shot.crop(play_support.BOTTOM_NAME), play_support.INK)
    black = harness.ink_span(shot.crop(play_support.TOP_NAME), play_support.INK)
    results.check("a name is drawn as typed, with its &", white > black + 8 and black > 0,
                  f"{white} {black}")
    results.check("the king in check is highlighted on its square", marked(board, 3) == ["e8"],
                  str(marked(board, 3)))
    results.check("the last move is highlighted on its two squares",
                  marked(board, 4) == ["d1", "h5"], str(marked(board, 4)))
    run.close()


PROMOTION_LINE = ["a2a4", "b7b5", "a4b5", "a7a6", "b5a6", "c8b7", "a6b7", "b8c6"]


def promotion(session, results):
    run = Run(session, "promotion")
    play = run.play
    for how, kind, letter in (("click", 2, "N"), ("escape", 5, "Q")):
        # The second game replaces a changed one: the program offers to save it first.
        play.new_game(white_name="Ann", black="Human", black_name="Bob", discard=how == "escape")
        play.play(*PROMOTION_LINE)
        play.click_square("b7")
        play.click_square("a8", pause=0)
        dialog = session.wait_dialog("Select promote piece")
        ok = results.check(f"a person's promotion opens the promotion dialog ({how})",
                           dialog is not None)
        if not ok:
            break
        shot = session.screenshot(f"promotion-dialog-{how}")
        # The middle of each cell: the button's edge and focus mark cover its rim.
        shown = [harness.find_picture(shot.crop(dialog.control(i)["rect"]),
                                      harness.sheet_cell(run.reader.sheet, 1, i).crop((12, 12, 52, 52)))
                 for i in (2, 3, 4, 5)]
        results.check("each button shows its white piece: knight, bishop, rook, queen",
                      shown == [True] * 4, str(shown))
        if how == "click":
            session.click_control(dialog, 2)
        else:
            session.key("Escape")
        session.wait_no_dialog("Select promote piece")
        rows = session.wait_rows(10, timeout=10)
        board = run.shot(f"promoted-{how}")
        results.check(f"the chosen piece stands on a8 ({how})",
                      pieces(board).get("a8") == (kind, 0), str(pieces(board).get("a8")))
        results.check(f"the promotion is listed ({how})",
                      rows[-1].strip().startswith(f"5. b7xa8={letter}"), str(rows[-1:]))
    run.close()


def new_game_dialog(session, results):
    run = Run(session, "dialogs")
    play = run.play
    key = session.key
    play.open_new_game()
    dialog = session.wait_dialog("New game")
    results.check("the dialog opens with Human, Computer and Normal",
                  [dialog.control(i)["text"] for i in (1014, 1016, 1019)] == ["Human", "Computer", "Normal"]
                  and dialog.control(1017)["text"] == COMPUTER and dialog.control(1017)["readonly"])
    session.screenshot("dialogs-new-game")

    def refusal(expected, label):
        key("Return")
        box = session.wait_message(expected, timeout=10)
        text = box.message() if box else None
        results.check(f"Start ! refuses {label}", text == expected, str(text))
        if box:
            key("Return")
            session.wait_no_dialog("Varno-4")
        results.check(f"the dialog stays open after refusing {label}",
                      session.wait_dialog("New game", timeout=5) is not None)

    refusal("Please enter name (WHITE SIDE)", "an empty White name")
    key("Tab", "Tab", "Down")  # Black becomes a person
    dialog = session.wait_dialog("New game")
    results.check("two persons: the level list is disabled and Black's name is free",
                  not dialog.control(1019)["enabled"] and dialog.control(1017)["text"] == ""
                  and not dialog.control(1017)["readonly"])
    refusal("Please enter name (WHITE AND BLACK SIDES)", "two empty names")

    key("shift+Tab")  # White's name
    session.type_text("a:b?c")
    refusal("Please enter name (BLACK SIDE)", "an empty Black name")
    name = session.wait_dialog("New game").control(1015)["text"]
    results.check("typed refused characters are dropped", name == "abc", name)
    session.set_clipboard('x<y>|"z')
    key("ctrl+v")
    name = session.wait_dialog("New game").control(1015)["text"]
    results.check("pasted refused characters are dropped", name == "abcxyz", name)
    session.type_text("0123456789012345")
    name = session.wait_dialog("New game").control(1015)["text"]
    results.check("a name takes at most 17 characters", name == "abcxyz01234567890", name)

    key("Tab", "Tab")
    session.type_text(COMPUTER)
    name = session.wait_dialog("New game").control(1017)["text"]
    results.check("a person cannot type the computer's whole name", name == COMPUTER[:17], name)
    key("Escape")
    results.check("Escape cancels the dialog", session.wait_no_dialog("New game"))
    results.check("cancel leaves no game started", run.rows() == [], str(run.rows()))

    key("alt+h")
    key("a")
    about = session.wait_dialog("About")
    results.check("About opens", about is not None)
    shot = session.screenshot("dialogs-about")
    picture = harness.Image.open(os.path.join(harness.REPO, "resources", "about.bmp")).convert("RGB")
    results.check("About shows its picture at its own size, pixel for pixel",
                  about is not None and harness.find_picture(shot.crop(about.control(1000)["rect"]), picture))
    key("Return")
    results.check("About closes with Enter", session.wait_no_dialog("About"))
    run.close()


def refusal_box_clicked(session, results):
    """A refusal box of the New game dialog closed with a mouse click on its OK gives
    input back to the dialog, not to the main window under it; a typed name then
    starts the game."""
    run = Run(session, "refusal-click")
    dialog = run.play.open_new_game()
    session.click_control(dialog, 1)  # Start !
    box = session.wait_message("Please enter name (WHITE SIDE)", timeout=10)
    if not results.check("a click on Start ! with no White name is refused", box is not None):
        run.close()
        return
    session.click_control(box, 1)  # OK
    session.wait_no_dialog("Varno-4")
    dialog = session.wait_dialog("New game", timeout=5)
    results.check("the dialog stays open after the box's OK is clicked", dialog is not None)
    enabled = session.probe("enabled")[1]
    results.check("the main window stays disabled under the dialog", enabled == ["0"], str(enabled))
    if dialog is None:
        run.close()
        return
    session.click_control(dialog, 1015)  # White's name
    session.type_text("Anna")
    name = session.wait_dialog("New game").control(1015)["text"]
    results.check("the name is typed into the dialog", name == "Anna", name)
    session.click_control(dialog, 1)
    results.check("Start ! then starts the game", session.wait_no_dialog("New game")
                  and session.wait_rows(1, timeout=10) == [" 0."], str(run.rows()))
    enabled = session.probe("enabled")[1]
    results.check("the main window takes input again", enabled == ["1"], str(enabled))
    run.close()


def name_edit_pastes(session, results):
    """Every way of putting text into a name edit keeps the refused characters out,
    and none changes the read-only name of a computer side."""
    run = Run(session, "pastes")
    play = run.play
    key = session.key
    play.open_new_game()
    dialog = session.wait_dialog("New game")

    def name(control_id):
        return session.wait_dialog("New game").control(control_id)["text"]

    def centre(control_id):
        left, top, right, bottom = dialog.control(control_id)["rect"]
        return (left + right) // 2, (top + bottom) // 2

    def context_paste(control_id):
        session.click_screen(*centre(control_id), button=3)
        popup = harness.wait_until(
            lambda: next((w for w in session.windows() if w.cls == "#32768" and w.visible), None), 10)
        key("p")
        return popup is not None

    key("Tab")  # White's name
    paths = [
        ("Shift+Insert", lambda: key("shift+Insert")),
        ("Ctrl+V", lambda: key("ctrl+v")),
        ("the context menu's Paste", lambda: context_paste(1015)),
        ("a middle click", lambda: session.click_screen(*centre(1015), button=2)),
        ("WM_PASTE from another program", lambda: session.edit_message("New game", 1015, "paste")),
    ]
    for label, paste in paths:
        key("End", "shift+Home", "BackSpace")
        session.set_clipboard('a<b>c|d')
        paste()
        results.check(f"{label} pastes without the refused characters", name(1015) == "abcd",
                      name(1015))
    key("End", "shift+Home", "BackSpace")
    session.set_x_clipboard('e"f*g\\h')
    key("shift+Insert")
    results.check("text from another X program's clipboard loses the refused characters",
                  name(1015) == "efgh", name(1015))
    session.edit_message("New game", 1015, "replace", "i?j/k")
    results.check("EM_REPLACESEL from another program loses the refused characters",
                  name(1015) == "efghijk", name(1015))
    session.screenshot("pastes-white")

    session.set_clipboard("Mallory")
    session.click_screen(*centre(1017))  # focus on Black's read-only name
    for label, paste in [
            ("Shift+Insert", lambda: key("shift+Insert")),
            ("Ctrl+V", lambda: key("ctrl+v")),
            ("the context menu's Paste", lambda: context_paste(1017)),
            ("a middle click", lambda: session.click_screen(*centre(1017), button=2)),
            ("WM_PASTE from another program", lambda: session.edit_message("New game", 1017, "paste")),
            ("typing", lambda: session.type_text("x")),
            ("Delete", lambda: key("End", "BackSpace", "Delete"))]:
        key("End", "shift+Home")  # the whole name selected: a paste would replace it
        paste()
        results.check(f"{label} leaves the computer's read-only name", name(1017) == COMPUTER,
                      name(1017))
    key("Return")
    results.check("Start ! takes the names as they stand", session.wait_no_dialog("New game"))
    run.close()


def main():
    times = []
    session, results = harness.script(__doc__)
    with session:
        results.run("New game and About dialogs", new_game_dialog, session, results)
        results.run("a refusal box closed with a click", refusal_box_clicked, session, results)
        results.run("pasting into the name edits", name_edit_pastes, session, results)
        results.run("person against the computer", person_against_computer, session, results,
                    times)
        results.run("break question", break_question, session, results)
        results.run("computer against computer", computer_against_computer, session, results)
        results.run("promotion", promotion, session, results)
        results.run("check and last-move highlights", highlights, session, results)
        results.run("level 2", normal_level, session, results, times)
    for level, move, seconds in times:
        print(f"answer time {level} {move}: " + ("none" if seconds is None else f"{seconds:.2f} s"))
    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
