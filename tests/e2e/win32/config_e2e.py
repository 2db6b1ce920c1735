#!/usr/bin/python3
"""A player's journeys through the real config.exe and ravelstone-cfg.exe under Wine:
    config_e2e.py setup ROOT BUILDS RAVELSTONE_CFG | run ROOT JOURNEY | cleanup ROOT | list
`setup` starts a private Xvfb and makes one Wine prefix, described in a state file that
each journey (a process of its own) loads. A person's actions are xdotool clicks, hovers
and held keys; what a person sees is read by inspect.exe under the same Wine. A journey
starts without a settings file; the files it expects are written by RAVELSTONE_CFG, the
native build of the same tree, and changed only by its own steps."""
import collections
import contextlib
import getpass
import json
import os
import random
import shutil
import subprocess
import sys
import time
import zipfile
from pathlib import Path

CAPTION = "Ravelstone - Config by Qv"
OK, CANCEL, APPLY = 1, 2, 0x3021  # the sheet's button ids
SIZE, INTRO, VSYNC, RESERVED = 596, 588, 585, 594
LISTS = range(1041, 1055)
Control = collections.namedtuple("Control", "id enabled checked dropped count rect text")
NUMBERS = {"sheet": 6, "page": 5, "button": 6, "control": 9, "entry": 0, "tip": 4}


class Failure(AssertionError):
    pass


class Skip(Exception):
    """What this machine cannot run; ctest shows the journey as skipped."""


SKIPPED = 77


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, wanted, what):
    check(actual == wanted, f"{what}: got {actual!r}, expected {wanted!r}")


def check_bytes(actual, wanted, what):
    actual = actual or b""
    diffs = [f"{i}: {actual[i:i + 1].hex()} not {wanted[i:i + 1].hex()}"
             for i in range(max(len(actual), len(wanted))) if actual[i:i + 1] != wanted[i:i + 1]]
    check(not diffs, f"{what}: {len(actual)} bytes ({len(wanted)} wanted); " + ", ".join(diffs[:9]))


def changed(data, offset, value):
    return data[:offset] + bytes([value]) + data[offset + 1:]


def wait_for(what, probe, timeout=30.0):
    deadline = time.monotonic() + timeout
    while not (answer := probe()):
        check(time.monotonic() < deadline, f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.1)
    return answer


class Sheet:
    """One reading of the live sheet from inspect.exe's lines."""

    def __init__(self, output):
        rows = collections.defaultdict(list)
        for line in output.splitlines():
            kind, _, rest = line.partition(" ")
            *numbers, text = rest.split(" ", NUMBERS[kind])
            rows[kind].append(([int(n) for n in numbers], text.replace("\\n", "\n")))
        self.ex_style, self.current, *self.rect = rows["sheet"][0][0]
        self.pages = {n[0]: (n[1:], text) for n, text in rows["page"]}
        self.buttons = {n[0]: (n[1], n[2:]) for n, _ in rows["button"]}
        self.controls = {n[0]: Control(*n[:5], n[5:], text) for n, text in rows["control"]}
        self.entries = [text for _, text in rows["entry"]]
        self.tips = rows["tip"]


