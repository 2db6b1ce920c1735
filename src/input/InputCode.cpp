#include "input/InputCode.h"

#include <cstdio>

namespace ravel {

const char* const JoystickPartNames[kJoystickPartNameCount] = {
    "LEFT",  "RIGHT", "UP",     "DOWN",     "ZMIN",     "ZMAX",      "RXMIN",   "RXMAX",   "RYMIN",
    "RYMAX", "RZMIN", "RZMAX",  "POV UP",   "POV DOWN", "POV LEFT",  "POV RIGHT", "SLD MIN",
    "SLD MAX",
};

namespace {

int Written(int result, size_t capacity) {
    if (result < 0 || static_cast<size_t>(result) >= capacity) {
        return 0;
    }
    return result;
}

}  // namespace

int FormatInputCode(char* text, size_t capacity, InputCode code) {
    if (capacity == 0) {
        return 0;
    }
    const unsigned joystick = (code >> 28) + 1;
    const unsigned element = code & 0xF;
    if ((code & InputKindButton) != 0) {
        return Written(std::snprintf(text, capacity, "%uBUTTON%u", joystick, (code & 0x1F) + 1),
                       capacity);
    }
    if ((code & InputKindAxis) != 0) {
        // Axis elements 12-15 fall on the hat names, as the game's own table
        // reads them; they stay within the table.
        return Written(std::snprintf(text, capacity, "%u%s", joystick, JoystickPartNames[element]),
                       capacity);
    }
    if ((code & InputKindSlider) != 0) {
        // Only a damaged file holds a slider end above 1; it names nothing.
        if (element > kSliderMax) {
            return 0;
        }
        return Written(std::snprintf(text, capacity, "%u%s%u", joystick,
                                     JoystickPartNames[kFirstSliderPartName + element],
                                     ((code >> 8) & 1) + 1),
                       capacity);
    }
    if ((code & InputKindPov) != 0) {
        if (element > kPovRight) {
            return 0;
        }
        return Written(std::snprintf(text, capacity, "%u%s%u", joystick,
                                     JoystickPartNames[kFirstPovPartName + element],
                                     ((code >> 8) & 3) + 1),
                       capacity);
    }
    return 0;
}

}  // namespace ravel
