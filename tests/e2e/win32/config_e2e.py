#!/usr/bin/python3
"""End-to-end scenarios of the real config.exe under Wine.

    config_e2e.py setup ROOT EXE32 EXE64 INSPECT32 INSPECT64
    config_e2e.py run ROOT SCENARIO
    config_e2e.py cleanup ROOT

`setup` starts a private Xvfb and makes the Wine prefix once per test run;
each `run` starts from a known prefix state (settings folder removed or
written by the scenario) and reuses them; `cleanup` stops both.
"""
import os
import subprocess
import sys
import time

import expected as X
from wineharness import Environment, Failure, wait_for

OK_RESULT = 1      # PropertySheet's answer after OK
CANCEL_RESULT = 0  # ... after Cancel


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, wanted, what):
    if actual != wanted:
        raise Failure(f"{what}: got {actual!r}, expected {wanted!r}")


def check_bytes(actual, wanted, what):
    if actual is None:
        raise Failure(f"{what}: no setting.cfg")
    if actual == wanted:
        return
    if len(actual) != len(wanted):
        raise Failure(f"{what}: {len(actual)} bytes, expected {len(wanted)}")
    diffs = [f"{i}: {actual[i]:#04x} (expected {wanted[i]:#04x})"
             for i in range(len(wanted)) if actual[i] != wanted[i]]
    raise Failure(f"{what}: bytes differ at " + ", ".join(diffs[:12]))


class Run:
    """One start of config.exe, from its window to its exit."""

    started = []  # every process of the scenario, so none outlives it

    def __init__(self, env, sound=True):
        self.env = env
        self.process = env.start_config(sound)
        Run.started.append(self.process)
        # Asking Wine about the windows while the program is still coming up
        # can stall the asking process; the X server answers without Wine.
        wait_for("the sheet's window", env.sheet_x_windows, timeout=60)
        self.sheet = env.wait_sheet("the sheet with its first page",
                                    lambda s: s.page_created(X.GRAPHIC_AUDIO_PAGE)
                                    and s.control(X.GRAPHIC_AUDIO_PAGE, 1020) is not None)

    def refresh(self, what="the sheet", condition=lambda s: True, entries=0, tooltips=False):
        self.sheet = self.env.wait_sheet(what, condition, entries=entries, tooltips=tooltips)
        return self.sheet

    def open_tab(self, page):
        self.env.click(self.sheet.tab(page)["rect"])
        return self.refresh(f"page {page} to open",
                            lambda s: s.current_page == page and s.page_created(page))

    def click_control(self, page, control_id):
        control = self.sheet.control(page, control_id)
        check(control is not None, f"page {page} has no control {control_id}")
        self.env.click(control["rect"])

    def click_button(self, name):
        self.env.click(self.sheet.button(name)["rect"])

    def wait_exit(self, timeout=30.0):
        try:
            return self.process.wait(timeout=timeout)
        except Exception:
            self.process.kill()
            raise Failure("config.exe did not end")

    def finish(self, button, result):
        self.click_button(button)
        check_equal(self.wait_exit(), result, f"exit code after {button}")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


# -- scenarios -----------------------------------------------------------------

def scenario_defaults_without_file(env):
    """No file, OK: the file is the full defaults for the probes' answers."""
    env.remove_settings()
    run = Run(env)
    sheet = run.sheet
    # Pixel shaders and sound are available here: shaders on, sound on.
    page = X.GRAPHIC_AUDIO_PAGE
    for control_id, state in ((1000, 0), (1001, 0), (1002, 1), (1007, 0), (1008, 1), (1003, 0),
                              (1004, 1), (1015, 1), (1014, 1), (1012, 0), (1005, 1), (1006, 0),
                              (1016, 0), (1017, 0), (1011, 0), (1013, 0), (1009, 1), (1010, 0)):
        check_equal(sheet.checked(page, control_id), state, f"check state of {control_id}")
    for control_id, state in ((1014, True), (1017, True), (1011, True), (1012, True),
                              (1005, False), (1006, False), (1007, False), (1008, False),
                              (1009, True), (1010, True), (1013, True)):
        check_equal(sheet.enabled(page, control_id), state, f"enable state of {control_id}")
    check(not sheet.button("apply")["enabled"], "Apply is enabled before any change")
    run.finish("ok", OK_RESULT)
    check_bytes(env.read_settings(), X.default_record(), "setting.cfg after OK")


