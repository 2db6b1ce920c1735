// The page-window operations the pages use. Each platform realises them over
// its own controls; a call naming a control the page lacks does nothing and
// answers 0, as the Win32 dialog manager does. Texts are UTF-8.
#pragma once

#include <cstdint>

#include "platform/NativeHandles.h"

namespace ravel {

// Property-sheet notifications and the list notification the pages read.
inline constexpr int kPsnSetActive = -200;
inline constexpr int kPsnKillActive = -201;
inline constexpr int kPsnApply = -202;
inline constexpr int kPsnRetInvalid = 1;  // PSN_APPLY's answer: keep the sheet open
inline constexpr int kCbnSelChange = 1;
inline constexpr int kBnClicked = 0;

inline constexpr unsigned kUnchecked = 0;
inline constexpr unsigned kChecked = 1;
inline constexpr int kListError = -1;  // CB_ERR

// How often a capture page looks at the devices: 33 ms, about 30 times a
// second, often enough that a key held 150 ms is seen.
inline constexpr unsigned kCapturePeriodMs = 33;

class Dialog {
public:
    // Check boxes and radio buttons (CheckDlgButton / IsDlgButtonChecked).
    virtual void CheckButton(int id, unsigned state) = 0;
    virtual unsigned IsButtonChecked(int id) = 0;
    // Enables or greys any control (EnableWindow).
    virtual void EnableControl(int id, bool enabled) = 0;

    // Drop-down lists, in insertion order (CB_ADDSTRING ... CB_SHOWDROPDOWN).
    virtual int ListAppend(int id, const char* text) = 0;  // the new entry's index
    virtual void ListSetValue(int id, int index, uint32_t value) = 0;
    virtual uint32_t ListValue(int id, int index) = 0;
    virtual int ListSelection(int id) = 0;  // kListError when nothing is selected
    // Selects by index; a program's selection sends no CBN_SELCHANGE.
    virtual void ListSelect(int id, int index) = 0;
    // CB_SELECTSTRING from index 0: the first entry whose text begins with
    // `text`, case ignored, searching from entry 1 onward and entry 0 last.
    // Answers the index, or kListError leaving the selection as it was.
    virtual int ListSelectText(int id, const char* text) = 0;
    virtual void ListCloseDropDown(int id) = 0;

    // Identifier of the page's control that has the keyboard focus, 0 if the
    // focus is elsewhere.
    virtual int FocusedControl() = 0;
    // PSM_CHANGED to the sheet: enables Apply.
    virtual void NotifyChanged() = 0;
    // The capture timer: identifier 0, every kCapturePeriodMs; starting it
    // again replaces it.
    virtual void StartCaptureTimer() = 0;
    virtual void StopCaptureTimer() = 0;
    // A string of the program's string table (LoadStringA), cut to fit
    // `capacity` with its terminator; "" when the table has no such string.
    virtual void LoadTableString(int id, char* text, int capacity) = 0;
    // Gives one control a tooltip of its own showing `text`.
    virtual void AddControlTooltip(int id, const char* text) = 0;
    // The sheet's top-level window (the page's parent), owner of the devices.
    virtual NativeWindow SheetWindow() = 0;

protected:
    ~Dialog() = default;
};

}  // namespace ravel
