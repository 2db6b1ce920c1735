// DirectInput's device rules for the devices it does not supply: a data
// format before Acquire, one cooperative mode, reads only while acquired and
// of the format's size, with DirectInput's results for each. A device fills
// in only what is its own: its objects, its caps and its state.
#pragma once

#include <cstdint>

#include "input/InputBackend.h"

namespace ravel {

inline constexpr DiResult kDiNoEffect = 1;  // DI_NOEFFECT: nothing to poll
inline constexpr DiResult kDiErrInvalidParam = static_cast<DiResult>(0x80070057u);
inline constexpr DiResult kDiErrUnsupported = static_cast<DiResult>(0x80004001u);
inline constexpr DiResult kDiErrNotFound = static_cast<DiResult>(0x80070002u);
inline constexpr DiResult kDiErrDeviceNotReg = static_cast<DiResult>(0x80040154u);
inline constexpr DiResult kDiErrUnplugged = static_cast<DiResult>(0x80040209u);
inline constexpr DiResult kDiErrOutOfMemory = static_cast<DiResult>(0x8007000Eu);

inline constexpr uint32_t kDidcAttached = 0x1;
inline constexpr uint32_t kDidftAbsAxis = 0x2;
inline constexpr uint32_t kDidftPshButton = 0x4;
inline constexpr uint32_t kDidftPov = 0x10;
inline constexpr uint32_t kDi8DevTypeKeyboard = 0x13;
inline constexpr uint32_t kDi8DevTypeJoystick = 0x14;
inline constexpr uint32_t kDi8DevTypeGamepad = 0x15;

// DIDFT_MAKEINSTANCE: an object's dwType from its kind and its number.
constexpr uint32_t DidftMakeInstance(uint32_t type, uint32_t instance) {
    return type | (instance << 8);
}

class EmulatedDevice : public InputDevice {
  public:
    EmulatedDevice(const EmulatedDevice&) = delete;
    EmulatedDevice& operator=(const EmulatedDevice&) = delete;

    DiResult SetDataFormat(DataFormat format) final;
    DiResult SetCooperativeLevel(NativeWindow window, uint32_t flags) final;
    DiResult SetRange(uint32_t, int32_t, int32_t) override { return kDiErrUnsupported; }
    DiResult Acquire() final;
    DiResult Unacquire() final;
    DiResult GetCapabilities(DeviceCaps& caps) final;
    DiResult Poll() final { return acquired_ ? Update() : kDiErrNotAcquired; }
    DiResult GetDeviceState(uint32_t size, void* data) final;
    void Release() final {
        acquired_ = false;
        Close();
    }

  protected:
    explicit EmulatedDevice(DataFormat format) : format_(format) {}
    ~EmulatedDevice() = default;

    // DIDEVCAPS beyond dwSize and dwFlags.
    virtual void FillCaps(DeviceCaps& caps) const = 0;
    // The state in the device's format, into storage of its size.
    virtual void ReadState(void* data) const = 0;
    // An unplugged device cannot be acquired; its next read reports lost input.
    virtual bool Attached() const { return true; }
    // Poll while acquired.
    virtual DiResult Update() { return kDiNoEffect; }
    // What else Release gives back.
    virtual void Close() {}
    // A device opened again starts unconfigured.
    void Reset() { formatSet_ = acquired_ = false; }

  private:
    DataFormat format_;
    bool formatSet_ = false;
    bool acquired_ = false;
};

}  // namespace ravel
