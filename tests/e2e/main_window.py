"""The program's main window as a person sees it: where each control is, and how to use it.

The window's layout is absolute (tool-bar controls from toolsOrigin 73,
side-panel buttons at fixed points), so each control is kept as a point relative
to the tool bar, the side panel or the window; only the menu bar's height, which
follows the font, is measured on the screen. The grid's cells are found from
the cell background colour, so a change of the notebook's frame does not shift
every click. Nothing here asks the program anything: every wait looks at the
screen or at the X window list.
"""

import time

from xsession import E2eFailure, wait_until

TITLE = "Rovidada DE12 1.5"
POPUP_TITLE = "^rovidada-de12$"  # menus and combo lists are untitled windows named after the program
ERROR_TITLES = "^(Błąd|Ostrzeżenie)$"

TOOL_BAR_HEIGHT = 26          # the compacted tool bar: its fields and combos, not the font, set it
TOOLS_ORIGIN = 73


# Points are kept relative to the part of the window they belong to; the menu bar's
# height (which follows the font) is measured once the window is painted.
def tool_bar(x, y):
    return ("tool bar", TOOLS_ORIGIN + x, y)


def side_panel(x, y):
    return ("side panel", x, y)


# Centres of the controls (their origin in the layout plus half their GTK size).
TOOLS = {"new": ("tool bar", 12, 13), "open": ("tool bar", 41, 13), "save": ("tool bar", 65, 13)}
FILL_FIELD = tool_bar(100 + 12, 5 + 8)
FILL_BUTTON = tool_bar(130 + 25, 4 + 9)
COUNT_FIELD = tool_bar(350 + 25, 5 + 8)
MODEL_ARROW = tool_bar(410 + 109, 3 + 10)
CRYSTAL_ARROW = tool_bar(540 + 61, 4 + 10)
CONNECT_BUTTON = side_panel(607 + 42, 20 + 22)
READ_BUTTON = side_panel(607 + 42, 135 + 22)
WRITE_BUTTON = side_panel(607 + 42, 255 + 22)
COMPARE_ARROW = side_panel(612 + 76, 365 + 9)

READ_BUTTON_AREA = (side_panel(609, 137), (80, 40))           # greyed until a connect succeeds
STATUS_FIELD_0 = (("bottom", 2, -22), (170, 20))              # "Przeczytano ...", "Zapisano ...", "Wczytano ..."
TAB_ROW_RIGHT = (side_panel(200, 9), (390, 24))               # empty while only short tab labels exist

CELL_BACKGROUND = (182, 182, 219)
HEX_COLUMN_WIDTH, SEPARATOR_WIDTH, CHAR_COLUMN_WIDTH, ROW_HEIGHT = 21, 4, 12, 16

MODELS = ["Model", "HC12B", "HC812A4", "HC912Dx128x", "HC912D60x", "HC(9)12D60", "MC9S12DBx", "MC9S12DT128"]
CRYSTALS = ["Auto", "16MHz", "8MHz", "4MHz"]


