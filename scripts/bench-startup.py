#!/usr/bin/env python3
"""Start to first window, and peak memory then, for each editor against the
smallest program of its kind and against the bare graphics question:
config.exe against a minimal property sheet and a program that only asks
Direct3D 8 under Wine, the Linux editor against a minimal Qt dialog and a
program that only asks the GL question. The three of a set run in turn;
medians and ratios are printed as JSON. The floor of an editor's start-up is
the slower of its two yardsticks, since it asks the question while it builds
its window.

    bench-startup.py RUNS
"""
import contextlib
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "win32"))
import wineharness  # noqa: E402


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


def window_shown(display, pid, title):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", title],
                            env=dict(os.environ, DISPLAY=display), capture_output=True)
    return result.returncode == 0 and result.stdout.strip() != b""


def time_to_window(command, env, display, title):
    """Milliseconds from exec to a visible window with `title`, and the peak
    memory at that moment."""
    started = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    def shown():
        if process.poll() is not None:
            raise wineharness.Failure(f"{command[-1]} ended without a window")
        return window_shown(display, process.pid, title)

    try:
        wineharness.wait_for(title, shown, timeout=60, interval=0.005)
        elapsed = (time.monotonic() - started) * 1000
        return elapsed, peak_kib(process.pid)
    finally:
        process.kill()
        process.wait()


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
    build32, build64 = os.path.join(ROOT, "build", "mingw"), os.path.join(ROOT, "build", "mingw64")
    # The harness reports on stdout; this script's stdout is its JSON.
    with contextlib.redirect_stdout(sys.stderr):
        env = wineharness.Environment.create(root, os.path.join(build32, "config.exe"),
                                             os.path.join(build64, "config.exe"),
                                             os.path.join(build32, "inspect.exe"),
                                             os.path.join(build64, "inspect.exe"))
    try:
        folder = os.path.dirname(env.exe)
        minimal = os.path.join(folder, "minimal_sheet.exe")
        wine_env = env.env(sound=True)
        editor = lambda: time_to_window([env.loader, env.exe], wine_env, env.display,  # noqa: E731
                                        "^" + wineharness.CAPTION + "$")
        baseline = lambda: time_to_window([env.loader, minimal], wine_env, env.display,  # noqa: E731
                                          "^Minimal property sheet$")
        probe = lambda: time_to_window([env.loader, os.path.join(folder, "bare_direct3d_probe.exe")],  # noqa: E731
                                       wine_env, env.display, "^Bare Direct3D probe$")
        # One run of each first, so that none pays for a cold cache.
        editor(), baseline(), probe()
        base, bare, edit = alternate(runs, baseline, probe, editor)
        result = summary(f"config.exe under Wine ({env.state['bits']}-bit)", base, bare, edit)
        result["exe_bytes"] = os.path.getsize(os.path.join(build32, "config.exe"))
        # Where the difference comes from: the same start with Direct3D 8
        # switched off, so the pixel-shader probe answers at once.
        no_d3d = dict(wine_env, WINEDLLOVERRIDES=wine_env["WINEDLLOVERRIDES"] + ";d3d8=")
        without = [time_to_window([env.loader, env.exe], no_d3d, env.display,
                                  "^" + wineharness.CAPTION + "$") for _ in range(runs)]
        result["editor_without_d3d8_ms"] = round(statistics.median(r[0] for r in without), 1)
        result["editor_without_d3d8_peak_kib"] = statistics.median(r[1] for r in without)
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
        editor = lambda: time_to_window([os.path.join(build, "ravelstone-config")], env, display,  # noqa: E731
                                        "^" + wineharness.CAPTION + "$")
        baseline = lambda: time_to_window([os.path.join(build, "bench_minimal_qt_dialog")], env,  # noqa: E731
                                          display, "^Minimal Qt dialog$")
        probe = lambda: time_to_window([os.path.join(build, "bench_bare_gl_probe")], env,  # noqa: E731
                                       display, "^Bare GL probe$")
        editor(), baseline(), probe()
        base, bare, edit = alternate(runs, baseline, probe, editor)
        return summary("ravelstone-config (Linux, Qt)", base, bare, edit)
    finally:
        os.killpg(xvfb_pid, 15)


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 9
    print(json.dumps([wine_pair(runs), linux_pair(runs)], indent=2))


if __name__ == "__main__":
    main()
