// Scripted devices that answer as DirectInput 8 does: enumeration calls back
// until told to stop, a device reads only while acquired, a lost device says
// so once and then that it is not acquired until acquired again, a foreground
// device cannot be acquired while its window is away, and any use of a
// released object ends the run (its counts stay readable).
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "input/CaptureScan.h"
#include "input/InputBackend.h"

namespace ravel::testing {

inline constexpr DiResult kSFalse = 1;  // a success that is not DI_OK (DI_NOEFFECT)

inline void UseOf(bool released, const char* what) {
    if (released) {
        std::fprintf(stderr, "a released %s was used\n", what);
        std::abort();
    }
}

struct FakeDeviceScript {
    DiResult dataFormat = kDiOk, cooperativeLevel = kDiOk;  // what each step answers
    DiResult enumObjects = kDiOk, capabilities = kDiOk;
    int failRangeAtObject = -1;  // SetRange fails for this object index
    uint32_t buttons = 0;
    std::vector<ObjectInstance> objects;
};

class FakeDevice final : public InputDevice {
  public:
    explicit FakeDevice(FakeDeviceScript script) : script_(std::move(script)) {}

    DiResult SetDataFormat(DataFormat format) override {
        return Use(), format_ = format, script_.dataFormat;
    }
    DiResult SetCooperativeLevel(NativeWindow to, uint32_t flags) override {
        return Use(), window = to, cooperativeFlags = flags, script_.cooperativeLevel;
    }
    DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t) override {
        Use();
        std::ranges::find_if(script_.objects,
                             [&](auto& o) { return callback(o, context) == kDiEnumStop; });
        return script_.enumObjects;
    }
    // Axes only, addressed by dwType.
    DiResult SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) override {
        Use();
        const auto& objects = script_.objects;
        const auto found = std::ranges::find(objects, objectType, &ObjectInstance::dwType);
        const bool fails = found == objects.end() || (objectType & kDidftAxis) == 0 ||
                           found - objects.begin() == script_.failRangeAtObject;
        ranges += fails ? "" : std::to_string(minimum) + ".." + std::to_string(maximum) + " ";
        return fails ? kDiErrGeneric : kDiOk;
    }
    DiResult Acquire() override {
        Use();
        if (refuseAcquire_ && (cooperativeFlags & kDisclForeground) != 0) {
            return static_cast<DiResult>(0x80070005u);  // DIERR_OTHERAPPHASPRIO
        }
        lostPending_ = false;
        return std::exchange(acquired, true) ? kSFalse : kDiOk;
    }
    DiResult Unacquire() override {
        Use();
        ++unacquireCount;
        return std::exchange(acquired, false) ? kDiOk : kSFalse;
    }
    DiResult GetCapabilities(DeviceCaps& caps) override {
        Use();
        const bool sized = caps.dwSize == sizeof(DeviceCaps);
        if (sized && script_.capabilities >= 0) {
            caps.dwButtons = script_.buttons;
        }
        return sized ? script_.capabilities : kDiErrGeneric;
    }
    DiResult Poll() override {
        Use();
        polled_ = acquired ? state : polled_;  // what a polled joystick reads
        return acquired ? kDiOk : kDiErrNotAcquired;
    }
    DiResult GetDeviceState(uint32_t size, void* data) override {
        Use();
        if (!acquired) {
            return std::exchange(lostPending_, false) ? kDiErrInputLost : kDiErrNotAcquired;
        }
        const bool keyboard = format_ == DataFormat::Keyboard;
        if (size != (keyboard ? sizeof keys : sizeof state)) {
            return kDiErrGeneric;
        }
        std::memcpy(data, keyboard ? static_cast<const void*>(keys) : &polled_, size);
        return kDiOk;
    }
    void Release() override {
        Use();
        ++releaseCount, acquired = false, released_ = true;
    }

    void RefuseAcquire(bool refuse) { refuseAcquire_ = refuse; }  // while the window is away
    // Another program took the device, or the window lost the foreground.
    void LoseInput() { lostPending_ = std::exchange(acquired, false); }

    std::string ranges;  // "min..max " for each range set
    uint8_t keys[256] = {};
    JoystickState state{0, 0, 0, 0, 0, 0, {}, {~0u, ~0u, ~0u, ~0u}, {}};  // hats centred
    int unacquireCount = 0, releaseCount = 0;
    NativeWindow window = nullptr;  // these three as the code under test left them
    uint32_t cooperativeFlags = 0;
    bool acquired = false;

  private:
    void Use() const { UseOf(released_, "device"); }

    FakeDeviceScript script_;
    JoystickState polled_ = state;
    DataFormat format_ = DataFormat::Keyboard;
    bool lostPending_ = false, refuseAcquire_ = false, released_ = false;
};

