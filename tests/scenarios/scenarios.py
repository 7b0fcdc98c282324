#!/usr/bin/env python3
"""Scripted runs of the coloring screen on the headless backend (talewick-drive), each on a
fresh copy of the generated content tree. The expected pixels are worked out from the content:
the scene's layers, the crayon swatches and the screen's fixed layout.

usage: scenarios.py NAME DRIVE CONTENT_DIR [SHOT_DIR]"""
import os
import shutil
import subprocess
import sys
import tempfile
from collections import Counter

from imagefiles import read_bmp, read_png
from screens import Layout

STARTED = 29000  # the start-up is over (greeting at 28500 on the virtual clock)
# Set from the program's layout dump by use_layout before any scenario runs.
AREA_X = AREA_Y = AREA_W = AREA_H = 0  # picture area on a 640 x 480 display
BUTTONS = {}
CRAYON_AREA = (0, 0, 0, 0)
SWATCH0 = (0, 0, 0, 0)  # the first texture slot's swatch


def use_layout(layout):
    """Reads the coloring screen's places from the program's layout."""
    global AREA_X, AREA_Y, AREA_W, AREA_H, CRAYON_AREA, SWATCH0
    AREA_X, AREA_Y, AREA_W, AREA_H = layout.rect("coloring", "PICTURE_AREA")
    CRAYON_AREA = layout.rect("coloring", "CRAYON_AREA")
    SWATCH0 = layout.rect("coloring", "SWATCH0")
    names = {
        "small_brush": "SMALL_BRUSH", "big_brush": "BIG_BRUSH", "fill": "REGION_FILL",
        "small_eraser": "SMALL_ERASER", "big_eraser": "BIG_ERASER", "undo": "UNDO",
        "texture_up": "TEXTURE_UP", "slot0": "TEXTURE_SLOT0", "texture_down": "TEXTURE_DOWN",
        "voice": "VOICE_OVER", "left_star": "LEFT_STAR", "right_star": "RIGHT_STAR",
        "scene_left": "SCENE_LEFT", "scene_right": "SCENE_RIGHT", "exit": "EXIT",
    }
    BUTTONS.clear()
    BUTTONS.update({key: layout.centre("coloring", name) for key, name in names.items()})
    quit_popup = ("coloring", "QUIT_POPUP")
    BUTTONS["quit_yes"] = layout.centre("quit", "YES", over=quit_popup)
    BUTTONS["quit_no"] = layout.centre("quit", "NO", over=quit_popup)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def close(a, b, tolerance=3):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


class Run:
    def __init__(self, drive, content, shots):
        self.drive = drive
        self.root = tempfile.mkdtemp(prefix="talewick-scenario-")
        self.tree = os.path.join(self.root, "content")
        shutil.copytree(content, self.tree)
        self.play = os.path.join(self.tree, "play")
        self.shots = shots

    def path(self, *parts):
        return os.path.join(self.tree, *parts)

    def drive_script(self, name, lines):
        script = os.path.join(self.root, name + ".txt")
        with open(script, "w") as out:
            out.write("\n".join(lines) + "\n")
        done = subprocess.run([self.drive, script], cwd=self.play, capture_output=True,
                              text=True, timeout=300)
        check(done.returncode == 0, "talewick-drive failed: " + done.stderr)
        return done.stdout.splitlines()

    def shot(self, name):
        return os.path.join(self.shots, name + ".png")

    def cleanup(self):
        shutil.rmtree(self.root, ignore_errors=True)


class Scene:
    """Scene `folder` of the story book: its layers and objects in picture coordinates."""

    def __init__(self, run, folder):
        base = run.path("books", "pip", folder)
        self.map = read_bmp(os.path.join(base, "map.bmp"))
        self.shade = read_bmp(os.path.join(base, "shade.bmp"))
        self.page = read_bmp(os.path.join(base, "page.bmp"))

    def object_at(self, x, y):
        return self.map.at(x, y)[2]  # blue carries the object id

    def largest_objects(self):
        counts = Counter(self.object_at(x, y) for y in range(0, self.map.height, 2)
                         for x in range(0, self.map.width, 2))
        return [obj for obj, _ in counts.most_common()]

    def interior_point(self, obj, rows_above=0, rows_below=0, margin=4):
        """A point of `obj` whose column stays in the object over the rows asked for."""
        best = None
        for y in range(rows_above + margin, self.map.height - rows_below - margin, 3):
            for x in range(margin, self.map.width - margin, 3):
                if all(self.object_at(x + dx, y + dy) == obj
                       for dy in range(-rows_above - margin, rows_below + margin + 1, 2)
                       for dx in (-margin, 0, margin)):
                    best = (x, y)
                    return best
        return best

    def edge_right(self, x, y):
        obj = self.object_at(x, y)
        while x < self.map.width - 1 and self.object_at(x, y) == obj:
            x += 1
        return x

    def lit(self, colour, x, y):
        light = self.shade.at(x, y)
        return tuple(round(c * l / 255) for c, l in zip(colour, light))


