// Any bytes as setting.cfg, any devices, any clicks: the whole editor run,
// then the promises about the file and the pages are checked.
//
// Input: the file's length in two bytes (little-endian), the file's bytes,
// then the run's script. An empty script is the common run: graphics and
// sound there, the input system and keyboard fine, no controller.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"

#include "pages/PageHarness.h"
#include "resources/Templates.h"

namespace ravel {
namespace {

using testing::FakeControllerScript;
using testing::FakeDialog;
using testing::Harness;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

FakeControllerScript RandomController(FuzzedDataProvider& in) {
    FakeControllerScript controller;
    const uint32_t buttons = in.ConsumeIntegralInRange<uint32_t>(0, 40);
    const auto objects = in.ConsumeIntegral<uint16_t>();
    std::vector<ObjectInstance> extra;
    const Guid axes[] = {GUID_ZAxis, GUID_RxAxis, GUID_RyAxis, GUID_RzAxis};
    for (int i = 0; i < 4; ++i) {
        if ((objects & (1u << i)) != 0) {
            extra.push_back(testing::AxisObject(axes[i], 2 + static_cast<uint32_t>(i)));
        }
    }
    for (uint32_t s = 0; s < ((objects >> 4) & 3); ++s) {
        extra.push_back(testing::AxisObject(GUID_Slider, 6 + s));
    }
    for (uint32_t p = 0; p < ((objects >> 6) & 7); ++p) {
        extra.push_back(testing::PovObject(p));
    }
    controller.device = testing::Joystick(buttons, extra);
    const auto faults = in.ConsumeIntegral<uint8_t>();
    controller.create = (faults & 0x01) != 0 ? kDiErrGeneric : kDiOk;
    controller.device.dataFormat = (faults & 0x02) != 0 ? testing::kSFalse : kDiOk;
    controller.device.enumObjects = (faults & 0x04) != 0 ? kDiErrGeneric : kDiOk;
    controller.device.capabilities = (faults & 0x08) != 0 ? kDiErrGeneric : kDiOk;
    controller.device.failRangeAtObject = (faults & 0x10) != 0 ? (faults >> 5) : -1;
    return controller;
}

// Any control of the page, or an identifier it does not have.
int RandomId(FuzzedDataProvider& in, int templateId) {
    const DialogTemplate& t = *FindDialogTemplate(templateId);
    const int pick = in.ConsumeIntegralInRange<int>(0, t.controlCount + 1);
    if (pick < t.controlCount) {
        return t.controls[pick].id;
    }
    return in.ConsumeIntegralInRange<int>(990, 1070);
}

void Act(FuzzedDataProvider& in, Harness& h) {
    FakeDialog* pages[] = {&h.graphic, &h.keyboard, &h.joystick};
    const int templates[] = {kGraphicAudioTemplateId, kKeyboardTemplateId, kJoystickTemplateId};
    const int page = in.ConsumeIntegralInRange<int>(0, 2);
    FakeDialog& d = *pages[page];
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
        case 0:
            d.Click(RandomId(in, templates[page]));
            break;
        case 1: {
            const int id = RandomId(in, templates[page]);
            const auto entries = d.Entries(id);
            if (!entries.empty()) {
                d.Choose(id, in.ConsumeIntegralInRange<int>(0, static_cast<int>(entries.size()) - 1));
            }
            break;
        }
        case 2:
            d.Focus(RandomId(in, templates[page]));
            break;
        case 3:
            if (h.Keyboard() != nullptr) {
                std::memset(h.Keyboard()->keys, 0, sizeof h.Keyboard()->keys);
                h.Keyboard()->keys[in.ConsumeIntegral<uint8_t>()] = 0x80;
            }
            d.Tick();
            break;
        case 4: {
            const auto slot = in.ConsumeIntegralInRange<size_t>(0, 4);
            if (slot < h.input.joysticks.size() && h.input.joysticks[slot] != nullptr) {
                auto bytes = in.ConsumeBytes<uint8_t>(sizeof(JoystickState));
                bytes.resize(sizeof(JoystickState));
                std::memcpy(&h.input.joysticks[slot]->state, bytes.data(), bytes.size());
                if (in.ConsumeBool()) {
                    h.input.joysticks[slot]->LoseInput();
                }
            }
            d.Tick();
            break;
        }
        case 5:
            h.Apply();
            break;
        case 6:
            if (page == 1) {
                h.OpenKeyboard();
            } else if (page == 2) {
                h.OpenJoystick();
            }
            break;
        default:
            if (page == 1 && h.keyboardPage) {
                h.keyboardPage->OnNotify(kPsnKillActive);
            } else if (page == 2 && h.joystickPage) {
                h.joystickPage->OnNotify(kPsnKillActive);
            }
            break;
    }
}

void CheckListsShowDefinedEntries(FakeDialog& d, int templateId) {
    const DialogTemplate& t = *FindDialogTemplate(templateId);
    for (int i = 0; i < t.controlCount; ++i) {
        if (t.controls[i].kind == ControlKind::DropDownList) {
            const int selection = d.ListSelection(t.controls[i].id);
            Check(selection >= 0 && selection < static_cast<int>(d.Entries(t.controls[i].id).size()));
        }
    }
}

}  // namespace