struct FakeControllerScript {
    DiResult create = kDiOk;
    FakeDeviceScript device;
};

// One attached controller per script, enumerated in order.
class FakeInputSystem : public InputSystem, public InputBackend {
  public:
    DiResult createSystem = kDiOk, createKeyboard = kDiOk;
    FakeDeviceScript keyboardScript;
    std::vector<FakeControllerScript> controllers;

    // What was made, for the test to look at and to drive.
    FakeDevice* keyboard = nullptr;
    std::vector<FakeDevice*> joysticks;  // by controller index, null if never made
    int systemReleaseCount = 0;

    DiResult Create(NativeInstance, InputSystem** system) override {
        joysticks.assign(controllers.size(), nullptr), released_ = false;
        *system = createSystem < 0 ? nullptr : this;
        return createSystem;
    }
    DiResult CreateDevice(const Guid& guid, InputDevice** device) override {
        Use();
        const bool isKeyboard = guid == GUID_SysKeyboard;
        const size_t index = guid.data1 - 1;  // as EnumDevices numbers them
        const DiResult result = isKeyboard                   ? createKeyboard
                                : index < controllers.size() ? controllers[index].create
                                                             : kDiErrGeneric;
        if (result >= 0) {
            *device = (isKeyboard ? keyboard : joysticks[index]) =
                &made_.emplace_back(isKeyboard ? keyboardScript : controllers[index].device);
        }
        return result;
    }
    DiResult EnumDevices(uint32_t deviceClass, EnumDevicesCallback callback, void* context,
                         uint32_t) override {
        Use();
        const uint32_t count = deviceClass == kDi8DevClassGameCtrl ? controllers.size() : 0;
        for (uint32_t i = 1; i <= count && callback({{i, 0, 0, {}}}, context) != kDiEnumStop; ++i) {
        }
        return kDiOk;
    }
    void Release() override {
        Use();
        ++systemReleaseCount, released_ = true;
    }

  private:
    void Use() const { UseOf(released_, "input system"); }

    std::deque<FakeDevice> made_;  // never moves what it made
    bool released_ = false;
};

// Objects as a DirectInput joystick reports them.
inline ObjectInstance AxisObject(const Guid& type, uint32_t instance) {
    return {type, 0x2 | (instance << 8)};  // DIDFT_ABSAXIS
}
inline ObjectInstance PovObject(uint32_t instance) {
    return {GUID_POV, 0x10 | (instance << 8)};  // DIDFT_POV
}

// A plain joystick: X, Y, the given extra objects, then its buttons.
inline FakeDeviceScript Joystick(uint32_t buttons, std::vector<ObjectInstance> extra = {}) {
    extra.insert(extra.begin(), {AxisObject(GUID_XAxis, 0), AxisObject(GUID_YAxis, 1)});
    for (uint32_t b = 0; b < buttons; ++b) {
        extra.push_back({GUID_Button, 0xC | (b << 8)});  // DIDFT_PSHBUTTON
    }
    return {.buttons = buttons, .objects = std::move(extra)};
}

}  // namespace ravel::testing
