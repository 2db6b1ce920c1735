#include "cli/JsonMapping.h"

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "cli/FieldNames.h"
#include "cli/Findings.h"
#include "cli/ValueNames.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {
namespace {

// Raw values are written in hexadecimal; a damaged byte stays visible as such.
Json RawByte(uint8_t value) {
    return Hex(value, 2);
}

// A check box is true or false; anything else is written as `show` writes it.
Json OptionValue(const OptionField& field, uint8_t value) {
    if (field.style == OptionStyle::Check && value <= 1) {
        return value != 0;
    }
    return OptionText(field, value);
}

Json KeyValue(uint8_t scanCode) {
    const std::string name = KeyNameOf(scanCode);
    return name.empty() ? RawByte(scanCode) : Json(name);
}

Json CodeValue(InputCode code) {
    const std::string name = InputName(code);
    return name.empty() ? Json(Hex(code, 8)) : Json(name);
}

std::string Member(const std::string& path, const std::string& key) {
    return path + "." + Json(key).dump();
}

// Walks the document, remembering only the first problem.
class Reader {
  public:
    explicit Reader(std::string& error) : error_(error) {}

    bool ok() const { return ok_; }

    // `parent`[`key`] as an object holding exactly the fields `names`.
    const Json* Object(const Json& parent, const std::string& path, const std::string& key,
                       const std::vector<std::string>& names) {
        const Json* value = Field(parent, path, key);
        if (value == nullptr) {
            return nullptr;
        }
        const std::string here = Member(path, key);
        if (!value->is_object()) {
            return Fail(here, "must be an object");
        }
        return OnlyFields(*value, here, names) ? value : nullptr;
    }

    bool OnlyFields(const Json& object, const std::string& path,
                    const std::vector<std::string>& names) {
        for (const auto& item : object.items()) {
            if (std::find(names.begin(), names.end(), item.key()) == names.end()) {
                Fail(Member(path, item.key()), "unknown field");
                return false;
            }
        }
        // Missing fields are named by Field() in the order they are read.
        return ok_;
    }

    const Json* Field(const Json& parent, const std::string& path, const std::string& key) {
        if (!ok_) {
            return nullptr;
        }
        const auto found = parent.find(key);
        if (found == parent.end()) {
            return Fail(Member(path, key), "missing");
        }
        return &*found;
    }

    // An unsigned number up to `max`, or "0x..." hexadecimal.
    bool Raw(const Json& value, uint32_t max, uint32_t& out) const {
        if (value.is_number_unsigned()) {
            const auto number = value.get<uint64_t>();
            if (number <= max) {
                out = static_cast<uint32_t>(number);
                return true;
            }
            return false;
        }
        return value.is_string() && ParseHex(value.get_ref<const std::string&>(), max, out);
    }

    void Option(const Json& parent, const std::string& path, const OptionField& field,
                uint8_t& out) {
        const Json* value = Field(parent, path, field.name);
        if (value == nullptr) {
            return;
        }
        uint32_t raw = 0;
        if (field.style == OptionStyle::Check && value->is_boolean()) {
            out = value->get<bool>() ? 1 : 0;
        } else if (field.style == OptionStyle::Choice && IsText(*value, field.zeroWord)) {
            out = 0;
        } else if (field.style == OptionStyle::Choice && IsText(*value, field.oneWord)) {
            out = 1;
        } else if (Raw(*value, 0xFF, raw)) {
            out = static_cast<uint8_t>(raw);
        } else if (field.style == OptionStyle::Check) {
            Fail(Member(path, field.name), "must be true, false or a byte such as \"0x02\"");
        } else {
            Fail(Member(path, field.name), std::string("must be \"") + field.zeroWord + "\", \"" +
                                               field.oneWord + "\" or a byte such as \"0x02\"");
        }
    }

    // A name `parse` reads back, or a raw value up to `max`.
    template <typename T, typename Parse>
    void Named(const Json& parent, const std::string& path, const std::string& key, Parse parse,
               uint32_t max, const char* expected, T& out) {
        const Json* value = Field(parent, path, key);
        if (value == nullptr) {
            return;
        }
        uint32_t raw = 0;
        if (value->is_string() && parse(value->get_ref<const std::string&>(), out)) {
            return;
        }
        if (Raw(*value, max, raw)) {
            out = static_cast<T>(raw);
            return;
        }
        Fail(Member(path, key), Shown(*value) + expected);
    }

    void Flag(const Json& parent, const std::string& path, const AxisOptionControl& option,
              uint32_t& flags) {
        const Json* value = Field(parent, path, option.name);
        if (value == nullptr) {
            return;
        }
        if (!value->is_boolean()) {
            Fail(Member(path, option.name), "must be true or false");
            return;
        }
        if (value->get<bool>()) {
            flags |= option.bit;
        }
    }