def display(point):
    return point[0] + AREA_X, point[1] + AREA_Y


def at_picture(shot, point):
    return shot.at(point[0] + AREA_X, point[1] + AREA_Y)


def crayon_point(index):
    # Crayons stand 20 pixels apart across the box picture, which fills the crayon area.
    return CRAYON_AREA[0] + index * 20 + 10, CRAYON_AREA[1] + 44


def crayon_probe():
    """Points spread over the crayon box."""
    cx, cy, cw, ch = CRAYON_AREA
    return [(x, y) for x in range(cx + 1, cx + cw - 1, 17) for y in range(cy + 1, cy + ch - 1, 11)]


def ringed(shot, index):
    """Crayon `index` shows the bright band of the chosen crayon's ring down both its sides."""
    x0, y0, _, h = CRAYON_AREA
    sides = (x0 + 20 * index + 1, x0 + 20 * index + 18)
    return all(shot.at(x, y) == (255, 255, 255) for x in sides for y in range(y0 + 2, y0 + h - 2, 3))


def swatch_colour(run, name):
    return read_bmp(run.path("Crayons", "everyday", name + "_t.bmp")).at(0, 0)


def sounds(record):
    return [line.split()[3] for line in record if line.startswith("sound ")]


# ---------------------------------------------------------------- scenarios

