// The launcher files as the launchers write them, and as a damaged disk or a
// hand edit leaves them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/prefix/HeroicConfig.h"
#include "settings/prefix/LutrisYaml.h"
#include "settings/prefix/Vdf.h"

namespace ravel::prefix {
namespace {

TEST(LibraryFolders, NamesTheLibrariesOfEveryFileForm) {
    // clang-format off
    const struct {
        const char* name;
        const char* text;
        bool readable;
        std::vector<std::string> paths;
    } cases[] = {
        {"current form, apps ignored",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/.local/share/Steam\"\n\t\t\"label\"\t\t\"\"\n"
         "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/games/SteamLibrary\"\n\t}\n}\n",
         true, {"/home/p/.local/share/Steam", "/mnt/games/SteamLibrary"}},
        {"older flat form", "\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" \"1\" \"/mnt/a\" }", true, {"/mnt/a"}},
        {"comments, escapes, bare tokens and conditions",
         "// made by Steam\nlibraryfolders { \"0\" { path \"/mnt/my \\\"games\\\"\\\\x\" [$LINUX] } }", true, {"/mnt/my \"games\"\\x"}},
        {"path outside a numbered entry", "\"libraryfolders\" { \"path\" \"/nope\" }", true, {}},
        {"another root", "\"other\" { \"0\" { \"path\" \"/nope\" } }", true, {}},
        {"unclosed block", "\"libraryfolders\" { \"0\" { \"path\" \"/mnt/a\" }", false, {}},
        {"stray close", "\"libraryfolders\" { } }", false, {}},
        {"unterminated string", "\"libraryfolders\" { \"0\" { \"path\" \"/mnt/a }}", false, {}},
        {"key without value", "\"libraryfolders\" { \"0\" { \"path\" } }", false, {}},
        {"empty file", "", true, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        std::vector<std::string> paths = {"left over"};
        EXPECT_EQ(ReadLibraryFolders(c.text, paths), c.readable) << c.name;
        EXPECT_EQ(paths, c.paths) << c.name;
    }
}

// Lutris: the prefix of the game mapping only. Heroic: the default prefix key
// wherever it sits, with JSON's escapes.
TEST(LauncherFiles, NameTheGamesPrefix) {
    using Reader = std::string (*)(std::string_view);
    const Reader L = LutrisGamePrefix, H = HeroicDefaultPrefix;
    // clang-format off
    const struct {
        Reader read;
        const char* text;
        const char* prefix;
    } cases[] = {
        {L, "game:\n  exe: /g/r.exe\n  prefix: /home/p/Games/ravel\nsystem: {}\n", "/home/p/Games/ravel"},
        {L, "game:\n  prefix: \"/home/p/My \\\"Games\\\"\"\n", "/home/p/My \"Games\""},
        {L, "game:\n    prefix: '~/it''s here'  \n", "~/it's here"},
        {L, "game:\r\n  prefix: ~/Games/ravel # moved\r\n", "~/Games/ravel"},
        {L, "# made by Lutris\ngame:\n\n  # a comment\n  prefix: /a\n", "/a"},
        {L, "wine:\n  prefix: /not/the/game\ngame:\n  exe: x\n", ""},
        {L, "game:\n  args:\n    prefix: /nested\n  exe: x\n", ""},
        {L, "prefix: /top\ngame:\n  exe: x\n", ""},
        {L, "game:\n  prefix: \"/unterminated\n", ""},
        {L, "game:\n  prefix: [/a, /b]\n", ""},
        {L, "game:\n  prefix:\n", ""},
        {L, "game:\n  prefixes: /other\n", ""},
        {L, "\x01\xff game:\n  prefix /x\n", ""},
        {H, R"({"defaultSettings": {"winePrefix": "/x", "defaultWinePrefix": "/home/p/Games/Heroic/Prefixes/default"}})",
         "/home/p/Games/Heroic/Prefixes/default"},
        {H, R"({"defaultWinePrefix" : "~\/Games\\H \"q\" \u00e9\ud83c\udfae"})", "~/Games\\H \"q\" \xc3\xa9\xf0\x9f\x8e\xae"},
        // A Japanese user name in upper-case hex, the bounds of each UTF-8 length.
        {H, R"({"defaultWinePrefix": "/home/\u30B2\u30FC\u30E0/\u07ff\u0800\ud800\udc00\uDBFF\uDFFF\ue000"})",
         "/home/\xe3\x82\xb2\xe3\x83\xbc\xe3\x83\xa0/\xdf\xbf\xe0\xa0\x80\xf0\x90\x80\x80\xf4\x8f\xbf\xbf\xee\x80\x80"},
        {H, R"({"note": "\"defaultWinePrefix\": \"/in/a/value\"", "other": 1})", ""},
        {H, R"({"list": ["defaultWinePrefix", "/a"]})", ""},
        {H, R"({"defaultWinePrefix": null, "x": "/b"})", ""},
        {H, R"({"defaultWinePrefix": "/unterminated)", ""},
        {H, R"({"a": "bad \q escape", "defaultWinePrefix": "/c"})", ""},
        // Half of a surrogate pair alone names no path (Heroic never writes one).
        {H, R"({"defaultWinePrefix": "\ud800 lone"})", ""},
        {H, R"({"defaultWinePrefix": "/a\uDFFF"})", ""},
        {H, "", ""},
        // Values of every kind before the key are passed over; the first key
        // with anything but a string ends the search.
        {H, R"({"a": null, "b": true, "c": -1, "d": 1, "e": 1.5, "f": "s", "g": [[], {}], "defaultWinePrefix": "/p"})", "/p"},
        {H, R"({"defaultWinePrefix": null, "x": {"defaultWinePrefix": "/p"}})", ""},
        {H, R"({"defaultWinePrefix": false, "x": {"defaultWinePrefix": "/p"}})", ""},
        {H, R"({"defaultWinePrefix": -1, "x": {"defaultWinePrefix": "/p"}})", ""},
        {H, R"({"defaultWinePrefix": 1, "x": {"defaultWinePrefix": "/p"}})", ""},
        {H, R"({"defaultWinePrefix": 1.5, "x": {"defaultWinePrefix": "/p"}})", ""},
        {H, R"({"defaultWinePrefix": [], "x": {"defaultWinePrefix": "/p"}})", ""},
        {H, R"({"defaultWinePrefix": {"defaultWinePrefix": "/p"}})", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(c.read(c.text), c.prefix) << c.text;
    }
}

}  // namespace
}  // namespace ravel::prefix
