#!/usr/bin/env python3
"""Scripted runs on the headless backend (talewick-drive) about keeping what a child
coloured: the last picture coming back, a full scrapbook, a read-only and a full disk.
Each runs on a fresh copy of the generated content tree.

usage: keep.py NAME DRIVE CONTENT_DIR SHOT_DIR"""
import glob
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scenarios"))
from imagefiles import read_bmp, read_png  # noqa: E402
from scenarios import (STARTED, BUTTONS, Failure, Run, Scene, at_picture, check,  # noqa: E402
                       crayon_point, display)
import scenarios  # noqa: E402

SKIP = 77
OPEN_SCRAPBOOK = (0, 0)
SB = {}
TRASH_YES = (0, 0)
NOTICE = (0, 0)  # the middle of a picture message, which opens where the pop-ups do
NOTICE_TICK = (0, 0)  # the tick that closes it
FULL = 70
CLOSING = 6000  # the closing pictures take five seconds


def use_layout(layout):
    global OPEN_SCRAPBOOK, TRASH_YES, NOTICE, NOTICE_TICK
    scenarios.use_layout(layout)
    OPEN_SCRAPBOOK = layout.centre("coloring", "SCRAPBOOK")
    SB.update({key: layout.centre("scrapbook", name) for key, name in
               (("return", "RETURN"), ("trash", "TRASH"), ("thumbnail", "THUMBNAIL_AREA"),
                ("book1", "BOOK1"))})
    TRASH_YES = layout.centre("trash", "YES", over=("scrapbook", "POPUP"))
    NOTICE = layout.centre("scrapbook", "POPUP")
    NOTICE_TICK = layout.centre("message", "OK", over=("scrapbook", "POPUP"))


def click(point):
    return "click %d %d" % point


def heard(record, name):
    """How many times sound file `name` started."""
    return sum(1 for line in record if line.startswith("sound ") and
               line.split()[3].endswith("/" + name))


def index_entries(run):
    with open(run.path("books", "scrapbook", "scrapbook.txt"), "rb") as f:
        return [line[len(b"image="):].decode() for line in f.read().split(b"\r\n")
                if line.startswith(b"image=")]


def entry_scene(run, name):
    with open(run.path("books", "scrapbook", name, name + ".txt"), "rb") as f:
        for line in f.read().decode().split("\r\n"):
            if line.startswith("image="):
                return line[len("image="):]
    return None


def entries_of(run, scene):
    return [name for name in index_entries(run) if entry_scene(run, name) == scene]


def saved_canvas(run, name):
    return read_bmp(run.path("books", "scrapbook", name, "saved.bmp"))


def point_in(scene, rank=0):
    obj = scene.largest_objects()[rank]
    point = scene.interior_point(obj)
    check(point is not None, "no roomy object in the scene")
    return point


def colour_at(point, crayon=4):
    return [click(BUTTONS["fill"]), click(crayon_point(crayon)), click(display(point)), "wait 1500"]


def leave_by_exit():
    return [click(BUTTONS["exit"]), "wait 300", click(BUTTONS["quit_yes"]), "wait 300"]


def fill_scrapbook(run):
    """A first run keeps a coloured morning; its entry is copied until the scrapbook is full."""
    morning = Scene(run, "morning")
    run.drive_script("first", ["wait %d" % STARTED] + colour_at(point_in(morning)) +
                     leave_by_exit() + ["wait %d" % CLOSING])
    names = index_entries(run)
    check(len(names) == 1, "the first run keeps one picture: %r" % names)
    folder = run.path("books", "scrapbook")
    with open(os.path.join(folder, "scrapbook.txt"), "ab") as index:
        for number in range(2, FULL + 1):
            name = "pic%03d" % number
            shutil.copytree(os.path.join(folder, names[0]), os.path.join(folder, name))
            os.rename(os.path.join(folder, name, names[0] + ".txt"),
                      os.path.join(folder, name, name + ".txt"))
            index.write(b"image=" + name.encode() + b"\r\n")
    check(len(index_entries(run)) == FULL, "the scrapbook is full")