def scenario_startup(run):
    record = run.drive_script("startup", [
        "wait 600", "shot " + run.shot("startup_0600"),
        "wait 400", "shot " + run.shot("startup_1000"),
        # Input during the splash pictures: a fill click and Return, then the close command.
        "click 300 150", "key Return", "wait 3500", "quit",
        "wait 5500", "shot " + run.shot("startup_10000"),
        "wait 17000", "shot " + run.shot("startup_27000"),
        "wait 2000", "shot " + run.shot("startup_29000"),
    ])
    black = read_png(run.shot("startup_0600"))
    check(black.at(320, 240) == (0, 0, 0), "nothing but the backdrop before the first splash")
    brand = read_bmp(run.path("bitmaps", "Pimbly.bmp"))
    story = read_bmp(run.path("bitmaps", "story.bmp"))
    for name, expected in (("startup_1000", brand), ("startup_10000", story),
                           ("startup_27000", story)):
        shot = read_png(run.shot(name))
        for point in ((320, 240), (20, 20), (600, 400)):
            check(shot.at(*point) == expected.at(*point), name + " shows the wrong splash")
    running = read_png(run.shot("startup_29000"))
    background = read_bmp(run.path("bitmaps", "backgrnd.bmp"))
    scene = Scene(run, "morning")
    check(running.at(5, 5) == background.at(5, 5), "the screen's background is drawn")
    check(at_picture(running, (180, 122)) == scene.page.at(180, 122),
          "the first scene shows uncoloured (the queued click was flushed)")
    exit_face = read_bmp(run.path("bitmaps", "exitu.bmp"))
    check(running.at(*BUTTONS["exit"]) == exit_face.at(exit_face.width // 2, exit_face.height // 2),
          "the exit button shows its face")
    heard = [line for line in record if line.startswith("sound ")]
    check(len(heard) == 1 and "lets_clr.wav" in heard[0] and " 28500 " in heard[0],
          "only the greeting sounds, at 28.5 s: " + repr(heard))
    check(not any("exitbox" in line or line.startswith("message") for line in record),
          "the close command during the start-up is ignored")


def scenario_colouring(run):
    scene = Scene(run, "morning")
    objects = scene.largest_objects()
    a = objects[0]
    p1 = scene.interior_point(a, rows_above=20, rows_below=45)
    check(p1 is not None, "no roomy object in the first scene")
    b = next(o for o in objects[1:] if scene.interior_point(o) is not None)
    p2 = scene.interior_point(b)
    rows = {"small_brush": p1[1] - 20, "big_brush": p1[1], "small_eraser": p1[1] + 20,
            "big_eraser": p1[1] + 40}

    def stroke(tool):
        y = rows[tool]
        end = min(scene.edge_right(p1[0], y) + 20, AREA_W - 2)
        return ["click %d %d" % BUTTONS[tool],
                "drag %d %d %d %d" % (display((p1[0], y)) + display((end, y)))]

    lines = ["wait %d" % STARTED, "click %d %d" % crayon_point(4), "click %d %d" % display(p1),
             "wait 1000", "shot " + run.shot("colour_fill"),
             "click %d %d" % BUTTONS["slot0"], "click %d %d" % display(p2), "wait 1000",
             "shot " + run.shot("colour_texture"), "click %d %d" % crayon_point(0)]
    for tool in ("small_brush", "big_brush", "small_eraser", "big_eraser"):
        lines += stroke(tool)
    lines += ["wait 1000", "shot " + run.shot("colour_brushes"),
              "click %d %d" % BUTTONS["undo"], "wait 1000", "shot " + run.shot("colour_undo1"),
              "click %d %d" % BUTTONS["undo"], "wait 1000", "shot " + run.shot("colour_undo2")]
    record = run.drive_script("colouring", lines)

    blue, red = swatch_colour(run, "blue"), swatch_colour(run, "red")
    filled = read_png(run.shot("colour_fill"))
    for y in range(0, AREA_H, 7):
        for x in range(0, AREA_W, 7):
            want = scene.lit(blue, x, y) if scene.object_at(x, y) == a else scene.page.at(x, y)
            check(close(at_picture(filled, (x, y)), want),
                  "fill: pixel %d,%d is %s, expected %s" % (x, y, at_picture(filled, (x, y)), want))
    textured = read_png(run.shot("colour_texture"))
    b_pixels = {at_picture(textured, (x, y)) for y in range(0, AREA_H, 3)
                for x in range(0, AREA_W, 3) if scene.object_at(x, y) == b}
    check(len(b_pixels) > 3, "the texture lays a pattern on its object")
    check(at_picture(textured, p2) != scene.page.at(*p2), "the texture coloured its object")

    brushed = read_png(run.shot("colour_brushes"))
    x_in = p1[0] + 3
    for tool in ("small_brush", "big_brush"):
        y = rows[tool]
        check(close(at_picture(brushed, (x_in, y)), scene.lit(red, x_in, y)),
              tool + " paints the crayon multiplied by the light")
        outside = scene.edge_right(p1[0], y) + 6
        check(at_picture(brushed, (outside, y)) == at_picture(textured, (outside, y)),
              tool + " stays inside the lines")
    for tool in ("small_eraser", "big_eraser"):
        y = rows[tool]
        check(at_picture(brushed, (x_in, y)) == scene.page.at(x_in, y), tool + " restores the page")
    undo1 = read_png(run.shot("colour_undo1"))
    y = rows["big_eraser"]
    check(close(at_picture(undo1, (x_in, y)), scene.lit(blue, x_in, y)),
          "one undo takes the last eraser stroke back")
    undo2 = read_png(run.shot("colour_undo2"))
    y = rows["small_eraser"]
    check(close(at_picture(undo2, (x_in, y)), scene.lit(blue, x_in, y)),
          "the second undo takes the stroke before it back too")
    heard = sounds(record)
    for name in ("lttlclr.wav", "bigcolor.wav", "lttlrsr.wav", "bgrsr.wav"):
        check(any(s.endswith(name) for s in heard), name + " plays on choosing its tool")
    check(sum(s.endswith("oops.wav") for s in heard) == 2, "undo says oops twice")


def scenario_paging(run):
    scene0, scene1, last = Scene(run, "morning"), Scene(run, "breakfast"), Scene(run, "bedtime")
    a = scene0.largest_objects()[0]
    p1 = scene0.interior_point(a)
    record = run.drive_script("paging", [
        "wait %d" % STARTED, "shot " + run.shot("paging_start"),
        "click %d %d" % BUTTONS["texture_down"], "shot " + run.shot("paging_textures"),
        "click %d %d" % BUTTONS["right_star"], "wait 500", "shot " + run.shot("paging_box2"),
        "click %d %d" % BUTTONS["left_star"], "wait 500", "shot " + run.shot("paging_box3"),
        "click %d %d" % BUTTONS["left_star"], "wait 500", "shot " + run.shot("paging_box1"),
        "click %d %d" % BUTTONS["voice"], "wait 8000",
        "click %d %d" % crayon_point(3), "click %d %d" % display(p1), "wait 1000",
        "shot " + run.shot("paging_coloured"),
        "click %d %d" % BUTTONS["scene_right"], "wait 1000", "shot " + run.shot("paging_next"),
        "click %d %d" % BUTTONS["scene_left"], "wait 1000", "shot " + run.shot("paging_back"),
        "click %d %d" % BUTTONS["scene_left"], "wait 1000", "shot " + run.shot("paging_wrap"),
    ])
    start = read_png(run.shot("paging_start"))
    paged = read_png(run.shot("paging_textures"))
    sx, sy, sw, sh = SWATCH0
    swatch = [(x, y) for x in range(sx + 2, sx + sw - 1, 5) for y in range(sy + 2, sy + sh - 1, 5)]
    check(any(start.at(*p) != paged.at(*p) for p in swatch), "paging the textures changes the slots")
    box2, box3 = read_png(run.shot("paging_box2")), read_png(run.shot("paging_box3"))
    probe = crayon_probe()
    check(any(box2.at(*p) != start.at(*p) for p in probe), "the right star opens another box")
    check(any(box3.at(*p) != start.at(*p) for p in probe) and
          any(box3.at(*p) != box2.at(*p) for p in probe),
          "the left star opens the next box too, not the one before")
    box1 = read_png(run.shot("paging_box1"))
    check(all(box1.at(*p) == start.at(*p) for p in probe), "after the last box comes the first")
    green = swatch_colour(run, "green")
    coloured = read_png(run.shot("paging_coloured"))
    check(close(at_picture(coloured, p1), scene0.lit(green, *p1)), "the scene was coloured")
    nxt = read_png(run.shot("paging_next"))
    check(at_picture(nxt, (200, 130)) == scene1.page.at(200, 130), "the right arrow shows scene 2")
    back = read_png(run.shot("paging_back"))
    check(close(at_picture(back, p1), scene0.lit(green, *p1)), "coming back shows it coloured")
    wrap = read_png(run.shot("paging_wrap"))
    check(at_picture(wrap, (200, 130)) == last.page.at(200, 130),
          "the left arrow on the first scene wraps to the last")
    heard = sounds(record)
    check(any(s.endswith("voice.wav") for s in heard), "the voice-over plays")
    check([s for s in heard if "pgturn" in s][:2] ==
          ["../sounds/pgturn.wav", "../sounds/pgturn2.wav"], "page turns alternate")


def scrapbook_entries(run):
    folder = run.path("books", "scrapbook")
    index = open(os.path.join(folder, "scrapbook.txt"), "rb").read().decode().split("\r\n")
    return folder, [line[len("image="):] for line in index if line.startswith("image=")]


def saved_picture(folder, name):
    entry = os.path.join(folder, name)
    pictures = [f for f in os.listdir(entry) if f.endswith(".bmp")]
    check(pictures, "entry %s holds its pictures" % name)
    biggest = max(pictures, key=lambda f: os.path.getsize(os.path.join(entry, f)))
    return read_bmp(os.path.join(entry, biggest))


def scenario_exit(run):
    scene = Scene(run, "morning")
    p1 = scene.interior_point(scene.largest_objects()[0])
    exit_lines = ["click %d %d" % BUTTONS["exit"], "wait 300",
                  "shot " + run.shot("exit_confirm"), "click %d %d" % BUTTONS["quit_no"],
                  "wait 300", "shot " + run.shot("exit_no"),
                  "click %d %d" % BUTTONS["exit"], "wait 300",
                  "click %d %d" % BUTTONS["quit_yes"]]
    record = run.drive_script("exit", [
        "wait %d" % STARTED, "click %d %d" % crayon_point(1), "click %d %d" % display(p1),
        "wait 500"] + exit_lines)
    box = read_bmp(run.path("bitmaps", "quit", "exitbox.bmp"))
    confirm = read_png(run.shot("exit_confirm"))
    check(at_picture(confirm, (100, 60)) == box.at(100, 60), "the quit confirmation is shown")
    orange = swatch_colour(run, "orange")
    no = read_png(run.shot("exit_no"))
    check(close(at_picture(no, p1), scene.lit(orange, *p1)), "no goes back to the picture")
    goodbye = [line for line in record if "goodbye.wav" in line]
    check(len(goodbye) == 1 and "flags=0x06" in goodbye[0] and "refused" not in goodbye[0],
          "goodbye plays and is waited for: " + repr(goodbye))
    folder, names = scrapbook_entries(run)
    check(len(names) == 1, "the coloured picture was saved once: %r" % names)
    saved = saved_picture(folder, names[0])
    check(close(saved.at(*p1), scene.lit(orange, *p1)), "the saved picture holds the colour")

    # A second run loads the scrapbook and comes back to that picture; a picture of the next
    # scene joins it.
    nxt = Scene(run, "breakfast")
    p2 = nxt.interior_point(nxt.largest_objects()[0])
    record = run.drive_script("exit_again", [
        "wait %d" % STARTED, "click %d %d" % BUTTONS["scene_right"], "wait 1000",
        "click %d %d" % crayon_point(2), "click %d %d" % display(p2),
        "wait 500", "click %d %d" % BUTTONS["exit"], "wait 300",
        "click %d %d" % BUTTONS["quit_yes"]])
    check(not any(line.startswith("message") for line in record), "the second run reads cleanly")
    folder, again = scrapbook_entries(run)
    check(len(again) == 2 and again[0] == names[0], "the first picture is still listed: %r" % again)
    check(close(saved_picture(folder, names[0]).at(*p1), scene.lit(orange, *p1)),
          "the first picture is unchanged")


def scenario_choice(run):
    """The chosen crayon is ringed, the ring follows the choice and goes when a texture is
    chosen; the star and the box picture both open the next crayon box."""
    run.drive_script("choice", [
        "wait %d" % STARTED, "shot " + run.shot("choice_start"),
        "click %d %d" % crayon_point(3), "wait 300", "shot " + run.shot("choice_3"),
        "click %d %d" % crayon_point(7), "wait 300", "shot " + run.shot("choice_7"),
        "click %d %d" % BUTTONS["slot0"], "wait 300", "shot " + run.shot("choice_texture"),
    ])
    start, third, seventh, texture = (read_png(run.shot("choice_" + name))
                                      for name in ("start", "3", "7", "texture"))
    check(not ringed(start, 3) and not ringed(start, 7), "no crayon is ringed before a choice")
    check(ringed(third, 3) and not ringed(third, 7), "the chosen crayon is ringed")
    check(ringed(seventh, 7) and not ringed(seventh, 3), "the ring moves to the new choice")
    check(all(seventh.at(*p) == third.at(*p) for p in crayon_probe()
              if (p[0] - CRAYON_AREA[0]) // 20 not in (3, 7)),
          "only the places of the crayons chosen before and now change")
    check(not ringed(texture, 7), "with a texture chosen no crayon is ringed")
    for star in ("left_star", "right_star"):
        run.drive_script(star, [
            "wait %d" % STARTED, "click %d %d" % BUTTONS[star], "wait 500",
            "shot " + run.shot(star + "_1"), "click %d %d" % BUTTONS[star], "wait 500",
            "shot " + run.shot(star + "_2"),
        ])
    for step in ("1", "2"):
        left, right = read_png(run.shot("left_star_" + step)), read_png(run.shot("right_star_" + step))
        check(all(left.at(*p) == right.at(*p) for p in crayon_probe()),
              "after %s clicks the star and the box picture show the same box" % step)
    first, second = read_png(run.shot("left_star_1")), read_png(run.shot("left_star_2"))
    check(any(first.at(*p) != start.at(*p) for p in crayon_probe()) and
          any(second.at(*p) != first.at(*p) for p in crayon_probe()), "each click opens a new box")


SCENARIOS = {"startup": scenario_startup, "colouring": scenario_colouring,
             "paging": scenario_paging, "exit": scenario_exit, "choice": scenario_choice}



def run_named(table, doc, take_layout=None, make_run=None):
    """Runs the scenario the command line names (NAME DRIVE CONTENT_DIR [SHOT_DIR]) from
    `table` after `take_layout` has read the program's layout; returns the exit status."""
    if len(sys.argv) < 4 or sys.argv[1] not in table:
        print(doc)
        return 2
    name, drive, content = sys.argv[1:4]
    shots = sys.argv[4] if len(sys.argv) > 4 else tempfile.mkdtemp(prefix="talewick-shots-")
    os.makedirs(shots, exist_ok=True)
    drive, shots = os.path.abspath(drive), os.path.abspath(shots)
    (take_layout or use_layout)(Layout(drive))
    run = make_run(name, drive, content, shots) if make_run else Run(drive, content, shots)
    try:
        table[name](run)
    except Failure as failure:
        print("scenario %s failed: %s (shots in %s)" % (name, failure, shots))
        return 1
    finally:
        run.cleanup()
    print("scenario %s passed (shots in %s)" % (name, shots))
    return 0


def main():
    return run_named(SCENARIOS, __doc__)


if __name__ == "__main__":
    sys.exit(main())
