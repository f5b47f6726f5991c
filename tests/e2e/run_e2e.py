#!/usr/bin/python3
"""End-to-end runs of the built program, driven only through its window.

Each run starts a fresh Xvfb, starts build/rovidada-de12 on it with COM 1 wired
to a simulated board (or to a pseudo-terminal), and then clicks and types as a
person would (XTest through xdotool): port, model, crystal, connect, read, edit
cells in both halves, fill a block, write, read again into a new buffer,
compare, save, load into another page and save again. The saved files must hold
exactly the image the run built: the simulated EEPROM starts erased (0xFF) and
takes the edits and the fill. The program must print no GTK warning or critical
on the way. Screens go to the output folder: start.png and after-read.png on every run,
failure.png when a step fails.

Usage: run_e2e.py --exe PATH --out DIR {mc9s12|hc912d|two_instances}
"""

import argparse
import os
import re
import select
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from main_window import (COMPARE_ARROW, CONNECT_BUTTON, COUNT_FIELD, CRYSTAL_ARROW, FILL_BUTTON, FILL_FIELD,
                         READ_BUTTON, READ_BUTTON_AREA, STATUS_FIELD_0, TAB_ROW_RIGHT, TOOLS, WRITE_BUTTON,
                         MainWindow)
from xsession import E2eFailure, XSession, wait_until

BYTE_COUNT = 64  # four grid rows: a write of this many bytes takes seconds, not minutes, on the real clock

BOARDS = {
    # name: (COM 1 wiring, model, crystal item, whether connecting shows the "Parametry" box)
    "mc9s12": ("sim:MC9S12DT128@8MHz", "MC9S12DT128", "Auto", True),
    "hc912d": ("sim:HC912D60x@16MHz", "HC912D60x", "16MHz", False),
}

HEX_EDITS = [((0, 2), "A5"), ((3, 15), "07")]        # (row, column), two hex digits
CHAR_EDITS = [((1, 5), "Q"), ((2, 0), "z")]          # (row, column of the character half), one letter
FILL_BLOCK = (2, 4, 3, 9)                            # top, left, bottom, right (hexadecimal half)
FILL_VALUE = 0x3C

# A GTK warning or critical means the window asked the toolkit for something wrong.
TOOLKIT_COMPLAINT = re.compile(r"\b(Gtk|Gdk|GLib[\w-]*)-(CRITICAL|WARNING) \*\*")


def expected_image():
    image = bytearray([0xFF] * BYTE_COUNT)
    for (row, col), text in HEX_EDITS:
        image[row * 16 + col] = int(text, 16)
    for (row, col), letter in CHAR_EDITS:
        image[row * 16 + col] = ord(letter)
    top, left, bottom, right = FILL_BLOCK
    for row in range(top, bottom + 1):
        for col in range(left, right + 1):
            image[row * 16 + col] = FILL_VALUE
    return bytes(image)


class Program:
    """One running instance of the program on the run's display."""

    def __init__(self, exe, x, out_dir, name, com1):
        home = os.path.join(out_dir, f"home-{name}")
        os.makedirs(os.path.join(home, ".config/gtk-3.0"), exist_ok=True)
        # A still screen means a finished step only if nothing blinks or fades by itself.
        with open(os.path.join(home, ".config/gtk-3.0/settings.ini"), "w") as settings:
            settings.write("[Settings]\ngtk-cursor-blink=false\ngtk-enable-animations=false\n")
        env = dict(x.env, ROVIDADA_COM1=com1, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local/share"), NO_AT_BRIDGE="1", GDK_BACKEND="x11",
                   GSETTINGS_BACKEND="memory")
        self.log_path = os.path.join(out_dir, f"{name}.log")
        self.log = open(self.log_path, "wb")
        self.process = subprocess.Popen([exe], env=env, stdout=self.log, stderr=subprocess.STDOUT)
        self.pid = self.process.pid

    def open_files(self):
        names = []
        fd_dir = f"/proc/{self.pid}/fd"
        for fd in os.listdir(fd_dir):
            try:
                names.append(os.readlink(os.path.join(fd_dir, fd)))
            except OSError:
                pass
        return names

    def check_alive(self):
        if self.process.poll() is not None:
            raise E2eFailure(f"the program ended with status {self.process.returncode}")

    def check_toolkit_quiet(self):
        """The program's output (stdout and stderr) holds no GTK warning or critical."""
        with open(self.log_path, encoding="utf-8", errors="replace") as log:
            complaints = [line.strip() for line in log if TOOLKIT_COMPLAINT.search(line)]
        if complaints:
            raise E2eFailure(f"GTK complained {len(complaints)} time(s), first: {complaints[0]}")

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


