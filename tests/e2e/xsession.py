"""A private X display for the end-to-end runs, and a person's hands and eyes on it.

Starts its own Xvfb on a free display number (the server picks it and reports
it through -displayfd), presses keys and clicks through XTest with xdotool,
finds top-level windows by title, and grabs the screen as raw RGB pixels so a
run can wait for a part of the window to change. Standard library only.
"""

import os
import re
import struct
import subprocess
import time
import zlib


class E2eFailure(Exception):
    """A step of the run did not see what a user would have seen."""


def wait_until(condition, timeout, what, poll=0.1):
    """Polls condition() until it returns something true; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise E2eFailure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(poll)


class Image:
    """An RGB picture, rows top to bottom, three bytes a pixel."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def crop(self, x, y, w, h):
        x, y = max(0, x), max(0, y)
        w, h = min(w, self.width - x), min(h, self.height - y)
        rows = [self.data[((y + r) * self.width + x) * 3:((y + r) * self.width + x + w) * 3] for r in range(h)]
        return Image(w, h, b"".join(rows))

    def find_first(self, colour):
        """Top-most, then left-most pixel of exactly this colour, or None."""
        target = bytes(colour)
        start = 0
        while True:
            i = self.data.find(target, start)
            if i < 0:
                return None
            if i % 3 == 0:
                return (i // 3) % self.width, (i // 3) // self.width
            start = i + 1

    def save_png(self, path):
        raw = b"".join(b"\x00" + self.data[r * self.width * 3:(r + 1) * self.width * 3] for r in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6))
                    + chunk(b"IEND", b""))


def parse_ppm(blob):
    """Decodes a binary 8-bit PPM (P6), as ImageMagick's import writes it."""
    fields, pos = [], 0
    while len(fields) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        if blob[pos:pos + 1] == b"#":
            pos = blob.index(b"\n", pos) + 1
            continue
        end = pos
        while not blob[end:end + 1].isspace():
            end += 1
        fields.append(blob[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise E2eFailure(f"unexpected screen grab format {fields[0]!r} / {fields[3]!r}")
    width, height = int(fields[1]), int(fields[2])
    data = blob[pos + 1:pos + 1 + width * height * 3]
    return Image(width, height, data)


class XSession:
    """One Xvfb server for one run, with input and screen helpers bound to it."""

    def __init__(self, width=1280, height=1024, log_dir="."):
        read_end, write_end = os.pipe()
        self.log = open(os.path.join(log_dir, "xvfb.log"), "wb")
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=self.log, stderr=subprocess.STDOUT)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            # The server writes its display number once it accepts clients (a few hundred ms).
            number = pipe.readline().strip()
        if not number:
            self.close()
            raise E2eFailure("Xvfb did not start (see xvfb.log)")
        self.display = ":" + number.decode()
        self.env = dict(os.environ, DISPLAY=self.display, LC_ALL="C.UTF-8")
        self.env.pop("WAYLAND_DISPLAY", None)

    def close(self):
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(5)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        self.log.close()

    # --- input -----------------------------------------------------------------------------------

    def xdotool(self, *args, check=True):
        run = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True, timeout=20)
        if check and run.returncode != 0:
            raise E2eFailure(f"xdotool {' '.join(map(str, args))} failed: {run.stderr.strip()}")
        return run.stdout

    def click(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)
        # A short rest between the move and the press, as a hand gives: GTK takes the
        # button press for the widget it last saw the pointer enter.
        time.sleep(0.05)
        self.xdotool("click", "1")

    def drag(self, x0, y0, x1, y1):
        self.xdotool("mousemove", "--sync", x0, y0)
        time.sleep(0.05)
        self.xdotool("mousedown", "1")
        for step in (0.25, 0.5, 0.75, 1.0):
            self.xdotool("mousemove", "--sync", int(x0 + (x1 - x0) * step), int(y0 + (y1 - y0) * step))
            time.sleep(0.05)
        self.xdotool("mouseup", "1")

    def key(self, *names):
        for name in names:
            self.xdotool("key", "--delay", "40", name)

    def type(self, text, delay_ms=60):
        self.xdotool("type", "--delay", delay_ms, text)

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    # --- windows ---------------------------------------------------------------------------------

    def find_windows(self, title_regex, pid=None):
        """Visible top-level windows whose title matches. The titles are compared here: GTK
        gives a non-ASCII title only as _NET_WM_NAME, which xdotool's own search does not read."""
        args = ["search", "--all", "--onlyvisible"]
        if pid is not None:
            args += ["--pid", pid]
        out = self.xdotool(*args, "--name", ".*", check=False)
        found = []
        for window in (int(w) for w in out.split()):
            name = self.xdotool("getwindowname", window, check=False).rstrip("\n")
            if re.search(title_regex, name):
                found.append(window)
        return found

    def geometry(self, window):
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    # --- eyes ------------------------------------------------------------------------------------

    def grab(self):
        run = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                             capture_output=True, timeout=20)
        if run.returncode != 0:
            raise E2eFailure(f"screen grab failed: {run.stderr.decode(errors='replace').strip()}")
        return parse_ppm(run.stdout)