    void OtherBits(const Json& parent, const std::string& path, uint32_t& flags) {
        const Json* value = Field(parent, path, kOtherBitsName);
        if (value == nullptr) {
            return;
        }
        uint32_t raw = 0;
        if (!Raw(*value, 0xFFFFFFFFu, raw)) {
            Fail(Member(path, kOtherBitsName), "must be a 32-bit value such as \"0x00000000\"");
            return;
        }
        if ((raw & kKnownAxisBits) != 0) {
            Fail(Member(path, kOtherBitsName),
                 "must not hold 0x2, 0x4 or 0x8; they have fields of their own");
            return;
        }
        flags |= raw;
    }

    void Reserved(const Json& parent, const std::string& path, uint8_t (&out)[2]) {
        const Json* value = Field(parent, path, kReservedField);
        if (value == nullptr) {
            return;
        }
        const std::string here = Member(path, kReservedField);
        if (!value->is_array() || value->size() != 2) {
            Fail(here, "must be an array of two bytes such as [\"0x00\", \"0x00\"]");
            return;
        }
        for (size_t i = 0; i < 2; ++i) {
            uint32_t raw = 0;
            if (!Raw((*value)[i], 0xFF, raw)) {
                Fail(here + "[" + std::to_string(i) + "]", "must be a byte such as \"0x00\"");
                return;
            }
            out[i] = static_cast<uint8_t>(raw);
        }
    }

    std::nullptr_t Fail(const std::string& path, const std::string& problem) {
        if (ok_) {
            error_ = (path.empty() ? std::string(".") : path) + ": " + problem;
            ok_ = false;
        }
        return nullptr;
    }

  private:
    static bool IsText(const Json& value, const char* text) {
        return value.is_string() && value.get_ref<const std::string&>() == text;
    }

    // A short form of a bad value for the message.
    static std::string Shown(const Json& value) {
        if (!value.is_string() && !value.is_number() && !value.is_boolean()) {
            return std::string("a value of type ") + value.type_name() + " ";
        }
        std::string text = value.dump();
        if (text.size() > 40) {
            text.resize(37);
            text += "...";
        }
        return text + " ";
    }

    std::string& error_;
    bool ok_ = true;
};

// The names `name(0)` ... `name(count - 1)`, the fields an object must hold.
template <typename NameOf>
std::vector<std::string> Names(int count, NameOf name) {
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        names.emplace_back(name(i));
    }
    return names;
}

void ReadGraphicAudio(Reader& in, const Json& root, SettingsRecord& record) {
    const Json* section =
        in.Object(root, "", kGraphicAudioSection, Names(kOptionControlCount, [](int i) {
                      return OptionFields[static_cast<size_t>(i)].name;
                  }));
    if (section == nullptr) {
        return;
    }
    const std::string path = Member("", kGraphicAudioSection);
    for (const OptionField& field : OptionFields) {
        in.Option(*section, path, field, OptionByte(record, field));
    }
}

void ReadKeyboard(Reader& in, const Json& root, SettingsRecord& record) {
    const Json* section =
        in.Object(root, "", kKeyboardSection, {kLayoutField, LayoutName(0), LayoutName(1)});
    if (section == nullptr) {
        return;
    }
    const std::string path = Member("", kKeyboardSection);
    in.Option(*section, path, LayoutOption, record.PlayerLayout);
    for (int l = 0; l < kLayoutCount; ++l) {
        const Json* layout =
            in.Object(*section, path, LayoutName(l), Names(kPlayerCount, PlayerName));
        if (layout == nullptr) {
            return;
        }
        const std::string layoutPath = Member(path, LayoutName(l));
        for (int p = 0; p < kPlayerCount; ++p) {
            const Json* player = in.Object(*layout, layoutPath, PlayerName(p),
                                           Names(kKeyboardSlotCount, KeyboardPositionName));
            if (player == nullptr) {
                return;
            }
            const std::string playerPath = Member(layoutPath, PlayerName(p));
            for (int position = 0; position < kKeyboardSlotCount; ++position) {
                in.Named(*player, playerPath, KeyboardPositionName(position), ParseKeyName, 0xFF,
                         "is neither a key name (such as \"J\", \"SPACE\", \"None\") nor a "
                         "byte such as \"0x24\"",
                         record.KeyboardTable[l][p][KeyboardSlotMap[position]]);
            }
        }
    }
}

