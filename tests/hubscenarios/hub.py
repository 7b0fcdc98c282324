#!/usr/bin/env python3
"""Scripted runs through the scrapbook screen, the slide show, the options screen and
printing on the headless backend (talewick-drive), each on a fresh copy of the generated
content tree. Expected pixels come from the content: the scenes' layers and thumbnails,
the crayon swatches and the screens' pictures.

usage: hub.py NAME DRIVE CONTENT_DIR SHOT_DIR"""
import glob
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scenarios"))
from imagefiles import read_bmp, read_png  # noqa: E402
from scenarios import (STARTED, Failure, Run, Scene, check, crayon_point,  # noqa: E402
                       display, swatch_colour)
import scenarios  # noqa: E402

# Set from the program's layout dump by use_layout before any scenario runs: the coloring
# screen's Scrapbook button, and the scrapbook screen's buttons and thumbnail.
OPEN_SCRAPBOOK = (0, 0)
SB = {}
THUMB_WELL = (0, 0, 0, 0)
FRAME = (0, 0)  # the book frame's corner around the thumbnail
# Confirmations and the options screen open at POPUP over the scrapbook screen.
POPUP = (0, 0)
YES = (0, 0)
NO = (0, 0)
# A picture message opens at the same place; its tick, caption band and the trash
# confirmation's faces as (x, y, width, height) inside it.
TICK = (0, 0)
TICK_RECT = (0, 0, 0, 0)
CAPTION_BAND = (0, 0, 0, 0)
TRASH_FACES = {}
OPTIONS = {}
# The credits cover the scrapbook screen (the whole display): the hidden spot and the
# ticker's band as (x0, y0, x1, y1).
CREDITS_SPOT = (0, 0)
TICKER_BAND = (0, 0, 0, 0)
SLIDE_EXIT = (0, 0)
SLIDE_AREA = (0, 0)
VOICE_BUTTON = (0, 0)
SMALL_BRUSH = (0, 0)
BIG_BRUSH = (0, 0)


def use_layout(layout):
    global OPEN_SCRAPBOOK, THUMB_WELL, FRAME, POPUP, YES, NO, CREDITS_SPOT, TICKER_BAND
    global TICK, TICK_RECT, CAPTION_BAND
    global SLIDE_EXIT, SLIDE_AREA, VOICE_BUTTON, SMALL_BRUSH, BIG_BRUSH
    scenarios.use_layout(layout)
    OPEN_SCRAPBOOK = layout.centre("coloring", "SCRAPBOOK")
    VOICE_BUTTON = layout.centre("coloring", "VOICE_OVER")
    SMALL_BRUSH = layout.centre("coloring", "SMALL_BRUSH")
    BIG_BRUSH = layout.centre("coloring", "BIG_BRUSH")
    names = {"return": "RETURN", "print": "PRINT", "trash": "TRASH", "scrapbook": "SCRAPBOOK",
             "left": "IMAGE_LEFT", "right": "IMAGE_RIGHT", "options": "OPTIONS",
             "projector": "PROJECTOR", "add_slide": "ADD_SLIDE", "scribble": "SCRIBBLE_PAD",
             "thumbnail": "THUMBNAIL_AREA"}
    SB.update({key: layout.centre("scrapbook", name) for key, name in names.items()})
    THUMB_WELL = layout.rect("scrapbook", "THUMBNAIL_AREA")
    FRAME = layout.rect("scrapbook", "FRAME_AREA")[:2]
    popup = ("scrapbook", "POPUP")
    POPUP = layout.rect(*popup)[:2]
    YES = layout.centre("trash", "YES", over=popup)
    NO = layout.centre("trash", "NO", over=popup)
    TRASH_FACES.update({"yesu.bmp": layout.rect("trash", "YES"), "nou.bmp": layout.rect("trash", "NO")})
    TICK = layout.centre("message", "OK", over=popup)
    TICK_RECT = layout.rect("message", "OK")
    CAPTION_BAND = layout.rect("message", "CAPTION")
    OPTIONS.update({key: layout.centre("options", name, over=popup)
                    for key, name in (("sound", "SOUND"), ("lines", "LINES"), ("ok", "OK"),
                                      ("credits", "CREDITS"))})
    CREDITS_SPOT = layout.centre("options", "TICKER_SPOT")
    x, y, w, h = layout.rect("options", "TICKER_BAND")
    TICKER_BAND = (x, y, x + w, y + h)
    SLIDE_EXIT = layout.centre("slides", "EXIT")
    SLIDE_AREA = layout.rect("slides", "SLIDE_AREA")[:2]