def log(message):
    print(f"[{time.strftime('%H:%M:%S')}] {message}", flush=True)


def save_failure_screen(x, out_dir):
    try:
        x.grab().save_png(os.path.join(out_dir, "failure.png"))
    except Exception as e:  # the screen may be gone; the original failure matters more
        log(f"no failure screenshot: {e}")


def read_eeprom(window):
    before = window.area(STATUS_FIELD_0)
    window.click(READ_BUTTON)
    window.wait_for_change(STATUS_FIELD_0, before, 30, "the read's result line")
    window.wait_until_still()


def answer_file_dialog(window, path, location_key):
    """Types a full path into GTK's file dialog and accepts it with Return."""
    box = window.wait_for_box(r"^Wybierz plik\.$", 20)
    window.x.focus(box)
    time.sleep(0.5)
    window.x.key(location_key)
    time.sleep(0.3)
    window.x.type(path, delay_ms=25)   # a long path; GTK keeps up with a fast typist
    # The name field completes file names in the background and swallows a Return
    # that comes while it is still at work: give it a moment, and one more Return
    # if the same dialog is still up.
    for attempt in range(2):
        time.sleep(0.5)
        if box not in window.x.find_windows(".*", pid=window.pid):
            break
        window.x.focus(box)
        window.x.key("Return")
        try:
            wait_until(lambda: box not in window.x.find_windows(".*", pid=window.pid), 5, "the file dialog to close")
            return
        except E2eFailure:
            if attempt == 1:
                raise
            log("the file dialog kept its Return: pressing it once more")


def save_buffer(window, path):
    window.click(TOOLS["save"])
    answer_file_dialog(window, path, "ctrl+a")   # the name field has the focus in the save dialog
    sizes = []

    def written():
        # The program writes the whole image in one call: two equal sizes in a row mean done.
        sizes.append(os.path.getsize(path) if os.path.exists(path) else -1)
        return len(sizes) > 1 and sizes[-1] >= 0 and sizes[-1] == sizes[-2]
    wait_until(written, 15, f"{path} to be written", poll=0.3)


def load_into_new_buffer(window, path):
    window.click(TOOLS["new"])
    window.wait_until_still()
    before = window.area(STATUS_FIELD_0)
    window.click(TOOLS["open"])
    answer_file_dialog(window, path, "ctrl+l")   # the open dialog takes a typed path in its location field
    window.wait_for_change(STATUS_FIELD_0, before, 15, "the load's result line")
    window.wait_until_still()


def check_file(path, expected):
    with open(path, "rb") as f:
        got = f.read()
    if got != expected:
        diffs = [f"{i}: {got[i]:02X}≠{expected[i]:02X}" for i in range(min(len(got), len(expected)))
                 if got[i] != expected[i]]
        raise E2eFailure(f"{os.path.basename(path)}: {len(got)} bytes, expected {len(expected)}; "
                         f"differences at {', '.join(diffs[:8]) or 'the end'}")