void ReadJoystick(Reader& in, const Json& root, SettingsRecord& record) {
    std::vector<std::string> names = Names(kPlayerCount, PlayerName);
    names.emplace_back(kAdvancedField);
    const Json* section = in.Object(root, "", kJoystickSection, names);
    if (section == nullptr) {
        return;
    }
    const std::string path = Member("", kJoystickSection);
    for (int p = 0; p < kPlayerCount; ++p) {
        const Json* player =
            in.Object(*section, path, PlayerName(p), Names(kJoystickEntryCount, JoystickEntryName));
        if (player == nullptr) {
            return;
        }
        const std::string playerPath = Member(path, PlayerName(p));
        for (int entry = 0; entry < kJoystickEntryCount; ++entry) {
            in.Named(*player, playerPath, JoystickEntryName(entry), ParseInputName, 0xFFFFFFFFu,
                     "is neither an input name (such as \"1BUTTON3\", \"2UP\", \"None\") nor a "
                     "code such as \"0x01000002\"",
                     record.JoystickTable[p][entry]);
        }
    }
    std::vector<std::string> advancedNames =
        Names(kAxisOptionControlCount, [](int i) { return AxisOptionControls[i].name; });
    advancedNames.emplace_back(kOtherBitsName);
    const Json* advanced = in.Object(*section, path, kAdvancedField, advancedNames);
    if (advanced == nullptr) {
        return;
    }
    const std::string advancedPath = Member(path, kAdvancedField);
    uint32_t flags = 0;
    for (const AxisOptionControl& option : AxisOptionControls) {
        in.Flag(*advanced, advancedPath, option, flags);
    }
    in.OtherBits(*advanced, advancedPath, flags);
    record.AxisOptionFlags = flags;
}

}  // namespace

Json RecordToJson(const SettingsRecord& record) {
    Json root = Json::object();

    Json& graphics = root[kGraphicAudioSection] = Json::object();
    for (const OptionField& field : OptionFields) {
        graphics[field.name] = OptionValue(field, OptionByte(record, field));
    }

    Json& keyboard = root[kKeyboardSection] = Json::object();
    keyboard[kLayoutField] = OptionValue(LayoutOption, record.PlayerLayout);
    for (int l = 0; l < kLayoutCount; ++l) {
        Json& layout = keyboard[LayoutName(l)] = Json::object();
        for (int p = 0; p < kPlayerCount; ++p) {
            Json& player = layout[PlayerName(p)] = Json::object();
            for (int position = 0; position < kKeyboardSlotCount; ++position) {
                player[KeyboardPositionName(position)] =
                    KeyValue(record.KeyboardTable[l][p][KeyboardSlotMap[position]]);
            }
        }
    }

    Json& joystick = root[kJoystickSection] = Json::object();
    for (int p = 0; p < kPlayerCount; ++p) {
        Json& player = joystick[PlayerName(p)] = Json::object();
        for (int entry = 0; entry < kJoystickEntryCount; ++entry) {
            player[JoystickEntryName(entry)] = CodeValue(record.JoystickTable[p][entry]);
        }
    }
    Json& advanced = joystick[kAdvancedField] = Json::object();
    for (const AxisOptionControl& option : AxisOptionControls) {
        advanced[option.name] = (record.AxisOptionFlags & option.bit) != 0;
    }
    advanced[kOtherBitsName] = Hex(record.AxisOptionFlags & ~kKnownAxisBits, 8);

    root[kReservedField] = Json::array({RawByte(record.reserved[0]), RawByte(record.reserved[1])});
    return root;
}

int ParseJsonText(const std::string& text, Json& document, std::string& error) {
    // The parser keeps the last of two equal keys; a file that says two
    // things about one field is refused instead.
    std::vector<std::set<std::string>> open;
    std::string duplicate;
    // An export is four levels deep. Far deeper nesting is refused as it
    // opens: the library copies a value whole, one call per level, when a
    // later key makes its object grow, and that would overflow the stack.
    constexpr int kMaxDepth = 64;
    struct TooDeep {};
    const Json::parser_callback_t watch = [&](int depth, nlohmann::json::parse_event_t event,
                                              Json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if ((event == Event::object_start || event == Event::array_start) && depth >= kMaxDepth) {
            throw TooDeep{};
        }
        if (event == Event::object_start) {
            open.emplace_back();
        } else if (event == Event::object_end && !open.empty()) {
            open.pop_back();
        } else if (event == Event::key && !open.empty() && parsed.is_string()) {
            if (!open.back().insert(parsed.get<std::string>()).second && duplicate.empty()) {
                duplicate = parsed.get<std::string>();
            }
        }
        return true;
    };
    try {
        document = Json::parse(text, watch);
    } catch (const Json::exception& e) {
        error = std::string("not valid JSON: ") + e.what();
        return -1;
    } catch (const TooDeep&) {
        error = "objects and arrays nested more than " + std::to_string(kMaxDepth) +
                " levels deep (an export is 4)";
        return -1;
    }
    if (!duplicate.empty()) {
        error = "the key " + Json(duplicate).dump() + " appears twice in one object";
        return -1;
    }
    return 0;
}

int JsonToRecord(const Json& document, SettingsRecord& record, std::string& error) {
    Reader in(error);
    if (!document.is_object()) {
        in.Fail("", "must be an object");
        return -1;
    }
    if (!in.OnlyFields(
            document, "",
            {kGraphicAudioSection, kKeyboardSection, kJoystickSection, kReservedField})) {
        return -1;
    }
    SettingsRecord built{};
    ReadGraphicAudio(in, document, built);
    ReadKeyboard(in, document, built);
    ReadJoystick(in, document, built);
    in.Reserved(document, "", built.reserved);
    if (!in.ok()) {
        return -1;
    }
    record = built;
    return 0;
}

}  // namespace ravel::cli
