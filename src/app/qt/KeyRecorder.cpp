#include "app/qt/KeyRecorder.h"

#include <QKeyEvent>

#include <cstring>

namespace ravel {
namespace {

constexpr uint8_t kKeyDown = 0x80;

}  // namespace

bool KeyRecorder::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        Press(*static_cast<QKeyEvent*>(event));
    } else if (event->type() == QEvent::KeyRelease) {
        ReleaseKey(*static_cast<QKeyEvent*>(event));
    } else if (event->type() == QEvent::ApplicationStateChange &&
               static_cast<QApplicationStateChangeEvent*>(event)->applicationState() !=
                   Qt::ApplicationActive) {
        // The releases of keys held now go to another program's window.
        Clear();
    }
    return false;
}

void KeyRecorder::Press(const QKeyEvent& event) {
    const uint32_t native = event.nativeScanCode();
    if (native >= sizeof pressedAs_) {
        return;
    }
    const uint8_t dik = mapper_(native);
    if (dik == 0) {
        return;
    }
    pressedAs_[native] = dik;
    table_.keys[dik] = kKeyDown;
}

void KeyRecorder::ReleaseKey(const QKeyEvent& event) {
    // X11 repeats a held key as release + press pairs marked as repeats.
    if (event.isAutoRepeat()) {
        return;
    }
    const uint32_t native = event.nativeScanCode();
    if (native >= sizeof pressedAs_ || pressedAs_[native] == 0) {
        return;
    }
    table_.keys[pressedAs_[native]] = 0;
    pressedAs_[native] = 0;
}

void KeyRecorder::Clear() {
    std::memset(table_.keys, 0, sizeof table_.keys);
    std::memset(pressedAs_, 0, sizeof pressedAs_);
}

}  // namespace ravel
