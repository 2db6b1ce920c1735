#include "input/InputCode.h"

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
            .Number((InputElement(code) & 0x1F) + 1)
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
        const uint32_t last = slider ? uint32_t{kSliderMax} : uint32_t{kPovRight};
        if (element > last) {
            return 0;
        }
        return NameWriter(text, capacity)
            .Number(joystick)
            .Text(JoystickPartNames[(slider ? kFirstSliderPartName : kFirstPovPartName) + element])
            .Number((InputObjectIndex(code) & (slider ? 1 : 3)) + 1)
            .Finish();
    }
    return 0;
}

}  // namespace ravel
