#!/usr/bin/python3
"""The text tree as a screen reader sees it through the accessibility bus.

Run inside its own X server and session bus (see tests/app/CMakeLists.txt):
atspi_tree.py <glossmark-editor> <Edit.tra> <Sample.tra>
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

editor, ui_file, sample = sys.argv[1:4]


def wait_for(what, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    sys.exit("timed out waiting for " + what.__doc__)


def find_tree():
    """the editor's text tree"""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None:
            tree = pyatspi.findDescendant(app, lambda a: a is not None and a.getRoleName() == "tree", True)
            if tree is not None and tree.childCount > 100:
                return tree
    return None


def rows(tree):
    return [tree.getChildAtIndex(i) for i in range(tree.childCount)
            if tree.getChildAtIndex(i).getRoleName() in ("tree item", "table cell")]


def expect(condition, message):
    if not condition:
        subprocess.run(["xdotool", "key", "ctrl+q"], check=False)
        sys.exit("FAIL: " + message)


work = tempfile.mkdtemp()
shutil.copy(ui_file, os.path.join(work, "Edit.tra"))
shutil.copy(sample, os.path.join(work, "Sample.tra"))
# Settings of its own: a recovery copy left by another run would ask first.
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
           XDG_CONFIG_HOME=work)
process = subprocess.Popen([editor, "Sample.tra"], cwd=work, env=env)
try:
    tree = wait_for(find_tree)
    by_name = {row.name: row for row in rows(tree)}
    switch = by_name.get("Language switch")
    table = by_name.get("&Tabelle:")
    expect(switch is not None and table is not None, "rows by name: " + str([(c.getRoleName(), c.name) for c in tree][:8]))
    expect(switch.description.startswith("Original: Sprachumschaltung, "), switch.description)
    expect(switch.description.endswith(", done"), switch.description)
    expect(table.description.startswith("Original: &Tabelle:, "), table.description)
    expect(table.description.endswith("to be edited") or "to be edited," in table.description,
           table.description)

    # Click the first text of a visible row, then move down with the keyboard.
    first = rows(tree)[1]
    box = first.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + 60), str(box.y + box.height // 2),
                    "click", "1"], check=True)
    subprocess.run(["xdotool", "key", "Down"], check=True)

    def focused_row():
        """the focus on the second row"""
        for index, row in enumerate(rows(tree)):
            if row.getState().contains(pyatspi.STATE_FOCUSED):
                return index
        return None
    expect(wait_for(focused_row) == 2, "focus follows the Down key")
    before = rows(tree)[2].name
    subprocess.run(["xdotool", "type", "x"], check=True)
    wait_for(lambda: rows(tree)[2].name != before)
    expect("x" in rows(tree)[2].name, "typed text reaches the row's name")
    print("ok")
finally:
    process.kill()
    process.wait()
    shutil.rmtree(work, ignore_errors=True)
