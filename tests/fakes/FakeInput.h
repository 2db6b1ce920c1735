// Scripted input devices that answer the way DirectInput does: enumeration
// calls back until told to stop, a device reads only while acquired, a lost
// device says so once and then reports that it is not acquired until it is
// acquired again. Like the real backends they keep what they made: Release()
// gives an object back (a device let go is unacquired) and any later use of
// it ends the run as the real thing would, while the counts stay readable.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "input/CaptureScan.h"
#include "input/InputBackend.h"

namespace ravel::testing {

inline constexpr DiResult kSFalse = 1;  // a success that is not DI_OK
inline constexpr DiResult kDiErrOtherAppHasPrio = static_cast<DiResult>(0x80070005u);

struct FakeDeviceScript {
    DiResult dataFormat = kDiOk;
    DiResult cooperativeLevel = kDiOk;
    DiResult enumObjects = kDiOk;
    DiResult capabilities = kDiOk;
    int failRangeAtObject = -1;  // SetRange fails for this object index
    uint32_t buttons = 0;
    std::vector<ObjectInstance> objects;
};

class FakeDevice final : public InputDevice {
public:
    explicit FakeDevice(FakeDeviceScript script) : script_(std::move(script)) {}

    DiResult SetDataFormat(DataFormat format) override {
        Use("SetDataFormat");
        format_ = format;
        return script_.dataFormat;
    }
    DiResult SetCooperativeLevel(NativeWindow window, uint32_t flags) override {
        Use("SetCooperativeLevel");
        window_ = window;
        cooperativeFlags_ = flags;
        return script_.cooperativeLevel;
    }
    DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t) override {
        Use("EnumObjects");
        for (const ObjectInstance& object : script_.objects) {
            if (callback(object, context) == kDiEnumStop) {
                break;
            }
        }
        return script_.enumObjects;
    }
    DiResult SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) override {
        Use("SetRange");
        for (size_t i = 0; i < script_.objects.size(); ++i) {
            if (script_.objects[i].dwType == objectType) {
                if (static_cast<int>(i) == script_.failRangeAtObject) {
                    return kDiErrGeneric;
                }
                ranges.push_back({objectType, minimum, maximum});
                return kDiOk;
            }
        }
        return kDiErrGeneric;
    }
    DiResult Acquire() override {
        Use("Acquire");
        ++acquireCount;
        if (refuseAcquire_) {
            return kDiErrOtherAppHasPrio;
        }
        acquired_ = true;
        return kDiOk;
    }
    DiResult Unacquire() override {
        Use("Unacquire");
        ++unacquireCount;
        acquired_ = false;
        return kDiOk;
    }
    DiResult GetCapabilities(DeviceCaps& caps) override {
        Use("GetCapabilities");
        if (caps.dwSize != sizeof(DeviceCaps)) {
            return kDiErrGeneric;
        }
        if (script_.capabilities < 0) {
            return script_.capabilities;
        }
        caps.dwButtons = script_.buttons;
        return kDiOk;
    }
    DiResult Poll() override {
        Use("Poll");
        ++pollCount;
        return acquired_ ? kDiOk : kDiErrNotAcquired;
    }
    DiResult GetDeviceState(uint32_t size, void* data) override {
        Use("GetDeviceState");
        ++readCount;
        if (lostPending_) {
            lostPending_ = false;
            return kDiErrInputLost;
        }
        if (!acquired_) {
            return kDiErrNotAcquired;
        }
        if (format_ == DataFormat::Keyboard && size == sizeof keys) {
            std::memcpy(data, keys, sizeof keys);
            return kDiOk;
        }
        if (format_ == DataFormat::Joystick && size == sizeof(JoystickState)) {
            std::memcpy(data, &state, sizeof state);
            return kDiOk;
        }
        return kDiErrGeneric;
    }
    void Release() override {
        Use("Release");
        ++releaseCount;
        acquired_ = false;
        released_ = true;
    }

    // A foreground device cannot be acquired while its window is away.
    void RefuseAcquire(bool refuse) { refuseAcquire_ = refuse; }

    // Another program took the device (or the window lost the foreground).
    void LoseInput() {
        acquired_ = false;
        lostPending_ = true;
    }

    struct Range {
        uint32_t objectType;
        int32_t minimum, maximum;
    };
    std::vector<Range> ranges;
    uint8_t keys[256] = {};
    JoystickState state = IdleState();
    int acquireCount = 0;
    int unacquireCount = 0;
    int releaseCount = 0;
    int pollCount = 0;
    int readCount = 0;
    uint32_t cooperativeFlags() const { return cooperativeFlags_; }
    NativeWindow window() const { return window_; }
    bool acquired() const { return acquired_; }

    static JoystickState IdleState() {
        JoystickState idle{};
        for (uint32_t& pov : idle.rgdwPOV) {
            pov = 0xFFFFFFFF;
        }
        return idle;
    }

