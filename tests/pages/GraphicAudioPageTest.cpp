#include <gtest/gtest.h>

#include <cerrno>

#include "pages/PageHarness.h"
#include "settings/Defaults.h"

namespace ravel {
namespace {

using testing::Harness;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// The shader-less, soundless and full defaults as a player would read them.
TEST(GraphicAudioPage, StartUpWithoutAFileFollowsTheProbes) {
    struct Case {
        bool shaders, sound;
        uint8_t colour, effects, soundOff;
    };
    for (const Case c : {Case{true, true, 1, 0, 0}, Case{false, true, 0, 1, 0},
                         Case{true, false, 1, 0, 1}, Case{false, false, 0, 1, 1}}) {
        SCOPED_TRACE(::testing::Message() << "shaders " << c.shaders << " sound " << c.sound);
        Harness h;
        h.graphics.available = c.shaders;
        h.sound.available = c.sound;
        h.Start();
        const SettingsRecord& r = h.editor.settings;
        EXPECT_EQ(r.fullscreenColour, c.colour);
        EXPECT_EQ(r.textureColour, c.colour);
        EXPECT_EQ(r.pixelShader, c.shaders ? 1 : 0);
        EXPECT_EQ(r.paletteEffects, c.effects);
        EXPECT_EQ(r.allSoundsOff, c.soundOff);
        EXPECT_EQ(r.musicOff, c.soundOff);

        auto& d = h.graphic;
        EXPECT_TRUE(d.Checked(c.colour != 0 ? 1002 : 1001));
        EXPECT_FALSE(d.Checked(1000));
        EXPECT_EQ(d.Enabled(1014), c.shaders);
        EXPECT_EQ(d.Checked(1014), c.shaders);
        // Shaders fix texture colour and effects.
        EXPECT_EQ(d.Enabled(1007), !c.shaders);
        EXPECT_EQ(d.Enabled(1006), !c.shaders);
        EXPECT_EQ(d.Enabled(1017), c.sound);
        EXPECT_EQ(d.Checked(1017), !c.sound);
        EXPECT_EQ(d.Checked(1011), !c.sound);
        EXPECT_EQ(d.Enabled(1011), c.sound);
        EXPECT_EQ(d.Enabled(1009), c.sound);
        EXPECT_TRUE(d.Checked(1004));
        EXPECT_TRUE(d.Checked(1015));
        EXPECT_TRUE(d.Checked(1009));
        EXPECT_TRUE(d.Enabled(1012));
        EXPECT_FALSE(d.Checked(1012));
        EXPECT_EQ(d.changedCount, 0);
    }
}

TEST(GraphicAudioPage, PixelShaderVersionDecidesSupport) {
    for (const auto& [version, available, supported] :
         {std::tuple{0xFFFF0101u, true, 1u}, std::tuple{0xFFFF0100u, true, 1u},
          std::tuple{0xFFFF0000u, true, 0u}, std::tuple{0xFFFF00FFu, true, 0u},
          std::tuple{0x00000300u, true, 0u}, std::tuple{0xFFFF0104u, false, 0u}}) {
        Harness h;
        h.graphics.version = version;
        h.graphics.available = available;
        h.Start();
        EXPECT_EQ(h.editor.capabilities.pixelShaderSupported, supported) << std::hex << version;
    }
}

TEST(GraphicAudioPage, LoadedFileIsKeptButWhatTheHardwareLacksIsForcedOff) {
    Harness h;
    SettingsRecord file{};
    ResetAllSettings(file, CapabilityFlags{1, 1}, JoystickCapsTable{});
    file.pixelShader = 1;
    file.allSoundsOff = 0;
    file.musicOff = 0;
    file.introMovieOff = 1;
    file.JoystickTable[2][0] = 0x3100001F;  // a joystick no longer attached
    h.WriteFile(file);
    h.graphics.available = false;
    h.sound.available = false;
    h.input.controllers = {{kDiOk, testing::Joystick(4)}};
    h.Start();
    const SettingsRecord& r = h.editor.settings;
    EXPECT_EQ(r.pixelShader, 0);
    EXPECT_EQ(r.allSoundsOff, 1);
    EXPECT_EQ(r.musicOff, 1);
    EXPECT_EQ(r.introMovieOff, 1);
    EXPECT_EQ(r.textureColour, 1);  // kept from the file
    // Empty players were rebuilt from the joystick now attached, others kept.
    EXPECT_EQ(r.JoystickTable[0][4], 0x1000000u);
    EXPECT_EQ(r.JoystickTable[2][0], 0x3100001Fu);
    EXPECT_EQ(r.JoystickTable[1][0], NoInput);
}

TEST(GraphicAudioPage, ShortFileKeepsZerosAndRepairsEveryJoystickPlayer) {
    Harness h;
    h.WriteFile(testing::Pattern(100, 3));
    h.input.controllers = {{kDiOk, testing::Joystick(4)}};
    h.Start();
    const auto* bytes = reinterpret_cast<const unsigned char*>(&h.editor.settings);
    EXPECT_EQ(bytes[99], testing::Pattern(100, 3)[99]);
    EXPECT_EQ(h.editor.settings.JoystickTable[0][0], 0x2000002u);  // rebuilt: it was all zeros
    EXPECT_EQ(h.editor.settings.JoystickTable[3][0], NoInput);
    EXPECT_EQ(h.editor.settings.fullscreen, 0);  // the file said nothing about it
}

// One user click and what it must do to the record and the sheet.
struct CommandCase {
    const char* what;
    void (*before)(SettingsRecord&);
    int click;
    void (*after)(SettingsRecord&);  // the expected change; null = none
    bool notifies;
};

TEST(GraphicAudioPage, EveryCommand) {
    const CommandCase cases[] = {
        {"window mode from full screen", nullptr, 1000,
         [](SettingsRecord& r) {
             r.fullscreen = 0;
             r.aspectRatio = 0;
         },
         true},
        {"window mode again", [](SettingsRecord& r) { r.fullscreen = 0; }, 1000, nullptr, false},
        {"high colour full screen", nullptr, 1001,
         [](SettingsRecord& r) { r.fullscreenColour = 0; }, true},
        {"high colour from window", [](SettingsRecord& r) { r.fullscreen = 0; }, 1001,
         [](SettingsRecord& r) {
             r.fullscreen = 1;
             r.fullscreenColour = 0;
         },
         true},
        {"true colour again", nullptr, 1002, nullptr, false},
        {"30FPS", nullptr, 1003, [](SettingsRecord& r) { r.frameRate = 0; }, true},
        {"60FPS again", nullptr, 1004, nullptr, false},
        {"30FPS again", [](SettingsRecord& r) { r.frameRate = 0; }, 1003, nullptr, false},
        {"60FPS", [](SettingsRecord& r) { r.frameRate = 0; }, 1004,
         [](SettingsRecord& r) { r.frameRate = 1; }, true},
        {"simple effects", [](SettingsRecord& r) { r.pixelShader = 0; }, 1006,
         [](SettingsRecord& r) { r.paletteEffects = 1; }, true},
        {"standard again", [](SettingsRecord& r) { r.pixelShader = 0; }, 1005, nullptr, false},
        {"high colour textures", [](SettingsRecord& r) { r.pixelShader = 0; }, 1007,
         [](SettingsRecord& r) { r.textureColour = 0; }, true},
        {"44Khz", nullptr, 1010, [](SettingsRecord& r) { r.soundFrequency = 1; }, true},
        {"22Khz again", nullptr, 1009, nullptr, false},
        {"without BGM", nullptr, 1011, [](SettingsRecord& r) { r.musicOff = 1; }, true},
        {"aspect ratio", nullptr, 1012, [](SettingsRecord& r) { r.aspectRatio = 1; }, true},
        {"the unnamed sound box", nullptr, 1013, [](SettingsRecord& r) { r.extraSoundOption = 1; },
         true},
        {"pixel shader off", nullptr, 1014, [](SettingsRecord& r) { r.pixelShader = 0; }, true},
        {"pixel shader on",
         [](SettingsRecord& r) {
             r.pixelShader = 0;
             r.textureColour = 0;
             r.paletteEffects = 1;
         },
         1014,
         [](SettingsRecord& r) {
             r.pixelShader = 1;
             r.textureColour = 1;
             r.paletteEffects = 0;
         },
         true},
        {"v-sync off", nullptr, 1015, [](SettingsRecord& r) { r.verticalSync = 0; }, true},
        {"no intro", nullptr, 1016, [](SettingsRecord& r) { r.introMovieOff = 1; }, true},
        {"all sounds off", nullptr, 1017,
         [](SettingsRecord& r) {
             r.allSoundsOff = 1;
             r.musicOff = 1;
         },
         true},
        {"sounds back on keeps BGM off",
         [](SettingsRecord& r) {
             r.allSoundsOff = 1;
             r.musicOff = 1;
         },
         1017, [](SettingsRecord& r) { r.allSoundsOff = 0; }, true},
        {"default settings",
         [](SettingsRecord& r) {
             r.frameRate = 0;
             r.introMovieOff = 1;
             r.aspectRatio = 1;
         },
         1020,
         [](SettingsRecord& r) {
             r.frameRate = 1;
             r.introMovieOff = 0;
             r.aspectRatio = 0;
         },
         false},
        {"a label's id does nothing", nullptr, -1, nullptr, false},
        {"a list id this page lacks does nothing", nullptr, 1041, nullptr, false},
        // A damaged pair value: the pair's buttons no longer act.
        {"frame rate 2, 30FPS", [](SettingsRecord& r) { r.frameRate = 2; }, 1003, nullptr, false},
        {"frame rate 2, 60FPS", [](SettingsRecord& r) { r.frameRate = 2; }, 1004, nullptr, false},
        {"effects 2, standard",
         [](SettingsRecord& r) {
             r.pixelShader = 0;
             r.paletteEffects = 2;
         },
         1005, nullptr, false},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.what);
        Harness h;
        h.Start();  // shaders and sound: all defaults on
        if (c.before != nullptr) {
            c.before(h.editor.settings);
            h.graphicPage->Refresh();
        }
        SettingsRecord expected = h.editor.settings;
        if (c.after != nullptr) {
            c.after(expected);
        }
        if (h.graphic.Find(c.click) != nullptr) {
            h.graphic.Click(c.click);
        } else {
            h.graphicPage->OnCommand(c.click, kBnClicked);  // no such control to click
        }
        EXPECT_EQ(0, std::memcmp(&expected, &h.editor.settings, sizeof expected));
        EXPECT_EQ(h.graphic.changedCount, c.notifies ? 1 : 0);
    }
}

TEST(GraphicAudioPage, EnableRulesFollowEachChange) {
    Harness h;
    h.Start();
    auto& d = h.graphic;
    d.Click(1012);
    ASSERT_TRUE(d.Checked(1012));

    // Window mode clears and greys Aspect Ratio; full screen brings it back unchecked.
    d.Click(1000);
    EXPECT_FALSE(d.Checked(1012));
    EXPECT_FALSE(d.Enabled(1012));
    d.Click(1001);
    EXPECT_TRUE(d.Enabled(1012));
    EXPECT_FALSE(d.Checked(1012));

    // Shaders on: TrueColor textures, Standard effects, all four grey.
    d.Click(1014);
    EXPECT_FALSE(d.Checked(1014));
    for (int id : {1005, 1006, 1007, 1008}) {
        EXPECT_TRUE(d.Enabled(id)) << id;
    }
    d.Click(1007);
    d.Click(1006);
    d.Click(1014);
    EXPECT_TRUE(d.Checked(1008));
    EXPECT_TRUE(d.Checked(1005));
    for (int id : {1005, 1006, 1007, 1008}) {
        EXPECT_FALSE(d.Enabled(id)) << id;
    }

    // All sounds off checks and greys BGM, greys 1013 and the frequencies.
    d.Click(1017);
    EXPECT_TRUE(d.Checked(1011));
    for (int id : {1011, 1013, 1009, 1010}) {
        EXPECT_FALSE(d.Enabled(id)) << id;
    }
    d.Click(1017);
    EXPECT_TRUE(d.Enabled(1011));
    EXPECT_TRUE(d.Enabled(1013));
    EXPECT_TRUE(d.Checked(1011));
    EXPECT_FALSE(d.Enabled(1009));
    EXPECT_FALSE(d.Enabled(1010));
    d.Click(1011);
    EXPECT_TRUE(d.Enabled(1009));
    EXPECT_TRUE(d.Enabled(1010));
}

TEST(GraphicAudioPage, DefaultSettingsWithoutSoundKeepSoundOff) {
    Harness h;
    h.sound.available = false;
    h.Start();
    h.graphic.Click(1020);
    EXPECT_TRUE(h.graphic.Checked(1017));
    EXPECT_TRUE(h.graphic.Checked(1011));
    EXPECT_FALSE(h.graphic.Enabled(1017));
    EXPECT_FALSE(h.graphic.Enabled(1011));
    EXPECT_EQ(h.graphic.changedCount, 0);
}

TEST(GraphicAudioPage, DamagedPairValueLeavesTheFirstButtonUnchecked) {
    Harness h;
    SettingsRecord file{};
    ResetAllSettings(file, CapabilityFlags{1, 1}, JoystickCapsTable{});
    file.textureColour = 2;
    file.soundFrequency = 7;
    h.WriteFile(file);
    h.Start();
    EXPECT_FALSE(h.graphic.Checked(1007));
    EXPECT_FALSE(h.graphic.Checked(1009));
    h.graphic.Click(1020);
    EXPECT_EQ(h.editor.settings.textureColour, 1);
    EXPECT_EQ(h.editor.settings.soundFrequency, 0);
    EXPECT_TRUE(h.graphic.Checked(1009));
}

TEST(GraphicAudioPage, ApplyWritesTheWholeRecord) {
    Harness h;
    h.Start();
    h.graphic.Click(1003);
    h.Apply();
    const SettingsRecord written = h.FileRecord();
    EXPECT_EQ(h.File().size(), kSettingsSize);
    EXPECT_EQ(0, std::memcmp(&written, &h.editor.settings, sizeof written));
    EXPECT_EQ(written.frameRate, 0);
}

// Every page's Apply reports its save; only a platform that reports keeps
// the sheet open after a failure (config.exe closes as it always has).
int reportedError = -100;
bool RecordSave(const char*, int error) {
    reportedError = error;
    return true;
}

TEST(GraphicAudioPage, EveryPagesFailedSaveIsReportedAndKeepsTheSheetOpen) {
    TempFolder folder;
    const std::string notAFolder = folder.path() + "/file";
    WriteBytes(notAFolder, {1, 2, 3});
    const std::string unwritable = notAFolder + "/Ravelstone/setting.cfg";
    for (int page = 0; page < 3; ++page) {
        for (bool reports : {false, true}) {
            for (bool writable : {true, false}) {
                SCOPED_TRACE(::testing::Message() << "page " << page << (reports ? " reports" : "")
                                                  << (writable ? " writable" : " unwritable"));
                Harness h(writable ? nullptr : unwritable.c_str());
                h.platform.reportSave = reports ? RecordSave : nullptr;
                reportedError = -100;
                h.Start();
                h.OpenKeyboard();
                h.OpenJoystick();
                Page* pages[] = {h.graphicPage.get(), h.keyboardPage.get(), h.joystickPage.get()};
                const int answer = pages[page]->OnNotify(kPsnApply);
                EXPECT_EQ(answer, reports && !writable ? kPsnRetInvalid : 0);
                EXPECT_EQ(reportedError, !reports ? -100 : writable ? 0 : ENOTDIR);
            }
        }
    }
    EXPECT_EQ(ReadBytes(notAFolder), (std::vector<unsigned char>{1, 2, 3}));
}

TEST(GraphicAudioPage, TooltipsCarryTheirTexts) {
    Harness h;
    h.Start();
    auto* window = h.graphic.Find(1000);
    EXPECT_EQ(
        window->tooltip,
        "Startup the game using the actual screen.  A high-spec machine is needed by fullscreen");
    EXPECT_EQ(h.graphic.Find(1009)->tooltip, "BGM" + std::string(19, '?'));
    EXPECT_EQ(h.graphic.Find(1010)->tooltip, "BGM" + std::string(11, '?'));
    EXPECT_FALSE(h.graphic.Find(1013)->hasTooltip);
    EXPECT_FALSE(h.graphic.Find(1020)->hasTooltip);
    int withTooltip = 0;
    for (int id = 1000; id <= 1020; ++id) {
        auto* control = h.graphic.Find(id);
        withTooltip += control != nullptr && control->hasTooltip ? 1 : 0;
    }
    EXPECT_EQ(withTooltip, 17);
}

}  // namespace
}  // namespace ravel