class MainWindow:
    def __init__(self, x, window, pid):
        self.x, self.window, self.pid = x, window, pid
        self.left, self.top, self.width, self.height = x.geometry(window)
        self.grid_origin = None
        self.menu_bar_height = None

    @classmethod
    def wait_for(cls, x, pid, timeout=30):
        windows = wait_until(lambda: x.find_windows("^" + TITLE + "$", pid=pid), timeout, "the main window")
        window = cls(x, windows[0], pid)
        # The window is mapped before GTK has painted it: wait for the grid's cells.
        wait_until(lambda: window.locate_grid(), timeout, "the buffer grid to be painted")
        window.measure_menu_bar()
        return window

    def move_to(self, left, top):
        self.x.xdotool("windowmove", "--sync", self.window, left, top)
        self.left, self.top = left, top
        # Moved, then repainted where it landed.
        wait_until(lambda: self.shot().find_first(CELL_BACKGROUND) == self.grid_origin, 10, "the moved window")

    # --- looking ---------------------------------------------------------------------------------

    def measure_menu_bar(self):
        """The menu bar ends with a one-pixel line: find it in a column right of the menu titles."""
        image, column = self.shot(), self.width - 20
        background = image.pixel(column, 2)
        for y in range(3, 80):
            if image.pixel(column, y) != background:
                self.menu_bar_height = y + 1
                return
        raise E2eFailure("cannot find the bottom of the menu bar")

    def resolve(self, point):
        """Window coordinates of a point given relative to the tool bar, the side panel, the
        window's top-left corner or its bottom-left corner (the status bar)."""
        part, x, y = point
        top = {"window": 0, "bottom": self.height, "tool bar": self.menu_bar_height,
               "side panel": self.menu_bar_height + TOOL_BAR_HEIGHT}
        return x, top[part] + y

    def screen(self, x, y):
        return self.left + x, self.top + y

    def shot(self):
        return self.x.grab().crop(self.left, self.top, self.width, self.height)

    def area(self, region, image=None):
        corner, (w, h) = region
        x, y = self.resolve(corner)
        return (image or self.shot()).crop(x, y, w, h).data

    def locate_grid(self):
        found = self.shot().find_first(CELL_BACKGROUND)
        if found:
            self.grid_origin = found
        return found

    def check_no_error_box(self):
        boxes = self.x.find_windows(ERROR_TITLES, pid=self.pid)
        if boxes:
            raise E2eFailure(f"an unexpected box appeared: {self.x.xdotool('getwindowname', boxes[0]).strip()!r}")

    def wait_for_change(self, region, before, timeout, what):
        def changed():
            self.check_no_error_box()
            return self.area(region) != before
        wait_until(changed, timeout, what, poll=0.2)

    def wait_until_still(self, timeout=10):
        """Waits until two grabs a short moment apart show the same window."""
        last = [None]

        def still():
            now = self.shot().data
            same = now == last[0]
            last[0] = now
            return same
        wait_until(still, timeout, "the window to stop changing", poll=0.25)

    # --- hands -----------------------------------------------------------------------------------

    def click(self, point):
        self.x.click(*self.screen(*self.resolve(point)))

    def take_focus(self):
        self.x.xdotool("mousemove", "--sync", *self.screen(self.width // 2, self.height // 2))
        self.x.focus(self.window)

    def choose_port(self, n):
        """"Połączenie" → "COM n" with the keyboard: F10 opens the menu bar, Right the second menu,
        and Up from its first item wraps round to "COM 4", "COM 3", ... whichever items are greyed."""
        self.take_focus()
        self.x.key("F10")
        wait_until(lambda: self.x.find_windows(POPUP_TITLE, pid=self.pid), 5, "the menu to open")
        self.x.key("Right")
        time.sleep(0.2)
        self.x.key(*["Up"] * (5 - n))
        self.x.key("Return")
        wait_until(lambda: not self.x.find_windows(POPUP_TITLE, pid=self.pid), 5, "the menu to close")

    def choose_in_combo(self, arrow, steps):
        """Opens a combo's list and moves the highlight steps items down (negative: up)."""
        self.click(arrow)
        wait_until(lambda: self.x.find_windows(POPUP_TITLE, pid=self.pid), 5, "the combo list to open")
        time.sleep(0.2)
        self.x.key(*(["Down"] * steps if steps > 0 else ["Up"] * -steps))
        self.x.key("Return")
        wait_until(lambda: not self.x.find_windows(POPUP_TITLE, pid=self.pid), 5, "the combo list to close")

    def choose_model(self, name):
        self.choose_in_combo(MODEL_ARROW, MODELS.index(name))   # the list starts on "Model"

    def choose_crystal(self, name):
        self.choose_in_combo(CRYSTAL_ARROW, CRYSTALS.index(name))  # the list starts on "Auto"

    def type_into_field(self, field, text):
        self.click(field)
        self.x.key("ctrl+a")
        self.x.type(text)

    def hex_cell(self, row, col):
        gx, gy = self.grid_origin
        return "window", gx + col * HEX_COLUMN_WIDTH + HEX_COLUMN_WIDTH // 2, gy + row * ROW_HEIGHT + ROW_HEIGHT // 2

    def char_cell(self, row, col):
        gx, gy = self.grid_origin
        x = gx + 16 * HEX_COLUMN_WIDTH + SEPARATOR_WIDTH + col * CHAR_COLUMN_WIDTH + CHAR_COLUMN_WIDTH // 2
        return "window", x, gy + row * ROW_HEIGHT + ROW_HEIGHT // 2

    def edit_cell(self, cell, text):
        self.click(cell)
        time.sleep(0.1)
        self.x.type(text)
        self.x.key("Return")
        time.sleep(0.2)

    def select_hex_block(self, top, left, bottom, right):
        start = self.screen(*self.resolve(self.hex_cell(top, left)))
        self.x.drag(*start, *self.screen(*self.resolve(self.hex_cell(bottom, right))))
        time.sleep(0.2)

    # --- boxes -----------------------------------------------------------------------------------

    def wait_for_box(self, title_regex, timeout):
        boxes = wait_until(lambda: self.x.find_windows(title_regex, pid=self.pid), timeout, f"a box {title_regex}")
        time.sleep(0.3)  # let GTK finish mapping and focusing its buttons
        return boxes[0]

    def close_box(self, box, key="Return"):
        self.x.focus(box)
        self.x.key(key)
        wait_until(lambda: box not in self.x.find_windows(".*", pid=self.pid), 10, "the box to close")
