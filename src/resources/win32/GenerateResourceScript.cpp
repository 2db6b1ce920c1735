// Build tool, run on the build machine: writes the resource script of
// config.exe from the template and string data, so that the dialogs the
// Windows program shows and the data the Linux pages are laid out from can
// never disagree.
//
// Usage: GenerateResourceScript <output.rc> <icon file> <version a.b.c.d>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "resources/Templates.h"

namespace {

using ravel::ControlKind;
using ravel::ControlTemplate;
using ravel::DialogTemplate;

// Pages are shown inside the sheet, which turns these into child styles.
constexpr const char* kDialogStyle =
    "DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU";

// A string literal in resource-script syntax. Only ASCII is accepted: the
// script is compiled without a code page.
bool WriteLiteral(FILE* out, const char* text) {
    std::fputc('"', out);
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 0x80) {
            std::fprintf(stderr, "non-ASCII text in a resource: %s\n", text);
            return false;
        }
        if (c == '"') {
            std::fputs("\"\"", out);
        } else if (c == '\\') {
            std::fputs("\\\\", out);
        } else if (c == '\n') {
            std::fputs("\\n", out);
        } else {
            std::fputc(c, out);
        }
    }
    std::fputc('"', out);
    return true;
}

struct ControlClass {
    const char* windowClass;
    const char* style;
};

// Indexed by ControlKind.
constexpr ControlClass kControlClasses[] = {
    {"Button", "BS_GROUPBOX"},                      // GroupBox
    {"Static", "SS_LEFT"},                          // Label
    {"Button", "BS_AUTORADIOBUTTON"},               // RadioButton
    {"Button", "BS_AUTOCHECKBOX"},                  // CheckBox
    {"Button", "BS_PUSHBUTTON"},                    // PushButton
    {"ComboBox", "CBS_DROPDOWNLIST | WS_VSCROLL"},  // DropDownList
};
static_assert(std::size(kControlClasses) == static_cast<size_t>(ControlKind::DropDownList) + 1);

bool WriteControl(FILE* out, const ControlTemplate& control) {
    const ControlClass& cls = kControlClasses[static_cast<int>(control.kind)];
    std::fputs("    CONTROL ", out);
    if (!WriteLiteral(out, control.caption)) {
        return false;
    }
    // Group and tab-stop bits are exactly the data's: the script states both
    // ways so that no compiler default slips in.
    std::fprintf(out, ", %d, \"%s\", WS_CHILD | WS_VISIBLE | %s | %s | %s, %d, %d, %d, %d\n",
                 control.id, cls.windowClass, cls.style,
                 control.groupStart ? "WS_GROUP" : "NOT WS_GROUP",
                 control.tabStop ? "WS_TABSTOP" : "NOT WS_TABSTOP", control.x, control.y,
                 control.width, control.height);
    return true;
}

bool WriteDialog(FILE* out, const DialogTemplate& dialog) {
    std::fprintf(out, "%d DIALOG 0, 0, %d, %d\n", dialog.id, dialog.width, dialog.height);
    std::fprintf(out, "STYLE %s\nCAPTION ", kDialogStyle);
    if (!WriteLiteral(out, dialog.caption)) {
        return false;
    }
    std::fprintf(out, "\nFONT %d, ", ravel::kDialogFontPoints);
    WriteLiteral(out, ravel::kDialogFontName);
    std::fputs("\nBEGIN\n", out);
    for (int i = 0; i < dialog.controlCount; ++i) {
        if (!WriteControl(out, dialog.controls[i])) {
            return false;
        }
    }
    std::fputs("END\n\n", out);
    return true;
}

bool WriteStrings(FILE* out) {
    std::fputs("STRINGTABLE\nBEGIN\n", out);
    for (const ravel::StringResource& entry : ravel::StringTable) {
        std::fprintf(out, "    %d, ", entry.id);
        if (!WriteLiteral(out, entry.text)) {
            return false;
        }
        std::fputc('\n', out);
    }
    std::fputs("END\n\n", out);
    return true;
}

// The version record with the project's version, "1.0.0.1" written the
// record's way, "1, 0, 0, 1".
bool WriteVersion(FILE* out, const char* version) {
    unsigned part[4];
    char end = '\0';
    if (std::sscanf(version, "%u.%u.%u.%u%c", &part[0], &part[1], &part[2], &part[3], &end) != 4) {
        std::fprintf(stderr, "not a four-part version: %s\n", version);
        return false;
    }
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%u, %u, %u, %u", part[0], part[1], part[2], part[3]);
    std::fprintf(out,
                 "1 VERSIONINFO\n"
                 "FILEVERSION %s\n"
                 "PRODUCTVERSION %s\n"
                 "FILEFLAGSMASK 0x3F\n"
                 "FILEFLAGS 0x0\n"
                 "FILEOS VOS__WINDOWS32\n"
                 "FILETYPE VFT_APP\n"
                 "FILESUBTYPE VFT2_UNKNOWN\n"
                 "BEGIN\n"
                 "    BLOCK \"StringFileInfo\"\n"
                 "    BEGIN\n"
                 "        BLOCK \"040904b0\"\n"
                 "        BEGIN\n"
                 "            VALUE \"FileVersion\", \"%s\"\n"
                 "            VALUE \"ProductVersion\", \"%s\"\n"
                 "            VALUE \"InternalName\", \"config\"\n"
                 "            VALUE \"OriginalFilename\", \"config.exe\"\n"
                 "        END\n"
                 "    END\n"
                 "    BLOCK \"VarFileInfo\"\n"
                 "    BEGIN\n"
                 "        VALUE \"Translation\", 0x409, 1200\n"
                 "    END\n"
                 "END\n",
                 numbers, numbers, numbers, numbers);
    return true;
}

bool WriteScript(FILE* out, const char* iconPath, const char* version) {
    std::fputs("// Generated from src/resources/Templates.cpp; do not edit.\n", out);
    std::fputs("#include <windows.h>\n#include <commctrl.h>\n\n", out);
    std::fputs("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n\n", out);
    std::fprintf(out, "%d ICON ", ravel::kIconId);
    WriteLiteral(out, iconPath);
    std::fputs("\n\n", out);
    for (const DialogTemplate& dialog : ravel::DialogTemplates) {
        if (!WriteDialog(out, dialog)) {
            return false;
        }
    }
    if (!WriteStrings(out)) {
        return false;
    }
    return WriteVersion(out, version);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <output.rc> <icon file> <version a.b.c.d>\n", argv[0]);
        return 2;
    }
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = WriteScript(out, argv[2], argv[3]);
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
