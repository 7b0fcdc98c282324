#!/usr/bin/env python3
"""Scripted runs of undo and redo on the coloring screen: several steps back with the undo
button, forward with the redo button, the keys, a new change dropping the redo steps and a
history that outlives leaving the scene.

usage: undo.py undo DRIVE CONTENT_DIR [SHOT_DIR]"""
import sys

import scenarios as sc
from imagefiles import read_png


def picture_of(run, name):
    """The picture area of shot `name`, sampled every 5 pixels."""
    shot = read_png(run.shot(name))
    return [sc.at_picture(shot, (x, y)) for y in range(0, sc.AREA_H, 5)
            for x in range(0, sc.AREA_W, 5)]


def expect_same(run, name, want, what):
    sc.check(picture_of(run, name) == picture_of(run, want), "%s (%s differs from %s)"
             % (what, name, want))


def scenario_undo(run):
    scene = sc.Scene(run, "morning")
    objects = [o for o in scene.largest_objects() if scene.interior_point(o) is not None]
    points = [scene.interior_point(o) for o in objects[:4]]
    sc.check(len(points) == 4, "the first scene has four objects to fill")
    redo = sc.LAYOUT.centre("coloring", "REDO")
    undo = sc.BUTTONS["undo"]
    lines = ["wait %d" % sc.STARTED, "click %d %d" % undo, "wait 300",  # nothing to undo
             "shot " + run.shot("state0")]
    # Four fills in four colours; a shot after each.
    for step, point in enumerate(points[:3], start=1):
        lines += ["click %d %d" % sc.crayon_point(step), "click %d %d" % sc.display(point),
                  "wait 800", "shot " + run.shot("state%d" % step)]
    lines += ["click %d %d" % sc.BUTTONS["small_brush"],
              "drag %d %d %d %d" % (sc.display(points[0]) + sc.display(points[1])), "wait 300",
              "shot " + run.shot("state4")]
    for back in range(1, 5):
        lines += ["click %d %d" % undo, "wait 300", "shot " + run.shot("undo%d" % back)]
    lines += ["click %d %d" % undo, "wait 300", "shot " + run.shot("undo_more")]
    for forward in range(1, 3):
        lines += ["click %d %d" % redo, "wait 300", "shot " + run.shot("redo%d" % forward)]
    # A new fill after the undos: nothing is left to redo.
    lines += ["click %d %d" % sc.BUTTONS["fill"], "click %d %d" % sc.crayon_point(6),
              "click %d %d" % sc.display(points[3]), "wait 800", "shot " + run.shot("new"),
              "click %d %d" % redo, "wait 300", "shot " + run.shot("new_redo")]
    # The keys.
    lines += ["key ctrl+Z", "wait 300", "shot " + run.shot("key_undo"),
              "key ctrl+Y", "wait 300", "shot " + run.shot("key_redo"),
              "key ctrl+Z", "key ctrl+shift+Z", "wait 300", "shot " + run.shot("key_shift_redo"),
              "key Z", "wait 300", "shot " + run.shot("plain_z")]
    # Away to the next scene and back: the picture returns as it was, its steps with it.
    lines += ["click %d %d" % sc.BUTTONS["scene_right"], "wait 1000",
              "click %d %d" % undo, "wait 300", "shot " + run.shot("next_scene_undo"),
              "click %d %d" % sc.BUTTONS["scene_left"], "wait 1000", "shot " + run.shot("back"),
              "click %d %d" % undo, "wait 300", "shot " + run.shot("back_undo"),
              "click %d %d" % undo, "wait 300", "shot " + run.shot("back_undo2")]
    # Undone after it was kept: the picture is kept again as it now is.
    lines += ["click %d %d" % sc.BUTTONS["exit"], "wait 300",
              "click %d %d" % sc.BUTTONS["quit_yes"]]
    record = run.drive_script("undo", lines)

    states = [picture_of(run, "state%d" % i) for i in range(5)]
    sc.check(all(states[i] != states[i + 1] for i in range(4)), "every fill and stroke shows")
    for back in range(1, 5):
        expect_same(run, "undo%d" % back, "state%d" % (4 - back),
                    "undo %d goes back one more step" % back)
    expect_same(run, "undo_more", "state0", "undo with nothing left changes nothing")
    expect_same(run, "redo1", "state1", "redo steps forward")
    expect_same(run, "redo2", "state2", "a second redo steps forward again")
    sc.check(picture_of(run, "new") != states[2], "the new fill shows")
    expect_same(run, "new_redo", "new", "a change after undos drops the redo steps")
    expect_same(run, "key_undo", "redo2", "Ctrl+Z undoes")
    expect_same(run, "key_redo", "new", "Ctrl+Y redoes")
    expect_same(run, "key_shift_redo", "new", "Ctrl+Shift+Z redoes")
    expect_same(run, "plain_z", "new", "Z without Ctrl does nothing")
    nxt = read_png(run.shot("next_scene_undo"))
    sc.check(sc.at_picture(nxt, (200, 130)) == sc.Scene(run, "breakfast").page.at(200, 130),
             "the next scene has nothing to undo")
    expect_same(run, "back", "new", "the scene comes back as it was left")
    expect_same(run, "back_undo", "redo2", "its history came back with it")
    expect_same(run, "back_undo2", "state1", "all of it")
    folder, names = sc.scrapbook_entries(run)
    sc.check(len(names) == 1, "the scene was kept once: %r" % names)
    saved = sc.saved_picture(folder, names[0])
    sc.check(saved.at(*points[1]) == scene.page.at(*points[1]) and
             saved.at(*points[0]) != scene.page.at(*points[0]),
             "the picture kept at the end is the one after the undos")
    oops = [line for line in record if line.startswith("sound ") and "oops.wav" in line]
    # Four undos by button, the one with nothing left silent, two by key, two after coming back.
    sc.check(len(oops) == 8, "undo says oops only when it steps back: %d times" % len(oops))


def take_layout(layout):
    sc.LAYOUT = layout
    sc.use_layout(layout)


def main():
    return sc.run_named({"undo": scenario_undo}, __doc__, take_layout)


if __name__ == "__main__":
    sys.exit(main())
