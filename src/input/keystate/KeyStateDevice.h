// The keyboard as DirectInput shows it, over a 256-byte key-state table that
// the window fills from its own key events (index = DIK_* scan code, 0x80 =
// down). The window clears the table when it loses the foreground, so the
// device itself stays acquired and simply sees no key then.
#pragma once

#include <cstdint>

#include "input/CaptureScan.h"
#include "input/InputBackend.h"
#include "input/linux/DiErrors.h"

namespace ravel {

struct KeyStateTable {
    uint8_t keys[kKeyboardStateSize];
};

class KeyStateDevice final : public InputDevice {
  public:
    explicit KeyStateDevice(const KeyStateTable& table) : table_(table) {}

    DiResult SetDataFormat(DataFormat format) override;
    DiResult SetCooperativeLevel(NativeWindow window, uint32_t flags) override;
    DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t flags) override;
    DiResult SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) override;
    DiResult Acquire() override;
    DiResult Unacquire() override;
    DiResult GetCapabilities(DeviceCaps& caps) override;
    DiResult Poll() override;
    DiResult GetDeviceState(uint32_t size, void* data) override;
    void Release() override;

    bool acquired() const { return acquired_; }
    bool released() const { return released_; }

  private:
    const KeyStateTable& table_;
    bool formatSet_ = false;
    bool acquired_ = false;
    bool released_ = false;
};

}  // namespace ravel
