// ravelstone-cfg. In process: raw hexadecimal and the JSON mapping. As a shell runs it: a row per situation, with its
// exit code, a part of what it prints and the one file it may write, over the JSON fuzz target's seeds.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <sstream>

#include "cli/CfgRunner.h"
#include "cli/JsonMapping.h"
#include "cli/FieldNames.h"
#include "settings/Defaults.h"

namespace ravel::cli {
namespace {

using namespace testing;
namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes Seed(const std::string& name) {
    return ReadBytes(RAVEL_CFG_CORPUS "/" + name);
}

Bytes Defaults(bool pixelShader = true, bool sound = true) {
    SettingsRecord record{};
    ResetAllSettings(record, {pixelShader ? 1u : 0u, sound ? 1u : 0u}, JoystickCapsTable{});
    return Bytes(reinterpret_cast<unsigned char*>(&record), reinterpret_cast<unsigned char*>(&record + 1));
}

TEST(CfgNames, HexReadsOnlyWhatItWrites) {
    uint32_t value = 0;
    EXPECT_TRUE(ParseHex("0x7", 0xFF, value) && value == 7 && ParseHex("0XFFFFFFFF", ~0u, value) && value == ~0u);
    for (const char* text : {"", "0x", "1c", "0x100", "0x1g", "x1", "0x 1", "-0x1", "0x+1", "0x000000001"}) {
        EXPECT_FALSE(ParseHex(text, 0xFF, value)) << text;
    }
}

// The export of four-players.cfg with the value at the JSON pointer `at` replaced by the JSON `value`, or removed.
Json Edited(const std::string& at, const std::string& value) {
    const Bytes text = Seed("four-players.json");
    Json document = Json::parse(text.begin(), text.end());
    const Json::json_pointer pointer(at);
    if (value.empty()) {
        document[pointer.parent_pointer()].erase(pointer.back());
    } else {
        document[pointer] = Json::parse(value);
    }
    return document;
}

TEST(CfgJson, ImportReadsOnlyAWholeExportAndNamesTheFieldsJqPath) {
    // A message, or "=" and the value as export writes it back.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"", "[]", ".: must be an object"},
        {"/Keyboard Settings", "", R"(."Keyboard Settings": missing)"},
        {"/Graphic ~1 Audio Settings/Bloom", "true", R"(."Graphic / Audio Settings"."Bloom": unknown field)"},
        {"/Joystick Settings/Advanced", "4", R"(."Joystick Settings"."Advanced": must be an object)"},
        {"/Graphic ~1 Audio Settings/Sync V-SYNC", R"("yes")", R"("Sync V-SYNC": must be true, false or a byte such as "0x02")"},
        {"/Graphic ~1 Audio Settings/Frame Rate", R"("120FPS")", R"("Frame Rate": must be "30FPS", "60FPS" or a byte)"},
        {"/Graphic ~1 Audio Settings/Effects", "256", R"("Effects": must be "Standard", "Simple" or a byte)"},
        {"/Keyboard Settings/2 Players/Player 1/Kick", R"("Enter")", R"(."Keyboard Settings"."2 Players"."Player 1"."Kick": "Enter" is neither a key)"},
        {"/Keyboard Settings/4 Players/Player 4/Slot 23", "256", R"("Player 4"."Slot 23": 256 is neither)"},
        {"/Joystick Settings/Player 2/Up", R"("1BUTTON33")", R"(."Joystick Settings"."Player 2"."Up": "1BUTTON33" is neither an input)"},
        {"/Joystick Settings/Player 2/Entry 20", "4294967296", R"("Entry 20": 4294967296 is neither)"},
        {"/Joystick Settings/Player 1/Start", "{}", R"("Start": a value of type object is neither)"},
        {"/Joystick Settings/Player 1/Start", R"("1BUTTON12345678901234567890123456789012")", R"("Start": "1BUTTON12345678901234567890123456789... is)"},
        {"/Joystick Settings/Advanced/Z axis", "1", R"("Z axis": must be true or false)"},
        {"/Joystick Settings/Advanced/Other bits", R"("0x0000000c")", R"("Other bits": must not hold 0x2, 0x4 or 0x8)"},
        {"/Joystick Settings/Advanced/Other bits", "true", R"("Other bits": must be a 32-bit value)"},
        {"/Reserved", R"(["0x00"])", R"(."Reserved": must be an array of two bytes)"},
        {"/Reserved", R"(["0x00", 300])", R"(."Reserved"[1]: must be a byte)"},
        // Raw values are read, and exported back by name.
        {"/Graphic ~1 Audio Settings/Frame Rate", "7", R"(="0x07")"},
        {"/Keyboard Settings/2 Players/Player 1/Kick", R"("0X24")", R"(="J")"},
        {"/Joystick Settings/Player 2/Up", R"("None  ")", R"(="None")"},
        {"/Reserved", "[255, 0]", R"(=["0xff", "0x00"])"}};
    for (const auto& [at, value, message] : rows) {
        SettingsRecord record{};
        std::string error;
        const bool read = message[0] == '=';
        EXPECT_EQ(JsonToRecord(Edited(at, value), record, error), read ? 0 : -1) << at;
        EXPECT_TRUE(read ? RecordToJson(record) == Edited(at, message + 1) : error.find(message) != std::string::npos) << error;
    }
}

constexpr const char* kSteam = "/.local/share/Steam/steamapps/compatdata/2231450/pfx";
constexpr const char* kFile = "/AppData/Roaming/Ravelstone/setting.cfg";

struct Row {
    std::string run;  // the arguments, split at spaces
    int exit;
    std::string out = "";   // a part of standard output
    std::string err = "";   // a part of standard error
    std::string file = "";  // the file written, with the folders made for it
    Bytes bytes = {};       // what it holds then
    std::string in = "";    // standard input
    std::string home = "";  // the prefixes in the home: see Furnish()
    std::string wine = "";  // $WINEPREFIX
    bool nobody = false;    // run as nobody, to whom closed.cfg and locked/ are closed
    bool full = false;      // standard output is a full disk
};

// In a row: % the home; %W and %S the settings files of ~/.wine and of the Steam prefix %P; # the seeds.
std::string Expand(std::string text, const std::string& home) {
    const std::pair<std::string, std::string> marks[] = {
        {"%W", home + "/.wine/drive_c/users/player" + kFile}, {"%S", home + kSteam + "/drive_c/users/steamuser" + kFile},
        {"%P", home + kSteam}, {"%", home}, {"#", RAVEL_CFG_CORPUS "/"}};
    for (const auto& [mark, with] : marks) {
        for (size_t at = 0; (at = text.find(mark, at)) != std::string::npos; at += with.size()) {
            text.replace(at, mark.size(), with);
        }
    }
    return text;
}

// Every home holds s.cfg (700 bytes), closed.cfg (mode 0), locked/ (mode 0555), a pipe and a link to /dev/zero.
// Then by `layout`: w ~/.wine, W ~/.wine holding the game's folder, S the Steam prefix holding it, d ~/.wine before
// its first start, p the editor's pick of the Steam prefix (in $XDG_CONFIG_HOME, %/xdg).
void Furnish(const std::string& home, const std::string& layout) {
    WriteBytes(home + "/s.cfg", Pattern(700));
    WriteBytes(home + "/closed.cfg", Pattern(700));
    fs::create_directory(home + "/locked");
    ::mkfifo((home + "/pipe").c_str(), 0644);
    fs::create_symlink("/dev/zero", home + "/zero");
    ::chmod((home + "/closed.cfg").c_str(), 0);
    ::chmod((home + "/locked").c_str(), 0555);
    ::chmod(home.c_str(), 0755);
    const std::string wine = "/.wine/drive_c/users/player/AppData/Roaming", steam = kSteam + std::string("/drive_c/users/steamuser/AppData/Roaming");
    const std::map<char, std::string> folders = {{'w', wine}, {'W', wine + "/Ravelstone"}, {'S', steam + "/Ravelstone"},
                                                 {'d', "/.wine/drive_c"}, {'p', "/xdg/ravelstone-config"}};
    for (const char c : layout) {
        fs::create_directories(home + folders.at(c));
    }
    if (layout.find('p') != std::string::npos) {
        const std::string pick = home + kSteam + "\n";
        WriteBytes(home + "/xdg/ravelstone-config/prefix", Bytes(pick.begin(), pick.end()));
    }
}

void Expect(const Row& row) {
    SCOPED_TRACE(row.run);
    const TempFolder folder;
    const std::string home = fs::canonical(folder.path());
    Furnish(home, row.home);
    std::istringstream words(Expand(row.run, home));
    std::vector<std::string> command = {RAVEL_CFG_PATH};
    command.insert(command.end(), std::istream_iterator<std::string>(words), {});
    const CfgOptions options{row.in, row.nobody, {{"HOME", home}, {"USER", "player"}, {"WINEPREFIX", Expand(row.wine, home)},
                             {"XDG_CONFIG_HOME", home + "/xdg"}, {"XDG_DATA_HOME", ""}}, row.full ? "/dev/full" : ""};
    const auto tree = [&] {
        std::map<std::string, Bytes> files;
        for (const auto& entry : fs::recursive_directory_iterator(home)) {
            files[entry.path()] = entry.is_regular_file() ? ReadBytes(entry.path()) : Bytes{'?'};
        }
        return files;
    };
    auto before = tree();
    const CfgResult result = RunCommand(command, options);
    auto after = tree();
    EXPECT_EQ(result.exitCode, row.exit) << result.err;
    EXPECT_NE(result.out.find(Expand(row.out, home)), std::string::npos) << result.out;
    EXPECT_NE(result.err.find(Expand(row.err, home)), std::string::npos) << result.err;
    EXPECT_TRUE(row.full || result.err.find("ravelstone-cfg: ") == result.err.rfind("ravelstone-cfg: ")) << "one message at most";
    // What a longer file held past the bytes written stays.
    const std::string file = Expand(row.file, home);
    Bytes bytes = row.bytes, old = before.contains(file) ? before.at(file) : Bytes{};
    bytes.insert(bytes.end(), old.begin() + std::min(old.size(), bytes.size()), old.end());
    EXPECT_TRUE(file.empty() || after[file] == bytes) << file;
    const auto written = [&](const auto& entry) { return !file.empty() && (file + "/").starts_with(entry.first + "/"); };
    std::erase_if(before, written);
    std::erase_if(after, written);
    EXPECT_TRUE(before == after) << "other files changed";
}

TEST(CfgCommands, ExitCodeOutputAndFileOfEachCommand) {
    const Bytes four = Seed("four-players.json"), damaged = Seed("all-damages.json");
    const std::string json(four.begin(), four.end()), damagedJson(damaged.begin(), damaged.end()), mebibyte(1 << 20, ' ');
    std::string objects;
    for (int i = 0; i < 100000; ++i) {
        objects += "{\"a\":";
    }
    const Row rows[] = {
        {"--version", 0, "ravelstone-cfg 1.0.0.1\n"},
        {"--help", 0, "\n  import JSON [FILE]      writes the settings of an export"},
        {"export #four-players.cfg", 0, json},
        {"export #all-damages.cfg", 0, damagedJson},
        {"show #defaults-plain.cfg", 0, "\nGraphic / Audio Settings\n  Screen Mode: Full screen (\"Full Scren Mode (HighColor)\")\n"
                                        "  Full screen color: HighColor\n  Texture Color: HighColor\n  Frame Rate: 60FPS\n"
                                        "  Sync V-SYNC: on\n  Pixel Shader: off\n"},
        {"show #four-players.cfg", 0, "\nKeyboard Settings\n  Number of Players: 4 Players\n  2 Players, Player 1\n    Up: W\n"},
        {"show #joystick-inputs.cfg", 0, "\nJoystick Settings\n  Player 1\n    Up: None\n    Down: None\n    Left: 2LEFT\n"},
        {"show #joystick-inputs.cfg", 0, "\n    Start: 4SLD MAX2\n    Entry 14: 0x00000000\n"},
        {"show #joystick-inputs.cfg", 0, "\n  Advanced\n    Rotation axes: off\n    Sliders: on\n    Z axis: on\n"
                                         "    Other bits: 0x00000000\nReserved: 0x00 0x00\n"},
        {"show #damaged-frame-rate.cfg", 0, "\n  Frame Rate: 0x07 (damaged: neither 0 (\"30FPS\") nor 1 (\"60FPS\"))\n"},
        {"show #damaged-layout.cfg", 0, "\n  Number of Players: 0x02 (damaged: neither 0"},
        {"show #damaged-key-outside-table.cfg", 0, "\n    Kick: 0x1c (damaged: not a key of the key table"},
        {"show #damaged-code-two-kinds.cfg", 0, "\n    Start: 0x03000001 (damaged: more than one kind bit"},
        // A player the editor rebuilds has no damaged entries of its own.
        {"show #damaged-repair.cfg", 0, "\n  Player 3 (rebuilt by the editor at start-up: no entry holds an input and some are 0)\n"
                                        "    Up: None\n    Down: None\n    Left: None\n    Right: None\n    H.Slash: 0x00000000\n"},
        {"show #damaged-axis-bits.cfg", 0, "\n    Other bits: 0x00000100 (damaged: unknown bits 0x00000100, which the editor keeps "
                                           "but never uses)\nReserved: 0xab 0x01\n"},
        {"show #short-200.cfg", 0, "\n  Screen Mode: Window Mode\n", "warning: #short-200.cfg is 200 bytes, not 596; the missing bytes read as 0\n"},
        {"show %/s.cfg", 0, "File: %/s.cfg\nGraphic / Audio Settings\n", "is 700 bytes, not 596; the bytes past 596 are not part of the settings\n"},
        // Players with nothing assigned: rebuilt only where a joystick is attached, and no finding.
        {"show #defaults.cfg", 0, "\n  Player 4 (rebuilt by the editor at start-up from the joystick in its slot, if one is attached: "
                                  "no entry holds an input)\n    Up: None\n"},
        {"check #defaults.cfg", 0},
        {"defaults %/s.cfg --no-pixel-shader", 0, "", "wrote %/s.cfg\n", "%/s.cfg", Defaults(false, true)},
        {"defaults --no-sound %/a/s.cfg", 0, "", "", "%/a/s.cfg", Defaults(true, false)},
        {"import - %/new/s.cfg", 0, "", "", "%/new/s.cfg", Seed("all-damages.cfg"), damagedJson},  // damaged values as they were
        {"import - %/s.cfg", 0, "", "wrote %/s.cfg\n", "%/s.cfg", Seed("four-players.cfg"), mebibyte.substr(json.size()) + json},  // 1 MiB
        {"check #damaged-screen-mode.cfg", 1, R"(byte 582 (Graphic / Audio Settings: Screen Mode): holds 0x02, neither 0 ("Window Mode") nor 1 ("Full screen"))", ": 1 finding\n"},
        {"check #damaged-frame-rate.cfg", 1, R"(byte 584 (Graphic / Audio Settings: Frame Rate): holds 0x07, neither 0 ("30FPS") nor 1 ("60FPS"))", ": 1 finding\n"},
        {"check #damaged-vsync.cfg", 1, R"(byte 585 (Graphic / Audio Settings: Sync V-SYNC): holds 0xff, neither 0 (off) nor 1 (on))", ": 1 finding\n"},
        {"check #damaged-layout.cfg", 1, R"(byte 593 (Keyboard Settings: Number of Players): holds 0x02, neither 0 ("2 Players") nor 1 ("4 Players"); the editor shows "2 Players")", ": 1 finding\n"},
        {"check #damaged-key-without-control.cfg", 1, "byte 33 (Keyboard Settings: 2 Players: Player 2: Slot 9): holds 0x24, not 0 in a slot without a control; the editor clears it when it stores this player", ": 1 finding\n"},
        {"check #damaged-key-outside-table.cfg", 1, R"(byte 150 (Keyboard Settings: 4 Players: Player 3: Kick): holds 0x1c, not a key of the key table; the editor shows "None  " and stores 0)", ": 1 finding\n"},
        {"check #damaged-code-out-of-range.cfg", 1, R"(bytes 200-203 (Joystick Settings: Player 1: Left): holds 0x0400000a, hat direction out of range; the editor shows "None  ")", ": 1 finding\n"},
        {"check #damaged-code-without-kind.cfg", 1, R"(bytes 308-311 (Joystick Settings: Player 2: Kick): holds 0x00000005, no kind bit; the editor shows "None  ")", ": 1 finding\n"},
        {"check #damaged-repair.cfg", 1, "bytes 384-479 (Joystick Settings: Player 3): every entry is 0 or None; the editor rebuilds this player's mapping at start-up", ": 1 finding\n"},
        {"check #damaged-code-two-kinds.cfg", 1, R"(bytes 532-535 (Joystick Settings: Player 4: Start): holds 0x03000001, more than one kind bit; the editor names it "1BUTTON2")", ": 1 finding\n"},
        {"check #damaged-axis-bits.cfg", 1, "bytes 576-579 (Joystick Settings: Advanced): unknown bits 0x00000100, which the editor keeps but never uses", ": 1 finding\n"},
        {"check #all-damages.cfg", 1, "", "#all-damages.cfg: 11 findings\n"},
        {"check %/s.cfg", 1, "file: 700 bytes, not 596; the editor ignores the bytes past 596 and keeps them when it saves\n"},
        {"check #short-200.cfg", 1, "file: 200 bytes, not 596; the editor reads them over a record of zeros\n", ": 16 findings\n"},  // the size, 12 zero entries, 3 rebuilt players
        {"show %/missing.cfg", 2, "", "cannot read %/missing.cfg: No such file or directory\n"},
        {"export %/locked", 2, "", "cannot read %/locked: it is a folder\n"},
        {.run = "check %/closed.cfg", .exit = 2, .err = "cannot read %/closed.cfg: Permission denied\n", .nobody = true},
        // Refused without waiting for a writer, or reading zeros forever.
        {"show %/pipe", 2, "", "cannot read %/pipe: it is not a regular file"},
        {"check %/zero", 2, "", "cannot read %/zero: it is not a regular file"},
        {"import %/missing.json %/s.cfg", 2, "", "cannot read %/missing.json: No such file"},
        {"import %/locked %/s.cfg", 2, "", "ravelstone-cfg: cannot read %/locked\n"},
        {"import - %/s.cfg", 3, "", "refused standard input: not valid JSON: ", "", {}, "{"},
        {"import #partial.json %/s.cfg", 3, "", "refused #partial.json: ."},
        {"import - %/s.cfg", 3, "", "refused standard input: the key \"a\" appears twice in one object; nothing", "", {}, R"({"a": 1, "a": 2})"},
        {"import - %/s.cfg", 3, "", R"(refused standard input: ."a": unknown field)", "", {}, R"({"a": {"b": [{"b": 1}]}, "b": 2})"},
        {"import - %/s.cfg", 3, "", "refused standard input: .: must be an object", "", {}, std::string(64, '[') + "1" + std::string(64, ']')},
        {"import - %/s.cfg", 3, "", "objects and arrays nested more than 64 levels deep", "", {}, std::string(65, '[') + std::string(65, ']')},
        {"import - %/s.cfg", 3, "", "refused standard input: more than 1 MiB, far larger than any export; nothing written\n", "", {}, mebibyte.substr(json.size() - 1) + json},
        // Every shape too deep, even where a later key made the JSON library copy the deep value until the stack ran out.
        {"import - %/s.cfg", 3, "", "nested more than 64 levels deep", "", {}, std::string(200000, '[') + std::string(200000, ']')},
        {"import - %/s.cfg", 3, "", "nested more than 64 levels deep", "", {}, "{\"x\":" + std::string(50000, '[') + std::string(50000, ']') + ",\"y\":1}"},
        {"import - %/s.cfg", 3, "", "nested more than 64 levels deep", "", {}, objects + "1" + std::string(100000, '}')},
        {.run = "import - %/closed.cfg", .exit = 4, .err = "cannot write %/closed.cfg: Permission denied\n", .in = json, .nobody = true},
        {.run = "defaults %/locked/s.cfg", .exit = 4, .err = "cannot write %/locked/s.cfg: Permission denied\n", .nobody = true},
        {"defaults %/locked", 4, "", "cannot write %/locked: Is a directory\n"},
        {"import #four-players.json %/pipe", 4, "", "cannot write %/pipe: it is not a regular file"},
        {"defaults %/zero", 4, "", "cannot write %/zero: it is not a regular file"},
        {"defaults %/" + std::string(250, 'x'), 4, "", "the path is longer than 259 characters"},
        {.run = "show #defaults.cfg", .exit = 4, .err = "cannot write standard output\n", .full = true},
        {.run = "check #all-damages.cfg", .exit = 4, .err = "cannot write standard output\n", .full = true},
        {"", 64, "", "ravelstone-cfg: no command given\nTry 'ravelstone-cfg --help'.\n"},
        {"frobnicate", 64, "", "unknown command frobnicate\n"}, {"where extra", 64, "", "where takes no FILE\n"},
        {"show %/s.cfg extra", 64, "", "show takes at most one FILE\n"}, {"import", 64, "", "import takes a JSON file"},
        {"import - %/s.cfg extra", 64, "", "import takes a JSON file (or -) and at most one FILE\n"},
        {"show --no-sound %/s.cfg", 64, "", "--no-pixel-shader and --no-sound belong to the defaults command\n"},
        {"defaults %/s.cfg --colour", 64, "", "unknown option --colour\n"},
        {"defaults --prefix", 64, "", "--prefix needs a PATH\n"}, {"--prefix= defaults", 64, "", "--prefix needs a PATH\n"},
        {"--prefix %/missing defaults", 64, "", "--prefix %/missing: no such folder\n"},
        {"--prefix=%/s.cfg show", 64, "", "--prefix %/s.cfg: no such folder\n"},
        // Without FILE, the file of the Wine prefix the editor would pick.
        {.run = "where", .exit = 0, .out = "Steam (Proton) 2231450: %P\n  holds the game's settings: yes\n  settings file: %S\n"
                                          "  last modified: no file yet\n\nUsed: %S (Steam (Proton) 2231450)\n"
                                          "Rule: the only prefix that holds the game's settings\n", .home = "wS"},
        {.run = "where", .exit = 0, .out = "Used: %S (Steam (Proton) 2231450)\nRule: the only prefix that holds the game's "
                                          "settings ($WINEPREFIX %/.wine holds none of the game's settings)\n", .home = "wS", .wine = "%/.wine"},
        {.run = "where", .exit = 0, .out = "Used: %/not-yet/drive_c/users/player" + std::string(kFile) +
                                          " ($WINEPREFIX not-yet)\nRule: $WINEPREFIX, which does not exist yet: Wine makes", .home = "w", .wine = "%/not-yet"},
        {.run = "where", .exit = 0, .out = "Used: %W (Wine (~/.wine))\nRule: no prefix holds the game's settings yet: ~/.wine", .home = "d"},
        {.run = "where", .exit = 0, .out = "Rule: $WINEPREFIX: no prefix holds the game's settings yet", .home = "w", .wine = "%/.wine"},
        {.run = "where", .exit = 0, .out = "\nUsed: none until chosen: choose one of the prefixes that hold the game's settings with "
                                          "--prefix PATH\nRule: several prefixes hold the game's settings and none is", .home = "WS"},
        {.run = "where", .exit = 0, .out = "No Wine prefix found.\n\nUsed: none: no home folder, or a name longer than 259", .wine = "%/" + std::string(250, 'x')},
        {.run = "show", .exit = 2, .err = "cannot name the editor's settings file", .wine = "%/" + std::string(250, 'x')},
        {.run = "defaults", .exit = 4, .err = "cannot name the editor's settings file", .wine = "%/" + std::string(250, 'x')},
        {.run = "defaults", .exit = 0, .err = "wrote %S\n", .file = "%S", .bytes = Defaults(), .home = "wS"},
        {.run = "import #four-players.json", .exit = 0, .file = "%S", .bytes = Seed("four-players.cfg"), .home = "wS"},
        {.run = "defaults", .exit = 5, .err = "several Wine prefixes hold the game's settings:\n  Wine (~/.wine): %/.wine\n"
                                             "  Steam (Proton) 2231450: %P\nchoose one with --prefix PATH", .home = "WS"},
        {.run = "defaults", .exit = 0, .file = "%S", .bytes = Defaults(), .home = "WSp"},
        {.run = "--prefix=%/.wine defaults", .exit = 0, .file = "%W", .bytes = Defaults(), .home = "WS"},
        {.run = "--prefix %P defaults %/s.cfg", .exit = 0, .file = "%/s.cfg", .bytes = Defaults(), .home = "WS"}};
    for (const Row& row : rows) {
        Expect(row);
    }
}

}  // namespace
}  // namespace ravel::cli