def click(point):
    return "click %d %d" % point


def sounds(record):
    """(start, name, flags) of every sound that played."""
    out = []
    for line in record:
        parts = line.split()
        if parts[0] == "sound" and "refused" not in parts:
            out.append((int(parts[1]), os.path.basename(parts[3]), parts[4]))
    return out


def names(record):
    return [name for _, name, _ in sounds(record)]


def thumbnail_matches(shot, thumb):
    """The well shows `thumb` stretched: sample points land near their source pixels."""
    x0, y0, w, h = THUMB_WELL
    for fx, fy in ((0.3, 0.3), (0.5, 0.5), (0.7, 0.6), (0.4, 0.8)):
        got = shot.at(x0 + int(w * fx), y0 + int(h * fy))
        sx, sy = int(thumb.width * fx), int(thumb.height * fy)
        near = [thumb.at(min(max(sx + dx, 0), thumb.width - 1), min(max(sy + dy, 0), thumb.height - 1))
                for dx in (-1, 0, 1) for dy in (-1, 0, 1)]
        if not any(all(abs(a - b) <= 3 for a, b in zip(got, n)) for n in near):
            return False
    return True


def fill_first_object(scene):
    obj = scene.largest_objects()[0]
    point = scene.interior_point(obj)
    check(point is not None, "no roomy object in the scene")
    return obj, point


def index_entries(run):
    with open(run.path("books", "scrapbook", "scrapbook.txt"), "rb") as f:
        return [line for line in f.read().split(b"\r\n")
                if line.strip() and not line.startswith(b"bookname=")]


# ---------------------------------------------------------------- scenarios

def scenario_browse(run):
    """Open the screen, page twice, choose the shown picture by its thumbnail and colour it."""
    ball = Scene(run, "ball")
    _, point = fill_first_object(ball)
    record = run.drive_script("browse", [
        "wait %d" % STARTED, click(OPEN_SCRAPBOOK), "wait 500", "shot " + run.shot("browse_open"),
        click(SB["right"]), click(SB["right"]), "wait 500", "shot " + run.shot("browse_paged"),
        click(SB["thumbnail"]), "wait 1000", "shot " + run.shot("browse_chosen"),
        click(crayon_point(4)), click(display(point)), "wait 1500",
        "shot " + run.shot("browse_coloured"),
    ])
    opened = read_png(run.shot("browse_open"))
    frame = read_bmp(run.path("bitmaps", "scrapbk", "bookfrm.bmp"))
    check(opened.at(FRAME[0] + 5, FRAME[1] + 5) == frame.at(5, 5), "the book frame surrounds the thumbnail")
    check(thumbnail_matches(opened, read_bmp(run.path("books", "pip", "morning", "thumb.bmp"))),
          "the screen opens on the story's first picture (the scrapbook is empty)")
    check(thumbnail_matches(read_png(run.shot("browse_paged")),
                            read_bmp(run.path("books", "pip", "ball", "thumb.bmp"))),
          "two steps right show the third picture")
    chosen = read_png(run.shot("browse_chosen"))
    for p in ((40, 40), (200, 130), (350, 220)):
        check(chosen.at(*display(p)) == ball.page.at(*p), "the chosen picture is in the picture area")
    coloured = read_png(run.shot("browse_coloured"))
    want = ball.lit(swatch_colour(run, "blue"), *point)
    check(all(abs(a - b) <= 3 for a, b in zip(coloured.at(*display(point)), want)),
          "the chosen picture takes the crayon")
    check("click.wav" in names(record), "the screen's buttons click")


