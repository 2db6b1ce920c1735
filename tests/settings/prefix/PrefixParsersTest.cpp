// The launcher and registry files as the launchers and Wine write them, and
// as a damaged disk or a hand edit leaves them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/prefix/HeroicConfig.h"
#include "settings/prefix/LutrisYaml.h"
#include "settings/prefix/Vdf.h"
#include "settings/prefix/WineRegistry.h"

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
        // A Japanese user name in upper-case hex, the bounds of each UTF-8 length, halves of pairs alone.
        {H, R"({"defaultWinePrefix": "/home/\u30B2\u30FC\u30E0/\ud800x\uDFFF\u0800\ud800\udc00\ud800\ue000"})",
         "/home/\xe3\x82\xb2\xe3\x83\xbc\xe3\x83\xa0/\xef\xbf\xbd" "x\xef\xbf\xbd\xe0\xa0\x80\xf0\x90\x80\x80\xef\xbf\xbd\xee\x80\x80"},
        {H, R"({"note": "\"defaultWinePrefix\": \"/in/a/value\"", "other": 1})", ""},
        {H, R"({"list": ["defaultWinePrefix", "/a"]})", ""},
        {H, R"({"defaultWinePrefix": null, "x": "/b"})", ""},
        {H, R"({"defaultWinePrefix": "/unterminated)", ""},
        {H, R"({"a": "bad \q escape", "defaultWinePrefix": "/c"})", ""},
        {H, R"({"defaultWinePrefix": "\ud800 lone"})", "\xef\xbf\xbd lone"},
        {H, "", ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(c.read(c.text), c.prefix) << c.text;
    }
}

constexpr RegistrySays N = RegistrySays::Nothing;
constexpr RegistrySays No = RegistrySays::No;

TEST(WineRegistryFile, AnswersOnlyWhatTheRightKeySays) {
    // clang-format off
    const struct {
        const char* name;
        const char* text;
        RegistrySays shaders, d3d8, sound;
    } cases[] = {
        {"all three",
         "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n\n"
         "[Software\\\\Wine\\\\Direct3D] 1700000000\n#time=1da0000000000\n\"MaxShaderModelPS\"=dword:00000000\n\n"
         "[Software\\\\Wine\\\\DllOverrides] 1700000000\n\"d3d8\"=\"\"\n\n[Software\\\\Wine\\\\Drivers] 1700000000\n\"Audio\"=\"\"\n",
         No, No, No},
        {"non-zero and enabled values",
         "[Software\\\\Wine\\\\Direct3D]\n\"MaxShaderModelPS\"=dword:00000001\n[Software\\\\Wine\\\\DllOverrides]\n"
         "\"d3d8\"=\"native,builtin\"\n[Software\\\\Wine\\\\Drivers]\n\"Audio\"=\"pulse\"\n", N, N, N},
        {"string zero, *d3d8, an expandable string, case of names",
         "[software\\\\wine\\\\direct3d]\r\n\"maxshadermodelps\"=\"0\"\r\n[Software\\\\Wine\\\\DllOverrides]\r\n\"*d3d8\"=\"\"\r\n"
         "[Software\\\\Wine\\\\Drivers]\r\n\"Audio\"=str(2):\"\"\r\n", No, No, No},
        {"d3d8 before *d3d8, as Wine looks them up; a shader model of \"1\"",
         "[Software\\\\Wine\\\\DllOverrides]\n\"*d3d8\"=\"\"\n\"d3d8\"=\"b\"\n[Software\\\\Wine\\\\Direct3D]\n"
         "\"MaxShaderModelPS\"=\"1\"\n", N, N, N},
        {"load order naming no known kind disables", "[Software\\\\Wine\\\\DllOverrides]\n\"d3d8\"=\" , s\"\n", N, No, N},
        {"same value names in other sections",
         "[Software\\\\Wine\\\\Direct3D\\\\Other]\n\"MaxShaderModelPS\"=dword:0\n[Software\\\\Wine\\\\AppDefaults\\\\game.exe\\\\"
         "DllOverrides]\n\"d3d8\"=\"\"\n[Software\\\\Wine\\\\Drivers2]\n\"Audio\"=\"\"\n\"MaxShaderModelPS\"=dword:0\n"
         "[Software\\\\Wine\\\\Direct3D]\n\"Audio\"=\"\"\n[Software\\\\Wine\\\\Drivers]\n\"Graphics\"=\"\"\n", N, N, N},
        {"commented out", "[Software\\\\Wine\\\\Direct3D]\n#\"MaxShaderModelPS\"=dword:0\n;\"x\"=\"\"\n", N, N, N},
        {"other value types",
         "[Software\\\\Wine\\\\Direct3D]\n\"MaxShaderModelPS\"=hex:00,00,00,00\n[Software\\\\Wine\\\\Drivers]\n"
         "\"Audio\"=dword:00000000\n[Software\\\\Wine\\\\DllOverrides]\n\"d3d8\"=dword:0\n", N, N, N},
        {"continued lines and escaped names",
         "[Software\\\\Wine\\\\Dire\\\n  ct3D]\n\"Max\\\n   ShaderModelPS\"=dword:\\\n 00000000\n"
         "[Software\\\\Wine\\\\Drivers]\n\"\\x41udio\"=\"\"\n", No, N, No},
        {"damaged lines are skipped, later good ones still count",
         "[Software\\\\Wine\\\\Direct3D\n\"MaxShaderModelPS\"=dword:0\n[Software\\\\Wine\\\\Direct3D]\n"
         "\"MaxShaderModelPS\"=dword:zz\n\"MaxShaderModelPS\n\"MaxShaderModelPS\"dword:0\n\"MaxShaderModelPS\"=dword:123456789\n"
         "[Software\\\\Wine\\\\Drivers]\n\"Audio\"=\"\n\"Audio\"=\"\"\n\"Audio\"\"pulse\"\n", N, N, No},
        {"the last value written counts",
         "[Software\\\\Wine\\\\Direct3D]\n\"MaxShaderModelPS\"=dword:0\n\"MaxShaderModelPS\"=dword:2\n", N, N, N},
        {"empty", "", N, N, N},
    };
    // clang-format on
    for (const auto& c : cases) {
        const RegistryAnswers answers = ReadRegistryAnswers(c.text);
        EXPECT_EQ(answers.pixelShaders, c.shaders) << c.name;
        EXPECT_EQ(answers.direct3D8, c.d3d8) << c.name;
        EXPECT_EQ(answers.sound, c.sound) << c.name;
        EXPECT_EQ(answers.TakesPixelShaders(),
                  c.shaders == RegistrySays::No || c.d3d8 == RegistrySays::No)
            << c.name;
        EXPECT_EQ(answers.TakesSound(), c.sound == RegistrySays::No) << c.name;
    }
}

}  // namespace
}  // namespace ravel::prefix
