#!/usr/bin/python3
"""Whether an X window's frame lies inside the window manager's work area (_NET_WORKAREA).

    x_frame_inside.py WINDOW-ID

Prints frame and work area as left,top,right,bottom (exclusive); status 1 outside, 2 no frame.
"""
import sys

from Xlib import X, display


def cardinals(desk, window, name):
    prop = window.get_full_property(desk.intern_atom(name), X.AnyPropertyType)
    return list(prop.value) if prop else None


def main():
    desk = display.Display()
    root = desk.screen().root
    window = desk.create_resource_object("window", int(sys.argv[1], 0))
    extents = cardinals(desk, window, "_NET_FRAME_EXTENTS")  # left, right, top, bottom
    area = cardinals(desk, root, "_NET_WORKAREA")  # x, y, width, height per desktop
    if not extents or not area:
        print("no frame extents or work area")
        return 2
    geometry = window.get_geometry()
    origin = root.translate_coords(window, 0, 0)
    left, right, top, bottom = extents
    frame = (origin.x - left, origin.y - top,
             origin.x + geometry.width + right, origin.y + geometry.height + bottom)
    work = (area[0], area[1], area[0] + area[2], area[1] + area[3])
    inside = (frame[0] >= work[0] and frame[1] >= work[1]
              and frame[2] <= work[2] and frame[3] <= work[3])
    print("frame %d,%d,%d,%d work area %d,%d,%d,%d" % (frame + work))
    return 0 if inside else 1


if __name__ == "__main__":
    sys.exit(main())
