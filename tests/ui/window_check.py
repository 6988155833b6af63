#!/usr/bin/python3
# Reads the running window program through the accessibility bus, as a screen
# reader would, and checks what a user sees: the main window's title, the number
# of photos in the thumbnail strip, the file-information line, a name on every
# control a user can operate, and the colour at the middle of the photo view in a
# screenshot of the screen. With MIN_SIDE, the photo must also be shown at least
# that many pixels on its longer side, drawn up to its edges.
# Usage: window_check.py PHOTO_COUNT ACTIVE_FILE_NAME R,G,B SCREENSHOT_PATH [MIN_SIDE]
import subprocess
import sys
import time

import pyatspi

OPERABLE = {"push button", "toggle button", "check box", "radio button", "slider", "combo box",
            "spin button", "text"}
TOLERANCE = 12


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(150):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Tessaly" and app.childCount > 0:
                return app
        time.sleep(0.2)
    return None


def nodes(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def pixel(shot, x, y):
    subprocess.run(["import", "-window", "root", shot], check=True)
    text = subprocess.check_output(
        ["convert", shot, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"], text=True)
    values = text.splitlines()[-1].split("(")[1].split(")")[0].split(",")
    return [round(float(v)) for v in values[:3]]


def main():
    count, active, colour, shot = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
    min_side = int(sys.argv[5]) if len(sys.argv) > 5 else 0
    wanted = [int(v) for v in colour.split(",")]
    failures = []
    app = find_app()
    if app is None:
        print("FAIL: no application 'Tessaly' on the accessibility bus")
        return 1
    # The strip reports the active photo once the last file is added.
    strip = info = None
    for _ in range(150):
        everything = list(nodes(app))
        frames = [n for n in everything if n.getRoleName() == "frame" and showing(n)]
        strip = next((n for n in everything if n.name == "Thumbnails"), None)
        info = next((n for n in everything if n.getRoleName() == "label" and " File " in n.name),
                    None)
        if strip is not None and strip.description.startswith(f"Photo {count} of {count}"):
            break
        time.sleep(0.2)
    if not any(f.name == "Tessaly" for f in frames):
        failures.append(f"main window title: {[f.name for f in frames]}")
    if strip is None or not strip.description.startswith(f"Photo {count} of {count}"):
        failures.append(f"strip: {strip.description if strip else None!r}")
    if info is None or f"File {count}/{count}" not in info.name or f"Name: {active}" not in info.name:
        failures.append(f"file information: {info.name if info else None!r}")
    unnamed = [n.getRoleName() for n in everything
               if n.getRoleName() in OPERABLE and showing(n) and not n.name.strip()]
    if unnamed:
        failures.append(f"controls without an accessible name: {unnamed}")
    # The view, not the menu bar's Photo menu.
    photos = [n for n in everything if n.name == "Photo" and showing(n)
              and n.getRoleName() not in ("menu", "menu item")]
    if not photos:
        failures.append("no photo view")
    else:
        box = photos[-1].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # A resized window lays the view out again: wait for it to reach the size.
        for _ in range(50):
            if max(box.width, box.height) >= min_side:
                break
            time.sleep(0.2)
            box = photos[-1].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        got = pixel(shot, box.x + box.width // 2, box.y + box.height // 2)
        if any(abs(g - w) > TOLERANCE for g, w in zip(got, wanted)):
            failures.append(f"photo view pixel {got}, wanted {wanted}")
        if min_side:
            if max(box.width, box.height) < min_side:
                failures.append(f"photo shown {box.width}x{box.height}, wanted {min_side}")
            # Drawn to its edges: the photo's colour three pixels inside its corner.
            got = pixel(shot, box.x + box.width - 4, box.y + box.height - 4)
            if any(abs(g - w) > TOLERANCE for g, w in zip(got, wanted)):
                failures.append(f"photo corner pixel {got}, wanted {wanted}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