def scenario_typical_key_capture(env):
    """Keyboard tab, click the Kick list of Player 1, hold J, OK."""
    env.remove_settings()
    run = Run(env)
    run.open_tab(X.KEYBOARD_PAGE)
    check_equal(run.sheet.list_text(X.KEYBOARD_PAGE, 1046), "U", "Kick before the capture")
    run.click_control(X.KEYBOARD_PAGE, 1046)
    run.refresh("the Kick list to take the focus",
                lambda s: s.focus["page"] == X.KEYBOARD_PAGE and s.focus["id"] == 1046)
    env.focus_sheet()
    env.key_down("j")
    try:
        run.refresh("the Kick list to show J",
                    lambda s: s.list_text(X.KEYBOARD_PAGE, 1046) == "J")
    finally:
        env.key_up("j")
    sheet = run.refresh()
    check(not sheet.control(X.KEYBOARD_PAGE, 1046)["dropped"], "the drop-down is still open")
    check(sheet.button("apply")["enabled"], "the capture did not enable Apply")
    run.finish("ok", OK_RESULT)
    wanted = bytearray(X.default_record())
    wanted[6] = 0x24  # layout 0, player 1, slot 6 (Kick) = DIK_J
    check_bytes(env.read_settings(), bytes(wanted), "setting.cfg after the capture and OK")


def scenario_single_instance(env):
    """A second copy ends at once with 0 and no window; a later start runs."""
    env.remove_settings()
    first = Run(env)
    second = env.start_config()
    Run.started.append(second)
    try:
        code = second.wait(timeout=30)
    except Exception:
        second.kill()
        raise Failure("the second copy did not end")
    check_equal(code, 0, "exit code of the second copy")
    check_equal(first.refresh().count, 1, "sheets shown while the first copy runs")
    first.finish("cancel", CANCEL_RESULT)
    check(env.read_settings() is None, "Cancel wrote a file")
    third = Run(env)
    check_equal(third.sheet.count, 1, "sheets shown by a start after the first ended")
    third.finish("cancel", CANCEL_RESULT)


def scenario_cancel_and_apply(env):
    """Cancel after changes leaves the file; Apply then Cancel keeps Apply's write."""
    original = bytearray(X.default_record())
    original[X.VSYNC] = 0
    original[X.RESERVED:X.RESERVED + 2] = b"\x5a\xa5"
    original = bytes(original)
    env.write_settings(original)

    run = Run(env)
    check_equal(run.sheet.checked(X.GRAPHIC_AUDIO_PAGE, 1015), 0, "V-SYNC as loaded")
    run.click_control(X.GRAPHIC_AUDIO_PAGE, 1015)
    run.click_control(X.GRAPHIC_AUDIO_PAGE, 1016)
    run.refresh("both boxes checked and Apply enabled",
                lambda s: s.checked(0, 1015) == 1 and s.checked(0, 1016) == 1
                and s.button("apply")["enabled"])
    run.finish("cancel", CANCEL_RESULT)
    check_bytes(env.read_settings(), original, "setting.cfg after Cancel")

    run = Run(env)
    run.click_control(X.GRAPHIC_AUDIO_PAGE, 1015)
    run.refresh("V-SYNC checked", lambda s: s.checked(0, 1015) == 1)
    run.click_button("apply")
    applied = bytearray(original)
    applied[X.VSYNC] = 1
    applied = bytes(applied)
    wait_for("Apply to write the file", lambda: env.read_settings() == applied, timeout=20)
    run.refresh("Apply to grey itself", lambda s: not s.button("apply")["enabled"])
    run.click_control(X.GRAPHIC_AUDIO_PAGE, 1016)
    run.refresh("intro box checked", lambda s: s.checked(0, 1016) == 1)
    run.finish("cancel", CANCEL_RESULT)
    check_bytes(env.read_settings(), applied, "setting.cfg after Apply then Cancel")


def scenario_without_sound(env):
    """DirectSound fails: both sound boxes checked and grey, bytes 586-587 are 1."""
    env.remove_settings()
    run = Run(env, sound=False)
    sheet = run.sheet
    for control_id in (1017, 1011):
        check_equal(sheet.checked(X.GRAPHIC_AUDIO_PAGE, control_id), 1, f"{control_id} checked")
        check(not sheet.enabled(X.GRAPHIC_AUDIO_PAGE, control_id), f"{control_id} is not grey")
    run.finish("ok", OK_RESULT)
    data = env.read_settings()
    check_bytes(data, X.default_record(sound=False), "setting.cfg without sound")
    check_equal(data[X.ALL_SOUNDS_OFF:X.MUSIC_OFF + 1], b"\x01\x01", "bytes 586-587")