def run_board(exe, out_dir, board):
    com1, model, crystal, parameters_box = BOARDS[board]
    expected = expected_image()
    x = XSession(log_dir=out_dir)
    program = None
    try:
        program = Program(exe, x, out_dir, board, com1)
        window = MainWindow.wait_for(x, program.pid)
        log(f"window up at {window.left},{window.top}; menu bar {window.menu_bar_height} px high, "
            f"grid cells from {window.grid_origin}")
        window.wait_until_still()
        window.shot().save_png(os.path.join(out_dir, "start.png"))

        window.choose_port(1)
        window.choose_model(model)
        if crystal != "Auto":
            window.choose_crystal(crystal)
        disabled_read = window.area(READ_BUTTON_AREA)
        window.click(CONNECT_BUTTON)
        if parameters_box:
            window.close_box(window.wait_for_box("^Parametry$", 20))
        window.wait_for_change(READ_BUTTON_AREA, disabled_read, 20, "the read button to be enabled (connected)")
        log("connected")

        window.type_into_field(COUNT_FIELD, str(BYTE_COUNT))
        read_eeprom(window)
        window.shot().save_png(os.path.join(out_dir, "after-read.png"))
        log("read")

        for (row, col), text in HEX_EDITS:
            window.edit_cell(window.hex_cell(row, col), text)
        for (row, col), letter in CHAR_EDITS:
            window.edit_cell(window.char_cell(row, col), letter)
        window.select_hex_block(*FILL_BLOCK)
        window.type_into_field(FILL_FIELD, f"{FILL_VALUE:02X}")
        window.click(FILL_BUTTON)
        window.wait_until_still()
        log("edited and filled")

        before = window.area(STATUS_FIELD_0)
        window.click(WRITE_BUTTON)
        window.wait_for_change(STATUS_FIELD_0, before, 60, "the write's result line")
        window.wait_until_still()
        log("written")

        window.click(TOOLS["new"])
        window.wait_until_still()
        read_eeprom(window)
        log("read again into a new buffer")

        tabs_before = window.area(TAB_ROW_RIGHT)
        window.choose_in_combo(COMPARE_ARROW, -1)   # the list shows the new buffer; the first is above it
        window.close_box(window.wait_for_box("^Różnice$", 20))
        window.wait_until_still()
        if window.area(TAB_ROW_RIGHT) != tabs_before:
            raise E2eFailure("the comparison left a result page open: the buffers differ")
        log("compared: identical")

        first = os.path.join(out_dir, "saved-first.bin")
        second = os.path.join(out_dir, "saved-second.bin")
        for path in (first, second):
            if os.path.exists(path):
                os.remove(path)
        save_buffer(window, first)
        check_file(first, expected)
        log("saved")
        load_into_new_buffer(window, first)
        save_buffer(window, second)
        check_file(second, expected)
        log("loaded into another page and saved again")
        program.check_alive()
        program.check_toolkit_quiet()
    except BaseException:
        save_failure_screen(x, out_dir)
        raise
    finally:
        if program:
            program.stop()
        x.close()


def run_two_instances(exe, out_dir):
    master, slave = os.openpty()
    device = os.ttyname(slave)
    x = XSession(width=1600, log_dir=out_dir)
    first = second = None
    try:
        first = Program(exe, x, out_dir, "first", device)
        one = MainWindow.wait_for(x, first.pid)
        one.choose_port(1)
        time.sleep(1.0)
        one.check_no_error_box()
        if device not in first.open_files():
            raise E2eFailure(f"the first instance did not open {device}")
        log(f"first instance holds {device}")

        second = Program(exe, x, out_dir, "second", device)
        two = MainWindow.wait_for(x, second.pid)
        two.move_to(850, 20)
        two.choose_port(1)
        box = two.wait_for_box("^Błąd$", 10)
        two.close_box(box)
        if device in second.open_files():
            raise E2eFailure(f"the second instance holds {device} although its open failed")
        log("second instance refused the port with a box")

        one.choose_port(1)
        time.sleep(1.0)
        one.check_no_error_box()
        if device not in first.open_files():
            raise E2eFailure(f"the first instance let go of {device}")

        # Choosing a crystal sends 'U' and its divider at once: the bytes must reach the other end.
        one.choose_crystal("8MHz")
        received = b""
        deadline = time.monotonic() + 5
        while b"U\x02" not in received and time.monotonic() < deadline:
            ready, _, _ = select.select([master], [], [], 0.2)
            if ready:
                received += os.read(master, 256)
        if b"U\x02" not in received:
            raise E2eFailure(f"the first instance's crystal frame did not arrive: got {received!r}")
        log("the first instance still talks on the port")
        for program in (first, second):
            program.check_alive()
            program.check_toolkit_quiet()
    except BaseException:
        save_failure_screen(x, out_dir)
        raise
    finally:
        for program in (first, second):
            if program:
                program.stop()
        x.close()
        os.close(master)
        os.close(slave)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--exe", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("scenario", choices=[*BOARDS, "two_instances"])
    args = parser.parse_args()
    for tool in ("Xvfb", "xdotool", "import"):
        if shutil.which(tool) is None:
            print(f"{tool} is missing: run scripts/setup", file=sys.stderr)
            return 1
    out_dir = os.path.join(os.path.abspath(args.out), args.scenario)
    os.makedirs(out_dir, exist_ok=True)
    started = time.monotonic()
    try:
        if args.scenario == "two_instances":
            run_two_instances(os.path.abspath(args.exe), out_dir)
        else:
            run_board(os.path.abspath(args.exe), out_dir, args.scenario)
    except E2eFailure as failure:
        log(f"FAILED: {failure} (screens and logs in {out_dir})")
        return 1
    log(f"passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