def snapshot(folder):
    """Every file below `folder` with a digest of its bytes."""
    out = {}
    for path in sorted(glob.glob(os.path.join(folder, "**"), recursive=True)):
        if os.path.isfile(path):
            with open(path, "rb") as f:
                out[os.path.relpath(path, folder)] = hashlib.sha1(f.read()).hexdigest()
    return out


def set_aside(run):
    return sorted(glob.glob(run.path("setaside", "picture*", "picture.txt")))


# ---------------------------------------------------------------- scenarios

def scenario_comeback(run):
    """Scene 3 coloured and left by the exit is current and coloured at the next start;
    colouring it again updates its one entry. Scenes left untouched, or touched by a click
    that changed no pixel, make no entry."""
    ball, morning = Scene(run, "ball"), Scene(run, "morning")
    first, second = point_in(ball, 0), point_in(ball, 1)
    run.drive_script("comeback1", [
        "wait %d" % STARTED, click(BUTTONS["small_eraser"]), click(display(point_in(morning))),
        "wait 500", click(BUTTONS["scene_right"]), "wait 1000", click(BUTTONS["scene_right"]),
        "wait 1000"] + colour_at(first) + leave_by_exit() + ["wait %d" % CLOSING])
    check([entry_scene(run, name) for name in index_entries(run)] == ["ball"],
          "only the coloured scene has an entry: %r" % index_entries(run))
    record = run.drive_script("comeback2", [
        "wait %d" % STARTED, "shot " + run.shot("comeback_start")] + colour_at(second, 6) +
        leave_by_exit() + ["wait %d" % CLOSING])
    check(heard(record, "lets_clr.wav") == 1, "the greeting still plays")
    start = read_png(run.shot("comeback_start"))
    check(at_picture(start, first) != ball.page.at(*first), "scene 3 comes back coloured")
    check(at_picture(start, second) == ball.page.at(*second), "as it was left")
    names = index_entries(run)
    check(len(names) == 1 and entry_scene(run, names[0]) == "ball",
          "colouring it again keeps its one entry: %r" % names)
    saved = saved_canvas(run, names[0])
    check(saved.at(*first) != ball.page.at(*first) and saved.at(*second) != ball.page.at(*second),
          "the entry holds both colourings")
    check(not glob.glob(run.path("recovery", "canvas-*")), "nothing waits in the recovery slot")


