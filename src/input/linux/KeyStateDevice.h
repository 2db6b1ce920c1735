// The keyboard as DirectInput shows it, over a 256-byte key-state table that
// the window fills from its own key events (index = DIK_* scan code, 0x80 =
// down). The window clears the table when it loses the foreground, so the
// device itself stays acquired and simply sees no key then.
#pragma once

#include <cstdint>

#include "input/CaptureScan.h"
#include "input/linux/EmulatedDevice.h"

namespace ravel {

struct KeyStateTable {
    uint8_t keys[kKeyboardStateSize];
};

// Belongs to the window that fills the table; the input system hands it out.
class KeyStateDevice final : public EmulatedDevice {
  public:
    explicit KeyStateDevice(const KeyStateTable& table)
        : EmulatedDevice(DataFormat::Keyboard), table_(table) {}

    DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t flags) override;

    bool released() const { return released_; }

  private:
    void FillCaps(DeviceCaps& caps) const override;
    void ReadState(void* data) const override;
    void Close() override { released_ = true; }

    const KeyStateTable& table_;
    bool released_ = false;
};

}  // namespace ravel
