#include "pages/GraphicAudioPage.h"

#include "pages/Tooltips.h"
#include "pages/OptionTable.h"
#include "pages/StartUp.h"
#include "settings/Defaults.h"

namespace ravel {
namespace {

unsigned Is(bool condition) {
    return condition ? kChecked : kUnchecked;
}

// The full-screen buttons set two bytes. A click on the mode already
// chosen changes nothing.
bool SetScreenMode(SettingsRecord& r, int id) {
    if (id == kWindowMode) {
        if (r.fullscreen != 1) {
            return false;
        }
        r.fullscreen = 0;
        r.aspectRatio = 0;
        return true;
    }
    const uint8_t colour = id == kFullTrueColor ? 1 : 0;
    if (r.fullscreen != 0 && r.fullscreenColour == colour) {
        return false;
    }
    r.fullscreen = 1;
    r.fullscreenColour = colour;
    return true;
}

// A radio pair acts only when it really switches: a click on the button
// already chosen changes nothing and tells the sheet nothing. Answers whether
// the record changed.
bool SetOption(SettingsRecord& r, int id, bool checked) {
    for (const OptionControl& option : GraphicAudioOptions) {
        const bool zero = IsChoice(option) && id == option.zeroId;
        if (option.byRule || (!zero && id != option.oneId)) {
            continue;
        }
        uint8_t& value = r.*option.field;
        if (!IsChoice(option)) {
            value = checked ? 1 : 0;
            return true;
        }
        const uint8_t to = id == option.oneId ? 1 : 0;
        if (value != 1 - to) {
            return false;
        }
        value = to;
        return true;
    }
    return false;
}

}  // namespace

int GraphicAudioPage::OnInitDialog(Dialog& dialog) {
    dialog_ = &dialog;
    AttachTooltips(dialog, GraphicAudioTooltipTable, kGraphicAudioTooltipCount);
    RunStartUp(editor_, platform_, dialog.SheetWindow());

    const CapabilityFlags& caps = editor_.capabilities;
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
    for (const OptionControl& option : GraphicAudioOptions) {
        if (option.byRule) {
            continue;
        }
        const uint8_t value = r.*option.field;
        if (IsChoice(option)) {
            d.CheckButton(option.zeroId, Is(value == 0));
        }
        d.CheckButton(option.oneId, value);
    }
    d.CheckButton(kWindowMode, Is(r.fullscreen == 0));
    d.CheckButton(kFullHighColor, Is(r.fullscreen != 0 && r.fullscreenColour == 0));
    d.CheckButton(kFullTrueColor, r.fullscreen != 0 ? r.fullscreenColour : kUnchecked);

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
    if (id == kDefaultSettings) {
        // Restores the screen but is not a change of the user's own.
        ResetGraphicsAudio(r, editor_.capabilities);
        Refresh();
        return;
    }
    const bool screenMode = id == kWindowMode || id == kFullHighColor || id == kFullTrueColor;
    const bool checked = dialog_->IsButtonChecked(id) == kChecked;
    if (!(screenMode ? SetScreenMode(r, id) : SetOption(r, id, checked))) {
        return;
    }
    if (id == kPixelShader && checked) {
        r.textureColour = 1;
        r.paletteEffects = 0;
    }
    if (id == kNoSound && checked) {
        r.musicOff = 1;
    }
    Refresh();
    dialog_->NotifyChanged();
}

int GraphicAudioPage::OnNotify(int code) {
    return code == kPsnApply ? SaveForApply(editor_, platform_) : 0;
}

}  // namespace ravel
