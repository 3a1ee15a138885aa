"""The main window under Wine: start-up and the single instance, the settings file,
and the board, logo and move list drawn from the skin sheets at both scales and
both orientations.

    python3 test_window.py <path-to-varno-4.exe> <output-dir>

Screenshots of every run stay in the output dir.
"""
import os
import shutil
import sys

import harness
from harness import Image

BACKGROUND = (128, 128, 128)
INK = (255, 255, 255)
WM_SYSCOLORCHANGE = 0x15
START = harness.start_position()


def expected_cell(board, white_on_top, i, j):
    """Sheet cell (column, row) of screen square (i, j) with nothing highlighted."""
    y, x = (i, 7 - j) if white_on_top else (7 - i, j)
    kind, colour = board.get(harness.square_name(x, y), (0, None))
    column = 1 if i % 2 == j % 2 else 0
    if kind and colour == 1:
        column += 5
    return column, kind


def settings_text(scale=100, white_on_top=False, move_list=True, skin_name="", number=0,
                  extra=None):
    """A settings file as the program writes it (24 lines, CR LF)."""
    yes = lambda flag: "YES" if flag else "NO"
    values = {"LEGAL MOVE": "YES", "CHECK": "YES", "LAST MOVE": "YES", "COORDINATES": "YES",
              "WHITE ON TOP": yes(white_on_top), "MOVELIST": yes(move_list), "AI PROGRESS": "YES",
              "SCALE OF BOARD": str(scale), "BEEP": "YES", "BACKGROUND_RED": "128",
              "BACKGROUND_GREEN": "128", "BACKGROUND_BLUE": "128", "INK_RED": "255",
              "INK_GREEN": "255", "INK_BLUE": "255", "FILE NAME": skin_name, "NUMBER": str(number)}
    values.update(extra or {})
    layout = ["[SHOW]", "LEGAL MOVE", "CHECK", "LAST MOVE", "COORDINATES", "WHITE ON TOP",
              "MOVELIST", "AI PROGRESS", "SCALE OF BOARD", "", "[SOUND]", "BEEP", "", "[COLOR]",
              "BACKGROUND_RED", "BACKGROUND_GREEN", "BACKGROUND_BLUE", "INK_RED", "INK_GREEN",
              "INK_BLUE", "", "[SKIN]", "FILE NAME", "NUMBER"]
    lines = [item if item == "" or item.startswith("[") else f"{item} = {values[item]}"
             for item in layout]
    return "".join(line + "\r\n" for line in lines).encode()


def max_channel_difference(a, b):
    return max(abs(a[k] - b[k]) for k in range(3))


def cell_image(sheet, column, row, size):
    cell = harness.sheet_cell(sheet, column, row)
    return cell if size == 64 else cell.resize((size, size), Image.BOX)


def mean_difference(a, b):
    pa, pb = a.load(), b.load()
    total = 0
    for y in range(a.size[1]):
        for x in range(a.size[0]):
            total += sum(abs(pa[x, y][k] - pb[x, y][k]) for k in range(3))
    return total / (a.size[0] * a.size[1] * 3)


