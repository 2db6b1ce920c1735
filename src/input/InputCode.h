// InputCode: the 32-bit name of one joystick input, as JoystickTable stores it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravel {

using InputCode = uint32_t;

inline constexpr InputCode NoInput = 0xFFFFFFFFu;

inline constexpr InputCode InputKindButton = 0x1000000u;
inline constexpr InputCode InputKindAxis = 0x2000000u;
inline constexpr InputCode InputKindPov = 0x4000000u;
inline constexpr InputCode InputKindSlider = 0x8000000u;
inline constexpr InputCode kInputKindBits =
    InputKindButton | InputKindAxis | InputKindPov | InputKindSlider;
// Bits 16-23 hold nothing in any code the editor writes.
inline constexpr InputCode kInputUnusedBits = 0x00FF0000u;

// Axis directions (element of an InputKindAxis code).
enum AxisElement : uint32_t {
    kAxisLeft = 0,
    kAxisRight = 1,
    kAxisUp = 2,
    kAxisDown = 3,
    kAxisZMin = 4,
    kAxisZMax = 5,
    kAxisRxMin = 6,
    kAxisRxMax = 7,
    kAxisRyMin = 8,
    kAxisRyMax = 9,
    kAxisRzMin = 10,
    kAxisRzMax = 11,
};

inline constexpr uint32_t kAxisElementCount = 12;

// Hat directions (element of an InputKindPov code).
enum PovElement : uint32_t { kPovUp = 0, kPovDown = 1, kPovLeft = 2, kPovRight = 3 };
inline constexpr uint32_t kPovDirectionCount = 4;

// Slider ends (element of an InputKindSlider code).
enum SliderElement : uint32_t { kSliderMin = 0, kSliderMax = 1 };
inline constexpr uint32_t kSliderEndCount = 2;

// What one joystick state holds (DIJOYSTATE): the inputs a code can name,
// a list can offer and a capture can find.
inline constexpr uint32_t kStateButtonLimit = 32;
inline constexpr uint32_t kStateSliderLimit = 2;
inline constexpr uint32_t kStatePovLimit = 4;

// The device field's four bits number this many joysticks.
inline constexpr uint32_t kInputDeviceLimit = 16;

inline constexpr int kFirstPovPartName = kAxisElementCount;
inline constexpr int kFirstSliderPartName = kFirstPovPartName + kPovDirectionCount;
inline constexpr int kJoystickPartNameCount = kFirstSliderPartName + kSliderEndCount;

// Names of the direction codes: axis element e is entry e, then the hat
// directions, then the slider ends.
extern const char* const JoystickPartNames[kJoystickPartNameCount];

constexpr InputCode MakeInputCode(uint32_t deviceIndex, InputCode kind, uint32_t objectIndex,
                                  uint32_t element) {
    return (deviceIndex << 28) + kind + (objectIndex << 8) + element;
}

// The fields of a code, as MakeInputCode lays them out.
constexpr uint32_t InputDeviceIndex(InputCode code) {
    return code >> 28;
}
constexpr InputCode InputKinds(InputCode code) {
    return code & kInputKindBits;
}
constexpr uint32_t InputObjectIndex(InputCode code) {
    return (code >> 8) & 0xFF;
}
constexpr uint32_t InputElement(InputCode code) {
    return code & 0xFF;
}

// The longest name is "16BUTTON32" or "4POV RIGHT4" (12 characters).
inline constexpr size_t kInputNameCapacity = 16;

// Writes the display name of `code` ("1BUTTON1", "2UP", "3POV UP2", ...)
// and answers its length. A code with no kind bit, or a hat or slider code
// whose direction names nothing, writes nothing and answers 0.
int FormatInputCode(char* text, size_t capacity, InputCode code);

// NoInput's name, and the empty key's: the lists' "None  " without its padding.
inline constexpr const char* kNoneName = "None";

// Why the Joystick page cannot show this code as it stands, or nullptr when
// it is NoInput or a code the page's lists build. Such a code is exactly one
// whose name reads back to the same code.
const char* DescribeCodeFault(InputCode code);

// The name a well-formed code is shown by ("None" for NoInput), else "".
// Inline: config.exe names codes in fixed buffers and links no string code.
inline std::string InputName(InputCode code) {
    if (code == NoInput) {
        return kNoneName;
    }
    if (DescribeCodeFault(code) != nullptr) {
        return "";
    }
    char text[kInputNameCapacity];
    return FormatInputCode(text, sizeof text, code) > 0 ? std::string(text) : std::string();
}

// Reads a name InputName writes ("2BUTTON12", "1POV UP2", "None"), and "None  ".
bool ParseInputName(std::string_view text, InputCode& code);

}  // namespace ravel