def scenario_trash(run):
    """A coloured picture goes to the scrapbook; trashing it after "yes" deletes its files."""
    morning = Scene(run, "morning")
    _, point = fill_first_object(morning)
    before = sorted(os.path.relpath(p, run.tree) for p in glob.glob(run.path("**"), recursive=True)
                    if "scrapbook" not in p and "recovery" not in p)
    record = run.drive_script("trash", [
        "wait %d" % STARTED, click(crayon_point(4)), click(display(point)), "wait 1500",
        click(OPEN_SCRAPBOOK), "wait 500", "shot " + run.shot("trash_scrapbook"),
        click(SB["trash"]), "wait 500", "shot " + run.shot("trash_confirm"),
        click(YES), "wait 3000", "shot " + run.shot("trash_after"), click(SB["return"]),
        "wait 500",
    ])
    shown = read_png(run.shot("trash_scrapbook"))
    frame = read_bmp(run.path("bitmaps", "scrapbk", "scrpfrm.bmp"))
    check(shown.at(FRAME[0] + 5, FRAME[1] + 5) == frame.at(5, 5), "the screen opens on the scrapbook")
    confirm = read_png(run.shot("trash_confirm"))
    trash = read_bmp(run.path("bitmaps", "trash", "trash.bmp"))
    check(confirm.at(POPUP[0] + 20, POPUP[1] + 20) == trash.at(20, 20), "the trash confirmation is shown")
    check(index_entries(run) == [], "the scrapbook's index lists nothing")
    leftovers = [p for p in os.listdir(run.path("books", "scrapbook")) if p != "scrapbook.txt"]
    check(leftovers == [], "the entry's files are gone: %r" % leftovers)
    after = sorted(os.path.relpath(p, run.tree) for p in glob.glob(run.path("**"), recursive=True)
                   if "scrapbook" not in p and "recovery" not in p)
    check(before == after, "nothing but the entry was deleted")
    heard = names(record)
    check("throw_im.wav" in heard and "img_gone.wav" in heard, "the trash sounds play")
    check(thumbnail_matches(read_png(run.shot("trash_after")),
                            read_bmp(run.path("books", "pip", "morning", "thumb.bmp"))),
          "with the scrapbook empty the story's first picture is shown")


def scenario_slides(run):
    """The coloured picture becomes the first slide and the show plays through."""
    morning = Scene(run, "morning")
    _, point = fill_first_object(morning)
    record = run.drive_script("slides", [
        "wait %d" % STARTED, click(crayon_point(4)), click(display(point)), "wait 1500",
        click(OPEN_SCRAPBOOK), "wait 500", click(SB["add_slide"]), "wait 500",
        click(SB["projector"]), "wait 1500", "shot " + run.shot("slides_first"),
        "wait 200000", "shot " + run.shot("slides_end"), click(SLIDE_EXIT), "wait 500",
        click(SB["return"]), "wait 500",
    ])
    with open(run.path("books", "pip", "script.txt"), "rb") as f:
        script = f.read().splitlines()
    check(script[0].endswith(b".bmp") and b"scrapbook" in script[0],
          "the script's first slide is the saved picture: %r" % script[0])
    check(all(line in (b"def", b"") for line in script[1:]), "the other slides stay the story's")
    first = read_png(run.shot("slides_first"))
    want = morning.lit(swatch_colour(run, "blue"), *point)
    got = first.at(SLIDE_AREA[0] + point[0], SLIDE_AREA[1] + point[1])
    check(all(abs(a - b) <= 3 for a, b in zip(got, want)), "the first slide is the child's picture")
    heard = sounds(record)
    seq = [name for _, name, _ in heard]
    check(seq.count("slidshow.wav") == 1 and seq.count("seeslide.wav") == 1,
          "adding a slide and the projector have their sounds")
    check(seq.count("voice.wav") == 12, "every slide speaks: %d" % seq.count("voice.wav"))
    check(seq.count("slidesnd.wav") == 12, "every slide ends with the change sound")
    changes = [t for t, name, _ in heard if name == "slidesnd.wav"]
    voices = [t for t, name, _ in heard if name == "voice.wav"]
    for change, voice in zip(changes, voices[1:]):
        check(voice - change >= 4000, "four seconds pass between slides")


