#!/usr/bin/env python3
"""Starts of the program one after another on the headless backend (talewick-drive) with a
kept state folder (--state-dir: settings.ini and the start mark), each scenario on a fresh
copy of the generated content tree: the whole start-up on the first start, a click or a key
skipping it later, a short start set by a grown-up, and settings the child changed coming
back at the next start.

usage: starts.py NAME DRIVE CONTENT_DIR SHOT_DIR"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scenarios"))
from imagefiles import read_bmp, read_png  # noqa: E402
from scenarios import STARTED, Failure, Run, Scene, at_picture, check  # noqa: E402
import scenarios  # noqa: E402

GREETING = "lets_clr.wav"
BUTTONS = {}
CRAYON_AREA = (0, 0, 0, 0)


def use_layout(layout):
    global CRAYON_AREA
    scenarios.use_layout(layout)
    CRAYON_AREA = layout.rect("coloring", "CRAYON_AREA")
    BUTTONS["scrapbook"] = layout.centre("coloring", "SCRAPBOOK")
    BUTTONS["right_star"] = layout.centre("coloring", "RIGHT_STAR")
    for key, name in (("print", "PRINT"), ("options", "OPTIONS"), ("return", "RETURN")):
        BUTTONS["sb_" + key] = layout.centre("scrapbook", name)
    popup = ("scrapbook", "POPUP")
    BUTTONS["sound"] = layout.centre("options", "SOUND", over=popup)
    BUTTONS["options_ok"] = layout.centre("options", "OK", over=popup)


def click(name):
    return "click %d %d" % BUTTONS[name]


class Starts:
    """Runs of the driver that share one state folder, as starts of one user's program."""

    def __init__(self, run):
        self.run = run
        self.state = os.path.join(run.root, "state")
        self.count = 0

    def start(self, lines):
        self.count += 1
        script = os.path.join(self.run.root, "start%d.txt" % self.count)
        with open(script, "w") as out:
            out.write("\n".join(lines) + "\n")
        done = subprocess.run([self.run.drive, "--state-dir", self.state, script],
                              cwd=self.run.play, capture_output=True, text=True, timeout=300)
        check(done.returncode == 0, "talewick-drive failed: " + done.stderr)
        return done.stdout.splitlines()

    def settings(self):
        with open(os.path.join(self.state, "settings.ini")) as f:
            return dict(tuple(part.strip() for part in line.split("=", 1))
                        for line in f if "=" in line and not line.startswith("#"))

    def write_settings(self, **values):
        os.makedirs(self.state, exist_ok=True)
        with open(os.path.join(self.state, "settings.ini"), "a") as out:
            for key, value in values.items():
                out.write("%s = %s\n" % (key, value))

    def marked(self):
        return os.path.exists(os.path.join(self.state, "startup-seen"))


def greetings(record):
    """Start times of the greeting."""
    return [int(line.split()[1]) for line in record
            if line.startswith("sound ") and GREETING in line and "refused" not in line]


def shows(run, shot_name, picture):
    shot = read_png(run.shot(shot_name))
    expected = read_bmp(run.path("bitmaps", picture))
    return all(shot.at(*p) == expected.at(*p) for p in ((320, 240), (20, 20), (600, 400)))


def check_running(run, shot_name):
    """The colouring screen shows with the first scene as it was (nothing coloured)."""
    shot = read_png(run.shot(shot_name))
    background = read_bmp(run.path("bitmaps", "backgrnd.bmp"))
    check(shot.at(5, 5) == background.at(5, 5), shot_name + ": the screen's background is drawn")
    scene = Scene(run, "morning")
    check(at_picture(shot, (180, 122)) == scene.page.at(180, 122),
          shot_name + ": the first scene shows uncoloured (the skipping input was not used)")


def crayon_pixels(shot):
    x, y, w, h = CRAYON_AREA
    return [shot.at(px, py) for px in range(x + 1, x + w - 1, 13) for py in range(y + 1, y + h - 1, 7)]


# ---------------------------------------------------------------- scenarios

