#define DIRECTINPUT_VERSION 0x0800
#include "input/win32/DirectInputBackend.h"

#include <windows.h>

#include <dinput.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/win32/Unique.h"

namespace ravel {
namespace {

// Our mirror of a DirectInput structure as the structure itself, and back.
template <typename To, typename From>
To As(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

// What an enumeration passes through DirectInput to our callback.
template <typename Callback>
struct Forward {
    Callback callback;
    void* context;
};

class DirectInputDevice final : public InputDevice {
  public:
    bool InUse() const { return static_cast<bool>(device_); }
    void Attach(IDirectInputDevice8A* device) { device_.reset(device); }

    DiResult SetDataFormat(DataFormat format) override {
        return device_->SetDataFormat(format == DataFormat::Keyboard ? &c_dfDIKeyboard
                                                                     : &c_dfDIJoystick);
    }

    DiResult SetCooperativeLevel(NativeWindow window, uint32_t flags) override {
        return device_->SetCooperativeLevel(static_cast<HWND>(window), flags);
    }

    DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t flags) override {
        Forward<EnumObjectsCallback> forward{callback, context};
        return device_->EnumObjects(ObjectFound, &forward, flags);
    }

    DiResult SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) override {
        DIPROPRANGE range{};
        range.diph.dwSize = sizeof range;
        range.diph.dwHeaderSize = sizeof range.diph;
        range.diph.dwObj = objectType;
        range.diph.dwHow = DIPH_BYID;
        range.lMin = minimum;
        range.lMax = maximum;
        return device_->SetProperty(DIPROP_RANGE, &range.diph);
    }

    DiResult Acquire() override { return device_->Acquire(); }
    DiResult Unacquire() override { return device_->Unacquire(); }

    DiResult GetCapabilities(DeviceCaps& caps) override {
        auto native = As<DIDEVCAPS>(caps);
        const HRESULT result = device_->GetCapabilities(&native);
        caps = As<DeviceCaps>(native);
        return result;
    }

    DiResult Poll() override { return device_->Poll(); }

    DiResult GetDeviceState(uint32_t size, void* data) override {
        return device_->GetDeviceState(size, data);
    }

    void Release() override { device_.reset(); }

  private:
    static BOOL CALLBACK ObjectFound(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context) {
        const auto& forward = *static_cast<const Forward<EnumObjectsCallback>*>(context);
        const ObjectInstance instance{As<Guid>(object->guidType), object->dwType};
        return forward.callback(instance, forward.context);
    }

    ComPtr<IDirectInputDevice8A> device_;
};

class DirectInputSystem final : public InputSystem {
  public:
    void Attach(IDirectInput8A* system) { system_.reset(system); }

    DiResult CreateDevice(const Guid& guid, InputDevice** device) override {
        *device = nullptr;
        DirectInputDevice* wrapper = FreeDevice();
        if (wrapper == nullptr) {
            return DIERR_OUTOFMEMORY;
        }
        IDirectInputDevice8A* native = nullptr;
        const HRESULT result = system_->CreateDevice(As<GUID>(guid), &native, nullptr);
        if (FAILED(result) || native == nullptr) {
            return FAILED(result) ? result : DIERR_GENERIC;
        }
        wrapper->Attach(native);
        *device = wrapper;
        return result;
    }

    DiResult EnumDevices(uint32_t deviceClass, EnumDevicesCallback callback, void* context,
                         uint32_t flags) override {
        Forward<EnumDevicesCallback> forward{callback, context};
        return system_->EnumDevices(deviceClass, DeviceFound, &forward, flags);
    }

    void Release() override { system_.reset(); }

  private:
    static BOOL CALLBACK DeviceFound(LPCDIDEVICEINSTANCEA device, LPVOID context) {
        const auto& forward = *static_cast<const Forward<EnumDevicesCallback>*>(context);
        const DeviceInstance instance{As<Guid>(device->guidInstance)};
        return forward.callback(instance, forward.context);
    }

    // The keyboard and at most four joysticks are open at once; a device that
    // is released frees its place.
    DirectInputDevice* FreeDevice() {
        DirectInputDevice* unused =
            std::ranges::find_if(devices_, [](const auto& device) { return !device.InUse(); });
        return unused != std::end(devices_) ? unused : nullptr;
    }

    // Declared in this order so that devices left open at exit are released
    // before the DirectInput object.
    ComPtr<IDirectInput8A> system_;
    DirectInputDevice devices_[5];
};

// The backend's one system and the devices it hands out.
DirectInputSystem theSystem;

}  // namespace

DiResult DirectInputBackend::Create(NativeInstance instance, InputSystem** system) {
    *system = nullptr;
    void* native = nullptr;
    const HRESULT result = DirectInput8Create(static_cast<HINSTANCE>(instance), DIRECTINPUT_VERSION,
                                              IID_IDirectInput8A, &native, nullptr);
    if (FAILED(result) || native == nullptr) {
        return FAILED(result) ? result : DIERR_GENERIC;
    }
    theSystem.Attach(static_cast<IDirectInput8A*>(native));
    *system = &theSystem;
    return result;
}

}  // namespace ravel
