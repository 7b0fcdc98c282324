"""The program's screen layouts as `talewick-drive --layout` prints them: one line per screen
and per control, "SCREEN NAME ID X Y W H"."""
import subprocess


class Layout:
    def __init__(self, drive):
        done = subprocess.run([drive, "--layout"], capture_output=True, text=True, timeout=60)
        if done.returncode != 0:
            raise RuntimeError("talewick-drive --layout failed: " + done.stderr)
        self.rects = {}
        for line in done.stdout.splitlines():
            screen, name, _, x, y, w, h = line.split()
            self.rects[(screen, name)] = (int(x), int(y), int(w), int(h))

    def rect(self, screen, name):
        """(x, y, width, height) of control `name` of `screen`."""
        return self.rects[(screen, name)]

    def centre(self, screen, name, over=None):
        """The centre of a control on the display; `over` is the (screen, place) a pop-up
        screen opens at, whose corner is added."""
        x, y, w, h = self.rect(screen, name)
        if over is not None:
            ox, oy, _, _ = self.rect(*over)
            x, y = x + ox, y + oy
        return x + w // 2, y + h // 2
