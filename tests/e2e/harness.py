"""Shared helpers for the end-to-end tests: the real varno-4.exe under Wine on a
virtual X display (Xvfb).

A test script is run as `python3 test_x.py <path-to-varno-4.exe> <output-dir>`.
Typical use:

    session, results = harness.script(__doc__)        # the two arguments, or the usage
    with session:
        work = session.new_workdir("first-start")     # fresh folder, exe copied in
        program = session.start(work)                 # wine varno-4.exe, cwd = work
        session.wait_window()                         # window of class VARNO4 is up
        image = session.client_shot("start")          # PNG kept in the output dir
        session.click(300, 300)                       # client pixel, primary button
        rows = session.rows()                         # move list rows (probe)
        dialog = session.wait_dialog("New game")      # a shown dialog and its controls
        harness.check_closes(session, results, program, "closes")  # WM_CLOSE, exit code 0
    return results.finish()

What X11 tools cannot see under Wine (window classes, client origin, list rows,
dialogs and their controls) comes from varno-4-probe.exe, a test utility built beside
the program (tests/e2e/probe/probe.cpp). Menus cannot be read from another process
under Wine.

Environment: WINEPREFIX (default ~/.varno-4-wine, created on first use),
WINEDEBUG=-all and WINEDLLOVERRIDES="mscoree,mshtml=" are set for every Wine process.
The prefix gets the font replacement the program's text needs (see ensure_prefix).
A Session starts its own Xvfb on a free display and stops it at the end; it ends
only the processes it started.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    from PIL import Image, ImageChops, ImageStat
except ImportError:  # a Python of its own may lack Debian's python3-pil
    sys.path.append("/usr/lib/python3/dist-packages")
    from PIL import Image, ImageChops, ImageStat  # noqa: F401  (for the test scripts)
from PIL import ImageDraw, ImageFont

SCREEN = (1280, 1024)
# The program asks for the face "Palatino Linotype", which Wine lacks; P052 (Debian's
# fonts-urw-base35) has the same metrics, so the move list's rows fit as designed.
FONT_REPLACEMENT = ("Palatino Linotype", "P052")
FONT_FILE = "/usr/share/fonts/opentype/urw-base35/P052-Roman.otf"
REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def wine_environment(display=None):
    env = dict(os.environ)
    env["WINEDEBUG"] = "-all"
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    env.setdefault("WINEPREFIX", os.path.join(os.path.expanduser("~"), ".varno-4-wine"))
    if display is not None:
        env["DISPLAY"] = display
    return env


def wait_until(condition, timeout, interval=0.25):
    """Calls condition() until it returns a true value or `timeout` seconds pass;
    returns the last value."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= end:
            return value
        time.sleep(interval)


