// A page window built from the same template data as the real programs, with
// the dialog manager's behaviour: automatic radio buttons and check boxes
// change their own state before the page hears of the click, a program's
// list selection sends nothing, a user's sends CBN_SELCHANGE, and anything
// addressed to a control the template lacks does nothing and answers 0.
#pragma once

#include <cctype>
#include <cstring>
#include <array>
#include <string>
#include <vector>

#include "pages/Dialog.h"
#include "pages/Page.h"
#include "resources/Templates.h"

namespace ravel::testing {

class FakeDialog : public Dialog {
public:
    struct Entry {
        std::string text;
        uint32_t value = 0;
    };
    struct Control {
        const ControlTemplate* source = nullptr;
        int group = 0;  // index of the control that starts its group
        unsigned state = kUnchecked;
        bool enabled = true;
        bool droppedDown = false;
        int selection = kListError;
        std::vector<Entry> entries;
        std::string tooltip;
        bool hasTooltip = false;
    };

    explicit FakeDialog(int templateId) : template_(*FindDialogTemplate(templateId)) {
        int group = 0;
        for (int i = 0; i < template_.controlCount; ++i) {
            const ControlTemplate& source = template_.controls[i];
            if (source.groupStart) {
                group = i;
            }
            if (source.id >= kFirstId && source.id < kFirstId + kIdSpan) {
                Control& control = controls_[static_cast<size_t>(source.id - kFirstId)];
                control.source = &source;
                control.group = group;
            }
        }
    }

    // --- Dialog ---
    void CheckButton(int id, unsigned state) override {
        if (Control* c = Find(id)) {
            c->state = state;
        }
    }
    unsigned IsButtonChecked(int id) override {
        const Control* c = Find(id);
        return c != nullptr ? c->state : 0;
    }
    void EnableControl(int id, bool enabled) override {
        if (Control* c = Find(id)) {
            c->enabled = enabled;
        }
    }
    int ListAppend(int id, const char* text) override {
        Control* c = List(id);
        if (c == nullptr) {
            return 0;
        }
        if (c->entries.empty()) {
            c->entries.reserve(128);
        }
        c->entries.push_back({text, 0});
        return static_cast<int>(c->entries.size()) - 1;
    }
    void ListSetValue(int id, int index, uint32_t value) override {
        Control* c = List(id);
        if (c != nullptr && index >= 0 && index < static_cast<int>(c->entries.size())) {
            c->entries[static_cast<size_t>(index)].value = value;
        }
    }
    uint32_t ListValue(int id, int index) override {
        Control* c = List(id);
        if (c == nullptr) {
            return 0;
        }
        if (index < 0 || index >= static_cast<int>(c->entries.size())) {
            return static_cast<uint32_t>(kListError);
        }
        return c->entries[static_cast<size_t>(index)].value;
    }
    int ListSelection(int id) override {
        const Control* c = List(id);
        return c != nullptr ? c->selection : 0;
    }
    void ListSelect(int id, int index) override {
        if (Control* c = List(id)) {
            const bool valid = index >= 0 && index < static_cast<int>(c->entries.size());
            c->selection = valid ? index : kListError;
        }
    }
    int ListSelectText(int id, const char* text) override {
        Control* c = List(id);
        if (c == nullptr) {
            return 0;
        }
        const int count = static_cast<int>(c->entries.size());
        for (int n = 1; n <= count; ++n) {
            const int index = n % count;  // entry 0 last
            if (BeginsWith(c->entries[static_cast<size_t>(index)].text, text)) {
                c->selection = index;
                return index;
            }
        }
        return kListError;
    }
    void ListCloseDropDown(int id) override {
        if (Control* c = List(id)) {
            c->droppedDown = false;
        }
    }
    int FocusedControl() override { return Find(focus_) != nullptr ? focus_ : 0; }
    void NotifyChanged() override { ++changedCount; }
    void StartCaptureTimer() override {
        timerRunning = true;
        ++timerStarts;
    }
    void StopCaptureTimer() override { timerRunning = false; }
    void AddControlTooltip(int id, const char* text) override {
        if (Control* c = Find(id)) {
            c->tooltip = text;
            c->hasTooltip = true;
        }
    }
    NativeWindow SheetWindow() override { return reinterpret_cast<NativeWindow>(0x5EE7); }

    // --- What a user does ---
    void Attach(Page& page) { page_ = &page; }

    // A click on a button: automatic buttons change first, then the page
    // hears of it. A grey control takes no click.
    void Click(int id) {
        Control* c = Find(id);
        if (c == nullptr || !c->enabled) {
            return;
        }
        if (c->source->kind == ControlKind::RadioButton) {
            for (Control& other : controls_) {
                if (other.source != nullptr && other.group == c->group &&
                    other.source->kind == ControlKind::RadioButton) {
                    other.state = kUnchecked;
                }
            }
            c->state = kChecked;
        } else if (c->source->kind == ControlKind::CheckBox) {
            c->state = c->state == kChecked ? kUnchecked : kChecked;
        }
        focus_ = id;
        page_->OnCommand(id, kBnClicked);
    }

    // The user picks entry `index` of a list with the mouse.
    void Choose(int id, int index) {
        Control* c = List(id);
        if (c == nullptr || !c->enabled) {
            return;
        }
        focus_ = id;
        c->selection = index;
        page_->OnCommand(id, kCbnSelChange);
    }

    void Focus(int id) { focus_ = id; }
    void DropDown(int id) {
        if (Control* c = List(id)) {
            c->droppedDown = true;
            focus_ = id;
        }
    }
    void Tick() {
        if (timerRunning) {
            page_->OnTimer();
        }
    }

    // --- What a user sees ---
    Control* Find(int id) {
        if (id < kFirstId || id >= kFirstId + kIdSpan) {
            return nullptr;
        }
        Control& c = controls_[static_cast<size_t>(id - kFirstId)];
        return c.source != nullptr ? &c : nullptr;
    }
    bool Checked(int id) { return IsButtonChecked(id) == kChecked; }
    bool Enabled(int id) {
        const Control* c = Find(id);
        return c != nullptr && c->enabled;
    }
    std::string SelectedText(int id) {
        Control* c = List(id);
        if (c == nullptr || c->selection < 0) {
            return "";
        }
        return c->entries[static_cast<size_t>(c->selection)].text;
    }
    const std::vector<Entry>& Entries(int id) {
        static const std::vector<Entry> kNone;
        Control* c = List(id);
        return c != nullptr ? c->entries : kNone;
    }

    int changedCount = 0;
    bool timerRunning = false;
    int timerStarts = 0;

private:
    Control* List(int id) {
        Control* c = Find(id);
        return c != nullptr && c->source->kind == ControlKind::DropDownList ? c : nullptr;
    }
    static bool BeginsWith(const std::string& text, const char* prefix) {
        const size_t length = std::strlen(prefix);
        if (text.size() < length) {
            return false;
        }
        for (size_t i = 0; i < length; ++i) {
            if (std::tolower(static_cast<unsigned char>(text[i])) !=
                std::tolower(static_cast<unsigned char>(prefix[i]))) {
                return false;
            }
        }
        return true;
    }

    // Every identifier the templates use lies in 1000-1064.
    static constexpr int kFirstId = 1000;
    static constexpr int kIdSpan = 72;

    const DialogTemplate& template_;
    std::array<Control, kIdSpan> controls_{};
    Page* page_ = nullptr;
    int focus_ = 0;
};

}  // namespace ravel::testing