def scenario_first_and_later(run):
    starts = Starts(run)
    # The first start: clicks and a key during the brand and the story pictures change
    # nothing.
    record = starts.start(["wait 1000", "click 300 150", "key Return", "wait 5000",
                           "click 300 10", "key Space", "wait 4000",
                           "shot " + run.shot("first_10000"), "wait 19000",
                           "shot " + run.shot("first_29000")])
    check(shows(run, "first_10000", "story.bmp"), "the first start still shows the story at 10 s")
    check_running(run, "first_29000")
    check(greetings(record) == [28500], "the first start greets at 28.5 s: %r" % greetings(record))
    check(starts.marked(), "the whole start-up seen is remembered")
    check(starts.settings().get("sound") == "on", "the settings file was made")

    # A later start: a click during the brand picture goes straight to the greeting.
    record = starts.start(["wait 1000", "shot " + run.shot("later_1000"), "click 300 150",
                           "wait 2000", "shot " + run.shot("later_click_3000")])
    check(shows(run, "later_1000", "Pimbly.bmp"), "a later start begins with the brand picture")
    check_running(run, "later_click_3000")
    heard = greetings(record)
    check(len(heard) == 1 and 1000 < heard[0] < 3000, "a click brings the greeting: %r" % heard)
    check(len([line for line in record if line.startswith("sound ")]) == 1,
          "the greeting is the only sound: %r" % record)

    # A key during the story picture does the same.
    record = starts.start(["wait 5000", "shot " + run.shot("later_5000"), "key Space",
                           "wait 2000", "shot " + run.shot("later_key_7000")])
    check(shows(run, "later_5000", "story.bmp"), "the story picture shows at 5 s")
    check_running(run, "later_key_7000")
    heard = greetings(record)
    check(len(heard) == 1 and 5000 < heard[0] < 7000, "a key brings the greeting: %r" % heard)

    # Without a click or a key a later start plays in full.
    record = starts.start(["wait 10000", "shot " + run.shot("later_10000"), "wait 19000"])
    check(shows(run, "later_10000", "story.bmp"), "untouched, the story picture stays")
    check(greetings(record) == [28500], "untouched, the greeting comes at 28.5 s")


def scenario_short_start(run):
    starts = Starts(run)
    starts.write_settings(short_start="on")
    record = starts.start(["wait 3000", "shot " + run.shot("short_3000")])
    check_running(run, "short_3000")
    heard = greetings(record)
    check(len(heard) == 1 and heard[0] < 3000, "a short start greets at once: %r" % heard)
    check(starts.settings().get("short_start") == "on", "the grown-up's setting is kept")


def scenario_remembered(run):
    starts = Starts(run)
    # The child shows the second crayon box and switches the sound off on the options screen.
    starts.start(["wait %d" % STARTED, "shot " + run.shot("kept_box1"), click("right_star"),
                  "wait 500", "shot " + run.shot("kept_box2"), click("scrapbook"), "wait 500",
                  click("sb_options"), "wait 500", click("sound"), "wait 500",
                  click("options_ok"), "wait 500"])
    kept = starts.settings()
    check(kept.get("sound") == "off" and kept.get("crayon_box") == "2",
          "the switch and the box are saved at once: %r" % kept)
    box1 = crayon_pixels(read_png(run.shot("kept_box1")))
    box2 = crayon_pixels(read_png(run.shot("kept_box2")))
    check(box1 != box2, "the right star shows another box")

    record = starts.start(["wait %d" % STARTED, "shot " + run.shot("kept_again")])
    check(crayon_pixels(read_png(run.shot("kept_again"))) == box2,
          "the next start shows the box chosen last")
    check(not any(line.startswith("sound ") for line in record),
          "with the sound off nothing is heard, not even the greeting: %r" % record)


def scenario_withheld(run):
    starts = Starts(run)
    open_scrapbook = ["wait %d" % STARTED, click("scrapbook"), "wait 500"]
    starts.start(open_scrapbook + ["shot " + run.shot("allowed")])
    starts.write_settings(printing="off", options_screen="off")
    record = starts.start(open_scrapbook + ["shot " + run.shot("withheld"), click("sb_print"),
                                            "wait 500", click("sb_options"), "wait 500",
                                            "shot " + run.shot("withheld_clicked")])
    allowed = read_png(run.shot("allowed"))
    withheld = read_png(run.shot("withheld"))
    for name in ("sb_print", "sb_options"):
        check(allowed.at(*BUTTONS[name]) != withheld.at(*BUTTONS[name]),
              name + " is not shown when a grown-up withholds it")
    clicked = read_png(run.shot("withheld_clicked"))
    check(all(clicked.at(x, y) == withheld.at(x, y) for x in range(0, 640, 8)
              for y in range(0, 480, 8)), "clicking where the buttons were opens nothing")
    check(not any(line.startswith("print") for line in record), "nothing is printed")


SCENARIOS = {"first_and_later": scenario_first_and_later, "short_start": scenario_short_start,
             "remembered": scenario_remembered, "withheld": scenario_withheld}


def main():
    return scenarios.run_named(SCENARIOS, __doc__, use_layout)


if __name__ == "__main__":
    sys.exit(main())
