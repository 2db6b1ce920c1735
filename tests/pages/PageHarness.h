// A whole editor run without a window: the three page models over fake page
// windows, scripted devices and probes, and a real settings folder.
#pragma once

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "pages/Editor.h"
#include "fakes/FakeDialog.h"
#include "fakes/FakeInput.h"
#include "fakes/TempFolder.h"
#include "pages/GraphicAudioPage.h"
#include "pages/JoystickPage.h"
#include "pages/KeyboardPage.h"

namespace ravel::testing {

class FakeGraphics : public GraphicsProbe {
public:
    bool available = true;
    uint32_t version = 0xFFFF0104;  // what Direct3D 8 reports under Wine
    bool ReadPixelShaderVersion(uint32_t& out) override {
        out = version;
        return available;
    }
};

class FakeSound : public SoundProbe {
public:
    bool available = true;
    bool OpenDefaultDevice() override { return available; }
};

class Harness {
public:
    // The settings file below a fresh temporary folder, or `file` when given.
    explicit Harness(const char* file = nullptr) {
        if (file == nullptr) {
            folder_ = std::make_unique<TempFolder>();
            file_ = folder_->settingsFile();
        } else {
            file_ = file;
        }
        std::memset(&editor, 0, sizeof editor);
        platform = Platform{&input, &graphics, &sound, file_.c_str(), nullptr};
    }
    ~Harness() { ReleaseInputDevices(editor.input); }

    // The sheet opens on the first page, whose initialisation is start-up.
    void Start() {
        graphicPage = std::make_unique<GraphicAudioPage>(editor, platform);
        graphic.Attach(*graphicPage);
        graphicPage->OnInitDialog(graphic);
        graphicPage->OnNotify(kPsnSetActive);
    }
    void OpenKeyboard() {
        if (!keyboardPage) {
            keyboardPage = std::make_unique<KeyboardPage>(editor, platform);
            keyboard.Attach(*keyboardPage);
            keyboardPage->OnInitDialog(keyboard);
        }
        keyboardPage->OnNotify(kPsnSetActive);
    }
    void OpenJoystick() {
        if (!joystickPage) {
            joystickPage = std::make_unique<JoystickPage>(editor, platform);
            joystick.Attach(*joystickPage);
            joystickPage->OnInitDialog(joystick);
        }
        joystickPage->OnNotify(kPsnSetActive);
    }
    // OK and Apply: every created page, in page order.
    void Apply() {
        for (Page* page : CreatedPages()) {
            page->OnNotify(kPsnApply);
        }
    }

    const std::string& SettingsFile() const { return file_; }
    std::vector<unsigned char> File() const { return ReadBytes(SettingsFile()); }
    void WriteFile(const std::vector<unsigned char>& bytes) { WriteBytes(SettingsFile(), bytes); }
    void WriteFile(const SettingsRecord& record) {
        const auto* p = reinterpret_cast<const unsigned char*>(&record);
        WriteFile(std::vector<unsigned char>(p, p + sizeof record));
    }
    SettingsRecord FileRecord() const {
        SettingsRecord record{};
        const auto bytes = File();
        std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
        return record;
    }
    FakeDevice* Keyboard() { return input.keyboard; }
    FakeDevice* Joystick(int index) { return input.joysticks.at(static_cast<size_t>(index)); }

    FakeInputSystem input;
    FakeGraphics graphics;
    FakeSound sound;
    Editor editor;
    Platform platform{};
    FakeDialog graphic{kGraphicAudioTemplateId};
    FakeDialog keyboard{kKeyboardTemplateId};
    FakeDialog joystick{kJoystickTemplateId};
    std::unique_ptr<GraphicAudioPage> graphicPage;
    std::unique_ptr<KeyboardPage> keyboardPage;
    std::unique_ptr<JoystickPage> joystickPage;

private:
    std::unique_ptr<TempFolder> folder_;
    std::string file_;

    std::vector<Page*> CreatedPages() {
        std::vector<Page*> pages;
        for (Page* page : {static_cast<Page*>(graphicPage.get()), static_cast<Page*>(keyboardPage.get()),
                           static_cast<Page*>(joystickPage.get())}) {
            if (page != nullptr) {
                pages.push_back(page);
            }
        }
        return pages;
    }
};

}  // namespace ravel::testing