def scenario_without_pixel_shaders(env):
    """Wine's Direct3D told to offer no pixel shaders: shader-less defaults."""
    key = "HKCU\\Software\\Wine\\Direct3D"
    env.remove_settings()
    env.set_registry(key, "MaxShaderModelPS", "REG_DWORD", 0)
    try:
        run = Run(env)
        sheet = run.sheet
        check_equal(sheet.checked(X.GRAPHIC_AUDIO_PAGE, 1014), 0, "Pixel Shader checked")
        check(not sheet.enabled(X.GRAPHIC_AUDIO_PAGE, 1014), "Pixel Shader is not grey")
        for control_id, state in ((1001, 1), (1002, 0), (1007, 1), (1008, 0), (1005, 0),
                                  (1006, 1)):
            check_equal(sheet.checked(X.GRAPHIC_AUDIO_PAGE, control_id), state,
                        f"check state of {control_id}")
        run.finish("ok", OK_RESULT)
    finally:
        env.delete_registry(key, "MaxShaderModelPS")
    check_bytes(env.read_settings(), X.default_record(pixel_shader=False),
                "setting.cfg without pixel shaders")


def scenario_long_file(env):
    """A 1000-byte file keeps bytes 596-999 after OK; bytes 594-595 survive."""
    record = bytearray(X.default_record())
    record[X.FRAME_RATE] = 0
    record[X.RESERVED:X.RESERVED + 2] = b"\xab\xcd"
    tail = bytes((i * 7 + 3) & 0xFF for i in range(1000 - X.RECORD_SIZE))
    original = bytes(record) + tail
    env.write_settings(original)
    run = Run(env)
    check_equal(run.sheet.checked(X.GRAPHIC_AUDIO_PAGE, 1003), 1, "30FPS as loaded")
    run.finish("ok", OK_RESULT)
    check_bytes(env.read_settings(), original, "the 1000-byte file after OK")


def scenario_full_disk(env):
    """OK on a full disk with no file yet: config.exe ends as after OK, without
    a word, and leaves no file (not an empty one the game would read)."""
    env.remove_settings()
    folder = env.settings_folder()
    os.makedirs(folder)
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=8k", "tmpfs", folder],
                             capture_output=True).returncode == 0
    if not mounted:
        print("skipped: a small tmpfs cannot be mounted here (mount needs root)")
        return
    try:
        filler = os.open(os.path.join(folder, "filler"), os.O_WRONLY | os.O_CREAT)
        try:
            while os.write(filler, b"\xee" * 4096) > 0:
                pass
        except OSError:
            pass
        os.close(filler)
        run = Run(env)
        run.finish("ok", OK_RESULT)
        check(not os.path.exists(env.settings_path()), "a failed save left a setting.cfg behind")
    finally:
        subprocess.run(["umount", "-l", folder], check=False)
        env.remove_settings()


def scenario_probe_limit(env):
    """A probe stuck in its driver counts as "no" after the limit; the other
    probe's answer stands (the probe threads of config.exe)."""
    check_program = os.path.join(os.path.dirname(env.exe), "probe_limit_check.exe")
    check(os.path.isfile(check_program), f"missing {check_program}: build the mingw presets first")
    # Its output goes to a file: Wine's helper processes may hold a pipe open
    # after the program has ended.
    report = os.path.join(env.root, "probe_limit.txt")
    with open(report, "wb") as out:
        result = subprocess.run([env.loader, check_program], env=env.env(), stdout=out,
                                stderr=subprocess.DEVNULL, timeout=60)
    with open(report) as f:
        check_equal(result.returncode, 0, "probe_limit_check: " + f.read().strip())


def check_tooltips(sheet, page, wanted):
    found = {}
    for tooltip in sheet.tooltips():
        check(tooltip["style"] & (X.WS_POPUP | X.TTS_ALWAYSTIP) == X.WS_POPUP | X.TTS_ALWAYSTIP,
              f"tooltip style {tooltip['style']:#x}")
        check_equal(tooltip["maxWidth"], sheet.screen_width, "tooltip maximum width")
        check_equal(tooltip["toolCount"], 1, "tools per tooltip control")
        tool = tooltip["tools"][0]
        if tool["page"] != page:
            continue
        check_equal(tool["flags"] & X.TTF_IDISHWND_SUBCLASS, X.TTF_IDISHWND_SUBCLASS,
                    "tool flags")
        check(tool["idIsWindow"], "the tool is not the control's window")
        check(tool["control"] not in found, f"two tooltips on control {tool['control']}")
        found[tool["control"]] = tool["text"]
    check_equal(found, wanted, f"tooltips of page {page}")