def scenario_options(run):
    """Sound off mutes the buttons but not the voice-over; stay-inside-the-lines holds a stroke;
    the credits' hidden ticker."""
    morning = Scene(run, "morning")
    obj, point = fill_first_object(morning)
    y = point[1]
    edge = morning.edge_right(point[0], y)
    end = min(edge + 30, scenarios.AREA_W - 2)
    record = run.drive_script("options", [
        "wait %d" % STARTED, click(OPEN_SCRAPBOOK), "wait 500", click(SB["options"]), "wait 500",
        "shot " + run.shot("options_open"),
        click(OPTIONS["lines"]), "wait 1000", click(OPTIONS["lines"]), "wait 1000",
        click(OPTIONS["sound"]), "wait 500",
        click(OPTIONS["ok"]), "wait 300", click(SB["return"]), "wait 800",
        click(VOICE_BUTTON), "wait 8000", click(SMALL_BRUSH), click(crayon_point(4)),
        "drag %d %d %d %d" % (display(point) + display((end, y))), "wait 1000",
        "shot " + run.shot("options_stroke"),
    ])
    opened = read_png(run.shot("options_open"))
    picture = read_bmp(run.path("bitmaps", "options", "options.bmp"))
    check(opened.at(POPUP[0] + 10, POPUP[1] + 10) == picture.at(10, 10), "the options screen is shown")
    heard = sounds(record)
    seq = [name for _, name, _ in heard]
    for name in ("soundoff.wav", "draw_out.wav", "draw_in.wav"):
        check(name in seq, name + " confirms the switch")
    off = next(t for t, name, _ in heard if name == "soundoff.wav")
    after = [name for t, name, _ in heard if t > off]
    check(after == ["voice.wav"], "only the forced voice-over plays with sound off: %r" % after)
    stroke = read_png(run.shot("options_stroke"))
    inside = stroke.at(*display((point[0] + 2, y)))
    check(inside != morning.page.at(point[0] + 2, y), "the stroke colours its object")
    for x in range(edge + 3, end - 2):
        if morning.object_at(x, y) != obj:
            check(stroke.at(*display((x, y))) == morning.page.at(x, y),
                  "the stroke stops at the object's border (x=%d)" % x)
    check_credits(run)


def check_credits(run):
    """A Ctrl+Shift click on the credits' hidden spot runs the ticker; Ctrl alone closes them."""
    spot = "click %d %d" % CREDITS_SPOT
    run.drive_script("credits", [
        "wait %d" % STARTED, click(OPEN_SCRAPBOOK), "wait 500", "shot " + run.shot("credits_before"),
        click(SB["options"]), "wait 500", click(OPTIONS["credits"]), "wait 500",
        "shot " + run.shot("credits_open"), spot + " ctrl+shift", "wait 300",
        "shot " + run.shot("credits_ticker"), "wait 1000", "shot " + run.shot("credits_later"),
        spot + " ctrl", "wait 500", "shot " + run.shot("credits_closed"),
    ])
    x0, y0, x1, y1 = TICKER_BAND

    def letters(shot):
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if sum(shot.at(x, y)) < 200)

    def band(shot):
        return [shot.at(x, y) for y in range(y0, y1) for x in range(x0, x1)]
    opened = read_png(run.shot("credits_open"))
    picture = read_bmp(run.path("bitmaps", "options", "credits.bmp"))
    check(all(opened.at(x, y) == picture.at(x, y) for x, y in ((30, 30), (320, 240), (600, 450))),
          "the credits picture covers the display")
    check(letters(opened) == 0, "no ticker before the hidden click")
    ticker, later = read_png(run.shot("credits_ticker")), read_png(run.shot("credits_later"))
    check(letters(ticker) > 100 and letters(later) > 100, "the ticker's letters show in its band")
    check(band(ticker) != band(later), "the ticker's letters move along")
    before, closed = read_png(run.shot("credits_before")), read_png(run.shot("credits_closed"))
    check(all(closed.at(x, y) == before.at(x, y) for x, y in ((30, 30), (320, 240), (600, 450))),
          "an ordinary click closes the credits onto the scrapbook screen")


def shows_card(shot, card, leave_out):
    """The pop-up place shows `card`, apart from the rectangles in `leave_out`."""
    for y in range(6, card.height - 6, 9):
        for x in range(6, card.width - 6, 11):
            if any(lx <= x < lx + lw and ly <= y < ly + lh for lx, ly, lw, lh in leave_out):
                continue
            if shot.at(POPUP[0] + x, POPUP[1] + y) != card.at(x, y):
                return False
    return True


