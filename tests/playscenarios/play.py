#!/usr/bin/env python3
"""Scripted runs of the scribble pad's bucket and of the sun and rainbow of the colouring
screen on the headless backend (talewick-drive), each on a fresh copy of the generated
content tree. Expected pixels come from the content: the pad's page, the crayon swatches,
the screen's background and the animations' frame strips.

usage: play.py NAME DRIVE CONTENT_DIR SHOT_DIR"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scenarios"))
from imagefiles import read_bmp, read_png  # noqa: E402
from scenarios import (STARTED, BUTTONS, Failure, Run, check, close,  # noqa: E402
                       crayon_point, display, swatch_colour)
import scenarios  # noqa: E402

OPEN_SCRAPBOOK = (0, 0)
SCRIBBLE = (0, 0)
SUN = (0, 0, 0, 0)
RAINBOW = (0, 0, 0, 0)
FRAMES = 8  # frames in each animation's strip
RED, ORANGE, GREEN, BLUE = 0, 1, 3, 4  # crayons of the first box


def use_layout(layout):
    global OPEN_SCRAPBOOK, SCRIBBLE, SUN, RAINBOW
    scenarios.use_layout(layout)
    OPEN_SCRAPBOOK = layout.centre("coloring", "SCRAPBOOK")
    SCRIBBLE = layout.centre("scrapbook", "SCRIBBLE_PAD")
    SUN = layout.rect("coloring", "SUN")
    RAINBOW = layout.rect("coloring", "RAINBOW")


def click(point):
    return "click %d %d" % point


def drag(a, b):
    return "drag %d %d %d %d" % (display(a) + display(b))


def heard(record):
    """(start, path) of every sound that played."""
    out = []
    for line in record:
        parts = line.split()
        if parts[0] == "sound" and "refused" not in parts:
            out.append((int(parts[1]), parts[3]))
    return out


def lit_full(colour):
    """A crayon laid on the pad's page, whose light is full everywhere."""
    return tuple(c * 255 // 256 for c in colour)


# ---------------------------------------------------------------- scenarios

def scenario_pad(run):
    """Draw a closed ring on the scribble pad, fill inside it, then outside it, then undo."""
    left, top, right, bottom = 120, 70, 260, 180  # the ring, in picture coordinates
    inside, outside = (190, 125), (330, 230)
    ring = [drag((left, top), (right, top)), drag((right, top), (right, bottom)),
            drag((right, bottom), (left, bottom)), drag((left, bottom), (left, top))]
    record = run.drive_script("pad", [
        "wait %d" % STARTED, click(OPEN_SCRAPBOOK), "wait 500", click(SCRIBBLE), "wait 1000",
        "shot " + run.shot("pad_blank"),
        click(crayon_point(RED)), click(BUTTONS["small_brush"])] + ring + [
        "wait 500", "shot " + run.shot("pad_ring"),
        # Each crayon says its name first; the fill sound waits for quiet.
        click(BUTTONS["fill"]), "wait 1000", click(crayon_point(BLUE)), "wait 600",
        click(display(inside)), "wait 1000", "shot " + run.shot("pad_inside"),
        click(crayon_point(GREEN)), "wait 600", click(display(outside)), "wait 1000",
        "shot " + run.shot("pad_outside"),
        click(BUTTONS["undo"]), "wait 1000", "shot " + run.shot("pad_undone"),
    ])
    page = read_bmp(run.path("books", "scribble", "page", "page.bmp"))
    blank = read_png(run.shot("pad_blank"))
    check(all(blank.at(*display((x, y))) == page.at(x, y) for x in range(0, page.width, 37)
              for y in range(0, page.height, 29)), "the scribble pad's blank page is shown")
    drawn = read_png(run.shot("pad_ring"))
    red, blue, green = (swatch_colour(run, name) for name in ("red", "blue", "green"))
    check(close(drawn.at(*display((left + 40, top))), lit_full(red)), "the ring is drawn")

    def region(shot, test):
        return [shot.at(*display((x, y))) for x in range(0, page.width, 4)
                for y in range(0, page.height, 4) if test(x, y)]

    def well_inside(x, y):
        return left + 6 <= x <= right - 6 and top + 6 <= y <= bottom - 6

    def well_outside(x, y):
        return not (left - 6 <= x <= right + 6 and top - 6 <= y <= bottom + 6)

    filled = read_png(run.shot("pad_inside"))
    check(all(close(p, lit_full(blue)) for p in region(filled, well_inside)),
          "the bucket fills the whole inside of the ring")
    check(region(filled, well_outside) == region(drawn, well_outside),
          "the fill stays inside the ring: the page around it is unchanged")
    check(close(filled.at(*display((left + 40, top))), lit_full(red)), "the ring keeps its colour")
    around = read_png(run.shot("pad_outside"))
    check(all(close(p, lit_full(green)) for p in region(around, well_outside)),
          "a fill outside the ring covers the rest of the page")
    check(region(around, well_inside) == region(filled, well_inside),
          "the inside keeps its colour")
    undone = read_png(run.shot("pad_undone"))
    check(region(undone, lambda x, y: True) == region(filled, lambda x, y: True),
          "undo takes the last fill back as one step")
    # The fill sounds do not cut each other off, so a later one may be refused.
    fills = [line for line in record if line.startswith("sound ") and "/fill/" in line]
    check(len(fills) == 2 and "refused" not in fills[0],
          "each bucket click asks for a fill sound: %r" % fills)


def strip_frame(strip, place, frame):
    """Frame `frame` of a strip as a function of screen coordinates."""
    x0, y0, w, _ = place
    return lambda x, y: strip.at(x - x0 + frame * w, y - y0)


def shown_frame(shot, strip, place):
    """The index of the strip's frame the shot shows over the place, or None."""
    x0, y0, w, h = place
    points = [(x, y) for x in range(x0, x0 + w, 3) for y in range(y0, y0 + h, 3)]
    for frame in range(FRAMES):
        pixel = strip_frame(strip, place, frame)
        if all(shot.at(x, y) == pixel(x, y) for x, y in points):
            return frame
    return None


def same_in(a, b, place):
    x0, y0, w, h = place
    return all(a.at(x, y) == b.at(x, y) for x in range(x0, x0 + w) for y in range(y0, y0 + h))


def centre(place):
    return place[0] + place[2] // 2, place[1] + place[3] // 2


def scenario_sky(run):
    """Click the sun (twice while it winks) and colour during its wink; then the rainbow."""
    point = (100, 100)  # on the first scene's picture
    record = run.drive_script("sky", [
        "wait %d" % STARTED, "shot " + run.shot("sky_still"),
        click(centre(SUN)), "wait 100", click(centre(SUN)),
        click(crayon_point(ORANGE)), click(display(point)), "wait 150",
        "shot " + run.shot("sky_sun_mid"), "wait 1000", "shot " + run.shot("sky_sun_after"),
        click(centre(RAINBOW)), "wait 300", "shot " + run.shot("sky_rainbow_mid"),
        "wait 1000", "shot " + run.shot("sky_rainbow_after"),
    ])
    background = read_bmp(run.path("bitmaps", "backgrnd.bmp"))
    still = read_png(run.shot("sky_still"))
    for place in (SUN, RAINBOW):
        check(all(still.at(x, y) == background.at(x, y)
                  for x in range(place[0], place[0] + place[2], 2)
                  for y in range(place[1], place[1] + place[3], 2)),
              "the sun and the rainbow lie on the background where the layout puts them")

    sun_strip = read_bmp(run.path("bitmaps", "sunwink.bmp"))
    rainbow_strip = read_bmp(run.path("bitmaps", "shimmer.bmp"))
    for strip, place, name in ((sun_strip, SUN, "sun"), (rainbow_strip, RAINBOW, "rainbow")):
        mid = read_png(run.shot("sky_%s_mid" % name))
        frame = shown_frame(mid, strip, place)
        check(frame is not None and 1 <= frame < FRAMES - 1,
              "half way the %s shows one of its middle frames (got %r)" % (name, frame))
        check(not same_in(mid, still, place), "the %s's frame differs from the still one" % name)
        after = read_png(run.shot("sky_%s_after" % name))
        check(same_in(after, still, place), "after its animation the %s is still again" % name)

    sun_mid = read_png(run.shot("sky_sun_mid"))
    check(sun_mid.at(*display(point)) != still.at(*display(point)),
          "the bucket coloured the picture while the sun was winking")
    after = read_png(run.shot("sky_sun_after"))
    check(after.at(*display(point)) == sun_mid.at(*display(point)),
          "the animation leaves the picture as it was")
    sounds = heard(record)
    winks = [start for start, path in sounds if path.endswith("/sunwink.wav")]
    shimmers = [start for start, path in sounds if path.endswith("/shimmer.wav")]
    check(len(winks) == 1, "one wink sound; a click during the wink changes nothing: %r" % winks)
    check(len(shimmers) == 1 and shimmers[0] > winks[0], "the rainbow shimmers once: %r" % sounds)


SCENARIOS = {"pad": scenario_pad, "sky": scenario_sky}


def main():
    return scenarios.run_named(SCENARIOS, __doc__, use_layout)


if __name__ == "__main__":
    sys.exit(main())