def scenario_full_throw(run):
    """Full scrapbook, a new scene coloured, exit: the scrapbook screen asks for room; one
    picture thrown away makes room for the new one, and the program ends."""
    fill_scrapbook(run)
    breakfast = Scene(run, "breakfast")
    point = point_in(breakfast)
    record = run.drive_script("full_throw", [
        "wait %d" % STARTED, click(BUTTONS["scene_right"]), "wait 1000"] + colour_at(point) +
        leave_by_exit() + ["wait 500", "shot " + run.shot("full_notice"), click(NOTICE_TICK),
                           "wait 500", "shot " + run.shot("full_screen"), click(SB["trash"]),
                           "wait 500", click(TRASH_YES), "wait 3000", click(SB["return"]),
                           "wait %d" % CLOSING])
    check(heard(record, "message/full.wav") == 1, "the prompt is spoken once")
    notice = read_png(run.shot("full_notice"))
    picture = read_bmp(run.path("bitmaps", "message", "full.bmp"))
    check(notice.at(NOTICE[0], NOTICE[1] - 40) == picture.at(picture.width // 2,
                                                             picture.height // 2 - 40),
          "the prompt's picture is shown")
    check(heard(record, "img_gone.wav") == 1, "a picture was thrown away")
    check(heard(record, "goodbye.wav") == 1, "the exit went on")
    names = entries_of(run, "breakfast")
    check(len(index_entries(run)) == FULL and len(names) == 1,
          "the new picture took the freed place: %r" % index_entries(run))
    check(saved_canvas(run, names[0]).at(*point) != breakfast.page.at(*point),
          "the kept picture is coloured")
    check(set_aside(run) == [], "nothing was set aside")


def scenario_full_twice(run):
    """Full scrapbook: leaving the scrapbook screen without throwing a picture away sets the
    new picture aside and the exit goes on; once there is room the picture comes back."""
    fill_scrapbook(run)
    breakfast = Scene(run, "breakfast")
    point = point_in(breakfast)
    before = snapshot(run.path("books", "scrapbook"))
    record = run.drive_script("full_twice", [
        "wait %d" % STARTED, click(BUTTONS["scene_right"]), "wait 1000"] + colour_at(point) +
        leave_by_exit() + ["wait 500", click(NOTICE_TICK), "wait 500", click(SB["return"]),
                           "wait %d" % CLOSING])
    check(heard(record, "message/full.wav") == 1, "the prompt is spoken")
    check(heard(record, "goodbye.wav") == 1, "the exit went on")
    check(snapshot(run.path("books", "scrapbook")) == before, "the scrapbook did not change")
    aside = set_aside(run)
    check(len(aside) == 1, "the picture was set aside: %r" % aside)
    check("scene=breakfast" in open(aside[0], "rb").read().decode(), "it is the new picture")

    record = run.drive_script("room_again", [
        "wait %d" % STARTED, click(OPEN_SCRAPBOOK), "wait 500", click(SB["trash"]), "wait 500",
        click(TRASH_YES), "wait 3000", click(SB["return"]), "wait 1000",
        "shot " + run.shot("room_again")])
    check(set_aside(run) == [], "the set-aside picture went back into the scrapbook")
    names = entries_of(run, "breakfast")
    check(len(index_entries(run)) == FULL and len(names) == 1,
          "it fills the freed place: %r" % index_entries(run))
    check(saved_canvas(run, names[0]).at(*point) != breakfast.page.at(*point),
          "with its colouring")
    shown = read_png(run.shot("room_again"))
    check(at_picture(shown, point) != breakfast.page.at(*point),
          "the picture on show is the one given back")


def scenario_full_button(run):
    """Full scrapbook, the scrapbook button with a new scene coloured: the same prompt and
    screen; a picture chosen there is shown, and the new picture is set aside."""
    fill_scrapbook(run)
    breakfast, morning = Scene(run, "breakfast"), Scene(run, "morning")
    point = point_in(breakfast)
    before = snapshot(run.path("books", "scrapbook"))
    record = run.drive_script("full_button", [
        "wait %d" % STARTED, click(BUTTONS["scene_right"]), "wait 1000"] + colour_at(point) +
        [click(OPEN_SCRAPBOOK), "wait 500", click(NOTICE_TICK), "wait 500", click(SB["thumbnail"]),
         "wait 1000", "shot " + run.shot("full_chosen")])
    check(heard(record, "message/full.wav") == 1, "the prompt is spoken")
    check(snapshot(run.path("books", "scrapbook")) == before, "the scrapbook did not change")
    aside = set_aside(run)
    check(len(aside) == 1 and "scene=breakfast" in open(aside[0], "rb").read().decode(),
          "the new picture was set aside: %r" % aside)
    kept = point_in(morning)
    chosen = read_png(run.shot("full_chosen"))
    check(at_picture(chosen, kept) != morning.page.at(*kept),
          "the kept morning chosen on the screen is shown coloured")


class MountedRun(Run):
    """A run whose content tree lies on a small file system of its own."""

    def __init__(self, drive, content, shots):
        self.drive = drive
        self.shots = shots
        self.root = tempfile.mkdtemp(prefix="talewick-keep-")
        self.tree = os.path.join(self.root, "content")
        os.makedirs(self.tree)
        self.play = os.path.join(self.tree, "play")
        size = sum(os.path.getsize(p) for p in glob.glob(os.path.join(content, "**"), recursive=True)
                   if os.path.isfile(p))
        self.mounted = subprocess.run(
            ["mount", "-t", "tmpfs", "-o", "size=%dk" % (size // 1024 + 8192), "tmpfs", self.tree],
            capture_output=True).returncode == 0
        if self.mounted:
            subprocess.run(["cp", "-a", content + "/.", self.tree], check=True)

    def make_full(self):
        filler = os.path.join(self.tree, "filler")
        with open(filler, "wb") as f:
            try:
                while True:
                    f.write(b"\0" * 65536)
                    f.flush()
            except OSError:
                pass

    def make_read_only(self):
        subprocess.run(["mount", "-o", "remount,ro", self.tree], check=True)

    def cleanup(self):
        if self.mounted:
            subprocess.run(["umount", self.tree])
        shutil.rmtree(self.root, ignore_errors=True)


def drive_with_errors(run, name, lines):
    """Runs a script; the record and the program's standard error, line by line."""
    script = os.path.join(run.root, name + ".txt")
    with open(script, "w") as out:
        out.write("\n".join(lines) + "\n")
    done = subprocess.run([run.drive, script], cwd=run.play, capture_output=True, text=True,
                          timeout=300)
    check(done.returncode == 0, "talewick-drive failed: " + done.stderr)
    return done.stdout.splitlines(), done.stderr.splitlines()


def ways_out(run, damage, reason):
    """Every way out with a disk that takes nothing: the action happens, the child is told
    once, nothing saved changes."""
    morning, breakfast = Scene(run, "morning"), Scene(run, "breakfast")
    run.drive_script("keep_one", ["wait %d" % STARTED] + colour_at(point_in(morning)) +
                     leave_by_exit() + ["wait %d" % CLOSING])
    before = snapshot(run.tree)
    damage()
    record, errors = drive_with_errors(run, "ways_out", [
        "wait %d" % STARTED] + colour_at(point_in(morning, 1), 6) +
        [click(BUTTONS["scene_right"]), "wait 1000", click(NOTICE_TICK), "wait 500",
         "shot " + run.shot("turned")] + colour_at(point_in(breakfast)) +
        [click(OPEN_SCRAPBOOK), "wait 1000", "shot " + run.shot("scrapbook"),
         click(SB["thumbnail"]), "wait 1000", "shot " + run.shot("chosen")] +
        colour_at(point_in(morning, 2), 7) + leave_by_exit() + ["wait %d" % CLOSING])
    check(heard(record, "message/nosave.wav") == 1, "the child is told once")
    told = [line for line in errors if "could not be saved" in line]
    check(told and all(run.tree in line and reason in line for line in told),
          "standard error names the file and the system's reason: %r" % errors)
    check(heard(record, "pgturn.wav") == 1, "the scene arrow turned the page")
    turned = read_png(run.shot("turned"))
    check(at_picture(turned, (200, 130)) == breakfast.page.at(200, 130), "scene 2 is shown")
    frame = read_bmp(run.path("bitmaps", "scrapbk", "scrpfrm.bmp"))
    layout_frame = scenarios_frame()
    check(read_png(run.shot("scrapbook")).at(layout_frame[0] + 5, layout_frame[1] + 5) ==
          frame.at(5, 5), "the scrapbook button opened the scrapbook screen")
    chosen = read_png(run.shot("chosen"))
    kept = point_in(morning)
    check(at_picture(chosen, kept) != morning.page.at(*kept),
          "the picture chosen there is shown, coloured as it was kept")
    check(heard(record, "goodbye.wav") == 1, "the exit went on")
    after = snapshot(run.tree)
    changed = [p for p in before if p != "filler" and after.get(p) != before[p]]
    check(changed == [], "nothing saved changed: %r" % changed)


FRAME = [(0, 0)]


def scenarios_frame():
    return FRAME[0]


def mounted(name):
    def scenario(run):
        if not run.mounted:
            print("cannot mount a file system here: skipped")
            sys.exit(SKIP)
        if name == "read_only":
            ways_out(run, run.make_read_only, "Read-only file system")
        else:
            ways_out(run, run.make_full, "No space left on device")
    return scenario


SCENARIOS = {"comeback": scenario_comeback, "full_throw": scenario_full_throw,
             "full_twice": scenario_full_twice, "full_button": scenario_full_button, "read_only": mounted("read_only"),
             "disk_full": mounted("disk_full")}


def take_layout(layout):
    use_layout(layout)
    FRAME[0] = layout.rect("scrapbook", "FRAME_AREA")[:2]


def make_run(name, drive, content, shots):
    return (MountedRun if name in ("read_only", "disk_full") else Run)(drive, content, shots)


def main():
    return scenarios.run_named(SCENARIOS, __doc__, take_layout, make_run)


if __name__ == "__main__":
    sys.exit(main())
