"""What the tests expect, written down here from the game's documented
defaults and texts, never taken from the program under test."""
import struct

NO_INPUT = 0xFFFFFFFF
RECORD_SIZE = 596

# KeyboardTable rows in raw slot order, slots 0-15 (16-23 are 0).
DEFAULT_KEYBOARD_ROWS = [
    # 2 Players
    "0a 08 09 26 17 18 16 24 30 00 00 39 11 20 1f 1e",
    "49 47 48 51 4c 4d 4b 4f c9 00 00 d1 c8 cd d0 cb",
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
    # 4 Players
    "12 2e 04 20 1f 2d 2c 1e 2a 00 00 1d 03 11 10 02",
    "16 32 08 24 23 31 30 22 39 00 00 79 07 15 14 06",
    "91 2b 0c 92 27 35 34 26 b8 00 00 9d 0b 19 18 0a",
    "49 47 48 51 4c 4d 4b 4f c9 00 00 d1 c8 cd d0 cb",
]

# Record offsets.
KEYBOARD = 0
JOYSTICK = 192
AXIS_OPTIONS = 576
FULLSCREEN_COLOUR = 580
TEXTURE_COLOUR = 581
FULLSCREEN = 582
PIXEL_SHADER = 583
FRAME_RATE = 584
VSYNC = 585
ALL_SOUNDS_OFF = 586
MUSIC_OFF = 587
INTRO_OFF = 588
PALETTE = 589
ASPECT = 590
EXTRA_SOUND = 591
FREQUENCY = 592
PLAYER_LAYOUT = 593
RESERVED = 594


def default_record(pixel_shader=True, sound=True):
    """The full defaults with no joystick attached."""
    record = bytearray(RECORD_SIZE)
    for row, text in enumerate(DEFAULT_KEYBOARD_ROWS):
        record[row * 24:row * 24 + 16] = bytes.fromhex(text)
    for entry in range(4 * 24):
        struct.pack_into("<I", record, JOYSTICK + entry * 4, NO_INPUT)
    ps = 1 if pixel_shader else 0
    off = 0 if sound else 1
    record[FULLSCREEN_COLOUR:RESERVED] = bytes([
        ps,      # fullscreen colour
        ps,      # texture colour
        1,       # fullscreen
        ps,      # pixel shader
        1,       # 60FPS
        1,       # V-SYNC
        off,     # all sounds off
        off,     # music off
        0,       # intro movie
        1 - ps,  # palette: Simple without shaders
        0,       # aspect ratio
        0,       # extra sound option
        0,       # 22Khz
        0,       # layout "2 Players"
    ])
    return bytes(record)


def joystick_entry(record, player, entry):
    return struct.unpack_from("<I", record, JOYSTICK + player * 96 + entry * 4)[0]


# Every keyboard list, in order.
KEY_NAMES = [
    "None  ", "UP", "DOWN", "LEFT", "RIGHT", "SPACE", "SHIFT(LEFT)", "SHIFT(RIGHT)",
    "CTRL(LEFT)", "CTRL(RIGHT)", "ALT(LEFT)", "ALT(RIGHT)", "CONVERT", "NO CONVERT", "-",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R",
    "S", "T", "U", "V", "W", "X", "Y", "Z", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
    "NUMPAD0", "NUMPAD1", "NUMPAD2", "NUMPAD3", "NUMPAD4", "NUMPAD5", "NUMPAD6", "NUMPAD7",
    "NUMPAD8", "NUMPAD9", "Insert", "Delete", "Home", "End", "PageUp", "PageDown", "@", "[",
    "]", ";", ":", ",", ".", "\uff0f", "\uff3c", "F1", "F2", "F3", "F4", "F5", "F6", "F7",
    "F8", "F9", "F10", "F11", "F12",
]

# Their scan codes, in the same order.
KEY_CODES = list(bytes.fromhex(
    "00 c8 d0 cb cd 39 2a 36 1d 9d 38 b8 79 7b 0c"
    " 1e 30 2e 20 12 21 22 23 17 24 25 26 32 31 18 19 10 13 1f 14 16 2f 11 2d 15 2c"
    " 02 03 04 05 06 07 08 09 0a 0b"
    " 52 4f 50 51 4b 4c 4d 47 48 49 d2 d3 c7 cf c9 d1 91 1a 1b 27 92 33 34 35 2b"
    " 3b 3c 3d 3e 3f 40 41 42 43 44 57 58"))
assert len(KEY_CODES) == len(KEY_NAMES) == 88

# Tooltip texts by control, as a person reads them.
GRAPHIC_AUDIO_TOOLTIPS = {
    1000: "Startup the game using the actual screen.  A high-spec machine is needed by fullscreen",
    1001: "Startup the game with 16bit fullscreen, lower cpu usage",
    1002: "Startup the game with 32bit fullscreen, as in the arcade",
    1007: "Use 16bit textures",
    1008: "Use 32bit textures",
    1014: "There is a possible speedup using shaders.",
    1012: "Aspect ratio is preserved when a 4:3 resolution isn't available. "
          "Not necessary in a CRT display",
    1003: "Check if the process runs slow",
    1004: "Same framerate as the arcade",
    1015: "Depending on the enviroment, there are cases where synchronic setting helps smoothness",
    1005: "Process the same -sparks- as the arcade",
    1006: "Simplicity for better performance",
    1016: "Skip Movie Playback",
    1017: "Do not use DirectSound",
    1011: "Do not play BGM",
    1009: "BGM" + "?" * 19,
    1010: "BGM" + "?" * 11,
}

LIST_TOOLTIPS = {
    1041: "Jump",
    1042: "Crouch",
    1043: "Retreat, Guard when character is facing right",
    1044: "Advance when character is facing right",
    1045: "H Slash / Accept",
    1046: "Kick / Cancel",
    1047: "Slash",
    1048: "Punch",
    1049: "Memory",
    1050: "Dust Attack",
    1051: "Taunt",
    1052: "Migration",
    1053: "?" * 10 + "ON?OFF" + "?" * 9,
    1054: "?" * 27 + "\n" + "?" * 23 + "\n" + "?" * 21,
}

KEYBOARD_TOOLTIPS = dict(LIST_TOOLTIPS)
KEYBOARD_TOOLTIPS[1000] = "2" + "?" * 23
KEYBOARD_TOOLTIPS[1001] = "4" + "?" * 23

JOYSTICK_TOOLTIPS = dict(LIST_TOOLTIPS)

# Page indices in the sheet.
GRAPHIC_AUDIO_PAGE, KEYBOARD_PAGE, JOYSTICK_PAGE = 0, 1, 2

# Style bits a tooltip control must carry.
WS_POPUP = 0x80000000
TTS_ALWAYSTIP = 0x1
TTF_IDISHWND_SUBCLASS = 0x11
WS_EX_CONTEXTHELP = 0x400
WS_GROUP = 0x00020000
WS_TABSTOP = 0x00010000