def shows_face(shot, face, rect):
    """The face picture fills `rect` of the pop-up place."""
    x0, y0 = POPUP[0] + rect[0], POPUP[1] + rect[1]
    return all(shot.at(x0 + x, y0 + y) == face.at(x, y)
               for y in range(2, face.height - 2, 5) for x in range(2, face.width - 2, 5))


def message_and_voice(record):
    """The message lines, each with the first message voice that played after it."""
    out = []
    for i, line in enumerate(record):
        if line.startswith("message "):
            voices = [entry.split()[3] for entry in record[i + 1:] if entry.startswith("sound ")
                      and "/message/" in entry and "refused" not in entry]
            out.append((line, os.path.basename(voices[0]) if voices else None))
    return out


def check_message(run, record, shot, kind, caption, picture, voice):
    """One picture message of `kind` was given with its caption, voice and card."""
    check(message_and_voice(record) == [('message %s "%s"' % (kind, caption), voice)],
          "one %s message with its voice: %r" % (kind, message_and_voice(record)))
    card = read_bmp(run.path("bitmaps", "message", picture))
    check(shows_card(read_png(run.shot(shot)), card, [TICK_RECT, CAPTION_BAND]),
          "the %s card is shown where pop-ups open" % kind)


def scenario_messages(run):
    """A message the child cannot read: the projector with no story chosen shows its card and
    says it, the tick closes it; the trash confirmation has "no" left of "yes"; the way
    back from the scrapbook is the back arrow."""
    record = run.drive_script("messages", [
        # A scribble-pad picture in the scrapbook has no story to show slides of.
        "wait %d" % STARTED, click(OPEN_SCRAPBOOK), "wait 1500", click(SB["scribble"]),
        "wait 1500", click(BIG_BRUSH), "drag %d %d %d %d" % (display((80, 70)) + display((280, 170))),
        "wait 500", click(OPEN_SCRAPBOOK), "wait 1500", click(SB["projector"]), "wait 500",
        "shot " + run.shot("messages_nostory"), click(SB["return"]), "wait 500",
        "shot " + run.shot("messages_still"), click(TICK), "wait 500",
        "shot " + run.shot("messages_closed"), click(SB["trash"]), "wait 500",
        "shot " + run.shot("messages_trash"), click(NO), "wait 500", click(SB["return"]),
        "wait 500", "shot " + run.shot("messages_back"),
    ])
    check_message(run, record, "messages_nostory", "NoStoryChosen",
                  "You must select a story to see a slide show.", "nostory.bmp", "nostory.wav")
    nostory = read_bmp(run.path("bitmaps", "message", "nostory.bmp"))
    check(shows_card(read_png(run.shot("messages_still")), nostory, [TICK_RECT, CAPTION_BAND]),
          "the message stays until its tick is clicked")
    closed = read_png(run.shot("messages_closed"))
    check(not shows_card(closed, nostory, [TICK_RECT, CAPTION_BAND]), "the tick closes it")
    confirm = read_png(run.shot("messages_trash"))
    for name, rect in TRASH_FACES.items():
        check(shows_face(confirm, read_bmp(run.path("bitmaps", "trash", name)), rect),
              "the trash confirmation shows %s in its place" % name)
    check(TRASH_FACES["yesu.bmp"][0] > TRASH_FACES["nou.bmp"][0], "yes is right of no")
    check(os.listdir(run.path("books", "scrapbook")) != ["scrapbook.txt"], "no keeps the picture")
    back = read_bmp(run.path("bitmaps", "scrapbk", "retu.bmp"))
    x0, y0 = SB["return"][0] - back.width // 2, SB["return"][1] - back.height // 2
    shown = read_png(run.shot("messages_closed"))
    check(all(shown.at(x0 + x, y0 + y) == back.at(x, y)
              for y in range(2, back.height - 2, 5) for x in range(2, back.width - 2, 5)),
          "the scrapbook's way back shows its back arrow")
    left = read_png(run.shot("messages_back"))
    check(left.at(*OPEN_SCRAPBOOK) != shown.at(*OPEN_SCRAPBOOK), "the back arrow leaves the scrapbook")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def scenario_print(run):
    """Print the shown picture through a private print server; then with no printer at all."""
    server = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                          "cups-test-server")
    if shutil.which("cupsd") is None and not os.path.exists("/usr/sbin/cupsd"):
        print("cupsd is not installed")
        sys.exit(77)
    for printer in (True, False):
        # Without a printer the answer is the picture message, closed with its tick.
        shown, answer = ("print_confirm", YES) if printer else ("print_noprinter", TICK)
        script = ["wait %d" % STARTED, click(OPEN_SCRAPBOOK), "wait 500", click(SB["right"]),
                  "wait 300", click(SB["print"]), "wait 800", "shot " + run.shot(shown),
                  click(answer), "wait 5000", click(SB["return"]), "wait 500"]
        spool = tempfile.mkdtemp(prefix="talewick-cups-", dir="/tmp")
        os.chmod(spool, 0o755)
        port = free_port()
        start = [server, "start", spool, str(port)] + ([] if printer else ["--no-printer"])
        subprocess.run(start, check=True, capture_output=True, timeout=60)
        try:
            os.environ["CUPS_SERVER"] = "127.0.0.1:%d" % port
            record = run.drive_script("print" if printer else "noprint", script)
            pdfs = []
            # The PDF printer writes the file, then finishes the job: wait for both.
            for _ in range(150):
                pdfs = glob.glob(os.path.join(spool, "out", "**", "*.pdf"), recursive=True)
                pending = subprocess.run(["lpstat", "-o"], capture_output=True, text=True)
                if not printer or (pdfs and not pending.stdout.strip()):
                    break
                subprocess.run(["sleep", "0.2"])
        finally:
            subprocess.run([server, "stop", spool], capture_output=True, timeout=60)
            os.environ.pop("CUPS_SERVER", None)
        jobs = [line for line in record if line.startswith("print ")]
        if not printer:
            check(jobs == [], "no job is sent without a default destination: %r" % jobs)
            check(pdfs == [], "nothing prints without a default destination")
            check_message(run, record, shown, "NoPrinter",
                          "There is no printer to print the picture on.", "printer.bmp",
                          "printer.wav")
            check("print.wav" not in names(record), "no confirmation without a printer")
            shutil.rmtree(spool, ignore_errors=True)
            continue
        check(len(pdfs) == 1, "one page printed: %r" % pdfs)
        check(len(jobs) == 1 and re.fullmatch(r'print "Pimbly Talewick Image" \S+ job=[1-9]\d*', jobs[0]),
              "the job is recorded with its name, destination and id: %r" % jobs)
        page_png = run.shot("print_page")
        # The PDF printer may still be finishing the file: try until it reads.
        for _ in range(50):
            done = subprocess.run(["pdftoppm", "-r", "40", "-png", "-singlefile", pdfs[0],
                                   page_png[:-4]], capture_output=True)
            if done.returncode == 0:
                break
            subprocess.run(["sleep", "0.2"])
        check(done.returncode == 0, "the printed PDF reads: " + done.stderr.decode())
        page = read_png(page_png)
        check_page(page, Scene(run, "breakfast"))
        check("print.wav" in names(record) and "img_prnt.wav" in names(record),
              "the confirmation and the printed sound play")
        shutil.rmtree(spool, ignore_errors=True)


def check_page(page, scene):
    """The print layer fills the page's width near the top; caption text lies below it."""
    w, h = page.width, page.height
    printed_h = scene.page.height * w // scene.page.width

    def dark(x, y):
        return sum(page.at(x, y)) < 200

    def coloured_rows(y0, y1):
        return sum(1 for y in range(y0, y1) if any(page.at(x, y) != (255, 255, 255)
                                                   for x in range(0, w, 3)))
    top = next((y for y in range(h) if any(page.at(x, y) != (255, 255, 255) for x in range(0, w, 3))), h)
    check(top < h // 4, "the picture starts near the top of the page")
    check(coloured_rows(top, top + printed_h - 2) >= printed_h - 6, "the picture fills its band")
    below = [y for y in range(top + printed_h + 2, h) if any(dark(x, y) for x in range(w // 8, w * 7 // 8))]
    check(len(below) > 3, "the caption and the scene label are printed under the picture")


SCENARIOS = {"browse": scenario_browse, "trash": scenario_trash, "slides": scenario_slides,
             "options": scenario_options, "print": scenario_print,
             "messages": scenario_messages}


def main():
    return scenarios.run_named(SCENARIOS, __doc__, use_layout)


if __name__ == "__main__":
    sys.exit(main())
