// The keyboard as discovery reads it: a 256-byte key-state table that the
// window fills from its own key events (index = DIK_* scan code, 0x80 =
// down). The window clears the table when it loses the foreground, so a read
// then simply sees no key.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "input/CaptureScan.h"
#include "input/linux/EmulatedDevice.h"

namespace ravel {

struct KeyStateTable {
    uint8_t keys[kKeyboardStateSize];
};

class KeyStateDevice final : public EmulatedDevice {
  public:
    KeyStateTable& table() { return table_; }

    DiResult GetDeviceState(uint32_t size, void* data) override {
        std::memcpy(data, table_.keys, std::min<size_t>(size, sizeof table_.keys));
        return kDiOk;
    }

  private:
    KeyStateTable table_{};
};

}  // namespace ravel
