"""Drives the real config.exe under Wine in a private virtual X server.

One environment per test run: an Xvfb on a free display and a Wine prefix
made once with `wineboot -i`, both described in a state file so that every
scenario (a separate process) reuses them. A person's actions are xdotool
clicks on the controls' real screen positions and keys held down; what a
person sees is read from the live windows by inspect.exe, a small tool of
the tests' own run under the same Wine.
"""
import getpass
import json
import os
import shutil
import signal
import subprocess
import time

CAPTION = "Ravelstone - Config by Qv"

# Wine's own paths on Debian.
WINE32_LOADER = "/usr/lib/wine/wine"
WINE64_LOADER = "/usr/lib/wine/wine64"
WINE32_SERVER = "/usr/lib/wine/wineserver32"
WINE64_SERVER = "/usr/lib/wine/wineserver64"


class Failure(AssertionError):
    pass


def wait_for(what, probe, timeout=20.0, interval=0.1):
    """Polls `probe` until it answers something true; fails after `timeout`."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def can_run_32bit():
    """Whether this machine executes 32-bit x86 code (some kernels have the
    ia32 emulation switched off)."""
    try:
        result = subprocess.run([WINE32_LOADER, "--version"], capture_output=True, timeout=30)
    except OSError:
        return False
    return result.returncode == 0


class Environment:
    """The shared Xvfb and Wine prefix, as recorded in the state file."""

    def __init__(self, state):
        self.state = state
        self.display = state["display"]
        self.prefix = state["prefix"]
        self.loader = state["loader"]
        self.server = state["server"]
        self.exe = state["exe"]
        self.inspector = state["inspector"]
        self.root = state["root"]

    # -- set-up and tear-down ------------------------------------------------

    @staticmethod
    def create(root, exe32, exe64, inspect32, inspect64):
        """Starts Xvfb and builds a fresh prefix below `root`."""
        if Environment.exists(root):
            # A run that was cut short left its display and server behind.
            Environment.load(root).destroy()
        shutil.rmtree(root, ignore_errors=True)
        os.makedirs(root)
        if can_run_32bit():
            loader, server, exe, inspector, bits = WINE32_LOADER, WINE32_SERVER, exe32, inspect32, 32
        else:
            # The same sources built for 64-bit Windows, under a 64-bit Wine.
            print("note: this machine cannot execute 32-bit code; running the 64-bit build of "
                  "config.exe under a 64-bit Wine instead")
            loader, server, exe, inspector, bits = WINE64_LOADER, WINE64_SERVER, exe64, inspect64, 64
        for path in (exe, inspector):
            if not os.path.isfile(path):
                raise Failure(f"missing {path}: build the mingw presets first")

        display, xvfb_pid = Environment._start_xvfb(root)
        state = {
            "root": root,
            "display": display,
            "xvfb_pid": xvfb_pid,
            "prefix": os.path.join(root, "prefix"),
            "loader": loader,
            "server": server,
            "exe": exe,
            "inspector": inspector,
            "bits": bits,
        }
        env = Environment(state)
        try:
            for home, sound in (("home-sound", True), ("home-silent", False)):
                path = os.path.join(root, home)
                os.makedirs(path)
                if sound:
                    # No sound card here: ALSA's null device stands in for one.
                    with open(os.path.join(path, ".asoundrc"), "w") as f:
                        f.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
            started = time.monotonic()
            env.wine(["wineboot", "-i"], timeout=300)
            env.wait_server()
            # Kept running for the whole run: a server that shuts down between
            # two scenarios makes the next start wait for it.
            subprocess.Popen([server, "-p"], env=env.env(), stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             start_new_session=True)
            print(f"wine prefix ready in {time.monotonic() - started:.1f} s ({bits}-bit)")
            with open(os.path.join(root, "state.json"), "w") as f:
                json.dump(state, f)
        except BaseException:
            # No server or display outlives a set-up that did not finish.
            env.destroy()
            raise
        return env

    @staticmethod
    def _start_xvfb(root):
        read_end, write_end = os.pipe()
        log = open(os.path.join(root, "xvfb.log"), "w")
        process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=log, stderr=log, start_new_session=True)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            process.kill()
            raise Failure("Xvfb did not start")
        return ":" + number.decode(), process.pid

    @staticmethod
    def load(root):
        with open(os.path.join(root, "state.json")) as f:
            return Environment(json.load(f))

    @staticmethod
    def exists(root):
        return os.path.isfile(os.path.join(root, "state.json"))

    def destroy(self):
        subprocess.run([self.server, "-k"], env=self.env(), capture_output=True, timeout=60)
        try:
            os.killpg(self.state["xvfb_pid"], signal.SIGTERM)
        except ProcessLookupError:
            pass

    # -- running programs ------------------------------------------------------

    def env(self, sound=True):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display,
            "WINEPREFIX": self.prefix,
            "WINESERVER": self.server,
            # The prefix's kind must match the loader that made it.
            "WINEARCH": "win32" if self.state.get("bits") == 32 else "win64",
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "HOME": os.path.join(self.root, "home-sound" if sound else "home-silent"),
            "LC_ALL": "C.UTF-8",
            "LANG": "en_US.UTF-8",
        })
        return env

    def wine(self, args, timeout=60, sound=True):
        result = subprocess.run([self.loader] + args, env=self.env(sound), capture_output=True,
                                timeout=timeout)
        return result

    def wait_server(self):
        subprocess.run([self.server, "-w"], env=self.env(), capture_output=True, timeout=300)

    def start_config(self, sound=True):
        return subprocess.Popen([self.loader, self.exe], env=self.env(sound),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def set_registry(self, key, name, kind, value):
        result = self.wine(["reg", "add", key, "/v", name, "/t", kind, "/d", str(value), "/f"])
        if result.returncode != 0:
            raise Failure(f"reg add {key}\\{name} failed")

    def delete_registry(self, key, name):
        self.wine(["reg", "delete", key, "/v", name, "/f"])

    # -- what a person sees ------------------------------------------------------

    def inspect(self, entries=0, tooltips=False):
        """The live sheet as inspect.exe reports it, or None when none is shown.
        `entries` names a list id whose entries are read too, on every page;
        `tooltips` adds the tooltip controls (each costs many messages, so
        only where a scenario needs them)."""
        args = [self.loader, self.inspector, CAPTION]
        if entries:
            args.append(f"entries={entries}")
        if tooltips:
            args.append("tooltips")
        try:
            result = subprocess.run(args, env=self.env(), capture_output=True, timeout=15)
        except subprocess.TimeoutExpired:
            # Seldom, a Wine process started while another is still coming
            # up stalls; the caller simply asks again.
            return None
        if result.returncode != 0:
            return None
        return Sheet(json.loads(result.stdout.decode("utf-8")))

    def wait_sheet(self, what="the sheet", condition=lambda sheet: True, timeout=30.0,
                   entries=0, tooltips=False):
        def probe():
            sheet = self.inspect(entries, tooltips)
            return sheet if sheet is not None and condition(sheet) else None
        return wait_for(what, probe, timeout=timeout)

    def screenshot(self, path, rect):
        left, top, right, bottom = rect
        subprocess.run(["import", "-display", self.display, "-window", "root", "-crop",
                        f"{right - left}x{bottom - top}+{left}+{top}", "+repage", path],
                       check=True, capture_output=True, timeout=60)

    # -- what a person does --------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env(), check=True,
                       capture_output=True, timeout=30)

    def click(self, rect):
        left, top, right, bottom = rect
        # The pointer comes from elsewhere, as a hand's would: a window that
        # opened under a resting pointer has seen no motion to its button.
        self.xdotool("mousemove", "--sync", 1023, 767)
        self.xdotool("mousemove", "--sync", (left + right) // 2, (top + bottom) // 2)
        self.xdotool("click", "1")

    def sheet_x_windows(self):
        """The X windows that show the sheet (read from the X server alone)."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{CAPTION}$"],
                                env=self.env(), capture_output=True, timeout=30)
        return result.stdout.decode().split()

    def hover(self, rect):
        """Brings the pointer onto the middle of `rect` and lets it rest there."""
        left, top, right, bottom = rect
        self.xdotool("mousemove", "--sync", 1023, 767)
        self.xdotool("mousemove", "--sync", (left + right) // 2 - 2, (top + bottom) // 2)
        self.xdotool("mousemove", "--sync", (left + right) // 2, (top + bottom) // 2)

    def focus_sheet(self):
        """Gives the sheet the keyboard focus: there is no window manager to do
        it, and DirectInput reads the keyboard only for the foreground window."""
        windows = self.sheet_x_windows()
        if not windows:
            raise Failure("no X window for the sheet")
        self.xdotool("windowfocus", "--sync", windows[0])

    def key_down(self, key):
        self.xdotool("keydown", key)

    def key_up(self, key):
        self.xdotool("keyup", key)

    # -- the settings file ---------------------------------------------------------

    def settings_folder(self):
        return os.path.join(self.prefix, "drive_c", "users", getpass.getuser(), "AppData",
                            "Roaming", "Ravelstone")

    def settings_path(self):
        return os.path.join(self.settings_folder(), "setting.cfg")

    def read_settings(self):
        try:
            with open(self.settings_path(), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def write_settings(self, data):
        os.makedirs(self.settings_folder(), exist_ok=True)
        with open(self.settings_path(), "wb") as f:
            f.write(data)

    def remove_settings(self):
        shutil.rmtree(self.settings_folder(), ignore_errors=True)


class Sheet:
    """One reading of the live sheet."""

    def __init__(self, data):
        self.data = data

    @property
    def count(self):
        return self.data["sheets"]

    @property
    def ex_style(self):
        return self.data["exStyle"]

    def tab(self, index):
        return self.data["tabs"][index]

    @property
    def current_page(self):
        return self.data["current"]

    def button(self, name):
        return self.data[name]

    @property
    def focus(self):
        return self.data["focus"]

    def page_created(self, page):
        return self.data["pages"][page]["created"]

    def control(self, page, control_id):
        for control in self.data["pages"][page].get("controls", []):
            if control["id"] == control_id:
                return control
        return None

    def controls(self, page):
        return self.data["pages"][page].get("controls", [])

    def checked(self, page, control_id):
        return self.control(page, control_id)["checked"]

    def enabled(self, page, control_id):
        return self.control(page, control_id)["enabled"]

    def list_text(self, page, control_id):
        control = self.control(page, control_id)
        return control["selectedText"] if control["selection"] >= 0 else None

    def tooltips(self):
        return self.data["tooltips"]

    @property
    def screen_width(self):
        return self.data["screenWidth"]
