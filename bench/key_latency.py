#!/usr/bin/python3
"""Keystroke-to-screen latency: valedit-demo against qt_form (the same form
in Qt Widgets) in real windows side by side in one X server.

Keys go to the Contact name edit of each window, in blocks alternating
between the two programs; the time runs from the key event (XTEST, the event xdotool
sends) until the X server reports the first change to the window's pixels
(a DAMAGE event). Keys alternate between a letter and BackSpace so every key
changes the text, and are paced 60-90 ms apart so no caret blink (which
starts only after half a second without typing) is taken for an answer.
Prints p50, p99 and max in milliseconds for each program and the load.

Needs Debian's xvfb, xdotool and python3-xlib (not in scripts/install-deps.sh):
  xvfb-run -a -s "-screen 0 1400x700x24" /usr/bin/python3 bench/key_latency.py BUILD_DIR [KEYS]
"""
import os
import random
import statistics
import subprocess
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import damage

BUILD = sys.argv[1]
KEYS = int(sys.argv[2]) if len(sys.argv) > 2 else 200
BLOCK = 20  # keys to one program before the other has its turn
TIMEOUT = 1.0  # seconds; a key answered later than this counts as lost
NAME_EDIT = (490, 22)  # the Contact name edit, in both windows' client area


def window_of(pid):
    out = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                         capture_output=True, text=True, timeout=20).stdout.split()
    return int(out[-1])


def start(argv, env, x):
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    win = window_of(proc.pid)
    subprocess.run(["xdotool", "windowmove", "--sync", str(win), str(x), "0"], check=True)
    return proc, win


def focus(win):
    subprocess.run(["xdotool", "mousemove", "--window", str(win), *map(str, NAME_EDIT),
                    "click", "1"], check=True)
    time.sleep(0.3)


def drain(d):
    while d.pending_events():
        d.next_event()


def one_key(d, win, dmg, keycode):
    """Sends one key to win (which has the pointer's focus) and returns the
    seconds until its pixels changed, or None when they did not."""
    drain(d)
    d.damage_subtract(dmg, 0, 0)
    d.sync()
    drain(d)
    t0 = time.perf_counter()
    d.xtest_fake_input(X.KeyPress, keycode)
    d.xtest_fake_input(X.KeyRelease, keycode)
    d.flush()
    while time.perf_counter() - t0 < TIMEOUT:
        while d.pending_events():
            e = d.next_event()
            # The extension registers its own copy of the event class.
            if type(e).__name__ == "DamageNotify" and e.drawable.id == win:
                return time.perf_counter() - t0
        time.sleep(0.0001)
    return None


def percentile(v, p):
    v = sorted(v)
    return v[min(len(v) - 1, int(round(p / 100 * (len(v) - 1))))]


def main():
    env = dict(os.environ, XDG_RUNTIME_DIR=os.environ.get("XDG_RUNTIME_DIR", "/tmp"))
    env.pop("QT_QPA_PLATFORM", None)
    programs = {
        "demo": start([f"{BUILD}/apps/demo/valedit-demo"], env, 700),
        "qt_form": start([f"{BUILD}/bench/qt_compare/form/qt_form"], env, 0),
    }
    d = display.Display()
    if not d.has_extension("DAMAGE"):
        sys.exit("key_latency: the X server has no DAMAGE extension")
    d.damage_query_version()
    keys = [d.keysym_to_keycode(XK.string_to_keysym(k)) for k in ("a", "BackSpace")]
    times = {name: [] for name in programs}
    lost = {name: 0 for name in programs}
    try:
        for name, (_, win) in programs.items():
            focus(win)
        damages = {name: d.create_resource_object("window", win).damage_create(
                             damage.DamageReportNonEmpty)
                   for name, (_, win) in programs.items()}
        # Blocks of keys alternate between the programs; one click on the
        # edit before each block gives the window the keyboard (there is no
        # window manager) and puts the caret after the text. A click before
        # every key would make double clicks, which select the text.
        for block in range(0, KEYS, BLOCK):
            for name, (_, win) in programs.items():
                d.xtest_fake_input(X.MotionNotify, x=NAME_EDIT[0] + (700 if name == "demo" else 0),
                                   y=NAME_EDIT[1])
                d.xtest_fake_input(X.ButtonPress, 1)
                d.xtest_fake_input(X.ButtonRelease, 1)
                d.sync()
                for i in range(block, min(KEYS, block + BLOCK)):
                    time.sleep(random.uniform(0.06, 0.09))
                    t = one_key(d, win, damages[name], keys[i % 2])
                    if t is None:
                        lost[name] += 1
                    else:
                        times[name].append(t * 1000)
    finally:
        for proc, _ in programs.values():
            proc.terminate()
            proc.wait()
    for name, v in times.items():
        if not v:
            sys.exit(f"key_latency: {name} answered none of {lost[name]} keys")
        print(f"{name:8} p50 {percentile(v, 50):6.2f} ms  p99 {percentile(v, 99):6.2f} ms  "
              f"max {max(v):6.2f} ms  keys {len(v)}  lost {lost[name]}")
    print(f"p99 demo/qt {percentile(times['demo'], 99) / percentile(times['qt_form'], 99):.3f}")
    print("load:", subprocess.run(["uptime"], capture_output=True, text=True).stdout.strip())


if __name__ == "__main__":
    main()
