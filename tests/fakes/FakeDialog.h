// A page window built from the same template data as the real programs, with
// the dialog manager's behaviour: automatic radio buttons and check boxes
// change their own state before the page hears of the click, a program's
// list selection sends nothing, a user's sends CBN_SELCHANGE, and anything
// addressed to a control the template lacks does nothing and answers 0.
#pragma once

#include <strings.h>

#include <array>
#include <cstring>
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

    explicit FakeDialog(int templateId) {
        const DialogTemplate& page = *FindDialogTemplate(templateId);
        for (int i = 0, group = 0; i < page.controlCount; ++i) {
            const ControlTemplate& source = page.controls[i];
            group = source.groupStart ? i : group;
            if (source.id >= kFirstId && source.id < kFirstId + kIdSpan) {
                Control& c = controls_[static_cast<size_t>(source.id - kFirstId)];
                c.source = &source;
                c.group = group;
            }
        }
    }

    // --- Dialog ---
    // Only radio buttons and check boxes hold a check; lists and push
    // buttons ignore BM_SETCHECK.
    void CheckButton(int id, unsigned state) override {
        if (Control* c = Find(id); c != nullptr && (c->source->kind == ControlKind::RadioButton ||
                                                    c->source->kind == ControlKind::CheckBox)) {
            c->state = state;
        }
    }
    unsigned IsButtonChecked(int id) override { return Find(id) != nullptr ? Find(id)->state : 0; }
    void EnableControl(int id, bool enabled) override {
        if (Control* c = Find(id)) {
            c->enabled = enabled;
        }
    }
    int ListAppend(int id, const char* text) override {
        Control* c = List(id);
        return c == nullptr ? 0 : (c->entries.push_back({text, 0}), Count(*c) - 1);
    }
    void ListSetValue(int id, int index, uint32_t value) override {
        if (Control* c = List(id); c != nullptr && Valid(*c, index)) {
            c->entries[static_cast<size_t>(index)].value = value;
        }
    }
    uint32_t ListValue(int id, int index) override {
        Control* c = List(id);
        if (c == nullptr) {
            return 0;
        }
        return Valid(*c, index) ? c->entries[static_cast<size_t>(index)].value : kListError;
    }
    int ListSelection(int id) override { return List(id) != nullptr ? List(id)->selection : 0; }
    void ListSelect(int id, int index) override {
        if (Control* c = List(id)) {
            c->selection = Valid(*c, index) ? index : kListError;
        }
    }
    int ListSelectText(int id, const char* text) override {
        Control* c = List(id);
        if (c == nullptr) {
            return 0;
        }
        for (int n = 1; n <= Count(*c); ++n) {
            const int index = n % Count(*c);  // entry 0 last
            if (BeginsWith(c->entries[static_cast<size_t>(index)].text, text)) {
                return c->selection = index;
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
        if (Control* c = List(id); c != nullptr && c->enabled) {
            focus_ = id;
            c->selection = index;
            page_->OnCommand(id, kCbnSelChange);
        }
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
    bool Enabled(int id) { return Find(id) != nullptr && Find(id)->enabled; }
    std::string SelectedText(int id) {
        Control* c = List(id);
        return c != nullptr && Valid(*c, c->selection)
                   ? c->entries[static_cast<size_t>(c->selection)].text
                   : "";
    }
    const std::vector<Entry>& Entries(int id) {
        static const std::vector<Entry> kNone;
        return List(id) != nullptr ? List(id)->entries : kNone;
    }
    // The whole page at a glance: "1002 1004" for the checked buttons, the
    // grey controls, or the controls with a tooltip.
    std::string CheckedIds() {
        return Ids([](const Control& c) { return c.state == kChecked; });
    }
    std::string GreyIds() {
        return Ids([](const Control& c) { return !c.enabled; });
    }
    std::string TooltipIds() {
        return Ids([](const Control& c) { return c.hasTooltip; });
    }

    int changedCount = 0;
    bool timerRunning = false;
    int timerStarts = 0;

  private:
    Control* List(int id) {
        Control* c = Find(id);
        return c != nullptr && c->source->kind == ControlKind::DropDownList ? c : nullptr;
    }
    static int Count(const Control& c) { return static_cast<int>(c.entries.size()); }
    static bool Valid(const Control& c, int index) { return index >= 0 && index < Count(c); }
    template <typename Predicate>
    std::string Ids(Predicate predicate) {
        std::string ids;
        for (int id = kFirstId; id < kFirstId + kIdSpan; ++id) {
            if (Find(id) != nullptr && predicate(*Find(id))) {
                ids += (ids.empty() ? "" : " ") + std::to_string(id);
            }
        }
        return ids;
    }
    static bool BeginsWith(const std::string& text, const char* prefix) {
        const size_t length = std::strlen(prefix);
        return text.size() >= length && ::strncasecmp(text.c_str(), prefix, length) == 0;
    }

    // Every identifier the templates use lies in 1000-1064.
    static constexpr int kFirstId = 1000;
    static constexpr int kIdSpan = 72;

    std::array<Control, kIdSpan> controls_{};
    Page* page_ = nullptr;
    int focus_ = 0;
};

}  // namespace ravel::testing