int FuzzSettings(const uint8_t* data, size_t size) {
    // Each run writes a real file, always the same one.
    static const testing::TempFolder folder;
    static const std::string path = folder.settingsFile();
    if (size > 4096 + 256) {
        return -1;
    }
    const size_t stated = size >= 2 ? data[0] | size_t{data[1]} << 8 : 0;
    const size_t fileSize = std::min(stated, size - std::min<size_t>(size, 2));
    const std::vector<uint8_t> file(data + std::min<size_t>(size, 2),
                                    data + std::min<size_t>(size, 2) + fileSize);
    FuzzedDataProvider script(data + std::min<size_t>(size, 2) + fileSize,
                              size - std::min<size_t>(size, 2) - fileSize);

    std::remove(path.c_str());
    testing::Harness h(path.c_str());
    const bool fileExists = !file.empty() || !script.ConsumeBool();
    if (fileExists) {
        h.WriteFile(file);
    }
    h.probes.graphics = !script.ConsumeBool();
    h.probes.sound = !script.ConsumeBool();
    h.input.createSystem = script.ConsumeIntegralInRange<int>(0, 15) == 15 ? kDiErrGeneric : kDiOk;
    h.input.createKeyboard = script.ConsumeIntegralInRange<int>(0, 15) == 15 ? kDiErrGeneric : kDiOk;
    const int controllers = script.ConsumeIntegralInRange<int>(0, 5);
    for (int i = 0; i < controllers; ++i) {
        h.input.controllers.push_back(RandomController(script));
    }

    h.Start();
    h.OpenKeyboard();
    h.OpenJoystick();
    // Show and store every player and layout once.
    for (int id : {1001, 1002, 1003, 1004, 1005, 1000, 1002}) {
        h.keyboard.Click(id);
    }
    for (int id : {1003, 1004, 1005, 1002}) {
        h.joystick.Click(id);
    }
    const int actions = script.ConsumeIntegralInRange<int>(0, 48);
    for (int i = 0; i < actions && script.remaining_bytes() > 0; ++i) {
        Act(script, h);
    }
    h.Apply();

    // What the file held before the run, as the editor read it.
    SettingsRecord loaded{};
    if (!file.empty()) {
        std::memcpy(&loaded, file.data(), std::min(file.size(), sizeof loaded));
    }
    const auto written = h.File();
    Check(written.size() == std::max(file.size(), kSettingsSize));
    if (file.size() > kSettingsSize) {
        Check(std::memcmp(written.data() + kSettingsSize, file.data() + kSettingsSize,
                          file.size() - kSettingsSize) == 0);
    }
    SettingsRecord saved{};
    std::memcpy(&saved, written.data(), sizeof saved);
    if (fileExists) {
        Check(saved.reserved[0] == loaded.reserved[0] && saved.reserved[1] == loaded.reserved[1]);
        const uint32_t editable = kAxisOptionSliders | kAxisOptionRotation | kAxisOptionZ;
        Check((saved.AxisOptionFlags & ~editable) == (loaded.AxisOptionFlags & ~editable));
    }
    Check(std::memcmp(&saved, &h.editor.settings, sizeof saved) == 0);
    CheckListsShowDefinedEntries(h.keyboard, kKeyboardTemplateId);
    CheckListsShowDefinedEntries(h.joystick, kJoystickTemplateId);
    return 0;
}

}  // namespace ravel

RAVEL_FUZZ_TARGET(Settings, ravel::FuzzSettings, RAVEL_FUZZ_CORPUS "/settings", 20)
