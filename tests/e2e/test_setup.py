"""Setting up a position in the real window under Wine: the mode refused while the move
list is hidden, the piece palette, pieces placed with both mouse buttons, refused
placements, a refused finish, a finished set-up played on, and the offer to save
before the mode starts again.

    python3 test_setup.py <path-to-varno-4.exe> <output-dir>

Screenshots of the palette and the set-up position stay in the output dir.
"""
import sys

import harness
import play_support
from play_support import pieces

LIST_X, LIST_Y, ROW_HEIGHT = 552, 148, 25
PALETTE = [" Pawn", " Knight", " Bishop", " Rook", " Queen", " King", " Clear field",
           " White move", " Black move"]
PAWN, ROOK, KING, WHITE_MOVE = 0, 3, 5, 7
HEADING = (532, 84, 700, 116)
CANCEL, YES, NO = 2, 6, 7
INK = (255, 255, 255)
BACKGROUND = (128, 128, 128)
HIDDEN_LIST_MESSAGE = ("This mode needs <Moves list> to be displayed.\n"
                       "Select menu item <Options> and set it.")


class SetUp:
    def __init__(self, session):
        self.session = session
        self.reader = play_support.BoardReader(harness.skin_sheet(0))
        self.play = play_support.Play(session)

    def shot(self, name):
        return self.session.client_shot(name)

    def board(self, name):
        return pieces(self.reader.read(self.shot(name)))

    def choose(self, row):
        """Clicks a palette row."""
        self.session.click(LIST_X + 48, LIST_Y + ROW_HEIGHT * row + ROW_HEIGHT // 2)

    def place(self, square, primary=True):
        x, y = play_support.square_centre(square)
        self.session.click(x, y, button=1 if primary else 3)

    def enter(self):
        self.session.key("alt+p")
        self.session.key("Return")

    def message(self):
        """Text of the message box that is open (the caller checks it), closed with Enter."""
        box = self.session.any_message()
        text = box.message() if box else None
        if box:
            self.session.key("Return")
            self.session.wait_no_dialog("Varno-4")
        return text

    def answer(self, button):
        """Text of the question that is open, answered with a click on `button`."""
        box = self.session.any_message()
        text = box.message() if box else None
        if box:
            self.session.click_control(box, button)
            self.session.wait_no_dialog("Varno-4")
        return text

    def toggle_move_list(self):
        """Options: flips "Moves list" with a click and closes with OK."""
        self.session.key("alt+o")
        dialog = self.session.wait_dialog("Options")
        if dialog is None:
            raise AssertionError("the Options dialog did not open")
        self.session.click_control(dialog, 1014)
        self.session.click_control(dialog, 1)
        if not self.session.wait_no_dialog("Options"):
            raise AssertionError("the Options dialog stayed open")


def list_framed(shot):
    """The 1-pixel frame left of the move list: ink when the list is shown."""
    return shot.getpixel((LIST_X - 1, LIST_Y + 60)) == INK


def has_ink(image):
    return INK in {c for _, c in image.getcolors(image.size[0] * image.size[1])}


def hidden_list(session, results, s):
    s.toggle_move_list()
    results.check("Options: unticking Moves list hides the list", not list_framed(s.shot("list-hidden")))
    s.enter()
    results.check("Position/Set with the list hidden explains why",
                  s.message() == HIDDEN_LIST_MESSAGE)
    results.check("nothing else happened: no rows, start position shown",
                  session.rows() == [] and s.board("after-refused-set") == harness.start_position())
    s.toggle_move_list()
    results.check("Options: ticking Moves list shows the list again",
                  list_framed(s.shot("list-shown")))


def placing(session, results, s):
    s.enter()
    rows, selected = session.move_list()
    results.check("the list holds the palette, no row selected", rows == PALETTE and selected == -1,
                  f"{rows} {selected}")
    palette = s.shot("palette")
    results.check("the board is empty", pieces(s.reader.read(palette)) == {})
    results.check("the heading shows text", has_ink(palette.crop(HEADING)))
    s.place("e4")
    results.check("with no row chosen a click places nothing", s.board("no-row") == {})

    s.choose(KING)
    s.place("e1")
    s.place("e8", primary=False)
    s.choose(ROOK)
    s.place("a1")
    expected = {"e1": (6, 0), "e8": (6, 1), "a1": (4, 0)}
    board = s.board("set-up-position")
    results.check("kings and a rook placed with both buttons", board == expected, str(board))

    s.choose(KING)
    before = s.shot("before-refusals")
    s.place("d4")
    results.check("a second white king is refused: nothing changes",
                  s.shot("second-king").tobytes() == before.tobytes())
    s.choose(PAWN)
    before = s.shot("before-pawn")
    s.place("b1")
    results.check("a pawn on the first rank is refused: nothing changes",
                  s.shot("pawn-rank-1").tobytes() == before.tobytes())

    s.choose(ROOK)
    s.place("e4")
    s.choose(WHITE_MOVE)
    text = s.message()
    results.check("White to move with Black in check is refused", text == "Black king is check!",
                  repr(text))
    results.check("the refusal keeps the mode and the board",
                  session.rows() == PALETTE and s.board("after-check") == dict(expected, e4=(4, 0)))
    s.choose(ROOK)
    s.place("e4")
    results.check("a click with the same piece removes it", s.board("rook-removed") == expected)
    return palette, expected


def finishing(session, results, s, palette, expected):
    s.choose(WHITE_MOVE)
    rows, selected = session.move_list()
    results.check("White move finishes: the list holds the begin row, selected",
                  rows == [" 0."] and selected == 0, f"{rows} {selected}")
    shot = s.shot("finished")
    results.check("the position stays", pieces(s.reader.read(shot)) == expected)
    heading = shot.crop(HEADING)
    results.check("the heading changed from the set-up's and shows text",
                  has_ink(heading) and heading.tobytes() != palette.crop(HEADING).tobytes())
    game = s.play.menu_items_greyed("alt+g", "menu-game-finished")
    position = s.play.menu_items_greyed("alt+p", "menu-position-finished")
    results.check("Game/Save grey, Position/Save enabled",
                  game and len(game) == 4 and game[2] and position == [False, False, False],
                  f"{game} {position}")
    s.play.play("a1a7")
    rows = session.wait_rows(2, 15)
    results.check("a move is played from the set-up position", rows == [" 0.", " 1. Ra1-a7"],
                  str(rows))
    board = s.board("moved")
    results.check("the board shows it", board == {"e1": (6, 0), "e8": (6, 1), "a7": (4, 0)},
                  str(board))


def offer_to_save(session, results, s):
    """Entering the mode again offers to save the begin position first; a save wanted
    but cancelled keeps the game, a No enters the mode."""
    s.enter()
    results.check("Position/Set asks first", s.answer(YES) == "Save begin position?")
    name = session.wait_dialog("Save position")
    results.check("Yes asks for a name", name is not None)
    if name:
        session.click_control(name, CANCEL)
        session.wait_no_dialog("Save position")
    rows = session.rows()
    results.check("a cancelled save keeps the game", rows == [" 0.", " 1. Ra1-a7"], str(rows))
    s.enter()
    results.check("asked again", s.answer(NO) == "Save begin position?")
    results.check("No enters the mode", session.rows() == PALETTE)


def main():
    session, results = harness.script(__doc__)
    with session:
        program = session.start(session.new_workdir("set-position"))
        session.wait_window()
        s = SetUp(session)
        results.run("hidden move list", hidden_list, session, results, s)
        placed = results.run("placing pieces", placing, session, results, s)
        if placed:
            results.run("finishing", finishing, session, results, s, *placed)
            results.run("offer to save", offer_to_save, session, results, s)
        harness.check_closes(session, results, program, "the program closes with exit code 0")
    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
