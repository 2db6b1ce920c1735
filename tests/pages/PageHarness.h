// A whole editor run without a window: the three page models over fake page
// windows, scripted devices and probes, and a real settings folder.
#pragma once

#include <cstdio>
#include <memory>

#include "fakes/FakeDialog.h"
#include "fakes/FakeInput.h"
#include "fakes/TempFolder.h"
#include "pages/Editor.h"
#include "pages/GraphicAudioPage.h"
#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"
#include "settings/Defaults.h"

namespace ravel::testing {

// Both probes, answering as Direct3D 8 and DirectSound do under Wine.
struct FakeProbes final : GraphicsProbe, SoundProbe {
    bool graphics = true;
    bool sound = true;
    uint32_t version = 0xFFFF0104;
    bool ReadPixelShaderVersion(uint32_t& out) override { return out = version, graphics; }
    bool OpenDefaultDevice() override { return sound; }
};

inline auto* Bytes(SettingsRecord& r) {
    return reinterpret_cast<unsigned char*>(&r);
}

// Sets record bytes from "offset=value ..." (decimal offsets, hex values).
inline void Edit(SettingsRecord& record, const char* edits) {
    unsigned offset = 0, value = 0;
    for (int used = 0; std::sscanf(edits, " %u=%x%n", &offset, &value, &used) == 2; edits += used) {
        Bytes(record)[offset] = static_cast<unsigned char>(value);
    }
}

// The defaults of a machine with both probes and no joysticks, with `edits`.
inline SettingsRecord DefaultRecord(const char* edits = "") {
    SettingsRecord record{};
    ResetAllSettings(record, CapabilityFlags{1, 1}, JoystickCapsTable{});
    Edit(record, edits);
    return record;
}

// The bytes that differ, as Edit writes them: "584=0 590=1".
inline std::string Diff(SettingsRecord from, SettingsRecord to) {
    std::string diff;
    char item[16];
    for (size_t i = 0; i < sizeof from; ++i) {
        if (Bytes(from)[i] != Bytes(to)[i]) {
            std::snprintf(item, sizeof item, " %zu=%x", i, Bytes(to)[i]);
            diff += item;
        }
    }
    return diff.empty() ? diff : diff.substr(1);
}

class Harness {
    TempFolder folder_;  // first: the file's name lies below it
    std::string file_;

  public:
    // The settings file below a fresh temporary folder, or `file` when given.
    explicit Harness(const char* file = nullptr)
        : file_(file != nullptr ? file : folder_.settingsFile()) {
        std::memset(&editor, 0, sizeof editor);
    }
    ~Harness() { ReleaseInputDevices(editor.input); }

    // The sheet opens on the first page, whose initialisation is start-up.
    void Start() { Open(graphic, graphicPage); }
    void OpenKeyboard() { Open(keyboard, keyboardPage); }
    void OpenJoystick() { Open(joystick, joystickPage); }
    void OpenAll() { Start(), OpenKeyboard(), OpenJoystick(); }
    // OK and Apply: every created page, in page order.
    void Apply() {
        for (Page* page : Pages()) {
            if (page != nullptr) {
                page->OnNotify(kPsnApply);
            }
        }
    }
    std::array<Page*, 3> Pages() {
        return {graphicPage.get(), keyboardPage.get(), joystickPage.get()};
    }

    std::vector<unsigned char> File() const { return ReadBytes(file_); }
    void WriteFile(const std::vector<unsigned char>& bytes) { WriteBytes(file_, bytes); }
    // The first `size` bytes of the record, or the defaults with Edit's `edits`.
    void WriteFile(SettingsRecord record, size_t size = kSettingsSize) {
        WriteBytes(file_, {Bytes(record), Bytes(record) + size});
    }
    void WriteFile(const char* edits) { WriteFile(DefaultRecord(edits)); }
    SettingsRecord FileRecord() const {
        SettingsRecord record{};
        const auto bytes = File();
        std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
        return record;
    }
    FakeDevice* Keyboard() { return input.keyboard; }
    FakeDevice* Joystick(int index) { return input.joysticks.at(static_cast<size_t>(index)); }

    FakeInputSystem input;
    FakeProbes probes;
    Editor editor;
    Platform platform{&input, &probes, &probes, file_.c_str(), nullptr};
    FakeDialog graphic{kGraphicAudioTemplateId};
    FakeDialog keyboard{kKeyboardTemplateId};
    FakeDialog joystick{kJoystickTemplateId};
    std::unique_ptr<GraphicAudioPage> graphicPage;
    std::unique_ptr<KeyboardPage> keyboardPage;
    std::unique_ptr<JoystickPage> joystickPage;
    int initAnswers = 0;  // each page answers 1: let the platform set the focus

  private:
    // Created and initialised on first display; activated every time.
    template <typename P>
    void Open(FakeDialog& dialog, std::unique_ptr<P>& page) {
        if (!page) {
            page = std::make_unique<P>(editor, platform);
            dialog.Attach(*page);
            initAnswers += page->OnInitDialog(dialog);
        }
        page->OnNotify(kPsnSetActive);
    }
};

}  // namespace ravel::testing
