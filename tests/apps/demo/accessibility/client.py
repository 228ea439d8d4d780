# A screen reader's view of the demo, through AT-SPI: the form is a frame
# named by its caption; each field an entry named by its label, whose text
# is its value; Tab moves the focused state from field to field (and the
# reader hears the focus events), typing
# changes the text the reader sees, and a refused key brings up an alert
# that reads its message. Exits 1 with what differs.
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


def on_focus(event):
    if event.detail1 == 1:
        focus_events.append(event.source.name)


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


def find_frame():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "valedit-demo":
            continue
        app.clear_cache()  # the window came after the application registered
        for child in app:
            if child.getRoleName() == "frame" and child.name == "Customer order":
                return child
    return None


def find_alert():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "valedit-demo":
            continue
        app.clear_cache()
        for child in app:
            if child is not None and child.getRoleName() == "alert":
                return child
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


main()
for f in failures:
    print("FAIL:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
