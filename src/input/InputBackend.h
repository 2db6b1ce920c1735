// The device layer that discovery and polling talk to. It mirrors the
// DirectInput 8 operations they need, with the same kinds of results
// (negative = failure, DI_OK = 0, DIERR_INPUTLOST), so the same steps run
// over DirectInput, SDL or a test's scripted devices.
#pragma once

#include <cstdint>

#include "platform/NativeHandles.h"

namespace ravel {

using DiResult = int32_t;

inline constexpr DiResult kDiOk = 0;
inline constexpr DiResult kDiErrGeneric = static_cast<DiResult>(0x80004005u);
inline constexpr DiResult kDiErrInputLost = static_cast<DiResult>(0x8007001Eu);
inline constexpr DiResult kDiErrNotAcquired = static_cast<DiResult>(0x8007000Cu);

inline constexpr int kDiEnumStop = 0;
inline constexpr int kDiEnumContinue = 1;

inline constexpr uint32_t kDi8DevClassGameCtrl = 4;
inline constexpr uint32_t kDiEdflAttachedOnly = 1;
inline constexpr uint32_t kDidftAll = 0;
inline constexpr uint32_t kDidftAxis = 0x3;  // relative or absolute axis
inline constexpr uint32_t kDisclExclusive = 0x1;
inline constexpr uint32_t kDisclNonExclusive = 0x2;
inline constexpr uint32_t kDisclForeground = 0x4;

struct Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];

    constexpr bool operator==(const Guid&) const = default;
};

// DirectInput's own object-type and device GUIDs.
inline constexpr Guid GUID_XAxis = {0xA36D02E0, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_YAxis = {0xA36D02E1, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_ZAxis = {0xA36D02E2, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_RxAxis = {0xA36D02F4, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_RyAxis = {0xA36D02F5, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_RzAxis = {0xA36D02E3, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_Slider = {0xA36D02E4, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_Button = {0xA36D02F0, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_Key = {0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_POV = {0xA36D02F2, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_Unknown = {0xA36D02F3, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr Guid GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

enum class DataFormat { Keyboard, Joystick };  // c_dfDIKeyboard, c_dfDIJoystick

// What enumeration reports of one device (DIDEVICEINSTANCE) and of one of
// its objects (DIDEVICEOBJECTINSTANCE), as far as the editor reads them.
struct DeviceInstance {
    Guid guidInstance;
};

struct ObjectInstance {
    Guid guidType;
    uint32_t dwType;
};

// DIDEVCAPS, 44 bytes.
struct DeviceCaps {
    uint32_t dwSize;
    uint32_t dwFlags;
    uint32_t dwDevType;
    uint32_t dwAxes;
    uint32_t dwButtons;
    uint32_t dwPOVs;
    uint32_t dwFFSamplePeriod;
    uint32_t dwFFMinTimeResolution;
    uint32_t dwFirmwareRevision;
    uint32_t dwHardwareRevision;
    uint32_t dwFFDriverVersion;
};
static_assert(sizeof(DeviceCaps) == 44);

using EnumDevicesCallback = int (*)(const DeviceInstance& device, void* context);
using EnumObjectsCallback = int (*)(const ObjectInstance& object, void* context);

// Ownership, the same on every backend and in the tests' fake: a system or
// device lives in its maker's storage (the backend's, or the window's for the
// window-fed keyboard) and is never freed through this interface. Release()
// gives back its native resources and the maker's destructor whatever was
// never released; a released object is not used until it is handed out again.

// IDirectInputDevice8.
class InputDevice {
public:
    virtual DiResult SetDataFormat(DataFormat format) = 0;
    virtual DiResult SetCooperativeLevel(NativeWindow window, uint32_t flags) = 0;
    virtual DiResult EnumObjects(EnumObjectsCallback callback, void* context, uint32_t flags) = 0;
    // SetProperty(DIPROP_RANGE) for one object, addressed by its dwType.
    virtual DiResult SetRange(uint32_t objectType, int32_t minimum, int32_t maximum) = 0;
    virtual DiResult Acquire() = 0;
    virtual DiResult Unacquire() = 0;
    virtual DiResult GetCapabilities(DeviceCaps& caps) = 0;
    virtual DiResult Poll() = 0;
    virtual DiResult GetDeviceState(uint32_t size, void* data) = 0;
    virtual void Release() = 0;

protected:
    ~InputDevice() = default;
};

// IDirectInput8.
class InputSystem {
public:
    virtual DiResult CreateDevice(const Guid& guid, InputDevice** device) = 0;
    virtual DiResult EnumDevices(uint32_t deviceClass, EnumDevicesCallback callback, void* context,
                                 uint32_t flags) = 0;
    virtual void Release() = 0;

protected:
    ~InputSystem() = default;
};

// DirectInput8Create.
class InputBackend {
public:
    virtual DiResult Create(NativeInstance instance, InputSystem** system) = 0;

protected:
    ~InputBackend() = default;
};

}  // namespace ravel
