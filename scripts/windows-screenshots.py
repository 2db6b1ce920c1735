#!/usr/bin/env python3
"""Screenshots of config.exe's three pages, as a player first sees them, under
Wine in a private Xvfb: docs/page-graphic-audio.png, page-keyboard.png and
page-joystick.png for the README. Needs the mingw builds (make windows); runs
the 64-bit build where the machine cannot execute 32-bit code."""
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e" / "win32"))
from config_e2e import CANCEL, Environment, Run  # noqa: E402

PAGES = (("graphic-audio", "Graphic / Audio Settings"), ("keyboard", "Keyboard Settings"),
         ("joystick", "Joystick Settings"))


def main():
    root = tempfile.mkdtemp(prefix="ravel-screenshots-")
    env = Environment.create(root, ROOT / "build")
    try:
        run = Run(env)  # without a settings file: the defaults
        # A click on the first tab gives the tabs the focus; arrows turn the pages.
        page = run.sheet.pages[0][0]
        env.click([page[0] + 12, page[1] - 10] * 2)
        for index, (name, caption) in enumerate(PAGES):
            sheet = run.turn("Right" if index else "Left", index, caption)
            env.xdotool("mousemove", "--sync", 1023, 767)  # no pointer over the sheet
            time.sleep(0.5)  # the page paints itself whole
            left, top, right, bottom = sheet.rect
            subprocess.run(["import", "-window", "root", "-crop",
                            f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                            ROOT / "docs" / f"page-{name}.png"], env=env.env(), check=True)
        run.finish(CANCEL, 0)
    finally:
        for process in env.started:
            process.kill()
        env.destroy()
        shutil.rmtree(root, ignore_errors=True)
    print("screenshots in docs/")


if __name__ == "__main__":
    main()
