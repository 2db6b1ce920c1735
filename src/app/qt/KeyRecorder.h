// Fills the keyboard's key-state table from the application's key events:
// a key is down from its press to its release, by the DirectInput code of the
// physical key. Everything is let go when the application leaves the
// foreground, since releases then go to another window.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <utility>

#include "input/linux/EmulatedDevice.h"

class QKeyEvent;

namespace ravel {

// The DIK_* code of a native scan code, 0 for a key with no code. One per
// windowing system.
using ScanCodeMapper = std::function<uint8_t(uint32_t nativeScanCode)>;

class KeyRecorder final : public QObject {
  public:
    KeyRecorder(KeyStateTable& table, ScanCodeMapper mapper)
        : table_(table), mapper_(std::move(mapper)) {}

    // Installed on the application, so it sees every key event before any
    // widget does. Never consumes an event.
    bool eventFilter(QObject* watched, QEvent* event) override;

    void Press(const QKeyEvent& event);
    void ReleaseKey(const QKeyEvent& event);
    void Clear();

  private:
    KeyStateTable& table_;
    ScanCodeMapper mapper_;
    uint8_t pressedAs_[256] = {};  // DIK code each native scan code went down as
};

}  // namespace ravel
