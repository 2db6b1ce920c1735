#include "pages/GraphicAudioPage.h"

#include "app/Tooltips.h"
#include "settings/Defaults.h"

namespace ravel {
namespace {

enum : int {
    kWindowMode = 1000,
    kFullHighColor = 1001,
    kFullTrueColor = 1002,
    k30Fps = 1003,
    k60Fps = 1004,
    kStandard = 1005,
    kSimple = 1006,
    kHighColor = 1007,
    kTrueColor = 1008,
    k22Khz = 1009,
    k44Khz = 1010,
    kWithoutBgm = 1011,
    kAspectRatio = 1012,
    kExtraSound = 1013,
    kPixelShader = 1014,
    kVSync = 1015,
    kNoIntro = 1016,
    kNoSound = 1017,
    kDefaults = 1020,
};

unsigned Is(bool condition) { return condition ? kChecked : kUnchecked; }

}  // namespace

int GraphicAudioPage::OnInitDialog(Dialog& dialog) {
    dialog_ = &dialog;
    AttachTooltips(dialog, GraphicAudioTooltipTable, kGraphicAudioTooltipCount);

    // Devices first: the joystick defaults below read their caps.
    if (platform_.input != nullptr) {
        InitInputDevices(editor_.input, *platform_.input, platform_.instance, dialog.SheetWindow());
    }
    CapabilityFlags& caps = editor_.capabilities;
    caps.directSoundAvailable =
        platform_.sound != nullptr ? static_cast<uint32_t>(ProbeDirectSound(*platform_.sound)) : 0;
    caps.pixelShaderSupported =
        platform_.graphics != nullptr ? static_cast<uint32_t>(ProbePixelShader(*platform_.graphics))
                                      : 0;

    SettingsRecord& record = editor_.settings;
    if (LoadSettings(record, platform_.settingsFile) != 0) {
        ResetAllSettings(record, caps, editor_.input.joystickCaps);
    }
    RepairJoystickTable(record, editor_.input.joystickCaps);

    // What the hardware cannot offer is forced off.
    if (caps.pixelShaderSupported == 0) {
        record.pixelShader = 0;
    }
    if (caps.directSoundAvailable == 0) {
        record.allSoundsOff = 1;
        record.musicOff = 1;
    }
    dialog.EnableControl(kPixelShader, caps.pixelShaderSupported != 0);
    dialog.EnableControl(kNoSound, caps.directSoundAvailable != 0);
    dialog.EnableControl(kWithoutBgm, caps.directSoundAvailable != 0);
    Refresh();
    return 1;
}

void GraphicAudioPage::Refresh() {
    const SettingsRecord& r = editor_.settings;
    Dialog& d = *dialog_;
    // A second button or a check box shows the byte itself, as the game's
    // own editor always did; only 0 and non-0 matter to the rules.
    d.CheckButton(kWindowMode, Is(r.fullscreen == 0));
    d.CheckButton(kFullHighColor, Is(r.fullscreen != 0 && r.fullscreenColour == 0));
    d.CheckButton(kFullTrueColor, r.fullscreen != 0 ? r.fullscreenColour : kUnchecked);
    d.CheckButton(kHighColor, Is(r.textureColour == 0));
    d.CheckButton(kTrueColor, r.textureColour);
    d.CheckButton(k30Fps, Is(r.frameRate == 0));
    d.CheckButton(k60Fps, r.frameRate);
    d.CheckButton(kVSync, r.verticalSync);
    d.CheckButton(kPixelShader, r.pixelShader);
    d.CheckButton(kAspectRatio, r.aspectRatio);
    d.CheckButton(kStandard, Is(r.paletteEffects == 0));
    d.CheckButton(kSimple, r.paletteEffects);
    d.CheckButton(kNoIntro, r.introMovieOff);
    d.CheckButton(kNoSound, r.allSoundsOff);
    d.CheckButton(kWithoutBgm, r.musicOff);
    d.CheckButton(kExtraSound, r.extraSoundOption);
    d.CheckButton(k22Khz, Is(r.soundFrequency == 0));
    d.CheckButton(k44Khz, r.soundFrequency);

    // With shaders on, effects and texture colour are fixed.
    const bool noShader = r.pixelShader == 0;
    d.EnableControl(kStandard, noShader);
    d.EnableControl(kSimple, noShader);
    d.EnableControl(kHighColor, noShader);
    d.EnableControl(kTrueColor, noShader);
    d.EnableControl(kWithoutBgm, r.allSoundsOff == 0);
    d.EnableControl(kExtraSound, r.allSoundsOff == 0);
    d.EnableControl(kAspectRatio, r.fullscreen != 0);
    const bool music = r.musicOff == 0 && r.allSoundsOff == 0;
    d.EnableControl(k22Khz, music);
    d.EnableControl(k44Khz, music);
}

void GraphicAudioPage::OnCommand(int id, int /*code*/) {
    if (dialog_ == nullptr) {
        return;
    }
    SettingsRecord& r = editor_.settings;
    const uint8_t checked = dialog_->IsButtonChecked(id) == kChecked ? 1 : 0;
    bool refresh = false;

    // A radio pair acts only when it really switches: a click on the button
    // already chosen changes nothing and tells the sheet nothing.
    auto flip = [](uint8_t& field, uint8_t from, uint8_t to) {
        if (field != from) {
            return false;
        }
        field = to;
        return true;
    };

    switch (id) {
        case kWindowMode:
            if (r.fullscreen != 1) {
                return;
            }
            r.fullscreen = 0;
            r.aspectRatio = 0;
            refresh = true;
            break;
        case kFullHighColor:
        case kFullTrueColor: {
            const uint8_t colour = id == kFullTrueColor ? 1 : 0;
            if (r.fullscreen != 0 && r.fullscreenColour == colour) {
                return;
            }
            r.fullscreen = 1;
            r.fullscreenColour = colour;
            refresh = true;
            break;
        }
        case k30Fps:
            if (!flip(r.frameRate, 1, 0)) {
                return;
            }
            break;
        case k60Fps:
            if (!flip(r.frameRate, 0, 1)) {
                return;
            }
            break;
        case kStandard:
            if (!flip(r.paletteEffects, 1, 0)) {
                return;
            }
            break;
        case kSimple:
            if (!flip(r.paletteEffects, 0, 1)) {
                return;
            }
            break;
        case kHighColor:
            if (!flip(r.textureColour, 1, 0)) {
                return;
            }
            break;
        case kTrueColor:
            if (!flip(r.textureColour, 0, 1)) {
                return;
            }
            break;
        case k22Khz:
            if (!flip(r.soundFrequency, 1, 0)) {
                return;
            }
            break;
        case k44Khz:
            if (!flip(r.soundFrequency, 0, 1)) {
                return;
            }
            break;
        case kWithoutBgm:
            r.musicOff = checked;
            refresh = true;
            break;
        case kAspectRatio:
            r.aspectRatio = checked;
            break;
        case kExtraSound:
            r.extraSoundOption = checked;
            break;
        case kPixelShader:
            r.pixelShader = checked;
            if (checked != 0) {
                r.textureColour = 1;
                r.paletteEffects = 0;
            }
            refresh = true;
            break;
        case kVSync:
            r.verticalSync = checked;
            break;
        case kNoIntro:
            r.introMovieOff = checked;
            break;
        case kNoSound:
            r.allSoundsOff = checked;
            if (checked != 0) {
                r.musicOff = 1;
            }
            refresh = true;
            break;
        case kDefaults:
            // Restores the screen but is not a change of the user's own.
            ResetGraphicsAudio(r, editor_.capabilities);
            Refresh();
            return;
        default:
            return;
    }
    if (refresh) {
        Refresh();
    }
    dialog_->NotifyChanged();
}

int GraphicAudioPage::OnNotify(int code) {
    if (code == kPsnApply) {
        SaveSettings(editor_.settings, platform_.settingsFile);
    }
    return 0;
}

}  // namespace ravel
