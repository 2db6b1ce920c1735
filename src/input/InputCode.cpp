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

bool ParseInputName(std::string_view text, InputCode& code) {
    if (text == kNoneName || text == "None  ") {
        code = NoInput;
        return true;
    }
    // A name reads back only as one a well-formed code is given: try them
    // all, about a thousand.
    struct Family {
        InputCode kind;
        uint32_t objects;
        uint32_t elements;
    };
    static constexpr Family kFamilies[] = {
        {InputKindButton, 1, kStateButtonLimit},
        {InputKindAxis, 1, kAxisElementCount},
        {InputKindPov, kStatePovLimit, kPovDirectionCount},
        {InputKindSlider, kStateSliderLimit, kSliderEndCount},
    };
    char name[kInputNameCapacity];
    for (uint32_t device = 0; device < kInputDeviceLimit; ++device) {
        for (const Family& family : kFamilies) {
            for (uint32_t object = 0; object < family.objects; ++object) {
                for (uint32_t element = 0; element < family.elements; ++element) {
                    const InputCode candidate = MakeInputCode(device, family.kind, object, element);
                    if (FormatInputCode(name, sizeof name, candidate) > 0 && text == name) {
                        code = candidate;
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

}  // namespace ravel