def board_mismatches(shot, sheet, scale, white_on_top, board):
    """Screen squares that do not show the sheet cell they should, as text."""
    sq = 48 if scale == 75 else 64
    candidates = [(c, r) for r in range(7) for c in range(10) if r > 0 or c < 5]
    scaled = {cell: cell_image(sheet, cell[0], cell[1], sq) for cell in candidates}
    bad = []
    for i in range(8):
        for j in range(8):
            want = expected_cell(board, white_on_top, i, j)
            square = shot.crop((20 + j * sq, 20 + i * sq, 20 + (j + 1) * sq, 20 + (i + 1) * sq))
            if sq == 64:
                exact = cell_image(sheet, want[0], want[1], 64)
                if exact.tobytes() != square.tobytes():
                    bad.append(f"square {i},{j} is not cell {want}")
                continue
            # Reduced sheet: the flat corners and middle must match the sheet's, and
            # of all cells the expected one must be the closest.
            cell = cell_image(sheet, want[0], want[1], 64)
            points = [((1, 1), (1, 1)), ((sq - 2, 1), (62, 1)), ((1, sq - 2), (1, 62)),
                      ((sq - 2, sq - 2), (62, 62)), ((sq // 2, sq // 2), (32, 32))]
            for screen_point, sheet_point in points:
                got, exp = square.getpixel(screen_point), cell.getpixel(sheet_point)
                if max_channel_difference(got, exp) > 4:
                    bad.append(f"square {i},{j} pixel {screen_point} {got} != {exp}")
            best = min(candidates, key=lambda c: mean_difference(square, scaled[c]))
            if best != want:
                bad.append(f"square {i},{j} looks like cell {best}, not {want}")
    return bad


def layout(scale):
    sq = 48 if scale == 75 else 64
    b = 8 * sq
    return dict(sq=sq, B=b, H=128 if scale == 75 else 256, client=(b + 188, b + 40))


def strip_cells(shot, scale):
    """Crops of the eight file-letter cells and eight rank-digit cells."""
    L = layout(scale)
    sq, b = L["sq"], L["B"]
    letters = [shot.crop((20 + k * sq, b + 20, 20 + (k + 1) * sq, b + 40)) for k in range(8)]
    digits = [shot.crop((0, 20 + k * sq, 20, 20 + (k + 1) * sq)) for k in range(8)]
    return letters, digits


def has_colour(image, colour):
    return colour in {c for _, c in image.getcolors(image.size[0] * image.size[1])}


def check_view(results, session, name, shot, scale, white_on_top, sheet, background=BACKGROUND,
               ink=INK, move_list=True):
    L = layout(scale)
    b, h = L["B"], L["H"]
    results.check(f"{name}: client area {L['client']}", shot.size == L["client"], str(shot.size))
    bad = board_mismatches(shot, sheet, scale, white_on_top, START)
    results.check(f"{name}: start position squares and pieces", not bad, "; ".join(bad[:6]))
    logo = shot.crop((b + 40, 20, b + 168, 84))
    results.check(f"{name}: logo", logo.tobytes() == sheet.crop((320, 0, 448, 64)).tobytes())
    results.check(f"{name}: background", shot.getpixel((5, 5)) == background
                  and shot.getpixel((b + 30, 100)) == background, str(shot.getpixel((5, 5))))
    frame = [shot.getpixel((b + 39, y)) for y in range(148, 148 + h)] + \
            [shot.getpixel((x, 147)) for x in range(b + 39, b + 169)]
    inside = shot.getpixel((b + 104, 148 + h // 2))
    if move_list:
        ok = all(p == ink for p in frame) and inside == background
    else:
        ok = all(p == background for p in frame) and inside == background
    results.check(f"{name}: move list area ({'framed' if move_list else 'hidden'})", ok,
                  f"inside {inside}")
    letters, digits = strip_cells(shot, scale)
    results.check(f"{name}: coordinates drawn",
                  all(has_colour(c, ink) for c in letters + digits))
    read = "".join(harness.read_character(c, ink, background, "ABCDEFGH") or "?" for c in letters)
    want = "HGFEDCBA" if white_on_top else "ABCDEFGH"
    results.check(f"{name}: the letters read {want} from left to right", read == want, read)
    read = "".join(harness.read_character(c, ink, background, "12345678") or "?" for c in digits)
    want = "12345678" if white_on_top else "87654321"
    results.check(f"{name}: the digits read {want} from top to bottom", read == want, read)
    return letters, digits


def run_and_shoot(session, results, name, settings=None, files=None):
    """Starts the program in a fresh folder with the given settings file (bytes) and
    extra files, screenshots the client area, closes it. Returns (image, folder)."""
    work = session.new_workdir(name)
    if settings is not None:
        with open(os.path.join(work, session.settings_name), "wb") as f:
            f.write(settings)
    for relative, source in (files or {}).items():
        target = os.path.join(work, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        source.save(target, "BMP") if isinstance(source, Image.Image) else shutil.copy(source, target)
    program = session.start(work)
    session.wait_window()
    shot = session.client_shot(name)
    harness.check_closes(session, results, program, f"{name}: closes with exit code 0")
    return shot, work


def first_start(session, results):
    work = session.new_workdir("first-start")
    program = session.start(work)
    title = session.wait_window()
    results.check("window of class VARNO4 titled Varno-4", title == "Varno-4", repr(title))
    results.check("X window titled Varno-4", len(session.x_windows()) == 1)
    shot = session.client_shot("scale100-white-below")
    view = check_view(results, session, "scale 100, White below", shot, 100, False,
                      harness.skin_sheet(0))
    results.check("move list empty before a game", session.rows() == [])

    # A change of system colours reloads the sheet each time: it must still be drawn.
    session.send(WM_SYSCOLORCHANGE, 25)
    shot = session.client_shot("after-colour-changes")
    bad = board_mismatches(shot, harness.skin_sheet(0), 100, False, START)
    results.check("board redrawn after 25 reloads of the sheet", not bad, "; ".join(bad[:4]))

    session.probe("minimize")
    minimised = harness.wait_until(lambda: session.probe("iconic")[1] == ["1"], 10)
    results.check("first window minimised", minimised)
    second = session.start(work, alone=False)
    code = second.wait_exit(60)
    results.check("second start exits with 0", code == 0, str(code))
    results.check("second start wrote nothing", sorted(os.listdir(work)) == ["varno-4.exe"],
                  str(os.listdir(work)))
    restored = harness.wait_until(lambda: session.probe("iconic")[1] == ["0"], 10)
    results.check("second start restored the first window", restored)
    results.check("still one window", len(session.x_windows()) == 1 and program.running())

    harness.check_closes(session, results, program, "closing exits with 0")
    files = harness.settings_files(work)
    results.check("closing wrote one settings file", len(files) == 1, str(files))
    if not files:
        return None
    session.settings_name = os.path.basename(files[0])
    results.check("nothing else is left beside it", sorted(os.listdir(work)) ==
                  sorted(["varno-4.exe", session.settings_name]), str(os.listdir(work)))
    written = harness.read_bytes(files[0])
    results.check("settings file is the 24 default lines with CR LF",
                  written == settings_text(), repr(written))
    return view


def out_of_range(session, results):
    long_name = "x" * 100
    text = ("[show]\r\nlegal move = no\r\nCHECK = NO\r\nLAST MOVE =\r\nWHITE ON TOP = yes\r\n"
            "MOVELIST = NO\r\nAI PROGRESS = maybe\r\nSCALE OF BOARD = 50\r\n[SOUND]\r\nBEEP = NO\r\n"
            "[COLOR]\r\nBACKGROUND_RED = 300\r\nBACKGROUND_GREEN = 0\r\nBACKGROUND_BLUE = 255\r\n"
            "INK_RED = 10\r\nINK_GREEN = -5\r\nINK_BLUE = 20\r\n[SKIN]\r\n"
            f"FILE NAME = {long_name}\r\nNUMBER = 9\r\n").encode()
    shot, work = run_and_shoot(session, results, "out-of-range", text)
    # Colour values are RED * 65536 + GREEN * 256 + BLUE, drawn with red in the low byte.
    check_view(results, session, "out-of-range values", shot, 100, False, harness.skin_sheet(0),
               background=(255, 0, 128), ink=(20, 255, 10), move_list=False)
    expected = settings_text(extra={"CHECK": "NO", "MOVELIST": "NO", "BEEP": "NO",
                                    "BACKGROUND_RED": "128", "BACKGROUND_GREEN": "0",
                                    "BACKGROUND_BLUE": "255", "INK_RED": "10",
                                    "INK_GREEN": "255", "INK_BLUE": "20", "FILE NAME": long_name})
    written = harness.read_bytes(os.path.join(work, session.settings_name))
    results.check("out-of-range values read as their defaults and written back",
                  written == expected, repr(written))


def orientations(session, results, below_view):
    views = {}
    for scale, white_on_top in ((100, True), (75, False), (75, True)):
        name = f"scale{scale}-white-{'on-top' if white_on_top else 'below'}"
        shot, _ = run_and_shoot(session, results, name, settings_text(scale, white_on_top))
        views[(scale, white_on_top)] = check_view(
            results, session, f"scale {scale}, White {'on top' if white_on_top else 'below'}",
            shot, scale, white_on_top, harness.skin_sheet(0))
    views[(100, False)] = below_view
    for scale in (100, 75):
        if views.get((scale, False)) is None:
            continue
        below, on_top = views[(scale, False)], views[(scale, True)]
        same = lambda a, b: a.tobytes() == b.tobytes()
        mirrored = all(same(below[0][k], on_top[0][7 - k]) and same(below[1][k], on_top[1][7 - k])
                       for k in range(8))
        results.check(f"scale {scale}: White on top reverses letters and digits", mirrored)


def file_skins(session, results):
    bright = harness.skin_sheet(3)
    shot, work = run_and_shoot(session, results, "file-skin",
                               settings_text(skin_name="Bright2", number=-1),
                               {"SKIN/Bright2.bmp": bright})
    bad = board_mismatches(shot, bright, 100, False, START)
    results.check("file skin SKIN\\Bright2.bmp is drawn", not bad, "; ".join(bad[:4]))
    results.check("file skin's logo is drawn",
                  shot.crop((552, 20, 680, 84)).tobytes() == bright.crop((320, 0, 448, 64)).tobytes())
    written = harness.read_bytes(os.path.join(work, session.settings_name))
    results.check("file skin name kept, number -1 read as 0",
                  written == settings_text(skin_name="Bright2", number=0), repr(written))

    book = harness.skin_sheet(0)
    small = bright.resize((320, 224))
    for name, skin_name, files in (
            ("skin-wrong-size", "Small", {"SKIN/Small.bmp": small}),
            ("skin-dotted-name", "..\\SKIN\\Bright2", {"SKIN/Bright2.bmp": bright})):
        shot, _ = run_and_shoot(session, results, name, settings_text(skin_name=skin_name), files)
        bad = board_mismatches(shot, book, 100, False, START)
        results.check(f"{name}: not loaded, first built-in sheet drawn", not bad, "; ".join(bad[:4]))


def platform_reader(session, results):
    """The file is read as the platform reads settings files: a UTF-16 file, quoted
    values and comment lines too."""
    wide = ("\ufeff" + settings_text(75, True).decode()).encode("utf-16-le")
    shot, work = run_and_shoot(session, results, "utf16-settings", wide)
    results.check("a UTF-16 settings file is read", shot.size == layout(75)["client"], str(shot.size))
    results.check("and written back as plain text",
                  harness.read_bytes(os.path.join(work, session.settings_name)) == settings_text(75, True))

    text = ("; written by hand\r\n[SHOW]\r\n;SCALE OF BOARD = 100\r\nSCALE OF BOARD = \"75\"\r\n"
            "WHITE ON TOP = \"YES\"\r\n[SKIN]\r\nFILE NAME = \"Bright2\"\r\n").encode()
    shot, work = run_and_shoot(session, results, "quoted-settings", text,
                               {"SKIN/Bright2.bmp": harness.skin_sheet(3)})
    bad = board_mismatches(shot, harness.skin_sheet(3), 75, True, START)
    results.check("quoted values and comment lines are read as the platform reads them", not bad,
                  "; ".join(bad[:4]))

    # The new text cannot be written (the file it goes to first is a full device, so
    # creating it works and writing fails): the settings of before stay whole.
    work = session.new_workdir("failed-write")
    old = settings_text(75) + b"; not written by the program\r\n"
    path = os.path.join(work, session.settings_name)
    with open(path, "wb") as f:
        f.write(old)
    os.symlink("/dev/full", path + ".new")
    program = session.start(work)
    session.wait_window()
    shot = session.client_shot("failed-write")
    results.check("failed write: the settings were read", shot.size == layout(75)["client"])
    harness.check_closes(session, results, program, "failed write: the program still ends with 0")
    results.check("a failed write keeps the previous settings file", harness.read_bytes(path) == old)


def main():
    session, results = harness.script(__doc__)
    with session:
        below_view = results.run("first start", first_start, session, results)
        if getattr(session, "settings_name", None):
            results.run("out-of-range settings", out_of_range, session, results)
            results.run("orientations and scales", orientations, session, results, below_view)
            results.run("file skins", file_skins, session, results)
            results.run("settings read by the platform", platform_reader, session, results)
    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
