// The names under which ravelstone-cfg shows, exports and imports each field
// of the record. They are the page captions where a page shows the field, and
// they are the JSON format: changing one breaks files people have exported.
#pragma once

#include <cstdint>
#include <string>

namespace ravel::cli {

inline constexpr const char* kGraphicAudioSection = "Graphic / Audio Settings";
inline constexpr const char* kKeyboardSection = "Keyboard Settings";
inline constexpr const char* kJoystickSection = "Joystick Settings";
inline constexpr const char* kLayoutField = "Number of Players";
inline constexpr const char* kAdvancedField = "Advanced";
inline constexpr const char* kReservedField = "Reserved";
inline constexpr const char* kNoneName = "None";  // the pages' "None  " without its padding

// A check box holds on/off; a choice is a pair of radio buttons.
enum class OptionStyle : uint8_t { Check, Choice };

struct OptionField {
    uint16_t offset;  // in the record
    OptionStyle style;
    const char* name;      // caption of the check box, or of the pair's group or label
    const char* zeroWord;  // choices only: what 0 and 1 mean
    const char* oneWord;
};

inline constexpr int kOptionFieldCount = 13;

// Bytes 580-592 in the order the Graphic / Audio page shows them.
extern const OptionField OptionFields[kOptionFieldCount];

// Up ... Start: the fourteen game controls, in the pages' position order.
inline constexpr int kControlCount = 14;
extern const char* const ControlLabels[kControlCount];

struct AxisOption {
    uint32_t bit;
    const char* name;
    const char* caption;  // what the Joystick page's check box reads
};

inline constexpr int kAxisOptionCount = 3;
extern const AxisOption AxisOptions[kAxisOptionCount];
inline constexpr const char* kOtherBitsName = "Other bits";
inline constexpr uint32_t kKnownAxisBits = 0x2 | 0x4 | 0x8;

const char* LayoutName(int layout);  // "2 Players", "4 Players"
const char* PlayerName(int player);  // "Player 1" ... "Player 4"

// Keyboard position 0-23 (a control label, or "Slot n" for the game slot
// that no control shows) and joystick entry 0-23 ("Entry n" past Start).
std::string KeyboardPositionName(int position);
std::string JoystickEntryName(int entry);

}  // namespace ravel::cli
