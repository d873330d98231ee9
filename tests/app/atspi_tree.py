#!/usr/bin/python3
"""The text tree as a screen reader sees it through the accessibility bus.

Run inside a session bus of its own (see tests/app/CMakeLists.txt); it starts
its own X server: atspi_tree.py <glossmark-editor> <Edit.tra> <Sample.tra>
"""
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

prctl = ctypes.CDLL(None).prctl  # PR_SET_PDEATHSIG is 1

editor, ui_file, sample = sys.argv[1:4]
# A busy machine may take long; every wait ends as soon as its state is there.
DEADLINE = 60


def start_x_server():
    """The server picks a free display itself (-displayfd) and says when it is
    ready, so two runs at once never meet on one display."""
    for _ in range(3):
        read, write = os.pipe()
        # It ends with this script, even when ctest kills the script.
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp"], pass_fds=(write,), stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, preexec_fn=lambda: prctl(1, signal.SIGTERM))
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if number:
            return server, ":" + number
        server.wait()
    sys.exit("could not start an X server")


def accessibility_bus(home):
    """Starts the accessibility bus with a home of its own (its socket would
    otherwise be one path shared by every run on the machine) and asks for it
    until it answers. Qt finds a bus that is up when the editor starts; one
    that starts while the editor does it may miss."""
    from gi.repository import Gio, GLib
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    session.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                      "UpdateActivationEnvironment", GLib.Variant("(a{ss})", (home,)), None,
                      Gio.DBusCallFlags.NONE, -1, None)
    for _ in range(DEADLINE):
        try:
            return session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                     GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
        except GLib.Error:
            time.sleep(1)
    sys.exit("no accessibility bus")


def wait_for(what, waiting_for):
    """Asks until what answers; a bus still starting or an object going away
    under a busy machine is asked again."""
    end = time.time() + DEADLINE
    while time.time() < end and process.poll() is None:
        try:
            found = what()
            if found:
                return found
        except Exception:  # pylint: disable=broad-except
            pass
        time.sleep(0.1)
    sys.exit(("timed out" if process.poll() is None else "the editor ended") + " waiting for " + waiting_for)


def find_tree():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None:
            tree = pyatspi.findDescendant(app, lambda a: a is not None and a.getRoleName() == "tree", True)
            if tree is not None and tree.childCount > 100 and rows(tree)[1].getState().contains(pyatspi.STATE_SHOWING):
                return app, tree
    return None


def rows(tree):
    return [tree.getChildAtIndex(i) for i in range(tree.childCount)
            if tree.getChildAtIndex(i).getRoleName() in ("tree item", "table cell")]


def focused_row():
    for index, row in enumerate(rows(tree)):
        if row.getState().contains(pyatspi.STATE_FOCUSED):
            return index
    return None


def expect(condition, message):
    if not condition:
        sys.exit("FAIL: " + message)


work = tempfile.mkdtemp()
shutil.copy(ui_file, os.path.join(work, "Edit.tra"))
shutil.copy(sample, os.path.join(work, "Sample.tra"))
# A home of its own: a recovery copy or settings left in the real one would
# ask first, and the buses' sockets would be shared with other runs.
home = {"HOME": work, "XDG_RUNTIME_DIR": work, "XDG_CONFIG_HOME": os.path.join(work, "config"),
        "XDG_DATA_HOME": os.path.join(work, "data"), "XDG_CACHE_HOME": os.path.join(work, "cache")}
os.environ.update(home)
x_server, os.environ["DISPLAY"] = start_x_server()
os.environ["AT_SPI_BUS_ADDRESS"] = accessibility_bus(home)
import pyatspi  # noqa: E402  (connects at once, to the bus just found)

env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
del env["AT_SPI_BUS_ADDRESS"]  # Qt 6.4 connects to it but never registers there
process = subprocess.Popen([editor, "Sample.tra"], cwd=work, env=env, preexec_fn=lambda: prctl(1, signal.SIGTERM))
try:
    app, tree = wait_for(find_tree, "the editor's text tree")
    expect(tree.name == "Texts", "the tree's name: " + repr(tree.name))
    by_name = {row.name: row for row in rows(tree)}
    switch = by_name.get("Language switch")
    table = by_name.get("&Tabelle:")
    expect(switch is not None and table is not None, "rows by name: " + str([(c.getRoleName(), c.name) for c in tree][:8]))
    expect(switch.description.startswith("Original: Sprachumschaltung, "), switch.description)
    expect(switch.description.endswith(", done"), switch.description)
    expect(table.description.startswith("Original: &Tabelle:, "), table.description)
    expect(table.description.endswith("to be edited") or "to be edited," in table.description,
           table.description)
    expect(pyatspi.findDescendant(app, lambda a: a.name == "Open language" and a.getRoleName() == "push button"),
           "a toolbar button named by its tooltip")

    # Click the first text of a visible row (again if a busy server lost the
    # click), then move down with the keyboard and type.
    def click_first_row():
        box = rows(tree)[1].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + 60), str(box.y + box.height // 2),
                        "click", "1"], check=True)
        end = time.time() + 5
        while time.time() < end and focused_row() != 1:
            time.sleep(0.1)
        return focused_row() == 1
    wait_for(click_first_row, "the focus on the first row")
    subprocess.run(["xdotool", "key", "Down"], check=True)
    wait_for(lambda: focused_row() == 2, "the focus on the second row")
    subprocess.run(["xdotool", "type", "x"], check=True)
    wait_for(lambda: "x" in rows(tree)[2].name, "the typed text in the row's name")
    print("ok")
finally:
    process.kill()
    process.wait()
    x_server.terminate()
    x_server.wait()
    shutil.rmtree(work, ignore_errors=True)
