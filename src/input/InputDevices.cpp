#include "input/InputDevices.h"

#include <algorithm>

namespace ravel {
namespace {

constexpr int32_t kAxisMinimum = -128;
constexpr int32_t kAxisMaximum = 127;

int JoystickFoundCallback(const DeviceInstance& instance, void* context) {
    auto& devices = *static_cast<InputDevices*>(context);
    InputDevice* device = nullptr;
    if (devices.DirectInputObject->CreateDevice(instance.guidInstance, &device) < 0 ||
        device == nullptr) {
        // The next controller is tried in the same slot.
        return kDiEnumContinue;
    }
    devices.JoystickSlots[devices.enumerationCounter] = device;
    ++devices.enumerationCounter;
    return devices.enumerationCounter == kJoystickSlotCount ? kDiEnumStop : kDiEnumContinue;
}

struct ObjectScan {
    InputDevice* device;
    JoystickCaps* caps;
};

int JoystickObjectCallback(const ObjectInstance& object, void* context) {
    auto& scan = *static_cast<ObjectScan*>(context);
    if ((object.dwType & kDidftAxis) != 0 &&
        scan.device->SetRange(object.dwType, kAxisMinimum, kAxisMaximum) < 0) {
        // Objects after one whose range cannot be set are not recorded.
        return kDiEnumStop;
    }
    // Each kind of object found sets its flag or counts once more.
    JoystickCaps& caps = *scan.caps;
    caps.hasZ |= object.guidType == GUID_ZAxis;
    caps.hasRx |= object.guidType == GUID_RxAxis;
    caps.hasRy |= object.guidType == GUID_RyAxis;
    caps.hasRz |= object.guidType == GUID_RzAxis;
    caps.sliderCount += object.guidType == GUID_Slider;
    caps.povCount += object.guidType == GUID_POV;
    return kDiEnumContinue;
}

// A device loses its acquisition when the sheet leaves the foreground: the
// first read after that says the input was lost, later ones that the device
// is not acquired. Both ask for it again, or capture would stay dead once the
// player has switched to another window and back.
bool ReadState(InputDevice& device, uint32_t size, void* state) {
    const DiResult result = device.GetDeviceState(size, state);
    if (result == kDiErrInputLost || result == kDiErrNotAcquired) {
        device.Acquire();
    }
    return result >= 0;
}

void DropJoystick(InputDevices& devices, int slot) {
    devices.JoystickSlots[slot]->Release();
    devices.JoystickSlots[slot] = nullptr;
}

// Joystick set-up demands exactly DI_OK where the keyboard accepts any
// non-negative answer.
bool SetUpJoystick(InputDevices& devices, int slot, NativeWindow window) {
    InputDevice* device = devices.JoystickSlots[slot];
    if (device->SetDataFormat(DataFormat::Joystick) != kDiOk ||
        device->SetCooperativeLevel(window, kDisclExclusive | kDisclForeground) != kDiOk) {
        return false;
    }
    devices.joystickCaps[slot] = JoystickCaps{};
    ObjectScan scan{device, &devices.joystickCaps[slot]};
    if (device->EnumObjects(JoystickObjectCallback, &scan, kDidftAll) != kDiOk) {
        return false;
    }
    device->Acquire();
    DeviceCaps caps{};
    caps.dwSize = sizeof caps;
    device->GetCapabilities(caps);
    devices.joystickCaps[slot].buttonCount = caps.dwButtons;
    return true;
}

}  // namespace

bool InitInputDevices(InputDevices& devices, InputBackend& backend, NativeInstance instance,
                      NativeWindow window) {
    InputSystem* system = nullptr;
    if (backend.Create(instance, &system) < 0 || system == nullptr) {
        return false;
    }
    devices.DirectInputObject = system;

    InputDevice* keyboard = nullptr;
    if (system->CreateDevice(GUID_SysKeyboard, &keyboard) >= 0 && keyboard != nullptr) {
        devices.KeyboardDevice = keyboard;
        if (keyboard->SetDataFormat(DataFormat::Keyboard) < 0 ||
            keyboard->SetCooperativeLevel(window, kDisclNonExclusive | kDisclForeground) < 0) {
            // A keyboard that exists but cannot be configured ends all discovery.
            system->Release();
            devices.DirectInputObject = nullptr;
            keyboard->Release();
            devices.KeyboardDevice = nullptr;
            return false;
        }
        keyboard->Acquire();
    }

    std::ranges::fill(devices.JoystickSlots, nullptr);
    devices.enumerationCounter = 0;
    system->EnumDevices(kDi8DevClassGameCtrl, JoystickFoundCallback, &devices, kDiEdflAttachedOnly);

    for (int slot = 0; slot < kJoystickSlotCount; ++slot) {
        if (devices.JoystickSlots[slot] != nullptr && !SetUpJoystick(devices, slot, window)) {
            DropJoystick(devices, slot);
        }
    }
    return true;
}

void ReleaseInputDevices(InputDevices& devices) {
    if (devices.DirectInputObject == nullptr) {
        return;
    }
    if (devices.KeyboardDevice != nullptr) {
        devices.KeyboardDevice->Unacquire();
        devices.KeyboardDevice->Release();
        devices.KeyboardDevice = nullptr;
    }
    for (InputDevice*& slot : devices.JoystickSlots) {
        if (slot != nullptr) {
            slot->Unacquire();
            slot->Release();
            slot = nullptr;
        }
    }
    devices.DirectInputObject->Release();
    devices.DirectInputObject = nullptr;
}

int PollKeyboardCapture(InputDevices& devices) {
    InputDevice* keyboard = devices.KeyboardDevice;
    if (keyboard == nullptr) {
        return -1;
    }
    uint8_t state[kKeyboardStateSize] = {};
    if (!ReadState(*keyboard, sizeof state, state)) {
        return -1;
    }
    return ScanKeyboardState(state);
}

InputCode PollJoystickCapture(InputDevices& devices, uint32_t axisOptionFlags) {
    for (int slot = 0; slot < kJoystickSlotCount; ++slot) {
        InputDevice* device = devices.JoystickSlots[slot];
        if (device == nullptr) {
            continue;
        }
        device->Poll();
        JoystickState state{};
        if (!ReadState(*device, sizeof state, &state)) {
            continue;
        }
        const InputCode code = ScanJoystickState(
            state, devices.joystickCaps[slot], static_cast<uint32_t>(slot), axisOptionFlags & 0xFF);
        if (code != NoInput) {
            return code;
        }
    }
    return NoInput;
}

}  // namespace ravel
