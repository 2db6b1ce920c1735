#include "app/Tooltips.h"

#include <cstring>

#include "resources/Templates.h"

namespace ravel {

const TooltipPair GraphicAudioTooltipTable[kGraphicAudioTooltipCount] = {
    {1000, 1},  {1001, 2},  {1002, 3},  {1007, 4},  {1008, 5},  {1014, 6},
    {1012, 7},  {1003, 8},  {1004, 9},  {1015, 10}, {1005, 11}, {1006, 12},
    {1016, 13}, {1017, 14}, {1011, 15}, {1009, 16}, {1010, 17},
};

const TooltipPair AssignTooltipTable[kAssignTooltipCount] = {
    {1000, 35}, {1001, 36}, {1041, 20}, {1042, 21}, {1043, 22}, {1044, 23}, {1045, 24},
    {1046, 25}, {1047, 26}, {1048, 27}, {1049, 28}, {1050, 29}, {1051, 30}, {1052, 31},
    {1053, 32}, {1054, 33}, {1057, 34}, {1058, 34}, {1059, 34}, {1060, 34},
};

void AttachTooltips(Dialog& page, const TooltipPair* table, int count) {
    constexpr size_t kTextCapacity = 1024;
    char text[kTextCapacity];
    for (int i = 0; i < count; ++i) {
        const char* source = FindString(static_cast<int>(table[i].string));
        text[0] = '\0';
        if (source != nullptr) {
            std::strncpy(text, source, kTextCapacity - 1);
            text[kTextCapacity - 1] = '\0';
        }
        page.AddControlTooltip(static_cast<int>(table[i].control), text);
    }
}

}  // namespace ravel
