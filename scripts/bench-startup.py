#!/usr/bin/env python3
"""Start to first window, and peak memory then, for each editor against the
smallest program of its kind and against the bare graphics question:
config.exe against a minimal property sheet and a program that only asks
Direct3D 8 under Wine, the Linux editor against a minimal Qt dialog and a
program that only asks the GL question. The three of a set run in turn;
medians and ratios are printed as JSON. The floor of an editor's start-up is
the slower of its two yardsticks, since it asks the question while it builds
its window.

    bench-startup.py RUNS [wine] [linux]
"""
import contextlib
import json
import os
import queue
import re
import statistics
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "win32"))
import config_e2e as wineharness  # noqa: E402


def peak_kib(pid):
    """The process's peak resident set (VmHWM) so far, in KiB."""
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


class MapWatcher:
    """Hears every top-level window the X server maps, as it happens, from
    one `xev` listening on the root window. Asking xdotool every few
    milliseconds instead would start a process each time on the same two
    cores the measured program needs, and a program that runs on both (the
    Linux editor with its probe child) would pay for it most."""

    def __init__(self, display):
        self.display = display
        self.maps = queue.Queue()
        self.watched_pid = None
        self.process = subprocess.Popen(["xev", "-display", display, "-root", "-event", "substructure"],
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.5)  # for xev to have chosen its events before the first run

    def _read(self):
        for line in self.process.stdout:
            match = re.search(r"event 0x[0-9a-f]+, window (0x[0-9a-f]+), override", line)
            if match and self._last_event == "MapNotify":
                # The peak so far is read here, at the map, not after the
                # name check below.
                pid = self.watched_pid
                self.maps.put((time.monotonic(), match.group(1), peak_kib(pid) if pid else 0))
            if line and not line[0].isspace():
                self._last_event = line.split(" ", 1)[0]

    _last_event = None

    def window_matches(self, window, pid, title):
        env = dict(os.environ, DISPLAY=self.display)
        name = subprocess.run(["xdotool", "getwindowname", window], env=env, capture_output=True, text=True)
        owner = subprocess.run(["xdotool", "getwindowpid", window], env=env, capture_output=True, text=True)
        return (name.returncode == 0 and re.search(title, name.stdout.rstrip("\n")) is not None and
                owner.stdout.strip() == str(pid))

    def time_to_window(self, command, env, title):
        """Milliseconds from exec to the map of a window with `title`, and
        the peak memory at that moment."""
        while not self.maps.empty():
            self.maps.get_nowait()
        started = time.monotonic()
        process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.watched_pid = process.pid
        try:
            deadline = started + 60
            while True:
                try:
                    mapped, window, peak = self.maps.get(timeout=0.2)
                except queue.Empty:
                    if process.poll() is not None:
                        raise wineharness.Failure(f"{command[-1]} ended without a window")
                    if time.monotonic() > deadline:
                        raise wineharness.Failure(f"timed out waiting for {title}")
                    continue
                if self.window_matches(window, process.pid, title):
                    return (mapped - started) * 1000, peak
        finally:
            self.watched_pid = None
            process.kill()
            process.wait()

    def close(self):
        self.process.kill()
        self.process.wait()


def alternate(runs, *measurements):
    """Runs the measurements in turn, `runs` times; answers one list each."""
    results = [[] for _ in measurements]
    for _ in range(runs):
        for measure, out in zip(measurements, results):
            out.append(measure())
    return results


def summary(name, baseline, probe, editor):
    ms = lambda runs: statistics.median(r[0] for r in runs)  # noqa: E731
    kib = lambda runs: statistics.median(r[1] for r in runs)  # noqa: E731
    floor = max(ms(baseline), ms(probe))
    return {
        "pair": name,
        "runs": len(editor),
        "baseline_ms": round(ms(baseline), 1),
        "probe_ms": round(ms(probe), 1),
        "editor_ms": round(ms(editor), 1),
        "time_ratio": round(ms(editor) / ms(baseline), 2),
        "floor_ratio": round(ms(editor) / floor, 2),
        "baseline_peak_kib": kib(baseline),
        "probe_peak_kib": kib(probe),
        "editor_peak_kib": kib(editor),
        "memory_ratio": round(kib(editor) / kib(baseline), 2),
        "memory_ratio_with_probe": round(kib(editor) / (kib(baseline) + kib(probe)), 2),
    }