private:
    void Use(const char* call) const {
        if (released_) {
            std::fprintf(stderr, "%s on a released device\n", call);
            std::abort();
        }
    }

    FakeDeviceScript script_;
    DataFormat format_ = DataFormat::Keyboard;
    NativeWindow window_ = nullptr;
    uint32_t cooperativeFlags_ = 0;
    bool acquired_ = false;
    bool lostPending_ = false;
    bool refuseAcquire_ = false;
    bool released_ = false;
};

struct FakeControllerScript {
    DiResult create = kDiOk;
    FakeDeviceScript device;
};

// One attached controller per script, enumerated in order.
class FakeInputSystem : public InputSystem, public InputBackend {
public:
    DiResult createSystem = kDiOk;
    DiResult createKeyboard = kDiOk;
    FakeDeviceScript keyboardScript;
    std::vector<FakeControllerScript> controllers;

    // What was made, for the test to look at and to drive.
    FakeDevice* keyboard = nullptr;
    std::vector<FakeDevice*> joysticks;  // by controller index, null if never created
    std::vector<int> createAttempts;     // by controller index
    int systemReleaseCount = 0;

    DiResult Create(NativeInstance, InputSystem** system) override {
        joysticks.assign(controllers.size(), nullptr);
        createAttempts.assign(controllers.size(), 0);
        if (createSystem < 0) {
            return createSystem;
        }
        released_ = false;
        *system = this;
        return kDiOk;
    }
    DiResult CreateDevice(const Guid& guid, InputDevice** device) override {
        Use("CreateDevice");
        if (guid == GUID_SysKeyboard) {
            if (createKeyboard < 0) {
                return createKeyboard;
            }
            keyboard = Keep(keyboardScript);
            *device = keyboard;
            return kDiOk;
        }
        const size_t index = guid.data1 - 1;
        if (index >= controllers.size()) {
            return kDiErrGeneric;
        }
        ++createAttempts[index];
        if (controllers[index].create < 0) {
            return controllers[index].create;
        }
        joysticks[index] = Keep(controllers[index].device);
        *device = joysticks[index];
        return kDiOk;
    }
    DiResult EnumDevices(uint32_t deviceClass, EnumDevicesCallback callback, void* context,
                         uint32_t) override {
        Use("EnumDevices");
        if (deviceClass != kDi8DevClassGameCtrl) {
            return kDiOk;
        }
        for (size_t i = 0; i < controllers.size(); ++i) {
            DeviceInstance instance{};
            instance.guidInstance.data1 = static_cast<uint32_t>(i + 1);
            if (callback(instance, context) == kDiEnumStop) {
                break;
            }
        }
        return kDiOk;
    }
    void Release() override {
        Use("Release");
        ++systemReleaseCount;
        released_ = true;
    }

private:
    void Use(const char* call) const {
        if (released_) {
            std::fprintf(stderr, "%s on a released input system\n", call);
            std::abort();
        }
    }

    FakeDevice* Keep(const FakeDeviceScript& script) {
        made_.push_back(std::make_unique<FakeDevice>(script));
        return made_.back().get();
    }
    std::vector<std::unique_ptr<FakeDevice>> made_;
    bool released_ = false;
};

// Objects as a DirectInput joystick reports them.
inline ObjectInstance AxisObject(const Guid& type, uint32_t instance) {
    return {type, 0x2 | (instance << 8)};  // DIDFT_ABSAXIS
}
inline ObjectInstance ButtonObject(uint32_t instance) {
    return {GUID_Button, 0xC | (instance << 8)};  // DIDFT_PSHBUTTON
}
inline ObjectInstance PovObject(uint32_t instance) {
    return {GUID_POV, 0x10 | (instance << 8)};  // DIDFT_POV
}

// A plain joystick: X, Y, the given extra objects, then its buttons.
inline FakeDeviceScript Joystick(uint32_t buttons, std::vector<ObjectInstance> extra = {}) {
    FakeDeviceScript script;
    script.buttons = buttons;
    script.objects.push_back(AxisObject(GUID_XAxis, 0));
    script.objects.push_back(AxisObject(GUID_YAxis, 1));
    for (const ObjectInstance& object : extra) {
        script.objects.push_back(object);
    }
    for (uint32_t b = 0; b < buttons; ++b) {
        script.objects.push_back(ButtonObject(b));
    }
    return script;
}

}  // namespace ravel::testing
