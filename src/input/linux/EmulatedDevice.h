// The base of the devices the Linux editor supplies itself behind the
// DirectInput-shaped device interface. Discovery always calls a device in
// DirectInput's order (format, cooperative level, acquisition), so those
// steps have nothing to check here and answer DI_OK. A device supplies only
// what is its own: its objects, its caps and its state.
#pragma once

#include <cstdint>

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

}  // namespace ravel