def wine_pair(runs):
    root = tempfile.mkdtemp(prefix="ravel-bench-wine-")
    # The harness reports on stdout; this script's stdout is its JSON.
    with contextlib.redirect_stdout(sys.stderr):
        env = wineharness.Environment.create(root, os.path.join(ROOT, "build"))
    try:
        folder = str(env.build)
        exe = str(env.build / "config.exe")
        loader = env.state["loader"]
        minimal = os.path.join(folder, "minimal_sheet.exe")
        wine_env = env.env(sound=True)
        watcher = MapWatcher(env.state["display"])
        editor = lambda: watcher.time_to_window([loader, exe], wine_env,  # noqa: E731
                                                "^" + wineharness.CAPTION + "$")
        baseline = lambda: watcher.time_to_window([loader, minimal], wine_env,  # noqa: E731
                                                  "^Minimal property sheet$")
        probe = lambda: watcher.time_to_window(  # noqa: E731
            [loader, os.path.join(folder, "bare_direct3d_probe.exe")], wine_env, "^Bare Direct3D probe$")
        # One run of each first, so that none pays for a cold cache.
        editor(), baseline(), probe()
        base, bare, edit = alternate(runs, baseline, probe, editor)
        result = summary(f"config.exe under Wine ({env.state['bits']}-bit)", base, bare, edit)
        result["exe_bytes"] = os.path.getsize(os.path.join(ROOT, "build", "mingw", "config.exe"))
        # Where the difference comes from: the same start with Direct3D 8
        # switched off, so the pixel-shader probe answers at once.
        no_d3d = dict(wine_env, WINEDLLOVERRIDES=wine_env["WINEDLLOVERRIDES"] + ";d3d8=")
        without = [watcher.time_to_window([loader, exe], no_d3d, "^" + wineharness.CAPTION + "$")
                   for _ in range(runs)]
        result["editor_without_d3d8_ms"] = round(statistics.median(r[0] for r in without), 1)
        result["editor_without_d3d8_peak_kib"] = statistics.median(r[1] for r in without)
        watcher.close()
        return result
    finally:
        env.destroy()


def start_xvfb(root):
    """A private Xvfb that does not reset when its last client leaves: each
    run here is its only client, and a reset would refuse the next one."""
    read_end, write_end = os.pipe()
    log = open(os.path.join(root, "xvfb.log"), "w")
    process = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                "-nolisten", "tcp", "-noreset"],
                               pass_fds=(write_end,), stdout=log, stderr=log, start_new_session=True)
    os.close(write_end)
    with os.fdopen(read_end, "rb") as pipe:
        number = pipe.readline().strip()
    if not number:
        process.kill()
        raise wineharness.Failure("Xvfb did not start")
    return ":" + number.decode(), process.pid


def linux_pair(runs):
    root = tempfile.mkdtemp(prefix="ravel-bench-linux-")
    display, xvfb_pid = start_xvfb(root)
    try:
        env = dict(os.environ, DISPLAY=display, HOME=root, XDG_RUNTIME_DIR=root)
        build = os.path.join(ROOT, "build", "default")
        watcher = MapWatcher(display)
        editor = lambda: watcher.time_to_window([os.path.join(build, "ravelstone-config")], env,  # noqa: E731
                                                "^" + wineharness.CAPTION + "$")
        baseline = lambda: watcher.time_to_window([os.path.join(build, "bench_minimal_qt_dialog")],  # noqa: E731
                                                  env, "^Minimal Qt dialog$")
        probe = lambda: watcher.time_to_window([os.path.join(build, "bench_bare_gl_probe")], env,  # noqa: E731
                                               "^Bare GL probe$")
        editor(), baseline(), probe()
        base, bare, edit = alternate(runs, baseline, probe, editor)
        watcher.close()
        return summary("ravelstone-config (Linux, Qt)", base, bare, edit)
    finally:
        os.killpg(xvfb_pid, 15)


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 9
    pairs = sys.argv[2:] or ["wine", "linux"]
    measure = {"wine": wine_pair, "linux": linux_pair}
    print(json.dumps([measure[pair](runs) for pair in pairs], indent=2))


if __name__ == "__main__":
    main()
