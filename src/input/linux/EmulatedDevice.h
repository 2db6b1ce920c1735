// The devices the Linux editor supplies itself behind the
// DirectInput-shaped device interface. Discovery always calls a device in
// DirectInput's order (format, cooperative level, acquisition), so those
// steps have nothing to check here and answer DI_OK. A device supplies only
// what is its own: its objects, its caps and its state.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "input/CaptureScan.h"
#include "input/InputBackend.h"

namespace ravel {

class EmulatedDevice : public InputDevice {
  public:
    DiResult SetDataFormat(DataFormat) final { return kDiOk; }
    DiResult SetCooperativeLevel(NativeWindow, uint32_t) final { return kDiOk; }
    DiResult EnumObjects(EnumObjectsCallback, void*, uint32_t) override { return kDiOk; }
    DiResult SetRange(uint32_t, int32_t, int32_t) override { return kDiOk; }
    DiResult Acquire() final { return kDiOk; }
    DiResult Unacquire() final { return kDiOk; }
    DiResult GetCapabilities(DeviceCaps&) override { return kDiOk; }
    DiResult Poll() override { return kDiOk; }
    void Release() override {}

  protected:
    ~EmulatedDevice() = default;
};

// The keyboard as discovery reads it: a 256-byte key-state table that the
// window fills from its own key events (index = DIK_* scan code, 0x80 =
// down). The window clears the table when it loses the foreground, so a read
// then simply sees no key.
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
