"""The Options dialog in the real window under Wine: check boxes and Apply, the board
scale, every built-in skin at both scales, "Set to default" with Cancel, the colour
dialog, colours picked from the skin, file skins of SKIN\\, damaged skin files, settings
kept to the next start, a read-only settings file. (The GDI objects over 100 openings:
test_options_gdi.py.)

    python3 test_options.py <path-to-varno-4.exe> <output-dir>

Screenshots of the dialog and of each built-in skin at both scales stay in the output
dir.
"""
import os
import struct
import sys

import harness
from harness import Image, ImageChops, ImageStat
from test_window import cell_image, expected_cell, has_colour, settings_text, strip_cells

START = harness.start_position()
BUILT_IN = ["1. Book", "2. Classic", "3. Old", "4. Bright", "5. Modern", "6. Desk", "7. Clear"]
INK = (255, 255, 255)
LIST_FRAME = {100: (551, 200), 75: (423, 200)}  # a pixel of the move list's frame
# Control ids of the dialog.
OK, CANCEL, BACKGROUND, PICK, APPLY, DEFAULT = 1, 2, 3, 5, 7, 9
LEGAL, LAST, CHECK, AI, BEEP, WHITE_ON_TOP, COORDINATES, MOVE_LIST = (
    1005, 1006, 1007, 1008, 1009, 1012, 1013, 1014)
SCALE_75, SCALE_100, SKIN_LIST, PREVIEW = 1018, 1019, 1011, 1010


def board_mismatches(shot, sheet, scale, white_on_top, board):
    """Screen squares that do not show the sheet cell they should: at 100 % the exact
    pixels, at 75 % a mean difference per channel below 10 (a right cell of the halftone
    copy differs by at most about 7 from the box-reduced cell, another skin's by 17 and
    more)."""
    sq = 48 if scale == 75 else 64
    bad = []
    for i in range(8):
        for j in range(8):
            want = expected_cell(board, white_on_top, i, j)
            square = shot.crop((20 + j * sq, 20 + i * sq, 20 + (j + 1) * sq, 20 + (i + 1) * sq))
            cell = cell_image(sheet, want[0], want[1], sq)
            if sq == 64:
                if cell.tobytes() != square.tobytes():
                    bad.append(f"square {i},{j} is not cell {want}")
                continue
            difference = max(ImageStat.Stat(ImageChops.difference(square, cell)).mean)
            if difference >= 10:
                bad.append(f"square {i},{j} differs from cell {want} by {difference:.1f}")
    return bad