class Program:
    """One started varno-4.exe (the wine process that runs it)."""

    def __init__(self, process, workdir):
        self.process = process
        self.workdir = workdir

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=30):
        """Exit code, or None when it is still running after `timeout` seconds."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait(timeout=10)


class Session:
    """Xvfb, the Wine environment, temporary working folders and the output dir."""

    def __init__(self, exe, out_dir):
        self.exe = os.path.abspath(exe)
        self.probe_exe = os.path.join(os.path.dirname(self.exe), "varno-4-probe.exe")
        self.out_dir = os.path.abspath(out_dir)
        os.makedirs(self.out_dir, exist_ok=True)
        self.temp_root = tempfile.mkdtemp(prefix="varno-4-e2e-")
        self.xvfb = None
        self.display = None
        self.env = None
        self.programs = []
        self.known_client = None  # client rectangle of the started program, once read
        self.pointer = None       # where this session last put the pointer

    # -- lifetime ------------------------------------------------------------------
    def __enter__(self):
        self.start_xvfb()
        self.env = wine_environment(self.display)
        self.ensure_prefix()
        return self

    def __exit__(self, *exc):
        self.shutdown()
        return False

    def start_xvfb(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip():
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode().strip()

    def ensure_prefix(self):
        quiet = dict(env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not os.path.isdir(os.path.join(self.env["WINEPREFIX"], "drive_c")):
            subprocess.run(["wineboot", "-i"], timeout=300, **quiet)
        face, replacement = FONT_REPLACEMENT
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements",
                        "/v", face, "/t", "REG_SZ", "/d", replacement, "/f"],
                       timeout=120, check=True, **quiet)

    def shutdown(self):
        for program in self.programs:
            program.kill()
        if self.xvfb is not None and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
        # Let this prefix's wine server end by itself once our processes are gone.
        try:
            subprocess.run(["wineserver", "-w"], env=self.env or wine_environment(), timeout=10)
        except subprocess.TimeoutExpired:
            pass
        shutil.rmtree(self.temp_root, ignore_errors=True)

    # -- folders and programs ------------------------------------------------------
    def new_workdir(self, name):
        """A fresh empty working folder holding a copy of the program."""
        path = os.path.join(self.temp_root, name)
        os.makedirs(path)
        shutil.copy2(self.exe, os.path.join(path, "varno-4.exe"))
        return path

    def start(self, workdir, alone=True):
        # A program started while an earlier one's window still exists would only
        # raise that window and end: unless that is what is tested, wait for it to go.
        if alone and not wait_until(lambda: self.title() is None, 60, interval=0.5):
            raise AssertionError("an earlier program's window is still there")
        process = subprocess.Popen(["wine", "varno-4.exe"], cwd=workdir, env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        program = Program(process, workdir)
        self.programs.append(program)
        self.known_client = None
        return program

    def probe(self, *args, timeout=60):
        """Runs the probe; returns (exit code, stdout lines); (None, []) on a timeout.

        Its output goes through a file, not a pipe: a wine server that this call
        happens to start inherits the descriptors and would hold a pipe open."""
        with tempfile.TemporaryFile(mode="w+", errors="replace", dir=self.temp_root) as out:
            try:
                code = subprocess.run(["wine", self.probe_exe] + [str(a) for a in args],
                                      env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                      timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                return None, []
            out.seek(0)
            lines = [line.rstrip("\r\n") for line in out]
        return code, lines

    # -- windows -------------------------------------------------------------------
    def title(self):
        """Title of the window of class VARNO4, None when there is none."""
        code, lines = self.probe("find")
        return lines[0] if code == 0 and lines else None

    def wait_window(self, timeout=90):
        """Title of the window of class VARNO4 once it exists and is painted."""
        title = wait_until(self.title, timeout, interval=0.5)
        if title is None:
            raise AssertionError("no window of class VARNO4 appeared")
        time.sleep(1.0)  # the first paint follows creation at once; let X catch up
        return title

    def close_program(self, program, timeout=30):
        """Asks the window to close (WM_CLOSE) and returns the exit code."""
        self.probe("close")
        return program.wait_exit(timeout)

    def x_windows(self, name="^Varno-4$"):
        result = subprocess.run(["xdotool", "search", "--name", name], env=self.env,
                                capture_output=True, text=True)
        return [line for line in result.stdout.split() if line]

    def windows(self):
        """The program's other windows (dialogs, message boxes, popup menus)."""
        found = []
        for line in self.probe("windows")[1]:
            if line.startswith("window "):
                title, cls, rect, visible = line[7:].split("|", 3)
                found.append(Window(title, cls, parse_rect(rect), visible == "1"))
            elif line.startswith("control ") and found:
                cid, cls, rect, enabled, readonly, image, text = line[8:].split("|", 6)
                found[-1].controls.append({"id": int(cid), "cls": cls, "rect": parse_rect(rect),
                                           "enabled": enabled == "1", "readonly": readonly == "1",
                                           "image": image == "1", "text": unescape(text)})
        return found

    def wait_dialog(self, title, timeout=15):
        """The shown window of that title, once there is one (else None)."""
        def look():
            return next((w for w in self.windows() if w.title == title and w.visible), None)
        return wait_until(look, timeout, interval=0.3)

    def wait_no_dialog(self, title, timeout=15):
        """True once no window of that title exists. Under Wine without a window manager
        a closed dialog lingers hidden for a while, and input meanwhile can be lost."""
        return wait_until(lambda: all(w.title != title for w in self.windows()),
                          timeout, interval=0.3)

    def wait_message(self, texts, timeout=15):
        """The shown message box (caption "Varno-4") whose message is one of `texts` (a
        text or a list of texts), once there is one, else None. A box of any other
        text is no answer: a game-over box must not pass for a question."""
        wanted = [texts] if isinstance(texts, str) else list(texts)

        def look():
            return next((w for w in self.windows() if w.title == "Varno-4" and w.visible
                         and w.message() in wanted), None)
        return wait_until(look, timeout, interval=0.3)

    def any_message(self, timeout=15):
        """Whatever message box (caption "Varno-4") is shown, once there is one, else
        None: only for checking that none opens, or for saying which one did."""
        return wait_until(lambda: next((w for w in self.windows() if w.title == "Varno-4"
                                        and w.visible), None), timeout, interval=0.3)

    def set_x_clipboard(self, text):
        """Puts `text` on the X clipboard from an X program of its own (xclip, which
        serves it until another program takes the clipboard or X ends)."""
        subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(), env=self.env,
                       check=True, timeout=10)

    def edit_message(self, dialog_title, control_id, *what):
        """Sends WM_PASTE ("paste") or EM_REPLACESEL ("replace", text) to a control of
        a shown dialog, as another program could."""
        return self.probe("edit", dialog_title, control_id, *what)[0] == 0

    def set_clipboard(self, text):
        if self.probe("clipboard", text)[0] != 0:
            raise AssertionError("the clipboard could not be set")

    def list_rows(self, title, control_id):
        """(rows, selected row, row height) of list box `control_id` of the dialog titled
        `title`; (None, None, None) when it cannot be read."""
        code, lines = self.probe("list", title, control_id)
        if code != 0:
            return None, None, None
        rows, selected, height = [], None, None
        for line in lines:
            if line.startswith("row "):
                rows.append(line[4:])
            elif line.startswith("selected "):
                selected = int(line.split()[1])
            elif line.startswith("height "):
                height = int(line.split()[1])
        return rows, selected, height

    def hold_file(self, workdir, relative_path, seconds):
        """Keeps a file of the program's folder open without sharing for `seconds` (a
        Windows process of the same Wine server, so the program's own open fails).
        Returns the holding process once the file is open, None when it could not be."""
        out = open(os.path.join(self.temp_root, "hold.out"), "w+")
        holder = subprocess.Popen(["wine", self.probe_exe, "hold", relative_path, str(seconds)],
                                  cwd=workdir, env=self.env, stdout=out, stderr=subprocess.DEVNULL)
        held = wait_until(lambda: holder.poll() is not None or
                          "held" in open(out.name).read(), 30, interval=0.2)
        out.close()
        if not held or holder.poll() is not None:
            if holder.poll() is None:
                holder.kill()
            return None
        return holder

    def rendered_text(self, text, width, height):
        """`text` drawn as the program draws its one-line messages (window font, centred,
        white on the default grey), by the probe in a bitmap of its own."""
        path = os.path.join(self.temp_root, "rendered.bmp")
        windows_path = "Z:" + path.replace("/", "\\")  # Wine's drive Z: is the root
        if self.probe("render", text, width, height, windows_path)[0] != 0:
            raise AssertionError(f"the probe could not draw {text!r}")
        return Image.open(path).convert("RGB")

    # -- the move list ----------------------------------------------------------------
    def move_list(self):
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

    def rows(self):
        return self.move_list()[0]

    def selected_row(self):
        return self.move_list()[1]

    def wait_rows(self, count, timeout=60):
        """Rows once the list holds at least `count` of them (else the last rows read)."""
        rows = wait_until(lambda: (lambda r: r if r and len(r) >= count else None)(self.rows()),
                          timeout, interval=0.2)
        return rows or self.rows()

    # -- geometry, input and pictures ------------------------------------------------
    def client_rect(self, known=False):
        """(x, y, width, height): client origin on the screen and client size. With
        `known`, the rectangle read before for this program is reused (no probe call)."""
        if not (known and self.known_client):
            code, lines = self.probe("client")
            if code != 0 or not lines:
                raise AssertionError("probe could not read the client area")
            self.known_client = tuple(int(v) for v in lines[0].split())
        return self.known_client

    def xdotool(self, *args, pause=0.3):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True)
        time.sleep(pause)

    def move_pointer(self, x, y):
        """Moves the pointer to screen pixel (x, y) and waits until it is there. xdotool's
        --sync waits for a motion event, which a move onto the pointer's own place never
        sends, so that move is not made."""
        if self.pointer != (x, y):
            self.xdotool("mousemove", "--sync", x, y, pause=0)
            self.pointer = (x, y)

    def click_screen(self, x, y, button=1, pause=0.3, count=1):
        """Clicks at screen pixel (x, y) `count` times; button 1 is the primary button."""
        self.move_pointer(x, y)
        self.xdotool("click", "--repeat", count, "--delay", 80, button, pause=pause)

    def click(self, x, y, button=1, pause=0.3):
        """Clicks at client pixel (x, y)."""
        cx, cy, _, _ = self.client_rect(known=True)
        self.click_screen(cx + x, cy + y, button, pause)

    def click_control(self, window, control_id):
        left, top, right, bottom = window.control(control_id)["rect"]
        self.click_screen((left + right) // 2, (top + bottom) // 2)

    def key(self, *names):
        self.xdotool("key", *names)

    def type_text(self, text):
        self.xdotool("type", "--delay", "60", text)

    def screenshot(self, name, box=None):
        """The whole screen, or the `box` of it, as an RGB image, also kept as
        <out-dir>/<name>.png."""
        path = os.path.join(self.out_dir, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        image = Image.open(path).convert("RGB")
        if box is not None:
            image = image.crop(box)
            image.save(path)
        return image

    def client_shot(self, name, settle=True, tries=6):
        """The client area as an RGB image, kept as <name>.png. With `settle`, once two
        shots half a second apart agree (painting has settled); without, at once, with
        no probe call in between."""
        x, y, w, h = self.client_rect(known=not settle)
        box = (x, y, x + w, y + h)
        image = self.screenshot(name, box)
        for _ in range(tries if settle else 0):
            time.sleep(0.5)
            again = self.screenshot(name, box)
            if again.tobytes() == image.tobytes():
                break
            image = again
        return image

    def send(self, message, times=1):
        """Sends window message number `message` (no arguments) `times` times."""
        return self.probe("send", message, times)[0] == 0


class Window:
    """A dialog or message box of the program as the probe reported it."""

    def __init__(self, title, cls, rect, visible):
        self.title, self.cls, self.rect, self.visible = title, cls, rect, visible
        self.controls = []

    def control(self, control_id):
        return next((c for c in self.controls if c["id"] == control_id), None)

    def message(self):
        """The longest static text: a message box's message."""
        texts = [c["text"] for c in self.controls if c["cls"].lower() == "static" and c["text"]]
        return max(texts, key=len) if texts else ""


def unescape(text):
    """A control's text as the probe escaped it, with "\n" for every line break."""
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"n": "\n", "r": "\r"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out).replace("\r\n", "\n")


def parse_rect(text):
    return tuple(int(v) for v in text.split())


# -- helpers for files and sheets --------------------------------------------------

def settings_files(workdir):
    return sorted(glob.glob(os.path.join(workdir, "varno-4 {*}.ini")))


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def square_name(x, y):
    return "abcdefgh"[x] + str(y + 1)


def start_position():
    """{square: (kind, colour)} of the standard start position; kinds 1 pawn to 6 king,
    colour 0 White."""
    board = {}
    back = [4, 2, 3, 5, 6, 3, 2, 4]
    for x in range(8):
        board[square_name(x, 0)] = (back[x], 0)
        board[square_name(x, 1)] = (1, 0)
        board[square_name(x, 6)] = (1, 1)
        board[square_name(x, 7)] = (back[x], 1)
    return board


def sheet_cell(sheet, column, row):
    """The 64-pixel cell of a skin sheet: row = piece kind, columns 0-4 White, 5-9 Black."""
    return sheet.crop((column * 64, row * 64, column * 64 + 64, row * 64 + 64))


def skin_sheet(number):
    """The built-in sheet of skin `number` (0 to 6) as an RGB image."""
    names = ["book", "classic", "old", "bright", "modern", "desk", "clear"]
    path = os.path.join(REPO, "resources", "skins", f"skin-{number + 1}-{names[number]}.bmp")
    return Image.open(path).convert("RGB")


# -- reading what is drawn -----------------------------------------------------------

def ink_pixels(image, ink, tolerance=40):
    """How many pixels of `image` are of the ink colour (text is drawn smoothed)."""
    return sum(count for count, colour in image.getcolors(image.size[0] * image.size[1])
               if max(abs(colour[k] - ink[k]) for k in range(3)) <= tolerance)


def ink_span(image, ink, tolerance=40):
    """Width of the columns of `image` that hold ink (0 when none do)."""
    pixels = image.load()
    columns = [x for x in range(image.size[0]) if any(
        max(abs(pixels[x, y][k] - ink[k]) for k in range(3)) <= tolerance
        for y in range(image.size[1]))]
    return columns[-1] - columns[0] + 1 if columns else 0


def _glyph_shape(image, ink, background, size=(16, 20)):
    """A character's picture as ink coverage (0..255) in its own bounding box, scaled
    to one size, so that pictures of different fonts sizes compare."""
    span = max(1, sum(abs(ink[k] - background[k]) for k in range(3)))
    cover = Image.new("L", image.size)
    src, dst = image.load(), cover.load()
    for y in range(image.size[1]):
        for x in range(image.size[0]):
            far = sum(abs(src[x, y][k] - background[k]) for k in range(3))
            dst[x, y] = min(255, 255 * far // span)
    box = cover.point(lambda v: 255 if v > 100 else 0).getbbox()
    return cover.crop(box).resize(size, Image.BILINEAR) if box else None


_REFERENCE_GLYPHS = {}


def read_character(image, ink, background, alphabet):
    """The character of `alphabet` whose shape in the program's font face is closest
    to what `image` shows (None when it shows no ink)."""
    shape = _glyph_shape(image, ink, background)
    if shape is None:
        return None
    font = ImageFont.truetype(FONT_FILE, 40)
    best = None
    for char in alphabet:
        if char not in _REFERENCE_GLYPHS:
            picture = Image.new("RGB", (60, 60), (0, 0, 0))
            ImageDraw.Draw(picture).text((10, 5), char, font=font, fill=(255, 255, 255))
            _REFERENCE_GLYPHS[char] = _glyph_shape(picture, (255, 255, 255), (0, 0, 0))
        diff = sum(ImageStat.Stat(ImageChops.difference(shape, _REFERENCE_GLYPHS[char])).sum)
        if best is None or diff < best[0]:
            best = (diff, char)
    return best[1]


def find_picture(image, picture):
    """True when `picture` appears pixel for pixel somewhere in `image`."""
    for top in range(image.size[1] - picture.size[1] + 1):
        for left in range(image.size[0] - picture.size[0] + 1):
            part = image.crop((left, top, left + picture.size[0], top + picture.size[1]))
            if ImageChops.difference(part, picture).getbbox() is None:
                return True
    return False


def script(doc):
    """The start every test script shares: with other than two arguments, prints the
    script's usage `doc` and exits with 2; else returns a Session on them (to be entered
    with `with`) and the Results the script counts in."""
    if len(sys.argv) != 3:
        print(doc)
        sys.exit(2)
    return Session(sys.argv[1], sys.argv[2]), Results()


def check_closes(session, results, program, name):
    """Closes the program (WM_CLOSE) and checks, as `name`, that it ends with exit code 0."""
    code = session.close_program(program)
    return results.check(name, code == 0, str(code))


class Results:
    """Counts named checks and prints the closing line CTest and CI read."""

    def __init__(self):
        self.passed = 0
        self.failed = []

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
            print(f"ok   {name}")
        else:
            self.failed.append(name)
            print(f"FAIL {name} {detail}")
        sys.stdout.flush()
        return ok

    def run(self, name, function, *args):
        """Runs one group of checks; an error in it fails the group, not the script."""
        try:
            return function(*args)
        except Exception as error:  # the remaining groups still run
            self.check(f"{name} ran to the end", False, f"{type(error).__name__}: {error}")
            return None

    def finish(self):
        print(f"{self.passed} passed, {len(self.failed)} failed")
        return 0 if not self.failed and self.passed > 0 else 1
