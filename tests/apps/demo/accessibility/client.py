# A screen reader's view of the demo, through AT-SPI: the form is a frame
# named by its caption; each field an entry named by its label, whose text
# is its value; Tab moves the focused state from field to field (and the
# reader hears the focus events), typing
# changes the text the reader sees (and the reader hears what was inserted
# and removed), a refused key brings up an alert that reads its message,
# the calendar dialog's grid is a table whose selected day is the date's,
# and the edit's context menu is a menu of its items.
#   client.py demo     reads the demo
#   client.py bridge   reads a form embedded in a Qt Widgets window
# Exits 1 with what differs.
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

# The fields in tab order as the form file lays them out: role, name, the
# text shown while the form opens (the display form of each value).
FIELDS = [
    ("text", "Customer code:", "C-1042"),
    ("text", "Quantity:", "12"),
    ("text", "Discount %:", "7.5"),
]
BUTTONS = ["New order", "Close"]
failures = []
focus_events = []  # the names of the objects announced as taking the focus
text_events = []  # (insert or delete, the field's name, offset, text)


def on_focus(event):
    if event.detail1 == 1:
        focus_events.append(event.source.name)


def on_text(event):
    kind = event.type.split(":")[-1]
    text_events.append((kind, event.source.name, event.detail1, event.any_data))


def check(condition, message):
    if not condition:
        failures.append(message)


def wait_for(probe, what, seconds=10):
    """Polls probe() until it is true; records a failure after the time."""
    end = time.time() + seconds
    while time.time() < end:
        value = probe()
        if value:
            return value
        # Events reach the listener while the main context runs.
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.1)
    failures.append("timed out waiting for " + what)
    return None


