// The Graphic / Audio page over the fake page window: the start-up from the
// probes and the file, every command's effect on the record and the sheet,
// the enable rules as a player meets them, each page's save and tooltips.
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

#include "pages/PageHarness.h"
#include "pages/StartUp.h"

namespace ravel {
namespace {

using namespace testing;

// The thirteen bytes this page edits (580-592), those that are not 0.
std::string Options(const SettingsRecord& record) {
    SettingsRecord only{};
    std::memcpy(&only.fullscreenColour, &record.fullscreenColour, 13);
    return Diff(SettingsRecord{}, only);
}

// Options | checked | grey once started on `machine` ("shader sound", a part
// of it, or "no probes": a platform without them) and after `clicks`. A row
// without a machine clicks on from the row before.
TEST(GraphicAudioPage, StartUpAndEnableRules) {
    const struct {
        const char *machine, *file, *clicks, *seen;  // file: Edit's edits of the defaults, or none
    } rows[] = {
        // clang-format off
        {"shader sound", nullptr, "", "580=1 581=1 582=1 583=1 584=1 585=1 | 1002 1004 1005 1008 1009 1014 1015 | 1005 1006 1007 1008"},
        // The enable rules as a player meets them.
        {nullptr, nullptr, "1012", "580=1 581=1 582=1 583=1 584=1 585=1 590=1 | 1002 1004 1005 1008 1009 1012 1014 1015 | 1005 1006 1007 1008"},
        {nullptr, nullptr, "1000", "580=1 581=1 583=1 584=1 585=1 | 1000 1004 1005 1008 1009 1014 1015 | 1005 1006 1007 1008 1012"},
        {nullptr, nullptr, "1001", "581=1 582=1 583=1 584=1 585=1 | 1001 1004 1005 1008 1009 1014 1015 | 1005 1006 1007 1008"},
        {nullptr, nullptr, "1014", "581=1 582=1 584=1 585=1 | 1001 1004 1005 1008 1009 1015 | "},
        {nullptr, nullptr, "1007", "582=1 584=1 585=1 | 1001 1004 1005 1007 1009 1015 | "},
        {nullptr, nullptr, "1006", "582=1 584=1 585=1 589=1 | 1001 1004 1006 1007 1009 1015 | "},
        {nullptr, nullptr, "1014", "581=1 582=1 583=1 584=1 585=1 | 1001 1004 1005 1008 1009 1014 1015 | 1005 1006 1007 1008"},
        {nullptr, nullptr, "1017", "581=1 582=1 583=1 584=1 585=1 586=1 587=1 | 1001 1004 1005 1008 1009 1011 1014 1015 1017 | 1005 1006 1007 1008 1009 1010 1011 1013"},
        {nullptr, nullptr, "1017", "581=1 582=1 583=1 584=1 585=1 587=1 | 1001 1004 1005 1008 1009 1011 1014 1015 | 1005 1006 1007 1008 1009 1010"},
        {nullptr, nullptr, "1011", "581=1 582=1 583=1 584=1 585=1 | 1001 1004 1005 1008 1009 1014 1015 | 1005 1006 1007 1008"},
        {"sound", nullptr, "", "582=1 584=1 585=1 589=1 | 1001 1004 1006 1007 1009 1015 | 1014"},
        {"shader", nullptr, "", "580=1 581=1 582=1 583=1 584=1 585=1 586=1 587=1 | 1002 1004 1005 1008 1009 1011 1014 1015 1017 | 1005 1006 1007 1008 1009 1010 1011 1013 1017"},
        {"", nullptr, "", "582=1 584=1 585=1 586=1 587=1 589=1 | 1001 1004 1006 1007 1009 1011 1015 1017 | 1009 1010 1011 1013 1014 1017"},
        {"no probes", nullptr, "", "582=1 584=1 585=1 586=1 587=1 589=1 | 1001 1004 1006 1007 1009 1011 1015 1017 | 1009 1010 1011 1013 1014 1017"},
        // A loaded file is kept, but what the hardware lacks is forced off,
        // also by Default Settings.
        {"", "583=1 586=0 587=0 588=1 590=1", "", "580=1 581=1 582=1 584=1 585=1 586=1 587=1 588=1 590=1 | 1002 1004 1005 1008 1009 1011 1012 1015 1016 1017 | 1009 1010 1011 1013 1014 1017"},
        {nullptr, nullptr, "1017 1014 1020", "582=1 584=1 585=1 586=1 587=1 589=1 | 1001 1004 1006 1007 1009 1011 1015 1017 | 1009 1010 1011 1013 1014 1017"},
        // A damaged pair value leaves the pair's first button unchecked.
        {"shader sound", "581=2 583=0 592=7", "", "580=1 581=2 582=1 584=1 585=1 592=7 | 1002 1004 1005 1015 | "},
        // clang-format on
    };
    std::unique_ptr<Harness> h;
    for (const auto& row : rows) {
        if (row.machine != nullptr) {
            h = std::make_unique<Harness>();
            h->probes.graphics = std::strstr(row.machine, "shader") != nullptr;
            h->probes.sound = std::strstr(row.machine, "sound") != nullptr;
            if (std::strcmp(row.machine, "no probes") == 0) {
                h->platform = {&h->input, nullptr, nullptr, h->platform.settingsFile, nullptr};
            }
            if (row.file != nullptr) {
                h->WriteFile(row.file);
            }
            h->Start();
            EXPECT_EQ(h->graphic.changedCount, 0) << "row " << &row - rows;
        }
        std::istringstream clicks(row.clicks);
        for (int click = 0; clicks >> click;) {
            h->graphic.Click(click);
        }
        EXPECT_EQ(Options(h->editor.settings) + " | " + h->graphic.Seen(), row.seen)
            << "row " << &row - rows;
    }
}

// Start-up repairs empty joystick players from the attached joystick (a
// short file reads as zeros past its end) and keeps players with a code.
TEST(GraphicAudioPage, StartUpRepairsOnlyEmptyJoystickPlayers) {
    Harness h;
    SettingsRecord file = DefaultRecord();
    file.JoystickTable[0][0] = 0;
    file.JoystickTable[2][0] = 0x3100001F;  // a joystick no longer attached
    h.WriteFile(file, 400);                 // players 3 and 4 lie past the end
    h.input.controllers = {{kDiOk, Joystick(4)}};
    h.Start();
    const auto& table = h.editor.settings.JoystickTable;
    EXPECT_EQ(std::vector<uint32_t>({table[0][0], table[1][0], table[2][0], table[3][0]}),
              std::vector<uint32_t>({0x2000002, NoInput, 0x3100001F, NoInput}));
    RunShutDown(h.editor);
    EXPECT_EQ(h.Keyboard()->releaseCount + h.Joystick(0)->releaseCount, 2);
}

// One click on the defaults with some bytes edited: the record's change.
// Apply is enabled by every change but Default Settings'.
TEST(GraphicAudioPage, EveryCommand) {
    const std::tuple<const char*, int, const char*> rows[] = {
        // clang-format off
        {"590=1", 1000, "582=0 590=0"}, {"582=0", 1000, ""}, {"", 1001, "580=0"},
        {"582=0", 1001, "580=0 582=1"}, {"", 1002, ""}, {"", 1003, "584=0"}, {"", 1004, ""},
        {"584=0", 1003, ""}, {"584=0", 1004, "584=1"}, {"583=0", 1006, "589=1"},
        {"583=0", 1005, ""}, {"583=0", 1007, "581=0"}, {"", 1010, "592=1"}, {"", 1009, ""},
        {"", 1011, "587=1"}, {"", 1012, "590=1"}, {"", 1013, "591=1"}, {"", 1014, "583=0"},
        {"583=0 581=0 589=1", 1014, "581=1 583=1 589=0"}, {"", 1015, "585=0"},
        {"", 1016, "588=1"}, {"", 1017, "586=1 587=1"}, {"586=1 587=1", 1017, "586=0"},
        {"584=0 588=1 590=1", 1020, "584=1 588=0 590=0"}, {"", -1, ""}, {"", 1041, ""},
        {"584=2", 1003, ""}, {"584=2", 1004, ""}, {"583=0 589=2", 1005, ""},
        {"583=0 589=2", 1006, ""}, {"583=0 581=2", 1008, ""}, {"592=2", 1010, ""},
        // clang-format on
    };
    for (const auto& [edits, click, change] : rows) {
        Harness h;
        h.Start();
        Edit(h.editor.settings, edits);
        h.graphicPage->Refresh();
        const SettingsRecord before = h.editor.settings;
        // A command no control sends must be ignored as well.
        h.graphic.Find(click) ? h.graphic.Click(click)
                              : h.graphicPage->OnCommand(click, kBnClicked);
        EXPECT_EQ(Diff(before, h.editor.settings) + " " + std::to_string(h.graphic.changedCount),
                  std::string(change) + (*change != '\0' && click != 1020 ? " 1" : " 0"))
            << click << " on " << edits;
    }
}

// Every page's Apply reports its save; only a platform that reports keeps
// the sheet open after a failure (config.exe closes as it always has).
std::string reported;

TEST(GraphicAudioPage, EveryPagesSaveIsReportedAndAFailureKeepsTheSheetOpen) {
    TempFolder folder;
    WriteBytes(folder.path() + "/file", {1, 2, 3});
    const std::string unwritable = folder.path() + "/file/Ravelstone/setting.cfg";
    const std::string open = std::to_string(kPsnRetInvalid), error = std::to_string(ENOTDIR);
    for (int run = 0; run < 4; ++run) {
        const bool fails = run > 1, reports = run % 2 == 1;
        Harness h(fails ? unwritable.c_str() : nullptr);
        h.platform.reportSave = !reports ? nullptr : +[](const char*, int error) {
            return reported += " " + std::to_string(error), true;
        };
        reported.clear();
        h.OpenAll();
        std::string answers;
        for (Page* page : h.Pages()) {
            answers += std::to_string(page->OnNotify(kPsnApply));
        }
        EXPECT_EQ(answers + reported,
                  !reports ? "000"
                  : !fails ? "000 0 0 0"
                           : open + open + open + " " + error + " " + error + " " + error)
            << fails << reports;
        EXPECT_EQ(h.initAnswers, 3);
    }
}

// Tooltips go to the controls that explain something, each its own text;
// Player, Default Settings and the Advanced boxes have none.
TEST(Tooltips, EachPageExplainsItsControlsWithTextsOfTheirOwn) {
    Harness h;
    h.OpenAll();
    const std::string lists =
        "1041 1042 1043 1044 1045 1046 1047 1048 1049 1050 1051 1052 1053 1054";
    const std::pair<FakeDialog*, std::string> pages[] = {
        {&h.graphic,
         "1000 1001 1002 1003 1004 1005 1006 1007 1008 1009 1010 1011 1012 1014 1015 1016 1017"},
        {&h.keyboard, "1000 1001 " + lists},
        {&h.joystick, lists}};
    for (const auto& [page, ids] : pages) {
        EXPECT_EQ(page->TooltipIds(), ids);
        std::set<std::string> texts{""};  // so an empty text fails too
        std::istringstream tips(ids);
        for (int id = 0; tips >> id;) {
            EXPECT_TRUE(texts.insert(page->Find(id)->tooltip).second) << id;
        }
    }
    EXPECT_EQ(h.graphic.Find(1000)->tooltip,
              "Startup the game using the actual screen.  A high-spec machine is needed by "
              "fullscreen");
}

}  // namespace
}  // namespace ravel