class Environment:
    def __init__(self, state):
        self.state, self.root, self.build = state, Path(state["root"]), Path(state["build"])
        self.folder = Path(self.root, "prefix/drive_c/users", getpass.getuser(),
                           "AppData/Roaming/Ravelstone")
        self.file = self.folder / "setting.cfg"
        self.started = []  # every copy of config.exe, so that none outlives a journey

    @staticmethod
    def create(root, builds, native_cfg=None):
        """Starts Xvfb and makes a fresh prefix in `root` for the programs in
        `builds`/mingw, or mingw64 where 32-bit code cannot run."""
        with contextlib.suppress(OSError, KeyError):  # left by a run that was cut short
            Environment.load(root).destroy()
        shutil.rmtree(root, ignore_errors=True)
        Path(root, "home-sound").mkdir(parents=True)
        # No sound card here: ALSA's null device stands in for one (`root` is the silent home).
        Path(root, "home-sound/.asoundrc").write_text("pcm.!default { type null }\n"
                                                      "ctl.!default { type hw card 0 }\n")
        # Some kernels have the 32-bit emulation switched off.
        bits = 64 if subprocess.run("/usr/lib/wine/wine --version", shell=True,
                                    capture_output=True).returncode else 32
        if bits == 64:
            print("note: this machine cannot execute 32-bit code; running the 64-bit build "
                  "of config.exe under the 64-bit Wine instead")
        build = Path(builds, "mingw64" if bits == 64 else "mingw")
        for name in ("config.exe", "inspect.exe", "probe_limit_check.exe", "ravelstone-cfg.exe"):
            check((build / name).is_file(), f"missing {build / name}: build the mingw presets")
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"], stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, start_new_session=True)
        display = xvfb.stdout.readline().decode().strip()
        check(display, "Xvfb did not start")
        env = Environment({"root": root, "bits": bits, "build": str(build), "cfg": native_cfg,
                           "loader": "/usr/lib/wine/wine" + ("64" if bits == 64 else ""),
                           "server": f"/usr/lib/wine/wineserver{bits}", "xvfb": xvfb.pid,
                           "display": f":{display}"})
        # Written first, so that the clean-up after a failed set-up finds what to stop.
        Path(root, "state.json").write_text(json.dumps(env.state))
        env.wine(["wineboot", "-i"], timeout=300)
        subprocess.run([env.state["server"], "-w"], env=env.env(), timeout=300)
        # Kept for the whole run: a server that shuts down between two
        # journeys makes the next start wait for it.
        subprocess.Popen([env.state["server"], "-p"], env=env.env(), start_new_session=True,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return env

    @staticmethod
    def load(root):
        return Environment(json.loads(Path(root, "state.json").read_text()))

    def destroy(self):
        subprocess.run([self.state["server"], "-k"], env=self.env())
        subprocess.run(["kill", "--", f"-{self.state['xvfb']}"], stderr=subprocess.DEVNULL)
        (self.root / "state.json").unlink()  # its process ids are no longer ours

    def env(self, sound=True):
        home = f"{self.root}/home-sound" if sound else str(self.root)
        return dict(os.environ, DISPLAY=self.state["display"], WINEPREFIX=f"{self.root}/prefix",
                    WINESERVER=self.state["server"], WINEDEBUG="-all", LC_ALL="C.UTF-8",
                    WINEDLLOVERRIDES="mscoree,mshtml=", HOME=home)

    def wine(self, args, sound=True, timeout=60, stdout=subprocess.PIPE, stdin_data=None):
        return subprocess.run([self.state["loader"], *args], env=self.env(sound), input=stdin_data,
                              stdout=stdout, stderr=subprocess.PIPE, timeout=timeout)

    def native(self, *args):
        return subprocess.run([self.state["cfg"], *args], capture_output=True, check=True).stdout

    def defaults(self, *flags):
        self.native("defaults", self.root / "defaults.cfg", *flags)
        return (self.root / "defaults.cfg").read_bytes()

    def start_config(self, sound=True, exe=None):
        self.started.append(subprocess.Popen([self.state["loader"], exe or self.build / "config.exe"],
                                             env=self.env(sound), stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL))
        return self.started[-1]

    def read(self, list_id=0):
        """The live sheet (with the entries of `list_id`), or None while none is shown."""
        try:
            result = self.wine([self.build / "inspect.exe", CAPTION, str(list_id)], timeout=15)
        except subprocess.TimeoutExpired:
            return None  # a Wine process started while another comes up can stall
        return Sheet(result.stdout.decode()) if result.returncode == 0 else None

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env(), capture_output=True,
                              timeout=30).stdout.decode().split()

    def sheet_windows(self):
        return self.xdotool("search", "--onlyvisible", "--name", f"^{CAPTION}$")

    def hover(self, rect):
        # The pointer comes from elsewhere, as a hand's would: a window that
        # opened under a resting pointer has seen no motion.
        x, y = (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2
        for point in ((1023, 767), (x - 2, y), (x, y)):
            self.xdotool("mousemove", "--sync", *point)

    def click(self, rect):
        self.hover(rect)
        self.xdotool("click", 1)

    def hold(self, key):
        """Holds a key long enough for the 33 ms capture poll. Without a window manager the
        sheet gets the focus from us: DirectInput reads keys only for the foreground window."""
        self.xdotool("windowfocus", "--sync", self.sheet_windows()[0])
        self.xdotool("keydown", key, "sleep", 0.15, "keyup", key)

    def settings(self, data=None):
        """The file's bytes or None, after writing `data` when given."""
        if data is not None:
            self.folder.mkdir(parents=True, exist_ok=True)
            self.file.write_bytes(data)
        return self.file.read_bytes() if self.file.exists() else None

    def remove_settings(self):
        shutil.rmtree(self.folder, ignore_errors=True)


class Run:
    """One start of config.exe, from its sheet to its exit."""

    def __init__(self, env, sound=True, exe=None):
        self.env, self.process = env, env.start_config(sound, exe)
        # Wine, asked while the program is still coming up, can stall the
        # asking process; the X server answers without it.
        wait_for("the sheet's window", env.sheet_windows, timeout=60)
        self.see("the first page", lambda s: 1020 in s.controls)

    def see(self, what="the sheet", condition=lambda s: True, list_id=0):
        self.sheet = wait_for(what, lambda: (s := self.env.read(list_id)) and condition(s) and s)
        return self.sheet

    def tick(self, box):
        self.env.click(self.sheet.controls[box].rect)
        return self.see(f"box {box} checked", lambda s: s.controls[box].checked == 1)

    def states(self, wanted):
        """{control: (checked, enabled)} on the current page."""
        shown = {i: (c.checked, c.enabled) for i, c in self.sheet.controls.items() if i in wanted}
        check_equal(shown, wanted, f"(checked, enabled) on page {self.sheet.current}")

    def turn(self, key, page, caption, list_id=0):
        """Turns the page with an arrow key: nothing of it is cut."""
        self.env.hold(key)
        sheet = self.see(f"page {page}", lambda s: s.current == page and 1020 in s.controls,
                         list_id)
        check_equal(sheet.pages[page][1], caption, "the page window's caption")
        left, top, right, _ = sheet.rect
        floor = sheet.buttons[OK][1][1]
        for c in sheet.controls.values():
            check(left < c.rect[0] and c.rect[2] < right and top < c.rect[1] < c.rect[3] < floor,
                  f"page {page}: control {c.id} at {c.rect} is cut by {sheet.rect} or OK's row")
        return sheet

    def tip(self, control_id):
        """Rests the pointer on a control until its tip shows: (rect, text)."""
        self.env.hover(self.sheet.controls[control_id].rect)
        tips = self.see(f"the tip of {control_id}", lambda s: s.tips).tips
        check_equal(len(tips), 1, "tips shown at once")
        return tips[0]

    def finish(self, button, code):
        self.env.click(self.sheet.buttons[button][1])
        check_equal(self.process.wait(timeout=30), code, f"exit code after button {button}")


def journey_three_pages(env):
    """No file: the defaults, tips and lists as shown, the joystick page
    without a controller, J captured on Kick; OK writes all of it."""
    # The tips come from the string table resource alone: no compiled copy
    # for an edit of the resource to leave behind.
    exe = (env.build / "config.exe").read_bytes()
    check_equal((exe.count("Dust Attack".encode("utf-16-le")), exe.count(b"Dust Attack")), (1, 0),
                "copies of a tip's text in config.exe (resource, compiled)")
    version = env.native("--version").decode().split()[1]  # the project's, as ravelstone-cfg says it
    check_equal(exe.count(version.replace(".", ", ").encode("utf-16-le")), 2,
                "file and product version in config.exe's version record")
    run = Run(env)
    check_equal(run.sheet.ex_style & 0x400, 0, "WS_EX_CONTEXTHELP (a context-help button)")
    run.states({1000: (0, 1), 1002: (1, 1), 1008: (1, 0), 1014: (1, 1), 1004: (1, 1),
                1015: (1, 1), 1012: (0, 1), 1005: (1, 0), 1016: (0, 1), 1017: (0, 1),
                1011: (0, 1), 1009: (1, 1)})
    check(not run.sheet.buttons[APPLY][0], "Apply is enabled before any change")
    one_line, text = run.tip(1000)
    check_equal(text, "Startup the game using the actual screen.  A high-spec machine is "
                      "needed by fullscreen", "tip of Window Mode")
    # Wine's modal sheet leaves Ctrl+Page Down to the page; a click on the
    # first tab gives the tabs the focus, and the arrow keys turn the pages.
    page = run.sheet.pages[0][0]
    env.click([page[0] + 12, page[1] - 10] * 2)
    run.turn("Left", 0, "Graphic / Audio Settings")  # stays on the first page
    sheet = run.turn("Right", 1, "Keyboard Settings", list_id=1054)
    check_equal((len(sheet.entries), sheet.entries[74:76]), (88, ["\uff0f", "\uff3c"]),
                "the Start list's length and its entries 74-75")
    check_equal({sheet.controls[i].count for i in LISTS}, {88}, "entries of the keyboard lists")
    check_equal(sheet.controls[1046].text, "U", "Kick of Player 1 before the capture")
    env.hover(sheet.controls[1002].rect)
    time.sleep(1.5)  # longer than the tip's delay: nothing may show meanwhile
    check_equal(run.see().tips, [], "tips shown over Player 1")
    three_lines, text = run.tip(1054)
    check_equal(text, "\n".join("?" * n for n in (27, 23, 21)), "tip of the Start list")
    check(three_lines[3] - three_lines[1] > 2 * (one_line[3] - one_line[1]) - 8,
          f"the Start tip {three_lines} is not three lines high (one line: {one_line})")
    sheet = run.turn("Right", 2, "Joystick Settings")
    check_equal({(sheet.controls[i].count, sheet.controls[i].text) for i in LISTS},
                {(1, "None  ")}, "joystick lists without a controller")
    run.states({1011: (0, 0), 1012: (0, 0), 1013: (0, 0), 1002: (1, 1)})
    env.click(run.turn("Left", 1, "Keyboard Settings").controls[1046].rect)
    run.see("the Kick list to drop down", lambda s: s.controls[1046].dropped)
    env.hold("j")
    sheet = run.see("J on the Kick list", lambda s: s.controls[1046].text == "J")
    check(not sheet.controls[1046].dropped, "the capture left the drop-down open")
    check(sheet.buttons[APPLY][0], "the capture did not enable Apply")
    run.finish(OK, 1)
    wanted = changed(env.defaults(), 6, 0x24)  # 2 Players, Player 1, Kick: DIK_J
    # Player 1's joystick entries 14-23, which no list shows, are stored as 0.
    wanted = wanted[:192 + 14 * 4] + bytes(40) + wanted[192 + 24 * 4:]
    check_bytes(env.settings(), wanted, "setting.cfg after the capture and OK")


def journey_existing_file(env):
    """A file with reserved bytes and a tail: Cancel leaves it, Apply writes
    and greys itself, Cancel after Apply keeps Apply's write."""
    original = env.settings(changed(env.defaults(), VSYNC, 0)[:RESERVED] + b"\x5a\xa5"
                            + bytes((i * 7 + 3) & 0xFF for i in range(1000 - SIZE)))
    run = Run(env)
    run.states({1015: (0, 1), 1016: (0, 1)})
    run.tick(1015)
    check(run.tick(1016).buttons[APPLY][0], "two changes did not enable Apply")
    run.finish(CANCEL, 0)
    check_bytes(env.settings(), original, "setting.cfg after Cancel")
    run = Run(env)
    env.click(run.tick(1015).buttons[APPLY][1])
    applied = changed(original, VSYNC, 1)
    wait_for("Apply to write the file", lambda: env.settings() == applied)
    run.see("Apply to grey itself", lambda s: not s.buttons[APPLY][0])
    run.tick(1016)
    run.finish(CANCEL, 0)
    check_bytes(env.settings(), applied, "setting.cfg after Apply, a change and Cancel")


def journey_probes(env):
    """No sound device, then no pixel shaders: each answer reaches the page
    and the file (two starts, so swapped answers show); a stuck probe counts
    as "no" after its limit; a save on a full disk leaves no file."""
    run = Run(env, sound=False)  # the silent home has no ALSA device
    run.states({1017: (1, 0), 1011: (1, 0), 1014: (1, 1)})
    run.finish(OK, 1)
    check_bytes(env.settings(), env.defaults("--no-sound"), "setting.cfg without sound")
    env.remove_settings()
    key = ["HKCU\\Software\\Wine\\Direct3D", "/v", "MaxShaderModelPS", "/f"]
    check_equal(env.wine(["reg", "add", *key, "/t", "REG_DWORD", "/d", "0"]).returncode, 0, "reg")
    try:
        run = Run(env)
        run.states({1014: (0, 0), 1017: (0, 1), 1011: (0, 1)})
        run.finish(OK, 1)
    finally:
        env.wine(["reg", "delete", *key])
    check_bytes(env.settings(), env.defaults("--no-pixel-shader"), "setting.cfg without shaders")

    # To a file: Wine's helper processes may hold a pipe open after the end.
    with open(env.root / "probe_limit.txt", "w") as out:
        code = env.wine([env.build / "probe_limit_check.exe"], stdout=out).returncode
    check_equal(code, 0, "probe_limit_check: " + (env.root / "probe_limit.txt").read_text())

    env.remove_settings()
    env.folder.mkdir(parents=True)
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=8k", "tmpfs", env.folder]).returncode:
        return print("skipped the full disk: a small tmpfs cannot be mounted here (needs root)")
    try:
        subprocess.run(["dd", "if=/dev/zero", f"of={env.folder}/filler"], capture_output=True)
        Run(env).finish(OK, 1)  # as after any OK: the game's config says nothing either
        check(not env.file.exists(), "a failed save left a setting.cfg behind")
    finally:
        subprocess.run(["umount", "-l", env.folder])


def journey_cli_and_one_copy(env):
    """ravelstone-cfg.exe refuses the Linux options, writes where config.exe
    reads, prints UTF-8 and round-trips; config.exe runs one copy at a time
    and keeps a longer file's tail after OK."""
    def cfg(*args, stdin_data=None):  # exit code, output and errors, which must be UTF-8
        out = env.wine([env.build / "ravelstone-cfg.exe", *args], stdin_data=stdin_data)
        return out.returncode, out.stdout.decode().replace("\r", ""), out.stderr.decode()

    for args, code, says in ((["--version"], 0, env.native("--version").decode()),
                             (["--help"], 0, env.native("--help").decode()),
                             (["nonsense"], 64, "unknown command nonsense"),
                             (["--prefix", "C:\\", "show"], 64, "are for Linux"),
                             (["where"], 64, "are for Linux")):
        result = cfg(*args)
        check(result[0] == code and says in result[1] + result[2], f"{args}: {result}")
    tail = bytes(range(256)) + bytes(range(148))
    env.settings(bytes(SIZE) + tail)
    check_equal(cfg("defaults", "--no-pixel-shader")[0], 0, "exit code of defaults")
    written = env.settings()
    check_bytes(written, env.defaults("--no-pixel-shader") + tail, "the file after defaults")
    code, text, _ = cfg("show")
    check(code == 0 and "\uff0f" in text and "\uff3c" in text, f"show: exit {code}, {text!r}")

    first = Run(env)
    first.states({1014: (0, 1)})  # as loaded: this machine has pixel shaders
    check_equal(env.start_config().wait(timeout=30), 0, "exit code of a second copy")
    check_equal(len(env.sheet_windows()), 1, "sheets shown")
    first.tick(1016)
    first.finish(OK, 1)
    kept = env.settings()
    check_bytes(kept, changed(written, INTRO, 1), "the 1000-byte file after OK")

    # A record holding every kind of byte, through JSON into the longer file.
    record = random.Random(42).randbytes(SIZE)
    (env.root / "random.cfg").write_bytes(record)
    exported = cfg("export", "Z:" + str(env.root / "random.cfg").replace("/", "\\"))[1]
    for data, code, first_bytes in ((exported[:100], 3, kept), (exported, 0, record)):
        check_equal(cfg("import", "-", stdin_data=data.encode())[0], code, "exit code of import")
        check_bytes(env.settings(), first_bytes[:SIZE] + kept[SIZE:], f"after import's {code}")


def journey_unpacked_zip(env):
    """The Windows zip of make package as a player unpacks it next to the game:
    the two programs, 32-bit, and a read-me in Windows line endings; the
    unpacked config.exe starts and OK writes the defaults."""
    version = env.native("--version").decode().split()[1]
    archive = Path(env.build.parent, "package", f"ravelstone-config-{version}-windows.zip")
    check(archive.is_file(), f"missing {archive}: run make package")
    game = env.root / "game"
    shutil.rmtree(game, ignore_errors=True)
    with zipfile.ZipFile(archive) as unpacked:
        check_equal(sorted(unpacked.namelist()), ["README.txt", "config.exe", "ravelstone-cfg.exe"],
                    "the zip's files")
        unpacked.extractall(game)
    readme = (game / "README.txt").read_bytes()
    check(b"\r\n" in readme and b"\n" not in readme.replace(b"\r\n", b""),
          "the read-me's lines do not end as Windows' do")
    check(b"%APPDATA%\\Ravelstone\\setting.cfg" in readme,
          "the read-me does not say where the file is")
    for name in ("config.exe", "ravelstone-cfg.exe"):
        exe = (game / name).read_bytes()
        pe = int.from_bytes(exe[0x3C:0x40], "little")
        check_equal((exe[pe:pe + 4], int.from_bytes(exe[pe + 4:pe + 6], "little")),
                    (b"PE\0\0", 0x14C), f"{name}'s signature and machine (i386)")
    if env.state["bits"] != 32:
        raise Skip("this machine cannot execute 32-bit code: the unpacked programs are not started")
    cfg = env.wine([game / "ravelstone-cfg.exe", "--version"])
    check_equal(cfg.stdout.decode().strip(), f"ravelstone-cfg {version}", "ravelstone-cfg.exe --version")
    Run(env, exe=game / "config.exe").finish(OK, 1)
    check_bytes(env.settings(), env.defaults(), "setting.cfg after OK in the unpacked config.exe")


JOURNEYS = {name[8:]: f for name, f in globals().items() if name.startswith("journey_")}


def main(command, root, *args):
    if command == "setup":
        Environment.create(root, *args)
    elif command == "cleanup" and Path(root, "state.json").exists():
        Environment.load(root).destroy()
    elif command == "run":
        env, begun = Environment.load(root), time.monotonic()
        env.remove_settings()
        try:
            JOURNEYS[args[0]](env)
        except Failure as failure:
            sys.exit(f"FAILED {args[0]}: {failure}")
        except Skip as reason:
            print(f"skipped {args[0]}: {reason}")
            sys.exit(SKIPPED)
        finally:
            for process in env.started:  # no copy is left for the next journey
                process.kill()
                process.wait()
        print(f"passed {args[0]} in {time.monotonic() - begun:.1f} s")


if __name__ == "__main__":
    main(*sys.argv[1:]) if len(sys.argv) > 2 else print("\n".join(JOURNEYS))