def visible_tips(sheet):
    return [(t["tools"][0]["control"], t["tools"][0]["text"], t["rect"])
            for t in sheet.tooltips() if t["visible"]]


def show_tip(run, page, control_id):
    """Rests the pointer on a control until its tip shows; answers the tip."""
    run.env.hover(run.sheet.control(page, control_id)["rect"])
    sheet = run.refresh(f"the tip of {control_id} to show",
                        lambda s: any(c == control_id for c, _, _ in visible_tips(s)),
                        tooltips=True)
    tips = visible_tips(sheet)
    check_equal(len(tips), 1, "tips shown at once")
    return tips[0]


def scenario_tooltips_and_lists(env):
    """Tooltips carry the exact texts; no context-help button; the keyboard
    lists hold the 88 key names, the fullwidth ones included."""
    env.remove_settings()
    run = Run(env)
    sheet = run.refresh(tooltips=True)
    check_equal(sheet.ex_style & X.WS_EX_CONTEXTHELP, 0, "context-help button")
    check_equal([t["text"] for t in sheet.data["tabs"]],
                ["Graphic / Audio Settings", "Keyboard Settings", "Joystick Settings"],
                "tabs")
    check_tooltips(sheet, X.GRAPHIC_AUDIO_PAGE, X.GRAPHIC_AUDIO_TOOLTIPS)
    _, text, one_line = show_tip(run, X.GRAPHIC_AUDIO_PAGE, 1000)
    check_equal(text, X.GRAPHIC_AUDIO_TOOLTIPS[1000], "tip of Window Mode")

    run.open_tab(X.KEYBOARD_PAGE)
    sheet = run.refresh(entries=1054, tooltips=True)
    check_tooltips(sheet, X.KEYBOARD_PAGE, X.KEYBOARD_TOOLTIPS)
    start = sheet.control(X.KEYBOARD_PAGE, 1054)
    check_equal(start["entries"], X.KEY_NAMES, "entries of the Start list")
    check_equal(start["entries"][74:76], ["\uff0f", "\uff3c"], "the fullwidth key names")
    check_equal(start["values"], X.KEY_CODES, "scan codes of the Start list")
    for control_id in range(1041, 1055):
        check_equal(sheet.control(X.KEYBOARD_PAGE, control_id)["count"], len(X.KEY_NAMES),
                    f"entries in list {control_id}")
    check_equal([sheet.list_text(X.KEYBOARD_PAGE, i) for i in (1041, 1042, 1043, 1044)],
                ["W", "S", "A", "D"], "Up, Down, Left, Right of Player 1")
    # Only the lists and the push button are tab stops (the button manager
    # gives a radio button a tab stop while it is checked); the player radio
    # buttons start the second group.
    tab_stops = {c["id"] for c in sheet.controls(X.KEYBOARD_PAGE)
                 if c["style"] & X.WS_TABSTOP and not c.get("checked")}
    check_equal(tab_stops, set(range(1041, 1055)) | {1020}, "tab stops of the Keyboard page")
    groups = {c["id"] for c in sheet.controls(X.KEYBOARD_PAGE)
              if c["style"] & X.WS_GROUP and c["class"] != "Static"}
    check_equal(groups, {1002}, "groups started by the Keyboard page's buttons")

    # "Player 1" has no tip; the Start list's tip has three lines.
    env.hover(sheet.control(X.KEYBOARD_PAGE, 1002)["rect"])
    time.sleep(1.5)  # longer than the tip delay: nothing may show meanwhile
    check_equal(visible_tips(run.refresh(tooltips=True)), [], "tips shown over Player 1")
    _, text, three_lines = show_tip(run, X.KEYBOARD_PAGE, 1054)
    check_equal(text, X.KEYBOARD_TOOLTIPS[1054], "tip of the Start list")
    one_height = one_line[3] - one_line[1]
    three_height = three_lines[3] - three_lines[1]
    check(three_height > 2 * one_height - 8,
          f"the Start tip ({three_height} px high) is not three lines of {one_height} px")

    run.open_tab(X.JOYSTICK_PAGE)
    sheet = run.refresh(tooltips=True)
    check_tooltips(sheet, X.JOYSTICK_PAGE, X.JOYSTICK_TOOLTIPS)
    run.finish("cancel", CANCEL_RESULT)


