#include "input/linux/EmulatedDevice.h"

#include "input/CaptureScan.h"

namespace ravel {

DiResult EmulatedDevice::SetDataFormat(DataFormat format) {
    if (acquired_) {
        return kDiErrGeneric;  // DIERR_ACQUIRED
    }
    if (format != format_) {
        return kDiErrInvalidParam;
    }
    formatSet_ = true;
    return kDiOk;
}

DiResult EmulatedDevice::SetCooperativeLevel(NativeWindow, uint32_t flags) {
    // Exactly one of exclusive and non-exclusive, as DirectInput demands.
    const uint32_t mode = flags & (kDisclExclusive | kDisclNonExclusive);
    return mode == kDisclExclusive || mode == kDisclNonExclusive ? kDiOk : kDiErrInvalidParam;
}

DiResult EmulatedDevice::Acquire() {
    if (!formatSet_) {
        return kDiErrInvalidParam;
    }
    if (!Attached()) {
        return kDiErrUnplugged;
    }
    acquired_ = true;
    return kDiOk;
}

DiResult EmulatedDevice::Unacquire() {
    acquired_ = false;
    return kDiOk;
}

DiResult EmulatedDevice::GetCapabilities(DeviceCaps& caps) {
    if (caps.dwSize != sizeof(DeviceCaps)) {
        return kDiErrInvalidParam;
    }
    caps.dwFlags = kDidcAttached;
    FillCaps(caps);
    return kDiOk;
}

DiResult EmulatedDevice::GetDeviceState(uint32_t size, void* data) {
    if (!acquired_) {
        return kDiErrNotAcquired;
    }
    const uint32_t stateSize =
        format_ == DataFormat::Keyboard ? kKeyboardStateSize : sizeof(JoystickState);
    if (size != stateSize || data == nullptr) {
        return kDiErrInvalidParam;
    }
    if (!Attached()) {
        acquired_ = false;  // unplugged: reported once, then not acquired
        return kDiErrInputLost;
    }
    ReadState(data);
    return kDiOk;
}

}  // namespace ravel
