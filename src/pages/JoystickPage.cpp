#include "pages/JoystickPage.h"

#include "pages/Tooltips.h"
#include "input/CaptureScan.h"
#include "pages/OptionTable.h"
#include "settings/Defaults.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace ravel {
namespace {

constexpr const char* kNoneText = "None  ";

// One entry of a joystick list: the code and the name it is found by again
// when a stored code is shown or an input is captured.
struct ListEntry {
    char text[kInputNameCapacity];
    InputCode code;
};

// Every axis direction, both ends of each slider, every hat's directions
// and every button, at most.
constexpr int kMaxJoystickEntries = kAxisElementCount + kStateSliderLimit * kSliderEndCount +
                                    kStatePovLimit * kPovDirectionCount + kStateButtonLimit;

struct JoystickEntries {
    ListEntry entries[kMaxJoystickEntries];
    int count = 0;

    void Add(InputCode code) {
        ListEntry& entry = entries[count];
        if (FormatInputCode(entry.text, sizeof entry.text, code) > 0) {
            entry.code = code;
            ++count;
        }
    }
};

// Every input joystick `slot` offers, in list order. Inputs past what the
// joystick state holds are left out: they could never be captured, and their
// names would collide with others.
void CollectJoystickEntries(uint32_t slot, const JoystickCaps& caps, JoystickEntries& out) {
    for (uint32_t element = kAxisLeft; element <= kAxisDown; ++element) {
        out.Add(MakeInputCode(slot, InputKindAxis, 0, element));
    }
    const struct {
        uint8_t present;
        uint32_t firstElement;
    } extraAxes[] = {
        {caps.hasZ, kAxisZMin},
        {caps.hasRx, kAxisRxMin},
        {caps.hasRy, kAxisRyMin},
        {caps.hasRz, kAxisRzMin},
    };
    for (const auto& axis : extraAxes) {
        if (axis.present != 0) {
            out.Add(MakeInputCode(slot, InputKindAxis, 0, axis.firstElement));
            out.Add(MakeInputCode(slot, InputKindAxis, 0, axis.firstElement + 1));
        }
    }
    for (uint32_t s = 0; s < caps.sliderCount && s < kStateSliderLimit; ++s) {
        out.Add(MakeInputCode(slot, InputKindSlider, s, kSliderMin));
        out.Add(MakeInputCode(slot, InputKindSlider, s, kSliderMax));
    }
    for (uint32_t p = 0; p < caps.povCount && p < kStatePovLimit; ++p) {
        for (uint32_t element : {kPovUp, kPovDown, kPovLeft, kPovRight}) {
            out.Add(MakeInputCode(slot, InputKindPov, p, element));
        }
    }
    for (uint32_t b = 0; b < caps.buttonCount && b < kStateButtonLimit; ++b) {
        out.Add(MakeInputCode(slot, InputKindButton, 0, b));
    }
}

}  // namespace

int JoystickPage::OnInitDialog(Dialog& dialog) {
    dialog_ = &dialog;
    AttachTooltips(dialog, AssignTooltipTable, kAssignTooltipCount);
    FillJoystickLists();
    CheckPlayer(selectedPlayer_);
    // A grey box still shows its flag.
    for (const AxisOptionControl& option : AxisOptionControls) {
        const bool set = (editor_.settings.AxisOptionFlags & option.bit) != 0;
        dialog.CheckButton(option.id, set ? kChecked : kUnchecked);
    }
    ShowPlayer();
    return 1;
}

void JoystickPage::FillJoystickLists() {
    Dialog& d = *dialog_;
    for (int position = 0; position < kAssignPositionCount; ++position) {
        const int id = AssignList(position);
        const int index = d.ListAppend(id, kNoneText);
        d.ListSetValue(id, index, NoInput);
    }
    const JoystickCapsTable& caps = editor_.input.joystickCaps;
    for (uint32_t slot = 0; slot < kJoystickSlotCount; ++slot) {
        if (caps[slot].buttonCount == 0) {
            continue;
        }
        // Named once, appended to every list.
        JoystickEntries joystick;
        CollectJoystickEntries(slot, caps[slot], joystick);
        for (int position = 0; position < kAssignPositionCount; ++position) {
            const int id = AssignList(position);
            for (int i = 0; i < joystick.count; ++i) {
                const int index = d.ListAppend(id, joystick.entries[i].text);
                d.ListSetValue(id, index, joystick.entries[i].code);
            }
        }
    }
    bool rotation = false;
    bool z = false;
    uint32_t sliders = 0;
    for (const JoystickCaps& slot : caps) {
        rotation = rotation || slot.hasRx != 0 || slot.hasRy != 0 || slot.hasRz != 0;
        z = z || slot.hasZ != 0;
        sliders += slot.sliderCount;
    }
    d.EnableControl(kRotationAxes, rotation);
    d.EnableControl(kSliders, sliders != 0);
    d.EnableControl(kZAxis, z);
}

void JoystickPage::SelectCode(int id, InputCode code) {
    char text[kInputNameCapacity];
    // A code that names nothing (no kind bit, a direction past the table),
    // or whose input no list offers, shows "None  ".
    if (FormatInputCode(text, sizeof text, code) == 0 ||
        dialog_->ListSelectText(id, text) == kListError) {
        dialog_->ListSelect(id, 0);
    }
}

void JoystickPage::ShowPlayer() {
    const uint32_t* entries = editor_.settings.JoystickTable[selectedPlayer_];
    for (int position = 0; position < kAssignPositionCount; ++position) {
        SelectCode(AssignList(position), entries[position]);
    }
}

void JoystickPage::StorePlayer() {
    uint32_t* entries = editor_.settings.JoystickTable[selectedPlayer_];
    for (int position = 0; position < kAssignPositionCount; ++position) {
        const int id = AssignList(position);
        const int selected = dialog_->ListSelection(id);
        // Positions without a list answer 0 and so store 0.
        entries[position] = selected >= 0 ? dialog_->ListValue(id, selected) : NoInput;
    }
}

void JoystickPage::ResetPlayer() {
    ResetJoystickPlayer(editor_.settings, editor_.input.joystickCaps, selectedPlayer_);
}

bool JoystickPage::OnPageCommand(int id) {
    const AxisOptionControl* option =
        std::ranges::find(AxisOptionControls, id, &AxisOptionControl::id);
    if (option == std::end(AxisOptionControls)) {
        return false;
    }
    uint32_t& flags = editor_.settings.AxisOptionFlags;
    const bool checked = dialog_->IsButtonChecked(id) == kChecked;
    flags = checked ? (flags | option->bit) : (flags & ~option->bit);
    dialog_->NotifyChanged();
    return true;
}

void JoystickPage::OnTimer() {
    if (dialog_ == nullptr) {
        return;
    }
    const InputCode code = PollJoystickCapture(editor_.input, editor_.settings.AxisOptionFlags);
    if (code == NoInput) {
        return;
    }
    char text[kInputNameCapacity];
    if (FormatInputCode(text, sizeof text, code) == 0) {
        return;
    }
    const int id = FocusedList();
    if (id < 0) {
        return;
    }
    dialog_->ListCloseDropDown(id);
    // An input no list offers leaves the selection as it is; Apply is
    // enabled all the same.
    dialog_->ListSelectText(id, text);
    dialog_->NotifyChanged();
}

}  // namespace ravel
