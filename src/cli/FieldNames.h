// The names under which ravelstone-cfg shows, exports and imports each field
// of the record. They are the pages' own captions, read from the templates
// and the option tables, and they are the JSON format: changing a caption
// changes files people have exported.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "pages/OptionTable.h"
#include "resources/Templates.h"

namespace ravel::cli {

extern const char* const kGraphicAudioSection;
extern const char* const kKeyboardSection;
extern const char* const kJoystickSection;
extern const char* const kLayoutField;    // "Number of Players"
extern const char* const kAdvancedField;  // "Advanced"
inline constexpr const char* kReservedField = "Reserved";

// A check box holds on/off; a choice is a pair of radio buttons.
enum class OptionStyle : uint8_t { Check, Choice };

struct OptionField {
    size_t offset;  // in the record
    OptionStyle style;
    const char* name;      // caption of the check box, or of the pair's group or label
    const char* zeroWord;  // choices only: what 0 and 1 mean
    const char* oneWord;
};

// Bytes 580-592 in the order the Graphic / Audio page shows them.
extern const std::array<OptionField, kOptionControlCount> OptionFields;

inline constexpr const char* kOtherBitsName = "Other bits";

// Byte 593, the keyboard's two layouts, shown, read and written as a choice.
extern const OptionField LayoutOption;

const char* LayoutName(int layout);  // "2 Players", "4 Players"
const char* PlayerName(int player);  // "Player 1" ... "Player 4"

// Keyboard position 0-23 (a control label, or "Slot n" for the game slot
// that no control shows) and joystick entry 0-23 ("Entry n" past Start).
std::string KeyboardPositionName(int position);
std::string JoystickEntryName(int entry);

}  // namespace ravel::cli
