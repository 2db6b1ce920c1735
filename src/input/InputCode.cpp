#include "input/InputCode.h"

#include <bit>

namespace ravel {

const char* const JoystickPartNames[kJoystickPartNameCount] = {
    "LEFT",  "RIGHT", "UP",    "DOWN",   "ZMIN",     "ZMAX",     "RXMIN",     "RXMAX",   "RYMIN",
    "RYMAX", "RZMIN", "RZMAX", "POV UP", "POV DOWN", "POV LEFT", "POV RIGHT", "SLD MIN", "SLD MAX",
};

namespace {

// Builds a name in the caller's buffer; a name that would not fit is not
// written at all. Called for every list entry, so it avoids printf.
class NameWriter {
  public:
    NameWriter(char* text, size_t capacity) : text_(text), capacity_(capacity) {}

    NameWriter& Number(unsigned value) {
        char digits[10];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0) {
            Put(digits[--count]);
        }
        return *this;
    }
    NameWriter& Text(const char* text) {
        while (*text != '\0') {
            Put(*text++);
        }
        return *this;
    }
    int Finish() {
        if (length_ >= capacity_) {
            return 0;
        }
        text_[length_] = '\0';
        return static_cast<int>(length_);
    }

  private:
    void Put(char c) {
        if (length_ + 1 < capacity_) {
            text_[length_] = c;
        }
        ++length_;
    }

    char* text_;
    size_t capacity_;
    size_t length_ = 0;
};

}  // namespace

int FormatInputCode(char* text, size_t capacity, InputCode code) {
    // The game reads only the low bits of each field, so a damaged code
    // still names an input within the tables.
    const unsigned joystick = InputDeviceIndex(code) + 1;
    const unsigned element = InputElement(code) & 0xF;
    if ((code & InputKindButton) != 0) {
        return NameWriter(text, capacity)
            .Number(joystick)
            .Text("BUTTON")
            .Number(InputElement(code) % kStateButtonLimit + 1)
            .Finish();
    }
    if ((code & InputKindAxis) != 0) {
        // Axis elements 12-15 fall on the hat names, as the game's own table
        // reads them; they stay within the table.
        return NameWriter(text, capacity)
            .Number(joystick)
            .Text(JoystickPartNames[element])
            .Finish();
    }
    // Sliders and hats: the part, then the object counted from 1. Only a
    // damaged file holds a slider end above 1 or a hat direction past right;
    // such a code names nothing.
    const bool slider = (code & InputKindSlider) != 0;
    if (slider || (code & InputKindPov) != 0) {
        if (element >= (slider ? kSliderEndCount : kPovDirectionCount)) {
            return 0;
        }
        return NameWriter(text, capacity)
            .Number(joystick)
            .Text(JoystickPartNames[(slider ? kFirstSliderPartName : kFirstPovPartName) + element])
            .Number(InputObjectIndex(code) % (slider ? kStateSliderLimit : kStatePovLimit) + 1)
            .Finish();
    }
    return 0;
}

const char* DescribeCodeFault(InputCode code) {
    if (code == NoInput) {
        return nullptr;
    }
    const uint32_t kinds = InputKinds(code);
    if (kinds == 0) {
        return "no kind bit";
    }
    if (std::popcount(kinds) > 1) {
        return "more than one kind bit";
    }
    if ((code & kInputUnusedBits) != 0) {
        return "bits 16-23 set";
    }
    const uint32_t object = InputObjectIndex(code);
    const uint32_t element = InputElement(code);
    if (kinds == InputKindButton) {
        if (object != 0) {
            return "object number on a button";
        }
        return element >= kStateButtonLimit ? "button number above 32" : nullptr;
    }
    if (kinds == InputKindAxis) {
        if (object != 0) {
            return "object number on an axis";
        }
        return element >= kAxisElementCount ? "axis direction out of range" : nullptr;
    }
    if (kinds == InputKindSlider) {
        if (object >= kStateSliderLimit) {
            return "slider number above 2";
        }
        return element >= kSliderEndCount ? "slider end out of range" : nullptr;
    }
    if (object >= kStatePovLimit) {
        return "hat number above 4";
    }
    return element >= kPovDirectionCount ? "hat direction out of range" : nullptr;
}

std::string InputName(InputCode code) {
    if (code == NoInput) {
        return kNoneName;
    }
    if (DescribeCodeFault(code) != nullptr) {
        return "";
    }
    char text[kInputNameCapacity];
    return FormatInputCode(text, sizeof text, code) > 0 ? std::string(text) : std::string();
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number of one or two digits without a leading zero.
bool ReadNumber(std::string_view text, size_t& at, uint32_t& value) {
    const size_t start = at;
    value = 0;
    while (at < text.size() && IsDigit(text[at]) && at - start < 2) {
        value = value * 10 + static_cast<uint32_t>(text[at] - '0');
        ++at;
    }
    return at > start && text[start] != '0' && (at == text.size() || !IsDigit(text[at]));
}

}  // namespace

bool ParseInputName(std::string_view text, InputCode& code) {
    if (text == kNoneName || text == "None  ") {
        code = NoInput;
        return true;
    }
    size_t at = 0;
    uint32_t joystick = 0;
    if (!ReadNumber(text, at, joystick) || joystick < 1 || joystick > kInputDeviceLimit) {
        return false;
    }
    const uint32_t device = joystick - 1;
    if (text.substr(at).starts_with("BUTTON")) {
        at += 6;
        uint32_t button = 0;
        if (!ReadNumber(text, at, button) || at != text.size() || button < 1 ||
            button > kStateButtonLimit) {
            return false;
        }
        code = MakeInputCode(device, InputKindButton, 0, button - 1);
        return true;
    }
    const std::string_view rest = text.substr(at);
    for (uint32_t e = 0; e < kAxisElementCount; ++e) {
        if (rest == JoystickPartNames[e]) {
            code = MakeInputCode(device, InputKindAxis, 0, e);
            return true;
        }
    }
    // Hats and sliders: the part name, then the object number counted from 1.
    struct Family {
        InputCode kind;
        int firstName;
        uint32_t directions;
        uint32_t objects;
    };
    static const Family kFamilies[] = {
        {InputKindPov, kFirstPovPartName, kPovDirectionCount, kStatePovLimit},
        {InputKindSlider, kFirstSliderPartName, kSliderEndCount, kStateSliderLimit},
    };
    for (const Family& family : kFamilies) {
        for (uint32_t e = 0; e < family.directions; ++e) {
            const std::string_view part = JoystickPartNames[family.firstName + static_cast<int>(e)];
            if (rest.size() == part.size() + 1 && rest.starts_with(part)) {
                const char digit = rest.back();
                if (digit < '1' || static_cast<uint32_t>(digit - '0') > family.objects) {
                    return false;
                }
                code = MakeInputCode(device, family.kind, static_cast<uint32_t>(digit - '1'), e);
                return true;
            }
        }
    }
    return false;
}

}  // namespace ravel
