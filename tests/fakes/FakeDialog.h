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
            if (Control* c = Slot(source.id)) {
                c->source = &source;
                c->group = group;
            }
        }
    }

    // --- Dialog ---
    // Only radio buttons and check boxes hold a check; lists and push
    // buttons ignore BM_SETCHECK.
    void CheckButton(int id, unsigned state) override {
        if (Is(Find(id), ControlKind::RadioButton) || Is(Find(id), ControlKind::CheckBox)) {
            Find(id)->state = state;
        }
    }
    unsigned IsButtonChecked(int id) override { return Find(id) != nullptr ? Find(id)->state : 0; }
    void EnableControl(int id, bool enabled) override { Or(Find(id)).enabled = enabled; }
    int ListAppend(int id, const char* text) override {
        Control* c = List(id);
        return c == nullptr ? 0 : (c->entries.push_back({text, 0}), Count(*c) - 1);
    }
    void ListSetValue(int id, int index, uint32_t value) override {
        if (Entry* entry = At(List(id), index)) {
            entry->value = value;
        }
    }
    uint32_t ListValue(int id, int index) override {
        return List(id) == nullptr   ? 0
               : At(List(id), index) ? At(List(id), index)->value
                                     : kListError;
    }
    int ListSelection(int id) override { return List(id) != nullptr ? List(id)->selection : 0; }
    void ListSelect(int id, int index) override {
        Or(List(id)).selection = At(List(id), index) != nullptr ? index : kListError;
    }
    int ListSelectText(int id, const char* text) override {
        Control* c = List(id);
        for (int n = 1; c != nullptr && n <= Count(*c); ++n) {
            const int index = n % Count(*c);  // entry 0 last
            // A shorter entry differs at its end, so this is a prefix match.
            if (::strncasecmp(At(c, index)->text.c_str(), text, std::strlen(text)) == 0) {
                return c->selection = index;
            }
        }
        return c == nullptr ? 0 : kListError;
    }
    void ListCloseDropDown(int id) override { Or(List(id)).droppedDown = false; }
    int FocusedControl() override { return Find(focus_) != nullptr ? focus_ : 0; }
    void NotifyChanged() override { ++changedCount; }
    void StartCaptureTimer() override { timerRunning = true, ++timerStarts; }
    void StopCaptureTimer() override { timerRunning = false; }
    void LoadTableString(int id, char* text, int capacity) override {
        CopyString(id, text, capacity);
    }
    void AddControlTooltip(int id, const char* text) override {
        Or(Find(id)).tooltip = text;
        Or(Find(id)).hasTooltip = true;
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
        if (Is(c, ControlKind::RadioButton)) {
            for (Control& other : controls_) {
                if (other.group == c->group && Is(&other, ControlKind::RadioButton)) {
                    other.state = kUnchecked;
                }
            }
            c->state = kChecked;
        } else if (Is(c, ControlKind::CheckBox)) {
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
    Control* Find(int id) { return Slot(id) != nullptr && Slot(id)->source ? Slot(id) : nullptr; }
    std::string SelectedText(int id) {
        const Entry* entry = List(id) != nullptr ? At(List(id), List(id)->selection) : nullptr;
        return entry != nullptr ? entry->text : "";
    }
    const std::vector<Entry>& Entries(int id) {
        static const std::vector<Entry> kNone;
        return List(id) != nullptr ? List(id)->entries : kNone;
    }
    // The whole page at a glance: "1002 1004" for the checked buttons, the
    // grey controls, or the controls with a tooltip.
    std::string CheckedIds() { return Ids(&Control::state, kChecked); }
    std::string GreyIds() { return Ids(&Control::enabled, false); }
    std::string TooltipIds() { return Ids(&Control::hasTooltip, true); }
    // Checked | grey: "1002 1004 | 1005".
    std::string Seen() { return CheckedIds() + " | " + GreyIds(); }

    int changedCount = 0;
    bool timerRunning = false;
    int timerStarts = 0;

  private:
    Control* Slot(int id) {
        const auto index = static_cast<size_t>(id - kFirstId);  // below kFirstId: huge
        return index < controls_.size() ? &controls_[index] : nullptr;
    }
    static bool Is(const Control* c, ControlKind kind) {
        return c != nullptr && c->source != nullptr && c->source->kind == kind;
    }
    // A missing control's writes land in a blank that nothing reads.
    Control& Or(Control* c) { return c != nullptr ? *c : (spare_ = {}); }
    Control* List(int id) { return Is(Find(id), ControlKind::DropDownList) ? Find(id) : nullptr; }
    static int Count(const Control& c) { return static_cast<int>(c.entries.size()); }
    // Entry `index` of list `c`, if both exist.
    static Entry* At(Control* c, int index) {
        return c != nullptr && index >= 0 && index < Count(*c) ? &c->entries[size_t(index)]
                                                               : nullptr;
    }
    // The controls whose `field` holds `value`, by id.
    template <typename Field, typename Value>
    std::string Ids(Field Control::*field, Value value) {
        std::string ids;
        for (int id = kFirstId; id < kFirstId + kIdSpan; ++id) {
            if (const Control* c = Find(id); c != nullptr && c->*field == value) {
                ids += (ids.empty() ? "" : " ") + std::to_string(id);
            }
        }
        return ids;
    }

    // Every identifier the templates use lies in 1000-1064.
    static constexpr int kFirstId = 1000;
    static constexpr int kIdSpan = 72;

    std::array<Control, kIdSpan> controls_{};
    Control spare_;
    Page* page_ = nullptr;
    int focus_ = 0;
};

}  // namespace ravel::testing
