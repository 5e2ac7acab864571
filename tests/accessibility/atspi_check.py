"""The window as a screen reader sees it, over AT-SPI.

Starts the window, types 192.168.1.10 into the octet boxes with xdotool, moves
the slider and puts it back with Alt+S, then reads every field through pyatspi
and compares it with what that address must show. Then refuses an octet and
reads the reason from the status bar. The status bar must also have announced
each change with a name-change event. Shift+F10 must open the results menu,
whose entries a screen reader meets as the focus enters it. Last, it sets 26 bits, opens the subnet
list with Ctrl+L and reads it as a table: its cells, each with its column's
header, the address's row selected and the focus in it. Then it opens the
planner with Ctrl+P, adds an IPv6 network, splits and names it from the
keyboard, reads each row's sentence and hears each change announced, and
saves the plan with Ctrl+S.

Run by atspi_check.sh inside a private D-Bus session and X server:
    atspi_check.py WINDOW_BINARY
"""

import ctypes
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TITLE = "Brevint Quellan"

# 192.168.1.10 with the class C default of 24 bits; the key is the field's
# description (its caption), the value its name (its value).
EXPECTED_FIELDS = {
    "Decimal IP address": "3232235786",
    "Binary IP address": "11000000.10101000.00000001.00001010",
    "Hexadecimal IP address": "C0.A8.1.A",
    "Address Class": "C",
    "Number of bits in mask": " 24",
    "Classfull Network Mask": "255.255.255.0",
    "Classless Network Mask": "255.255.255.0",
    "Hex Network Mask": "FF.FF.FF.0",
    "Binary Network mask": "11111111.11111111.11111111.00000000",
    "Usable address range": "192.168.1.1 - 192.168.1.254",
    "Network Address": "192.168.1.0",
    "Broadcast Address": "192.168.1.255",
    "Max hosts": "254",
    "Max nets": "16777214",
}
EXPECTED_OCTETS = {
    "IP address, octet 1": "192",
    "IP address, octet 2": "168",
    "IP address, octet 3": "1",
    "IP address, octet 4": "10",
}
BROADCAST = "255 represents a broadcast address."
SUBNETS_TITLE = "Subnets of 192.168.1.0/24"
SUBNET_HEADERS = ["Network", "First host", "Last host", "Broadcast", "Hosts"]
# 192.168.1.10 at 26 bits.
SUBNET_ROWS = [
    ["192.168.1.0/26", "192.168.1.1", "192.168.1.62", "192.168.1.63", "62"],
    ["192.168.1.64/26", "192.168.1.65", "192.168.1.126", "192.168.1.127", "62"],
    ["192.168.1.128/26", "192.168.1.129", "192.168.1.190", "192.168.1.191", "62"],
    ["192.168.1.192/26", "192.168.1.193", "192.168.1.254", "192.168.1.255", "62"],
]
SUBNET_NOTE = "4 subnets of /26."
PLANNER_TITLE = "Plan of 192.168.1.0/26 — Brevint Quellan"
# The planner after adding 2001:db8::/64, splitting it and naming its first half.
PLANNER_HEADERS = ["Subnet", "Mask", "Usable range", "Usable", "Name", "VLAN", "Hosts", "Note"]
PLANNER_ROWS = [
    "Network 192.168.1.0/26, all free",
    "192.168.1.0/26, free, 62 usable",
    "Network 2001:db8::/64, 9223372036854775808 addresses free",
    "2001:db8::/65, Servers, 9223372036854775808 usable",
    "2001:db8:0:0:8000::/65, free, 9223372036854775808 usable",
]
PLANNER_SAID = ["Add network 2001:db8::/64", "Split 2001:db8::/64 into 2 subnets",
                "Label 2001:db8::/65"]
EMPTY_BEFORE_INPUT = ["Decimal IP address", "Address Class", "Classfull Network Mask",
                      "Classless Network Mask", "Network Address", "Broadcast Address"]


class CheckFailed(Exception):
    pass


def pump():
    """Delivers the AT-SPI events that have arrived."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, probe, seconds):
    """Polls probe() until it returns something true; fails after `seconds`."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        result = probe()
        if result:
            return result
        if time.monotonic() > deadline:
            raise CheckFailed("timed out after %g s waiting for %s" % (seconds, what))
        time.sleep(0.02)


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find_frame(desktop, app_pid, title=TITLE):
    for app in desktop:
        if app is None or app.get_process_id() != app_pid:
            continue
        for frame in app:
            if frame is not None and frame.name == title:
                # A screen reader announces a window only when it is a frame.
                if frame.getRole() != pyatspi.ROLE_FRAME:
                    raise AssertionError(f"the window reads as {frame.getRoleName()}")
                return frame
    return None


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=20)


