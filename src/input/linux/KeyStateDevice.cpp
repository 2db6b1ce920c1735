#include "input/linux/KeyStateDevice.h"

#include <cstring>

namespace ravel {

DiResult KeyStateDevice::EnumObjects(EnumObjectsCallback callback, void* context, uint32_t) {
    for (uint32_t key = 1; key < kKeyboardStateSize; ++key) {
        const ObjectInstance object{GUID_Key, DidftMakeInstance(kDidftPshButton, key)};
        if (callback(object, context) == kDiEnumStop) {
            break;
        }
    }
    return kDiOk;
}

void KeyStateDevice::FillCaps(DeviceCaps& caps) const {
    caps.dwDevType = kDi8DevTypeKeyboard;
    caps.dwButtons = kKeyboardStateSize - 1;
}

void KeyStateDevice::ReadState(void* data) const {
    std::memcpy(data, table_.keys, kKeyboardStateSize);
}

}  // namespace ravel
