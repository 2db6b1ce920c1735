#include "input/keystate/KeyStateDevice.h"

#include <cstring>

namespace ravel {
namespace {

constexpr uint32_t kDi8DevTypeKeyboard = 0x13;
constexpr uint32_t kDidcAttached = 0x1;
constexpr uint32_t kDidftPshButton = 0x4;

}  // namespace

DiResult KeyStateDevice::SetDataFormat(DataFormat format) {
    if (acquired_) {
        return kDiErrGeneric;  // DIERR_ACQUIRED
    }
    if (format != DataFormat::Keyboard) {
        return kDiErrInvalidParam;
    }
    formatSet_ = true;
    return kDiOk;
}

DiResult KeyStateDevice::SetCooperativeLevel(NativeWindow, uint32_t flags) {
    // Exactly one of exclusive and non-exclusive, as DirectInput demands.
    const uint32_t mode = flags & (kDisclExclusive | kDisclNonExclusive);
    if (mode == 0 || mode == (kDisclExclusive | kDisclNonExclusive)) {
        return kDiErrInvalidParam;
    }
    return kDiOk;
}

DiResult KeyStateDevice::EnumObjects(EnumObjectsCallback callback, void* context, uint32_t) {
    for (uint32_t key = 1; key < kKeyboardStateSize; ++key) {
        const ObjectInstance object{GUID_Key, kDidftPshButton | (key << 8)};
        if (callback(object, context) == kDiEnumStop) {
            break;
        }
    }
    return kDiOk;
}

DiResult KeyStateDevice::SetRange(uint32_t, int32_t, int32_t) {
    return kDiErrUnsupported;
}

DiResult KeyStateDevice::Acquire() {
    if (!formatSet_) {
        return kDiErrInvalidParam;
    }
    acquired_ = true;
    return kDiOk;
}

DiResult KeyStateDevice::Unacquire() {
    acquired_ = false;
    return kDiOk;
}

DiResult KeyStateDevice::GetCapabilities(DeviceCaps& caps) {
    if (caps.dwSize != sizeof(DeviceCaps)) {
        return kDiErrInvalidParam;
    }
    caps.dwFlags = kDidcAttached;
    caps.dwDevType = kDi8DevTypeKeyboard;
    caps.dwButtons = kKeyboardStateSize - 1;
    return kDiOk;
}

DiResult KeyStateDevice::Poll() {
    return acquired_ ? kDiNoEffect : kDiErrNotAcquired;
}

DiResult KeyStateDevice::GetDeviceState(uint32_t size, void* data) {
    if (!acquired_) {
        return kDiErrNotAcquired;
    }
    if (size != kKeyboardStateSize || data == nullptr) {
        return kDiErrInvalidParam;
    }
    std::memcpy(data, table_.keys, kKeyboardStateSize);
    return kDiOk;
}

void KeyStateDevice::Release() {
    acquired_ = false;
    released_ = true;
}

}  // namespace ravel