def x_window():
    found = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % TITLE],
        capture_output=True, text=True, timeout=20)
    return found.stdout.split()[0] if found.stdout.split() else None


class Reader:
    """What the frame shows, gathered in one walk."""

    def __init__(self, frame):
        self.fields = {}
        self.octets = {}
        self.status = None
        self.slider = None
        self.button = None
        self.focused = None
        self.selected = None
        for node in descendants(frame):
            role = node.getRole()
            if role == pyatspi.ROLE_LABEL and node.description:
                self.fields[node.description] = node.name
            elif role == pyatspi.ROLE_TEXT:
                text = node.queryText()
                self.octets[node.name] = text.getText(0, text.characterCount)
                if text.getNSelections() > 0:
                    self.selected = (node.name, text.getText(*text.getSelection(0)))
            elif role == pyatspi.ROLE_STATUS_BAR:
                self.status = node.name
            elif role == pyatspi.ROLE_SLIDER:
                self.slider = (node.name, node.queryValue().currentValue)
            elif role == pyatspi.ROLE_PUSH_BUTTON:
                self.button = node.name
            if node.getState().contains(pyatspi.STATE_FOCUSED):
                self.focused = node.name


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def close_window(window):
    """Asks the window to close, as a window manager's close button does.

    xdotool of Debian 12 cannot, and python3-xlib would be one more package
    for these few lines."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(XEvent)]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    if not display:
        return False
    event = XEvent()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = int(window)
    event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    sent = xlib.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
    xlib.XCloseDisplay(display)  # flushes the event
    return bool(sent)


def read_session(frame, window, status_events):
    """Types, reads and compares; returns the differences found."""
    # No window manager gives a new window the focus.
    xdotool("windowfocus", "--sync", window)
    wait_for("the focus in the first octet box",
             lambda: Reader(frame).focused == "IP address, octet 1", 10)
    problems = []
    before = Reader(frame)
    if before.status != "Enter an IP address above.":
        problems.append("status bar before input reads %r" % before.status)
    # A field with no value yet reads as empty, not as its frame's title.
    unset = {caption: before.fields.get(caption) for caption in EMPTY_BEFORE_INPUT}
    if set(unset.values()) != {""}:
        problems.append("fields before input read %r" % unset)

    # The slider moves to 26 by hand and Alt+S puts it back to 24.
    # One key per digit: xdotool's "type" takes every later word as text.
    xdotool("key", "--delay", "10", *"192", "Tab", *"168", "Tab", "1", "Tab", *"10", "Tab",
            "Right", "Right")
    wait_for("the slider at 26", lambda: Reader(frame).slider == ("Network mask length", 26), 10)
    xdotool("key", "alt+s")
    wait_for("the slider back at 24",
             lambda: Reader(frame).slider == ("Network mask length", 24), 10)

    shown = Reader(frame)
    for caption, value in EXPECTED_FIELDS.items():
        if shown.fields.get(caption) != value:
            problems.append("field %r reads %r, expected %r"
                            % (caption, shown.fields.get(caption), value))
    if len(shown.fields) != len(EXPECTED_FIELDS):
        problems.append("%d described fields, expected %d"
                        % (len(shown.fields), len(EXPECTED_FIELDS)))
    for name, digits in EXPECTED_OCTETS.items():
        if shown.octets.get(name) != digits:
            problems.append("box %r holds %r, expected %r" % (name, shown.octets.get(name), digits))
    if shown.button != "Set default mask":
        problems.append("button reads %r" % shown.button)
    if shown.status != "":
        problems.append("status bar reads %r after a recalculation" % shown.status)
    if status_events != [""]:
        problems.append("status bar events %r, expected one as it was cleared" % status_events)

    # A refused octet: the reason appears in the status bar, announced. The box
    # selects its digits just after it takes the focus; typing before that
    # would add to them instead of replacing them.
    xdotool("key", "shift+Tab")
    wait_for("the digits of the last box selected",
             lambda: Reader(frame).selected == ("IP address, octet 4", "10"), 10)
    xdotool("key", "--delay", "10", *"255", "Tab")
    wait_for("the reason in the status bar", lambda: Reader(frame).status == BROADCAST, 10)
    wait_for("the status bar's name-change event", lambda: len(status_events) > 1, 5)
    if status_events != ["", BROADCAST]:
        problems.append("status bar events %r, expected one per change" % status_events)

    print("read over AT-SPI (description: name):")
    for caption in EXPECTED_FIELDS:
        print("  %-24s %r" % (caption, shown.fields.get(caption)))
    for name in EXPECTED_OCTETS:
        print("  %-24s %r" % (name, shown.octets.get(name)))
    print("  %-24s %r" % shown.slider)
    print("  %-24s %r, then %r" % ("status bar", shown.status, BROADCAST))
    print("  %-24s %r" % ("status bar events", status_events))
    return problems


def read_results_menu(focus_events):
    """Shift+F10 with the focus in an octet box opens the results menu through
    the X server's own keys, as a keyboard user presses them; a screen reader
    meets the menu as its first entry takes the focus."""
    focus_events.clear()
    xdotool("key", "shift+F10")
    xdotool("key", "Down")
    item = wait_for("a menu entry focused after Shift+F10 and Down", lambda: next(
        (node for node in focus_events if node.getRole() == pyatspi.ROLE_MENU_ITEM), None), 10)
    menu = item.parent
    entries = [entry.name for entry in menu if entry is not None and entry.name]
    xdotool("key", "Escape")
    expected = ["Copy " + caption for caption in EXPECTED_FIELDS]
    if menu.getRole() != pyatspi.ROLE_POPUP_MENU or entries[:len(expected)] != expected:
        return ["the results menu (%s) reads %r" % (menu.getRoleName(), entries)]
    print("  %-24s %d entries, %r first" % ("results menu", len(entries), entries[0]))
    return []


def read_subnets(desktop, app_pid):
    """Opens the subnet list at 26 bits and reads it as a screen reader does.

    Runs after read_session(), which leaves 255 refused in the last box with
    its digits selected."""
    xdotool("key", "--delay", "10", "1", "0", "Tab", "2", "6", "ctrl+l")
    frame = wait_for("the subnet list on the accessibility bus",
                     lambda: find_frame(desktop, app_pid, SUBNETS_TITLE), 10)
    problems = []
    table = next((node for node in descendants(frame)
                  if node.getRole() == pyatspi.ROLE_TABLE), None)
    if table is None:
        return ["the subnet list has no table"]
    cells = table.queryTable()
    if (cells.nRows, cells.nColumns) != (len(SUBNET_ROWS), len(SUBNET_HEADERS)):
        problems.append("the table has %d rows and %d columns" % (cells.nRows, cells.nColumns))
    # Each cell with the header a screen reader reads before it.
    read = []
    for row in range(min(cells.nRows, len(SUBNET_ROWS))):
        line = []
        for column in range(min(cells.nColumns, len(SUBNET_HEADERS))):
            cell = cells.getAccessibleAt(row, column)
            index = cell.getIndexInParent()
            header = cells.getColumnHeader(cells.getColumnAtIndex(index))
            line.append((header.name if header else None, cell.name))
        read.append(line)
    expected = [list(zip(SUBNET_HEADERS, row)) for row in SUBNET_ROWS]
    if read != expected:
        problems.append("the table reads %r, expected %r" % (read, expected))
    # 192.168.1.10 is in the first row, which holds the focus.
    selected = list(cells.getSelectedRows())
    if selected != [0]:
        problems.append("selected rows %r, expected [0]" % selected)
    focused = wait_for("the focus in the list", lambda: next(
        (node for node in descendants(table)
         if node.getState().contains(pyatspi.STATE_FOCUSED)), None), 10)
    if focused.getRole() != pyatspi.ROLE_TABLE_CELL or focused.name != SUBNET_ROWS[0][0]:
        problems.append("the focus is on %s %r" % (focused.getRoleName(), focused.name))
    note = [node.name for node in descendants(frame) if node.getRole() == pyatspi.ROLE_LABEL]
    if SUBNET_NOTE not in note:
        problems.append("the subnet list's labels read %r" % note)

    print("subnet list read over AT-SPI (header: cell):")
    for line in read:
        print("  " + ", ".join("%s: %s" % pair for pair in line))
    print("  %-24s %r" % ("selected rows", selected))
    print("  %-24s %r" % ("focus", focused.name))
    return problems


def read_planner(desktop, app_pid, window, status_events, folder):
    """Opens the planner with Ctrl+P, adds an IPv6 network, splits and names
    it, all from the keyboard, and reads the rows and what was announced;
    then saves the plan with Ctrl+S and closes the planner with Ctrl+W."""
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "ctrl+p")
    frame = wait_for("the planner on the accessibility bus",
                     lambda: find_frame(desktop, app_pid, PLANNER_TITLE), 10)
    planner = wait_for("the planner's X window", lambda: subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^Plan of"],
        capture_output=True, text=True, timeout=20).stdout.split(), 10)[0]
    xdotool("windowfocus", "--sync", planner)
    problems = []
    status_events.clear()

    def said(text):
        return lambda: text in status_events

    xdotool("key", "ctrl+shift+n")
    time.sleep(0.5)
    xdotool("type", "--delay", "20", "2001:db8::/64")
    xdotool("key", "Return")
    wait_for("the network added", said(PLANNER_SAID[0]), 10)
    # As a window manager gives the window back its keys once a dialog goes.
    xdotool("windowfocus", "--sync", planner)
    xdotool("key", "ctrl+d")
    wait_for("the split", said(PLANNER_SAID[1]), 10)
    xdotool("key", "F2")
    time.sleep(0.5)
    xdotool("type", "--delay", "20", "Servers")
    xdotool("key", "Return")
    wait_for("the name", said(PLANNER_SAID[2]), 10)
    if [text for text in status_events if text in PLANNER_SAID] != PLANNER_SAID:
        problems.append("the planner announced %r" % status_events)

    table = next((node for node in descendants(frame)
                  if node.getRole() == pyatspi.ROLE_TABLE), None)
    if table is None:
        return problems + ["the planner has no table"]
    cells = table.queryTable()
    rows = []
    for row in range(cells.nRows):
        cell = cells.getAccessibleAt(row, 0)
        rows.append(cell.description)
    if rows != PLANNER_ROWS:
        problems.append("the planner's rows read %r" % rows)
    headers = []
    for column in range(len(PLANNER_HEADERS)):
        cell = cells.getAccessibleAt(3, column)
        header = cells.getColumnHeader(cells.getColumnAtIndex(cell.getIndexInParent()))
        headers.append(header.name if header else None)
    if headers != PLANNER_HEADERS:
        problems.append("the planner's headers read %r" % headers)
    name = cells.getAccessibleAt(3, PLANNER_HEADERS.index("Name")).name
    if name != "Servers":
        problems.append("the named cell reads %r" % name)

    # Saved from the keyboard: Ctrl+S asks for a name, typed as a path.
    path = os.path.join(folder, "campus.qplan")
    xdotool("key", "ctrl+s")
    time.sleep(1)
    xdotool("type", "--delay", "10", path)
    xdotool("key", "Return")
    wait_for("the save", said("Saved campus.qplan"), 10)
    xdotool("windowfocus", "--sync", planner)
    if not os.path.exists(path):
        problems.append("nothing was saved at %s" % path)
    xdotool("key", "ctrl+w")
    wait_for("the planner closed", lambda: find_frame(desktop, app_pid, PLANNER_TITLE) is None, 10)

    print("planner read over AT-SPI (each row's sentence):")
    for line in rows:
        print("  " + line)
    print("  %-24s %r" % ("announced", [text for text in status_events if text]))
    return problems


def check(binary):
    # Asking for the desktop starts the accessibility bus; Qt connects to it
    # only if it is already there when the window starts (or appears later).
    desktop = pyatspi.Registry.getDesktop(0)
    status_events = []

    def on_name_change(event):
        try:
            if event.source.getRole() == pyatspi.ROLE_STATUS_BAR:
                status_events.append(event.source.name)
        except GLib.Error:
            pass  # an object gone before its event was read: a closed dialog's

    pyatspi.Registry.registerEventListener(on_name_change, "object:property-change:accessible-name")
    focus_events = []
    pyatspi.Registry.registerEventListener(lambda event: focus_events.append(event.source), "focus:")

    # The subnet list's place, and any plan's crash copy, go to folders of this run's own.
    settings = tempfile.TemporaryDirectory()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               XDG_CONFIG_HOME=settings.name, XDG_DATA_HOME=settings.name)
    errors = tempfile.TemporaryFile(mode="w+")
    started = time.monotonic()
    app = subprocess.Popen([binary], env=env, stderr=errors)
    window = None
    problems = []
    try:
        frame = wait_for("the window on the accessibility bus",
                         lambda: find_frame(desktop, app.pid), 20)
        window = wait_for("the X window", x_window, 10)
        problems = read_session(frame, window, status_events)
        problems += read_results_menu(focus_events)
        problems += read_subnets(desktop, app.pid)
        problems += read_planner(desktop, app.pid, window, status_events, settings.name)
    except CheckFailed as failure:
        problems.append(str(failure))
    finally:
        # Closed like a desktop closes it, so that the sanitizers' exit-time
        # checks run in a sanitized build.
        if window is None or not close_window(window):
            app.terminate()
        try:
            code = app.wait(timeout=20)
        except subprocess.TimeoutExpired:
            app.kill()
            code = app.wait()
        errors.seek(0)
        report = errors.read()
    if code != 0:
        problems.append("the window exited with %d" % code)
    if problems:
        print(report, file=sys.stderr)
        raise CheckFailed("\n".join(problems))
    print("all as expected; %.2f s from start to close" % (time.monotonic() - started))


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        check(sys.argv[1])
    except CheckFailed as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