def scenario_joystick_page_without_joystick(env):
    """Only "None  " in every list, grey Advanced boxes; Apply writes NoInput
    to entries 0-13 and 0 to 14-23 of Player 1."""
    env.remove_settings()
    run = Run(env)
    run.open_tab(X.JOYSTICK_PAGE)
    sheet = run.refresh(entries=1041)
    check_equal(sheet.control(X.JOYSTICK_PAGE, 1041)["entries"], ["None  "], "entries of Up")
    check_equal(sheet.control(X.JOYSTICK_PAGE, 1041)["values"], [X.NO_INPUT], "value of None")
    for control_id in range(1041, 1055):
        control = sheet.control(X.JOYSTICK_PAGE, control_id)
        check_equal(control["count"], 1, f"entries in list {control_id}")
        check_equal(control["selectedText"], "None  ", f"selection of list {control_id}")
    for control_id in (1011, 1012, 1013):
        check(not sheet.enabled(X.JOYSTICK_PAGE, control_id), f"{control_id} is not grey")
    check_equal(sheet.checked(X.JOYSTICK_PAGE, 1002), 1, "Player 1 checked")
    check(not sheet.button("apply")["enabled"], "Apply enabled before any change")
    # "Default Settings" rebuilds Player 1 from the (absent) joystick 1 and
    # enables Apply.
    run.click_control(X.JOYSTICK_PAGE, 1020)
    run.refresh("Apply to be enabled", lambda s: s.button("apply")["enabled"])
    run.click_button("apply")
    wait_for("Apply to write the file", lambda: env.read_settings() is not None, timeout=20)
    run.finish("cancel", CANCEL_RESULT)
    data = env.read_settings()
    wanted = bytearray(X.default_record())
    for entry in range(14, 24):
        wanted[X.JOYSTICK + entry * 4:X.JOYSTICK + entry * 4 + 4] = b"\0\0\0\0"
    check_bytes(data, bytes(wanted), "setting.cfg after Apply on the joystick page")
    for entry in range(14):
        check_equal(X.joystick_entry(data, 0, entry), X.NO_INPUT, f"player 1 entry {entry}")


def check_nothing_cut(sheet, page):
    """Every control of the page lies inside the page's room on the sheet."""
    left, top, right, bottom = sheet.data["rect"]
    floor = sheet.button("ok")["rect"][1]
    for control in sheet.controls(page):
        c_left, c_top, c_right, c_bottom = control["rect"]
        check(left < c_left and c_right < right and top < c_top and c_bottom < floor,
              f"page {page}: control {control['id']} ({control['text']!r}) at "
              f"{control['rect']} is cut by the sheet {sheet.data['rect']}")


def scenario_screenshots(env):
    """The three pages as a player sees them, for the README; none is cut."""
    env.remove_settings()
    folder = os.path.join(env.root, "screenshots")
    os.makedirs(folder, exist_ok=True)
    run = Run(env)
    names = ["graphic-audio", "keyboard", "joystick"]
    for page, name in enumerate(names):
        sheet = run.open_tab(page) if page else run.refresh()
        check_nothing_cut(sheet, page)
        # Let the page finish painting: the screenshot must show it whole.
        time.sleep(0.3)
        env.screenshot(os.path.join(folder, f"page-{name}.png"), sheet.data["rect"])
    run.finish("cancel", CANCEL_RESULT)
    for name in names:
        check(os.path.getsize(os.path.join(folder, f"page-{name}.png")) > 1000,
              f"screenshot of {name} is empty")


SCENARIOS = {
    name[len("scenario_"):]: function
    for name, function in globals().items() if name.startswith("scenario_")
}


def main(argv):
    if len(argv) >= 2 and argv[1] == "list":
        print("\n".join(SCENARIOS))
        return 0
    if len(argv) == 7 and argv[1] == "setup":
        Environment.create(*argv[2:7])
        return 0
    if len(argv) == 3 and argv[1] == "cleanup":
        if Environment.exists(argv[2]):
            Environment.load(argv[2]).destroy()
        return 0
    if len(argv) == 4 and argv[1] == "run":
        env = Environment.load(argv[2])
        scenario = SCENARIOS[argv[3]]
        started = time.monotonic()
        try:
            scenario(env)
        except Failure as failure:
            print(f"FAILED {argv[3]}: {failure}")
            return 1
        finally:
            # Leave no copy running for the next scenario.
            for process in Run.started:
                if process.poll() is None:
                    process.kill()
                    process.wait()
        print(f"passed {argv[3]} in {time.monotonic() - started:.1f} s")
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
