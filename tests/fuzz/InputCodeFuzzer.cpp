// Any code through the formatter, any device state through the scans.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>

#include "fuzz/FuzzTargets.h"

#include "input/CaptureScan.h"
#include "input/InputCode.h"

namespace ravel {

int FuzzInputCodes(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);

    char text[kInputNameCapacity + 4];
    std::memset(text, 'x', sizeof text);
    const InputCode code = in.ConsumeIntegral<uint32_t>();
    const size_t capacity = in.ConsumeIntegralInRange<size_t>(0, kInputNameCapacity);
    const int length = FormatInputCode(text, capacity, code);
    if (length < 0 || length > 12 || (length > 0 && std::strlen(text) != static_cast<size_t>(length)) ||
        text[kInputNameCapacity] != 'x') {
        __builtin_trap();
    }

    JoystickCaps caps{};
    caps.buttonCount = in.ConsumeIntegral<uint32_t>();
    caps.hasZ = in.ConsumeIntegral<uint8_t>();
    caps.hasRx = in.ConsumeIntegral<uint8_t>();
    caps.hasRy = in.ConsumeIntegral<uint8_t>();
    caps.hasRz = in.ConsumeIntegral<uint8_t>();
    caps.sliderCount = in.ConsumeIntegral<uint32_t>();
    caps.povCount = in.ConsumeIntegral<uint32_t>();
    const uint32_t slot = in.ConsumeIntegralInRange<uint32_t>(0, 3);
    const uint32_t options = in.ConsumeIntegral<uint8_t>();
    JoystickState state{};
    auto bytes = in.ConsumeBytes<uint8_t>(sizeof state);
    if (!bytes.empty()) {
        std::memcpy(&state, bytes.data(), bytes.size());
    }
    const InputCode found = ScanJoystickState(state, caps, slot, options);
    if (found != NoInput) {
        // Whatever the scan reports has a name, on the slot it was asked about.
        if ((found >> 28) != slot || FormatInputCode(text, sizeof text, found) == 0) {
            __builtin_trap();
        }
    }

    uint8_t keys[kKeyboardStateSize] = {};
    auto keyBytes = in.ConsumeRemainingBytes<uint8_t>();
    if (!keyBytes.empty()) {
        std::memcpy(keys, keyBytes.data(), std::min(keyBytes.size(), sizeof keys));
    }
    const int key = ScanKeyboardState(keys);
    if (key < -1 || key > 255 || (key >= 0 && (keys[key] & 0x80) == 0)) {
        __builtin_trap();
    }
    return 0;
}

}  // namespace ravel

RAVEL_FUZZ_TARGET(InputCodes, ravel::FuzzInputCodes, RAVEL_FUZZ_CORPUS "/codes", 3)
