#!/usr/bin/env python3
"""Checks that a client taking the test sees nothing of the station but the client's own screens.

The main menu's screenshot (taken with a menu button focused, so the client list frame shows in
its unfocused blue, as it stays behind the chain of windows) gives the frame: the blue ring
reached from the screen's leftmost blue pixel. A later screenshot fails when a pixel of that ring
still shows blue where no window lies above the main menu, and when a client's name appears as a
whole in the title of any window shown. Beside each SHOT.png, SHOT.windows holds the windows shown
as `xwininfo -root -children` lists them, the top one first.

usage: privacy_check.py MENU.png STATE_FILE SHOT.png...
"""
import collections
import re
import subprocess
import sys

MAIN_MENU = "Corvalent-III"
WINDOW = re.compile(r'^0x[0-9a-f]+ (?:"(.*)"|\(has no name\)):.*\s(\d+)x(\d+)[+-]\S+\s+'
                    r'\+(-?\d+)\+(-?\d+)\s*$')


def pixels(png):
    size = subprocess.run(["identify", "-format", "%w %h", png], check=True,
                          capture_output=True, text=True).stdout.split()
    raw = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    return int(size[0]), int(size[1]), raw


def colour(image, x, y):
    i = (y * image[0] + x) * 3
    return tuple(image[2][i:i + 3])


def blue(rgb):
    # The frame is drawn in shades of pure blue.
    return rgb[0] <= 32 and rgb[1] <= 32 and rgb[2] >= 200


def frame_ring(menu):
    """The positions of the client list frame in the main menu's screenshot."""
    width, height, _ = menu
    start = next(((x, y) for x in range(width) for y in range(height)
                  if blue(colour(menu, x, y))), None)
    if start is None:
        sys.exit("the main menu's screenshot shows no client list frame")
    ring, todo = {start}, [start]
    while todo:
        x, y = todo.pop()
        for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if n not in ring and 0 <= n[0] < width and 0 <= n[1] < height and \
                    blue(colour(menu, *n)):
                ring.add(n)
                todo.append(n)
    return ring


def windows(listing):
    """(name, x, y, width, height) of each window shown, the top one first."""
    shown = []
    for line in open(listing, encoding="utf-8"):
        m = WINDOW.match(line.strip())
        if m:
            shown.append((m.group(1) or "", int(m.group(4)), int(m.group(5)), int(m.group(2)),
                          int(m.group(3))))
    return shown


def main():
    menu, state, shots = sys.argv[1], sys.argv[2], sys.argv[3:]
    image = pixels(menu)
    ring = frame_ring(image)
    drawn = collections.Counter(colour(image, *p) for p in ring).most_common(1)[0][0]
    names = [line.split("-", 1)[1].strip() for line in open(state, encoding="utf-8")
             if line.startswith("item=")]
    failures = []
    for shot in shots:
        image = pixels(shot)
        shown = windows(shot[:-len(".png")] + ".windows")
        titles = [w[0] for w in shown]
        above = [w[1:] for w in shown[:titles.index(MAIN_MENU) if MAIN_MENU in titles else 0]]
        showing = sum(1 for (px, py) in ring if blue(colour(image, px, py)) and not any(
            x <= px < x + w and y <= py < y + h for x, y, w, h in above))
        if showing:
            failures.append(f"{shot}: {showing} pixels of the client list frame "
                            f"(#{bytes(drawn).hex()}, {len(ring)} pixels) show")
        for name, *_ in shown:
            for client in names:
                if client and re.search(r"(?<!\w)" + re.escape(client) + r"(?!\w)", name):
                    failures.append(f"{shot}: the window \"{name}\" names client \"{client}\"")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
