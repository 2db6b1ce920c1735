#include "pages/StartUp.h"

#include "pages/Dialog.h"
#include "settings/Defaults.h"

namespace ravel {

void RunStartUp(Editor& editor, Platform& platform, NativeWindow owner) {
    if (platform.input != nullptr) {
        InitInputDevices(editor.input, *platform.input, platform.instance, owner);
    }
    CapabilityFlags& caps = editor.capabilities;
    caps.directSoundAvailable =
        platform.sound != nullptr ? static_cast<uint32_t>(ProbeDirectSound(*platform.sound)) : 0;
    caps.pixelShaderSupported = platform.graphics != nullptr
                                    ? static_cast<uint32_t>(ProbePixelShader(*platform.graphics))
                                    : 0;

    SettingsRecord& record = editor.settings;
    if (LoadSettings(record, platform.settingsFile) != 0) {
        ResetAllSettings(record, caps, editor.input.joystickCaps);
    }
    RepairJoystickTable(record, editor.input.joystickCaps);

    if (caps.pixelShaderSupported == 0) {
        record.pixelShader = 0;
    }
    if (caps.directSoundAvailable == 0) {
        record.allSoundsOff = 1;
        record.musicOff = 1;
    }
}

int SaveForApply(const Editor& editor, const Platform& platform) {
    const int error = SaveSettings(editor.settings, platform.settingsFile);
    if (platform.reportSave == nullptr) {
        return 0;
    }
    return platform.reportSave(platform.settingsFile, error) && error != 0 ? kPsnRetInvalid : 0;
}

void RunShutDown(Editor& editor) {
    ReleaseInputDevices(editor.input);
}

}  // namespace ravel
