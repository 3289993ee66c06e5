#!/usr/bin/python3
"""A taskbar: a dock along the bottom that reserves its height (_NET_WM_STRUT_PARTIAL).

    x_dock.py HEIGHT

Prints "reserved" once the work area leaves the strip out, and runs until it is ended.
"""
import signal
import sys
import time

from Xlib import X, Xatom, Xutil, display


def main():
    height = int(sys.argv[1])
    desk = display.Display()
    screen = desk.screen()
    width = screen.width_in_pixels
    dock = screen.root.create_window(
        0, screen.height_in_pixels - height, width, height, 0, screen.root_depth,
        X.InputOutput, X.CopyFromParent, background_pixel=0x808080)
    atom = desk.intern_atom
    dock.change_property(atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM, 32,
                         [atom("_NET_WM_WINDOW_TYPE_DOCK")])
    # left, right, top, bottom; then where each runs: the bottom one across the whole width
    dock.change_property(atom("_NET_WM_STRUT_PARTIAL"), Xatom.CARDINAL, 32,
                         [0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1])
    dock.change_property(atom("_NET_WM_STRUT"), Xatom.CARDINAL, 32, [0, 0, 0, height])
    # Where it asks to be, not where the window manager would place a window.
    dock.set_wm_normal_hints(flags=Xutil.USPosition | Xutil.PPosition | Xutil.PSize,
                             x=0, y=screen.height_in_pixels - height, width=width, height=height)
    dock.map()
    dock.configure(x=0, y=screen.height_in_pixels - height)
    desk.flush()
    while True:
        area = screen.root.get_full_property(atom("_NET_WORKAREA"), X.AnyPropertyType)
        if area and area.value[1] + area.value[3] <= screen.height_in_pixels - height:
            break
        time.sleep(0.05)
    print("reserved", flush=True)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    while True:
        desk.next_event()


if __name__ == "__main__":
    main()
