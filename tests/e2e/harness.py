"""Shared helpers for the end-to-end tests: the real varno-4.exe under Wine on a
virtual X display (Xvfb).

A test script is run as `python3 test_x.py <path-to-varno-4.exe> <output-dir>`.
Typical use:

    with harness.Session(sys.argv[1], sys.argv[2]) as session:
        work = session.new_workdir("first-start")     # fresh folder, exe copied in
        program = session.start(work)                 # wine varno-4.exe, cwd = work
        session.wait_window()                         # window of class VARNO4 is up
        image = session.client_shot("start")          # PNG kept in the output dir
        session.click(300, 300)                       # client pixel, primary button
        rows = session.rows()                         # move list rows (probe)
        session.close_program(program)                # WM_CLOSE, wait for exit

What X11 tools cannot see under Wine (window classes, client origin, list rows)
comes from varno-4-probe.exe, a test utility built beside the program
(tests/e2e/probe/window_probe.cpp). Menus cannot be read from another process
under Wine.

Environment: WINEPREFIX (default ~/.varno-4-wine, created on first use),
WINEDEBUG=-all and WINEDLLOVERRIDES="mscoree,mshtml=" are set for every Wine process.
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
    from PIL import Image
except ImportError:  # a Python of its own may lack Debian's python3-pil
    sys.path.append("/usr/lib/python3/dist-packages")
    from PIL import Image

SCREEN = (1280, 1024)
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
        if not os.path.isdir(os.path.join(self.env["WINEPREFIX"], "drive_c")):
            subprocess.run(["wineboot", "-i"], env=self.env, timeout=300,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

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

    def start(self, workdir):
        process = subprocess.Popen(["wine", "varno-4.exe"], cwd=workdir, env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        program = Program(process, workdir)
        self.programs.append(program)
        return program

    def probe(self, *args, timeout=60):
        """Runs the probe; returns (exit code, stdout lines); (None, []) on a timeout.

        Its output goes through a file, not a pipe: a wine server that this call
        happens to start inherits the descriptors and would hold a pipe open."""
        with tempfile.TemporaryFile(mode="w+", dir=self.temp_root) as out:
            try:
                code = subprocess.run(["wine", self.probe_exe] + [str(a) for a in args],
                                      env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                      timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                return None, []
            out.seek(0)
            lines = [line.rstrip("\r\n") for line in out]
        return code, lines

    def wait_window(self, timeout=90):
        """Title of the window of class VARNO4 once it exists and is painted."""
        def found():
            code, lines = self.probe("find")
            return lines[0] if code == 0 and lines else None
        title = wait_until(found, timeout, interval=0.5)
        if title is None:
            raise AssertionError("no window of class VARNO4 appeared")
        time.sleep(1.0)  # the first paint follows creation at once; let X catch up
        return title

    def window_gone(self, timeout=30):
        return wait_until(lambda: self.probe("find")[0] != 0, timeout, interval=0.5)

    def close_program(self, program, timeout=30):
        """Asks the window to close (WM_CLOSE) and returns the exit code."""
        self.probe("close")
        return program.wait_exit(timeout)

    def x_windows(self, name="^Varno-4$"):
        result = subprocess.run(["xdotool", "search", "--name", name], env=self.env,
                                capture_output=True, text=True)
        return [line for line in result.stdout.split() if line]

    # -- geometry, input and pictures ------------------------------------------------
    def client_rect(self):
        """(x, y, width, height): client origin on the screen and client size."""
        code, lines = self.probe("client")
        if code != 0 or not lines:
            raise AssertionError("probe could not read the client area")
        return tuple(int(v) for v in lines[0].split())

    def click(self, x, y, button=1):
        """Clicks at client pixel (x, y); button 1 is the primary button."""
        cx, cy, _, _ = self.client_rect()
        subprocess.run(["xdotool", "mousemove", "--sync", str(cx + x), str(cy + y),
                        "click", str(button)], env=self.env, check=True)
        time.sleep(0.3)

    def key(self, *names):
        subprocess.run(["xdotool", "key"] + list(names), env=self.env, check=True)
        time.sleep(0.3)

    def screenshot(self, name):
        """The whole screen as an RGB image, also kept as <out-dir>/<name>.png."""
        path = os.path.join(self.out_dir, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        return Image.open(path).convert("RGB")

    def client_shot(self, name, tries=6):
        """The client area as an RGB image once two shots half a second apart agree
        (painting has settled); the PNG kept is the client area too."""
        x, y, w, h = self.client_rect()
        image = self.screenshot(name).crop((x, y, x + w, y + h))
        for _ in range(tries):
            time.sleep(0.5)
            again = self.screenshot(name).crop((x, y, x + w, y + h))
            if again.tobytes() == image.tobytes():
                break
            image = again
        image.save(os.path.join(self.out_dir, name + ".png"))
        return image

    def rows(self):
        """Rows of the move list box, or None when the probe cannot read them."""
        code, lines = self.probe("rows")
        if code != 0:
            return None
        return [line[4:] for line in lines if line.startswith("row ")]

    def selected_row(self):
        code, lines = self.probe("rows")
        for line in lines:
            if line.startswith("selected "):
                return int(line.split()[1])
        return None

    def send(self, message, times=1):
        """Sends window message number `message` (no arguments) `times` times."""
        return self.probe("send", message, times)[0] == 0


# -- helpers for files and sheets --------------------------------------------------

def settings_files(workdir):
    return sorted(glob.glob(os.path.join(workdir, "varno-4 {*}.ini")))


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def skin_sheet(number):
    """The built-in sheet of skin `number` (0 to 6) as an RGB image."""
    names = ["book", "classic", "old", "bright", "modern", "desk", "clear"]
    path = os.path.join(REPO, "resources", "skins", f"skin-{number + 1}-{names[number]}.bmp")
    return Image.open(path).convert("RGB")


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