class Options:
    def __init__(self, session):
        self.session = session

    def open(self):
        """Opens the dialog with Alt+O. Under Wine without a window manager the resized
        window can lose the keyboard focus, so when the key goes nowhere the window is
        clicked in its background strip above the board, as a person would, and the key
        pressed again."""
        for _ in range(3):
            self.session.key("alt+o")
            dialog = self.session.wait_dialog("Options", 4)
            if dialog is not None:
                return dialog
            self.session.client_rect()
            self.session.click(5, 5)
        raise AssertionError("the Options dialog did not open")

    def click(self, dialog, *ids):
        for control_id in ids:
            self.session.click_control(dialog, control_id)

    def close(self, dialog, button):
        self.click(dialog, button)
        if not self.session.wait_no_dialog("Options"):
            raise AssertionError("the Options dialog stayed open")

    def change(self, *ids, button=APPLY):
        """Opens the dialog, clicks the controls, then Apply and Cancel (or OK)."""
        dialog = self.open()
        self.click(dialog, *ids)
        if button == APPLY:
            self.click(dialog, APPLY)
            button = CANCEL
        self.close(dialog, button)

    def skin_rows(self):
        """(rows, selected row, row height) of the skin list."""
        return self.session.list_rows("Options", SKIN_LIST)

    def choose_skin(self, dialog, row):
        """Clicks a row of the skin list (the list has a 1-pixel border)."""
        height = self.skin_rows()[2]
        left, top, right, _ = dialog.control(SKIN_LIST)["rect"]
        self.session.click_screen((left + right) // 2, top + 1 + height * row + height // 2)


def swatch(session, dialog, control_id, name):
    left, top, right, bottom = dialog.control(control_id)["rect"]
    return session.screenshot(name).getpixel(((left + right) // 2, (top + bottom) // 2))


def picked_colours(sheet):
    """Background and ink that "Pick from skin" derives from a sheet's two empty cells."""
    def average(column):
        cell = harness.sheet_cell(sheet, column, 0)
        pixels = list(cell.getdata())
        return [sum(p[k] for p in pixels) // len(pixels) for k in range(3)]
    background = tuple(v - v // 10 for v in average(0))
    ink = tuple(min(255, v + v // 5) for v in average(1))
    return background, ink


def wood_sheet():
    """The file skin Wood: "3. Old" with a palette of its own, 8 bits per pixel."""
    return harness.skin_sheet(2).convert("P", palette=Image.ADAPTIVE)


# Pixels of the preview (32-pixel cells from (1, 1)) and of the sheet cell they show in
# a plain area: the lower left of a1 (a white rook on a dark square), in the last line
# of the eight ranks, and the top left of the empty dark square a3.
A1_LOWER_EDGE = ((1, 8 * 32), (0, 4), (0, 63))
A3 = ((1, 1 + 5 * 32), (0, 0), (0, 0))


def preview_pixel(session, dialog, name, where, sheet):
    """(the preview's pixel, the sheet's) at `where`, once they agree (the preview may be
    painted a moment after the click) or after 5 seconds."""
    (x, y), cell, pixel = where
    want = harness.sheet_cell(sheet, *cell).getpixel(pixel)
    left, top, _, _ = dialog.control(PREVIEW)["rect"]
    seen = []

    def look():
        seen.append(session.screenshot(name).getpixel((left + x, top + y)))
        return seen[-1] == want
    harness.wait_until(look, 5)
    return seen[-1], want


def top_left_square(shot):
    """The part of square a8 (top left) that the centred dialog leaves visible."""
    return shot.crop((20, 20, 50, 58))


def a8_rook(sheet):
    """The same part of the sheet's cell for a black rook on a light square."""
    return harness.sheet_cell(sheet, 6, 4).crop((0, 0, 30, 38))


def check_boxes(session, results, o):
    dialog = o.open()
    session.screenshot("options-dialog", dialog.rect)
    rows, selected, _ = o.skin_rows()
    results.check("skin list: the built-in skins, then Wood; the 800x600 file and the file "
                  "named too long for a path are left out",
                  rows == BUILT_IN + ["Wood"], str(rows))
    results.check("skin list: the skin in force is selected", selected == 0, str(selected))
    o.close(dialog, CANCEL)

    o.change(COORDINATES)
    letters, digits = strip_cells(session.client_shot("no-coordinates"), 100)
    results.check("Coordinates off + Apply: no letters or digits",
                  not any(has_colour(c, INK) for c in letters + digits))
    o.change(MOVE_LIST)
    shot = session.client_shot("no-move-list")
    results.check("Moves list off + Apply: the list and its frame are gone",
                  shot.getpixel(LIST_FRAME[100]) != INK)
    o.change(WHITE_ON_TOP)
    bad = board_mismatches(session.client_shot("white-on-top"), harness.skin_sheet(0), 100, True, START)
    results.check("White on top + Apply: the board is turned", not bad, "; ".join(bad[:4]))
    o.change(COORDINATES, MOVE_LIST, WHITE_ON_TOP)
    shot = session.client_shot("restored")
    letters, digits = strip_cells(shot, 100)
    bad = board_mismatches(shot, harness.skin_sheet(0), 100, False, START)
    results.check("all three back on: coordinates, framed list, White below",
                  all(has_colour(c, INK) for c in letters + digits) and
                  shot.getpixel(LIST_FRAME[100]) == INK and not bad, "; ".join(bad[:4]))


def bottom_rank_shown(session, results, o, size):
    dialog = o.open()
    pixel, want = preview_pixel(session, dialog, f"options-dialog-scale{size}", A1_LOWER_EDGE,
                                harness.skin_sheet(0))
    o.close(dialog, CANCEL)
    results.check(f"{size} %: the preview holds the bottom rank (a1's colour at its lower edge)",
                  pixel == want, f"{pixel} != {want}")


def scale(session, results, o):
    o.change(SCALE_75)
    shot = session.client_shot("scale-75")
    results.check("75 % + Apply: the window's client area shrinks to 572x424",
                  shot.size == (572, 424), str(shot.size))
    bad = board_mismatches(shot, harness.skin_sheet(0), 75, False, START)
    results.check("75 %: 48-pixel squares from the reduced sheet", not bad, "; ".join(bad[:4]))
    bottom_rank_shown(session, results, o, 75)
    o.change(SCALE_100)
    results.check("100 % + Apply: back to 700x552",
                  session.client_shot("scale-100").size == (700, 552))
    bottom_rank_shown(session, results, o, 100)


def skins(session, results, o):
    # Another skin changes only the preview until OK.
    before = session.client_shot("before-bright")
    dialog = o.open()
    preview_box = dialog.control(PREVIEW)["rect"]
    preview = session.screenshot("preview-book", preview_box)
    o.choose_skin(dialog, 3)
    # The preview is painted a moment after the click.
    changed = harness.wait_until(
        lambda: session.screenshot("preview-bright", preview_box).tobytes() != preview.tobytes(), 5)
    results.check("choosing a skin row changes the preview", changed)
    chosen = top_left_square(session.client_shot("bright-chosen", settle=False))
    results.check("... but not the board before OK",
                  chosen.tobytes() == top_left_square(before).tobytes() ==
                  a8_rook(harness.skin_sheet(0)).tobytes())
    o.close(dialog, OK)
    bad = board_mismatches(session.client_shot("bright-applied"), harness.skin_sheet(3), 100, False,
                           START)
    results.check("after OK the board is drawn from 4. Bright", not bad, "; ".join(bad[:4]))

    for number in range(7):
        for size in (100, 75):
            dialog = o.open()
            o.choose_skin(dialog, number)
            o.click(dialog, SCALE_75 if size == 75 else SCALE_100)
            o.close(dialog, OK)
            shot = session.client_shot(f"skin-{number + 1}-scale{size}")
            bad = board_mismatches(shot, harness.skin_sheet(number), size, False, START)
            results.check(f"skin {BUILT_IN[number]} at {size} %", not bad, "; ".join(bad[:4]))


def defaults_then_cancel(session, results, o):
    before = session.client_shot("before-defaults")
    o.change(DEFAULT, button=CANCEL)
    after = session.client_shot("after-defaults-cancel")
    results.check("Set to default, then Cancel, changes nothing",
                  after.size == before.size and after.tobytes() == before.tobytes())


def colours(session, results, o):
    dialog = o.open()
    o.click(dialog, BACKGROUND)
    chooser = session.wait_dialog("Color")
    results.check("the background swatch opens the colour dialog", chooser is not None)
    if chooser is None:
        return
    left, top, right, bottom = chooser.control(721)["rect"]  # the 16 custom colours
    session.click_screen(left + (right - left) // 16, top + (bottom - top) // 4)
    session.click_control(chooser, OK)
    session.wait_no_dialog("Color")
    red = swatch(session, dialog, BACKGROUND, "swatch-chosen")
    results.check("the chosen colour (first custom colour, red) shows on the swatch",
                  red == (255, 0, 0), str(red))
    o.click(dialog, APPLY)
    o.close(dialog, CANCEL)
    shot = session.client_shot("red-background")
    results.check("Apply puts the background colour into force", shot.getpixel((5, 5)) == (255, 0, 0),
                  str(shot.getpixel((5, 5))))

    dialog = o.open()
    o.click(dialog, PICK)
    background, ink = picked_colours(harness.skin_sheet(6))
    got = (swatch(session, dialog, BACKGROUND, "picked"), swatch(session, dialog, 4, "picked"))
    results.check("Pick from skin: background 10 % darker, ink 20 % brighter than the squares",
                  got == (background, ink), f"{got} != {(background, ink)}")
    o.close(dialog, CANCEL)
    results.check("picked colours are not applied on Cancel",
                  session.client_shot("after-pick-cancel").getpixel((5, 5)) == (255, 0, 0))


def file_skin_and_persistence(session, results, o, program, work):
    wood = wood_sheet().convert("RGB")
    dialog = o.open()
    o.choose_skin(dialog, 7)
    o.click(dialog, LEGAL, LAST, CHECK, AI, BEEP, WHITE_ON_TOP)
    o.close(dialog, OK)
    bad = board_mismatches(session.client_shot("wood"), wood, 75, True, START)
    results.check("the file skin Wood is applied", not bad, "; ".join(bad[:4]))
    harness.check_closes(session, results, program, "the program closes with exit code 0")
    files = harness.settings_files(work)
    written = harness.read_bytes(files[0]) if files else b""
    expected = settings_text(75, True, skin_name="Wood", number=-1, extra={
        "LEGAL MOVE": "NO", "CHECK": "NO", "LAST MOVE": "NO", "AI PROGRESS": "NO", "BEEP": "NO",
        "BACKGROUND_RED": "0", "BACKGROUND_GREEN": "0", "BACKGROUND_BLUE": "255"})
    results.check("the settings file holds what Options changed, Wood and NUMBER -1",
                  written == expected, repr(written))

    program = session.start(work)
    session.wait_window()
    shot = session.client_shot("next-start")
    bad = board_mismatches(shot, wood, 75, True, START)
    results.check("next start: Wood at 75 %, White on top, red background",
                  not bad and shot.getpixel((5, 5)) == (255, 0, 0), "; ".join(bad[:4]))
    dialog = o.open()
    selected = o.skin_rows()[1]
    results.check("next opening selects Wood again", selected == 7, str(selected))
    o.choose_skin(dialog, 3)
    pixel, want = preview_pixel(session, dialog, "preview-bright-after-wood", A3,
                                harness.skin_sheet(3))
    results.check("with the 8-bit Wood in force, 4. Bright previews in its own colours",
                  pixel == want, f"{pixel} != {want}")
    o.close(dialog, CANCEL)
    harness.check_closes(session, results, program, "closes again with exit code 0")


def skin_file_checks(session, results, o):
    """SKIN\\ with a good sheet named with two dots beside skins that cannot be used: a
    cut copy, one whose header says JPEG, the good sheet under the device names com1
    and aux, a top-down copy and one whose name starts with a blank (the settings file
    cannot give it back). Options opens and lists the good one only, which previews and
    applies as itself; settings naming com1 start with the first built-in skin. Returns
    the folder."""
    modern = harness.skin_sheet(4)
    work = session.new_workdir("skin-checks")
    folder = os.path.join(work, "SKIN")
    os.makedirs(folder)
    modern.save(os.path.join(folder, "My..skin.bmp"), "BMP")
    whole = harness.read_bytes(os.path.join(folder, "My..skin.bmp"))
    jpeg = bytearray(whole[:54] + bytes(192))  # 640x448 in name only: 246 bytes
    struct.pack_into("<III", jpeg, 30, 4, 192, 0)
    struct.pack_into("<I", jpeg, 2, len(jpeg))
    row_bytes = 640 * 3
    rows = [whole[54 + i * row_bytes:54 + (i + 1) * row_bytes] for i in range(448)]
    top_down = bytearray(whole[:54] + b"".join(reversed(rows)))
    struct.pack_into("<i", top_down, 22, -448)
    for name, data in (("Cut.bmp", whole[:100000]), ("Jpeg.bmp", bytes(jpeg)),
                       ("com1.bmp", whole), ("aux.bmp", whole), ("TopDown.bmp", bytes(top_down)),
                       (" lead.bmp", whole)):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    program = session.start(work)
    session.wait_window()
    dialog = o.open()
    session.screenshot("options-skin-checks", dialog.rect)
    rows = o.skin_rows()[0]
    results.check("cut, JPEG-header, device-named, top-down and blank-led skin files: "
                  "Options opens and lists the good one only",
                  rows == BUILT_IN + ["My..skin"], str(rows))
    box = dialog.control(PREVIEW)["rect"]
    o.choose_skin(dialog, 4)
    source = session.screenshot("preview-modern", box)
    o.choose_skin(dialog, 7)
    same = harness.wait_until(
        lambda: session.screenshot("preview-my-skin", box).tobytes() == source.tobytes(), 5)
    results.check("My..skin previews as itself (as 5. Modern, the sheet it holds)", same)
    o.close(dialog, OK)
    bad = board_mismatches(session.client_shot("my-skin-applied"), modern, 100, False, START)
    results.check("My..skin is applied as itself", not bad, "; ".join(bad[:4]))
    harness.check_closes(session, results, program, "closes after the skin checks with exit code 0")

    files = harness.settings_files(work)
    if not results.check("the skin run wrote a settings file", len(files) == 1, str(files)):
        return work
    with open(files[0], "wb") as f:
        f.write(settings_text(skin_name="com1", number=-1))
    program = session.start(work)
    session.wait_window()
    bad = board_mismatches(session.client_shot("device-skin-start"), harness.skin_sheet(0), 100,
                           False, START)
    results.check("settings naming the skin com1: the window shows the first built-in skin",
                  not bad, "; ".join(bad[:4]))
    dialog = o.open()  # raises when the window does not answer
    rows, selected, _ = o.skin_rows()
    results.check("with com1 named, the window answers: Options opens on 1. Book",
                  rows == BUILT_IN + ["My..skin"] and selected == 0, f"{rows} {selected}")
    o.close(dialog, CANCEL)
    harness.check_closes(session, results, program, "closes after a start naming com1 with exit code 0")
    return work


def read_only_settings(session, results, o, work):
    """A read-only settings file is not replaced at exit, though a setting changed."""
    files = harness.settings_files(work)
    if not results.check("the run before wrote a settings file", len(files) == 1, str(files)):
        return
    before = harness.read_bytes(files[0])
    os.chmod(files[0], 0o444)
    program = session.start(work)
    session.wait_window()
    o.change(COORDINATES, button=OK)
    harness.check_closes(session, results, program,
                         "closes with a read-only settings file with exit code 0")
    results.check("a read-only settings file keeps its bytes after Options changed a setting",
                  harness.read_bytes(files[0]) == before)


def main():
    session, results = harness.script(__doc__)
    with session:
        work = session.new_workdir("options")
        os.makedirs(os.path.join(work, "SKIN"))
        wood_sheet().save(os.path.join(work, "SKIN", "Wood.bmp"), "BMP")
        harness.skin_sheet(1).resize((800, 600)).save(os.path.join(work, "SKIN", "Big.bmp"), "BMP")
        # "SKIN\" and this name make a path longer than the platform's 259 characters.
        harness.skin_sheet(3).save(os.path.join(work, "SKIN", "w" * 251 + ".bmp"), "BMP")
        program = session.start(work)
        session.wait_window()
        o = Options(session)
        results.run("check boxes", check_boxes, session, results, o)
        results.run("scale", scale, session, results, o)
        results.run("skins", skins, session, results, o)
        results.run("set to default", defaults_then_cancel, session, results, o)
        results.run("colours", colours, session, results, o)
        results.run("file skin and settings", file_skin_and_persistence, session, results, o,
                    program, work)
        checked = results.run("damaged skin files", skin_file_checks, session, results, o)
        if checked:
            results.run("read-only settings file", read_only_settings, session, results, o, checked)
    return results.finish()


if __name__ == "__main__":
    sys.exit(main())
