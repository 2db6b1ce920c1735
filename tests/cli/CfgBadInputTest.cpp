// Whatever import is given that is not a complete export, it says what is
// wrong and where, and the target stays exactly as it was.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "CfgFiles.h"
#include "CfgRunner.h"
#include "cli/JsonMapping.h"

namespace ravel::testing {
namespace {

using cli::Json;

class CfgBadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(target, original);
        WriteBytes(source, ToBytes(DefaultRecord()));
        const CfgResult exported = RunCfg({"export", source});
        ASSERT_EQ(exported.exitCode, 0);
        good = exported.out;
    }

    // Imports `json` and expects a refusal whose message holds `message`.
    void ExpectRefused(const std::string& json, const std::string& message, int exitCode = 3) {
        const CfgResult result = RunCfg({"import", "-", target}, Stdin(json));
        EXPECT_EQ(result.exitCode, exitCode) << result.err;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("nothing written"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(ReadBytes(target), original);
    }

    std::string Edited(const std::function<void(Json&)>& edit) const {
        Json document = Json::parse(good);
        edit(document);
        return document.dump(2);
    }

    TempFolder folder;
    const std::string target = folder.path() + "/setting.cfg";
    const std::string source = folder.path() + "/source.cfg";
    const Bytes original = RandomBytes(700, 3);
    std::string good;
};

TEST_F(CfgBadInput, TextThatIsNoJson) {
    ExpectRefused("", "not valid JSON");
    ExpectRefused("   \n", "not valid JSON");
    ExpectRefused(good.substr(0, good.size() / 2), "not valid JSON");
    ExpectRefused(good + "}", "not valid JSON");
    const Bytes binary = RandomBytes(4096, 11);
    ExpectRefused(std::string(binary.begin(), binary.end()), "not valid JSON");
    // A string that is not UTF-8.
    std::string latin = good;
    latin.replace(latin.find("\"W\""), 3, "\"\xe9\"");
    ExpectRefused(latin, "not valid JSON");
}

TEST_F(CfgBadInput, HugeOrDeeplyNestedInput) {
    ExpectRefused(std::string(3 << 20, ' ') + good, "more than 1 MiB");
    // However deep and whatever the shape: a later key once made the JSON
    // library copy the deep value level by level until the stack ran out.
    std::string objects;
    for (int i = 0; i < 100000; ++i) {
        objects += "{\"a\":";
    }
    for (const std::string& deep :
         {std::string(200000, '[') + std::string(200000, ']'),
          "{\"x\":" + std::string(50000, '[') + std::string(50000, ']') + ",\"y\":1}",
          objects + "1" + std::string(100000, '}')}) {
        ExpectRefused(deep, "nested more than 64 levels deep");
    }
    // Within the limit it is read, and refused for what it holds.
    ExpectRefused(good.substr(0, good.rfind('}')) + ", \"x\": " + std::string(60, '[') +
                      std::string(60, ']') + "}",
                  ".\"x\": unknown field");
}

TEST_F(CfgBadInput, HalfValidDocumentsNameTheField) {
    struct Case {
        const char* name;
        std::function<void(Json&)> edit;
        const char* message;
    };
    const Case cases[] = {
        {"not an object", [](Json& d) { d = Json::array(); }, ".: must be an object"},
        {"section missing", [](Json& d) { d.erase("Keyboard Settings"); },
         ".\"Keyboard Settings\": missing"},
        {"unknown section", [](Json& d) { d["Mouse Settings"] = Json::object(); },
         ".\"Mouse Settings\": unknown field"},
        {"field missing", [](Json& d) { d["Joystick Settings"]["Player 3"].erase("Kick"); },
         ".\"Joystick Settings\".\"Player 3\".\"Kick\": missing"},
        {"unknown field", [](Json& d) { d["Graphic / Audio Settings"]["Bloom"] = true; },
         ".\"Graphic / Audio Settings\".\"Bloom\": unknown field"},
        {"section of the wrong type", [](Json& d) { d["Joystick Settings"]["Advanced"] = 4; },
         ".\"Joystick Settings\".\"Advanced\": must be an object"},
        {"check box not a boolean",
         [](Json& d) { d["Graphic / Audio Settings"]["Sync V-SYNC"] = "yes"; },
         ".\"Graphic / Audio Settings\".\"Sync V-SYNC\": must be true, false or a byte"},
        {"unknown choice", [](Json& d) { d["Graphic / Audio Settings"]["Frame Rate"] = "120FPS"; },
         ".\"Graphic / Audio Settings\".\"Frame Rate\": must be \"30FPS\", \"60FPS\""},
        {"byte too large", [](Json& d) { d["Graphic / Audio Settings"]["Effects"] = 256; },
         ".\"Graphic / Audio Settings\".\"Effects\": must be"},
        {"negative byte", [](Json& d) { d["Graphic / Audio Settings"]["Effects"] = -1; },
         ".\"Graphic / Audio Settings\".\"Effects\": must be"},
        {"fractional byte", [](Json& d) { d["Graphic / Audio Settings"]["Effects"] = 0.5; },
         ".\"Graphic / Audio Settings\".\"Effects\": must be"},
        {"unknown layout",
         [](Json& d) { d["Keyboard Settings"]["Number of Players"] = "3 Players"; },
         ".\"Keyboard Settings\".\"Number of Players\": must be"},
        {"unknown key name",
         [](Json& d) { d["Keyboard Settings"]["2 Players"]["Player 1"]["Kick"] = "Enter"; },
         ".\"Keyboard Settings\".\"2 Players\".\"Player 1\".\"Kick\": \"Enter\" is neither a key"},
        {"scan code too large",
         [](Json& d) { d["Keyboard Settings"]["4 Players"]["Player 4"]["Slot 23"] = "0x100"; },
         ".\"Keyboard Settings\".\"4 Players\".\"Player 4\".\"Slot 23\": \"0x100\" is neither"},
        {"unknown input name",
         [](Json& d) { d["Joystick Settings"]["Player 2"]["Up"] = "1BUTTON33"; },
         ".\"Joystick Settings\".\"Player 2\".\"Up\": \"1BUTTON33\" is neither an input name"},
        {"code too large",
         [](Json& d) { d["Joystick Settings"]["Player 2"]["Entry 20"] = 4294967296; },
         ".\"Joystick Settings\".\"Player 2\".\"Entry 20\": 4294967296 is neither"},
        {"code of the wrong type",
         [](Json& d) { d["Joystick Settings"]["Player 1"]["Start"] = Json::object(); },
         ".\"Joystick Settings\".\"Player 1\".\"Start\": a value of type object is neither"},
        {"flag not a boolean", [](Json& d) { d["Joystick Settings"]["Advanced"]["Z axis"] = 1; },
         ".\"Joystick Settings\".\"Advanced\".\"Z axis\": must be true or false"},
        {"other bits that have fields",
         [](Json& d) { d["Joystick Settings"]["Advanced"]["Other bits"] = "0x0000000c"; },
         ".\"Joystick Settings\".\"Advanced\".\"Other bits\": must not hold 0x2, 0x4 or 0x8"},
        {"reserved too short", [](Json& d) { d["Reserved"] = Json::array({"0x00"}); },
         ".\"Reserved\": must be an array of two bytes"},
        {"reserved not bytes",
         [](Json& d) {
             d["Reserved"] = Json::array({"0x00", 300});
         },
         ".\"Reserved\"[1]: must be a byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectRefused(Edited(c.edit), c.message);
    }
}

TEST_F(CfgBadInput, AKeyGivenTwiceIsRefused) {
    std::string twice = good;
    const size_t at = twice.find("\"Frame Rate\": \"60FPS\"");
    ASSERT_NE(at, std::string::npos);
    twice.insert(at, "\"Frame Rate\": \"30FPS\", ");
    ExpectRefused(twice, "\"Frame Rate\" appears twice");
}

TEST_F(CfgBadInput, MissingFilesAreExitTwoAndWriteNothing) {
    const CfgResult noJson = RunCfg({"import", folder.path() + "/nothing.json", target});
    EXPECT_EQ(noJson.exitCode, 2);
    EXPECT_NE(noJson.err.find("nothing.json"), std::string::npos) << noJson.err;
    EXPECT_EQ(ReadBytes(target), original);

    const CfgResult folderJson = RunCfg({"import", folder.path(), target});
    EXPECT_EQ(folderJson.exitCode, 2);
    EXPECT_EQ(ReadBytes(target), original);

    for (const char* command : {"show", "export"}) {
        const CfgResult result = RunCfg({command, folder.path() + "/missing.cfg"});
        EXPECT_EQ(result.exitCode, 2) << command;
        EXPECT_NE(result.err.find("missing.cfg: No such file"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/missing.cfg"));
}

TEST_F(CfgBadInput, UnwritableTargetsAreExitFourAndKeepTheirBytes) {
    const std::string json = folder.path() + "/good.json";
    WriteBytes(json, Bytes(good.begin(), good.end()));
    ::chmod(folder.path().c_str(), 0755);
    ::chmod(json.c_str(), 0644);
    ::chmod(target.c_str(), 0444);
    CfgResult result = RunCfg({"import", json, target}, AsNobody());
    EXPECT_EQ(result.exitCode, 4) << result.err;
    EXPECT_NE(result.err.find("cannot write " + target + ": Permission denied"), std::string::npos)
        << result.err;
    EXPECT_EQ(ReadBytes(target), original);

    result = RunCfg({"defaults", target}, AsNobody());
    EXPECT_EQ(result.exitCode, 4) << result.err;
    EXPECT_EQ(ReadBytes(target), original);

    // A folder nobody may write to gets no new file.
    const std::string locked = folder.path() + "/locked";
    std::filesystem::create_directories(locked);
    ::chmod(locked.c_str(), 0555);
    result = RunCfg({"import", json, locked + "/setting.cfg"}, AsNobody());
    EXPECT_EQ(result.exitCode, 4) << result.err;
    EXPECT_FALSE(std::filesystem::exists(locked + "/setting.cfg"));

    // A folder where the file should be.
    result = RunCfg({"defaults", folder.path()});
    EXPECT_EQ(result.exitCode, 4) << result.err;

    const std::string longPath = folder.path() + "/" + std::string(300, 'x') + ".cfg";
    result = RunCfg({"defaults", longPath});
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_NE(result.err.find("longer than 259 characters"), std::string::npos) << result.err;
}

// A pipe would hold the program forever, and /dev/zero would swallow the
// record and report it saved: only regular files are read or written.
TEST_F(CfgBadInput, SpecialFilesAreRefusedWithoutWaiting) {
    const std::string pipe = folder.path() + "/pipe.cfg";
    const std::string zero = folder.path() + "/zero.cfg";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", zero);
    for (const std::string& special : {pipe, zero}) {
        for (const auto& [command, exitCode] : {std::pair{"show", 2}, std::pair{"defaults", 4}}) {
            const CfgResult result = RunCfg({command, special});
            EXPECT_EQ(result.exitCode, exitCode) << command << " " << special;
            EXPECT_NE(result.err.find("it is not a regular file"), std::string::npos) << result.err;
        }
    }
}

TEST_F(CfgBadInput, AFullStandardOutputIsAFailureNotACutText) {
    CfgOptions full;
    full.stdoutPath = "/dev/full";
    for (const char* command : {"export", "show"}) {
        const CfgResult result = RunCfg({command, source}, full);
        EXPECT_EQ(result.exitCode, 4) << command;
        EXPECT_NE(result.err.find("cannot write standard output"), std::string::npos) << result.err;
    }
}

TEST_F(CfgBadInput, WrongUsageIsExit64AndTouchesNothing) {
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"frobnicate"},
        {"show", target, "extra"},
        {"import"},
        {"import", "-", target, "extra"},
        {"show", "--no-sound", target},
        {"defaults", target, "--colour"},
    };
    for (const auto& args : calls) {
        const CfgResult result = RunCfg(args);
        EXPECT_EQ(result.exitCode, 64) << ::testing::PrintToString(args);
        EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(ReadBytes(target), original);

    const CfgResult help = RunCfg({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("import JSON [FILE]"), std::string::npos);
    const CfgResult version = RunCfg({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "ravelstone-cfg 1.0.0.1\n");
}

}  // namespace
}  // namespace ravel::testing