def find_window(app_name, role, name=None):
    """The application's top-level node in the role and of the name (None: any)."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != app_name:
            continue
        app.clear_cache()  # the window came after the application registered
        for child in app:
            if child is not None and role in (None, child.getRoleName()) and name in (None, child.name):
                return child
    return None


def find_frame():
    return find_window("valedit-demo", "frame", "Customer order")


def find_alert():
    return find_window("valedit-demo", "alert")


def find_in(node, role):
    """The first node in the role under node, depth first."""
    node.clear_cache()
    for child in node:
        if child is None:
            continue
        if child.getRoleName() == role:
            return child
        found = find_in(child, role)
        if found is not None:
            return found
    return None


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def focused(frame):
    frame.clear_cache()
    for child in frame:
        if child.getState().contains(pyatspi.STATE_FOCUSED):
            return child.name
    return None


def press(*keys):
    subprocess.run(["xdotool", "key", *keys], check=True)


def main():
    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    text_listener = Atspi.EventListener.new(on_text)
    text_listener.register("object:text-changed")
    frame = wait_for(find_frame, "the frame 'Customer order'")
    if frame is None:
        return
    children = list(frame)
    entries = [c for c in children if c.getRoleName() == "text"]
    for (role, name, value), node in zip(FIELDS, entries):
        check(node.getRoleName() == role and node.name == name,
              f"expected {role} '{name}', read {node.getRoleName()} '{node.name}'")
        check(text_of(node) == value, f"'{name}' reads '{text_of(node)}', not '{value}'")
    check(all(e.name for e in entries), "an entry without a name")
    buttons = [c.name for c in children if c.getRoleName() == "push button"]
    check(buttons[:len(BUTTONS)] == BUTTONS, f"buttons {buttons}")

    check(focused(frame) == "Customer code:", f"focus at start on {focused(frame)}")
    press("Tab")
    wait_for(lambda: focused(frame) == "Quantity:", "the focus on 'Quantity:'")
    wait_for(lambda: "Quantity:" in focus_events, "the focus event of 'Quantity:'")
    press("3")  # the whole text was selected on entry: the key replaces it
    quantity = entries[1]
    wait_for(lambda: text_of(quantity) == "3", "'Quantity:' to read '3'")
    text = quantity.queryText()
    check(text.caretOffset == 1, f"caret at {text.caretOffset} after typing")
    # Typed over the selected "12": the reader hears "12" go and "3" come.
    wait_for(lambda: ("insert", "Quantity:", 0, "3") in text_events, "the insertion of '3'")
    check(("delete", "Quantity:", 0, "12") in text_events, f"text events {text_events}")
    press("x")  # refused: the error box comes up as an alert that reads its message
    alert = wait_for(find_alert, "the refused key's error box")
    if alert is not None:
        check(alert.name == "Error", f"the box is named '{alert.name}'")
        check(alert.description.startswith('"x" is not'), f"the box says '{alert.description}'")
        labels = [c.name for c in alert if c.getRoleName() == "label"]
        check(alert.description in labels, f"no label reads the message: {labels}")
        press("Return")
        wait_for(lambda: find_alert() is None, "the error box to close")
    check(text_of(quantity) == "3", f"the refused key changed the text: '{text_of(quantity)}'")
    press("Tab")
    wait_for(lambda: focused(frame) == "Discount %:", "the focus on 'Discount %:'")
    wait_for(lambda: "Discount %:" in focus_events, "the focus event of 'Discount %:'")
    press("shift+Tab")
    wait_for(lambda: focused(frame) == "Quantity:", "the focus back on 'Quantity:'")
    read_context_menu(frame)
    read_calendar(frame)


def read_context_menu(frame):
    """The menu key opens the focused edit's menu among the frame's children."""
    press("Menu")
    menu = wait_for(lambda: find_in(frame, "popup menu"), "the edit's context menu")
    if menu is None:
        return
    items = [c.name for c in menu if c.getRoleName() == "menu item"]
    check(items == ["Undo", "Cut", "Copy", "Paste", "Delete", "Select All"], f"menu items {items}")
    enabled = [c.name for c in menu if c.getState().contains(pyatspi.STATE_ENABLED)]
    check("Select All" in enabled, f"enabled items {enabled}")
    press("Escape")
    wait_for(lambda: find_in(frame, "popup menu") is None, "the menu to close")


def read_calendar(frame):
    """The birth date's button opens the calendar: a table whose selected
    day is the date's (3/15/1970)."""
    frame.clear_cache()
    birth = [c for c in frame if c.name == "Birth date:" and c.getRoleName() == "text"]
    check(len(birth) == 1, f"no 'Birth date:' field among {[c.name for c in frame]}")
    if not birth:
        return
    birth[0].queryComponent().grabFocus()
    wait_for(lambda: focused(frame) == "Birth date:", "the focus on 'Birth date:'")
    press("ctrl+Return")
    dialog = wait_for(lambda: find_window("valedit-demo", "dialog", "Select a Date"),
                      "the calendar dialog")
    if dialog is None:
        return
    table = wait_for(lambda: find_in(dialog, "table"), "the calendar's table")
    if table is not None:
        grid = table.queryTable()
        check((grid.nRows, grid.nColumns) == (6, 7), f"{grid.nRows} x {grid.nColumns} days")
        selected = [c.name for c in table if c.getState().contains(pyatspi.STATE_SELECTED)]
        check(selected == ["15"], f"selected days {selected}")
    press("Escape")
    wait_for(lambda: find_window("valedit-demo", "dialog") is None, "the dialog to close")


def main_bridge():
    """The form in form_widget_window: its edit is a child of the form
    widget's node, between the window's own line edits."""
    # A plain top-level widget is a filler to AT-SPI, not a frame.
    frame = wait_for(lambda: find_window("qtbridge_window", None, "Form widget"),
                     "the frame 'Form widget'")
    if frame is None:
        return
    frame.clear_cache()
    kids = list(frame)
    roles = [c.getRoleName() for c in kids]
    check(len(kids) == 3 and roles[0] == roles[2] == "text", f"the window holds {roles}")
    if len(kids) != 3:
        return
    form = kids[1]
    entries = [c for c in form if c.getRoleName() == "text"]
    check(len(entries) == 1, f"the form shows {[c.getRoleName() for c in form]}")
    if not entries:
        return
    quantity = entries[0]
    check(quantity.parent == form, "the edit's parent is not the form widget")
    quantity.queryComponent().grabFocus()
    wait_for(lambda: quantity.getState().contains(pyatspi.STATE_FOCUSED), "the focus on the edit")
    press("2", "5", "0")
    wait_for(lambda: text_of(quantity) == "250", "the edit to read '250'")
    box = quantity.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    outer = form.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    check(outer.x <= box.x and box.x + box.width <= outer.x + outer.width,
          f"the edit at {box} lies outside the form at {outer}")


if len(sys.argv) > 1 and sys.argv[1] == "bridge":
    main_bridge()
else:
    main()
for f in failures:
    print("FAIL:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
