#include "cli/JsonMapping.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "cli/FieldNames.h"
#include "input/InputCode.h"
#include "input/KeyNameTable.h"

namespace ravel::cli {
namespace {

// Check boxes and axis bits are true or false, Reserved an array of two
// bytes; anything else is written as `show` writes it, so that a damaged
// byte stays visible as such.
Json FieldJson(const SettingsRecord& record, const RecordField& field) {
    const uint32_t value = FieldValue(record, field);
    const bool check = field.kind == FieldKind::Option && field.zeroWord == nullptr;
    if (field.kind == FieldKind::AxisBit || (check && value <= 1)) {
        return value != 0;
    }
    if (field.kind == FieldKind::Reserved) {
        return Json::array({Hex(value & 0xFF, 2), Hex(value >> 8, 2)});
    }
    return FieldText(field, value);
}

std::string Member(const std::string& path, const std::string& key) {
    return path + "." + Json(key).dump();
}

// Walks the document, remembering only the first problem.
class Reader {
  public:
    explicit Reader(std::string& error) : error_(error) {}

    bool ok() const { return ok_; }

    // `value` as an object holding exactly the fields `names`.
    bool Object(const Json& value, const std::string& here, const std::vector<std::string>& names) {
        if (!value.is_object()) {
            return Fail(here, "must be an object");
        }
        for (const auto& item : value.items()) {
            if (std::find(names.begin(), names.end(), item.key()) == names.end()) {
                return Fail(Member(here, item.key()), "unknown field");
            }
        }
        // Missing fields are named by Field() in the order they are read.
        return true;
    }

    const Json* Field(const Json& parent, const std::string& path, const std::string& key) {
        const auto found = parent.find(key);
        if (found == parent.end()) {
            Fail(Member(path, key), "missing");
            return nullptr;
        }
        return &*found;
    }

    // Reads `value`, found at `here`, into `field` of `record`.
    void Read(const Json& value, const std::string& here, const RecordField& field,
              SettingsRecord& record) {
        uint32_t read = 0;
        if (!Value(value, here, field, read)) {
            return;
        }
        // The axis bits and the other bits each add theirs to the one word.
        if (field.kind == FieldKind::AxisBit || field.kind == FieldKind::OtherBits) {
            read |= record.AxisOptionFlags;
        }
        std::memcpy(reinterpret_cast<uint8_t*>(&record) + field.offset, &read, field.size());
    }

    // Answers false, so that a check can end in `|| Fail(...)`.
    bool Fail(const std::string& path, const std::string& problem) {
        if (ok_) {
            error_ = (path.empty() ? std::string(".") : path) + ": " + problem;
            ok_ = false;
        }
        return false;
    }

  private:
    bool Value(const Json& value, const std::string& here, const RecordField& field,
               uint32_t& out) {
        switch (field.kind) {
            case FieldKind::Option:
            case FieldKind::Layout:
                return Option(value, here, field, out);
            case FieldKind::Key: {
                uint8_t scanCode = 0;
                if (value.is_string() &&
                    ParseKeyName(value.get_ref<const std::string&>(), scanCode)) {
                    out = scanCode;
                    return true;
                }
                return Raw(value, 0xFF, out) ||
                       Fail(here,
                            Shown(value) +
                                "is neither a key name (such as \"J\", \"SPACE\", \"None\") nor a "
                                "byte such as \"0x24\"");
            }
            case FieldKind::Code:
                return (value.is_string() &&
                        ParseInputName(value.get_ref<const std::string&>(), out)) ||
                       Raw(value, 0xFFFFFFFFu, out) ||
                       Fail(here, Shown(value) +
                                      "is neither an input name (such as \"1BUTTON3\", \"2UP\", "
                                      "\"None\") nor a code such as \"0x01000002\"");
            case FieldKind::AxisBit:
                out = value.is_boolean() && value.get<bool>() ? field.bit : 0;
                return value.is_boolean() || Fail(here, "must be true or false");
            case FieldKind::OtherBits:
                if (!Raw(value, 0xFFFFFFFFu, out)) {
                    return Fail(here, "must be a 32-bit value such as \"0x00000000\"");
                }
                return (out & kKnownAxisBits) == 0 ||
                       Fail(here, "must not hold 0x2, 0x4 or 0x8; they have fields of their own");
            default:
                return Reserved(value, here, out);
        }
    }

    bool Option(const Json& value, const std::string& here, const RecordField& field,
                uint32_t& out) {
        const bool check = field.zeroWord == nullptr;
        if (check && value.is_boolean()) {
            out = value.get<bool>() ? 1 : 0;
        } else if (!check && (IsText(value, field.zeroWord) || IsText(value, field.oneWord))) {
            out = IsText(value, field.oneWord) ? 1 : 0;
        } else if (!Raw(value, 0xFF, out)) {
            return Fail(here, check ? std::string("must be true, false or a byte such as \"0x02\"")
                                    : std::string("must be \"") + field.zeroWord + "\", \"" +
                                          field.oneWord + "\" or a byte such as \"0x02\"");
        }
        return true;
    }

    // Two bytes, the first in the low byte of `out`.
    bool Reserved(const Json& value, const std::string& here, uint32_t& out) {
        if (!value.is_array() || value.size() != 2) {
            return Fail(here, "must be an array of two bytes such as [\"0x00\", \"0x00\"]");
        }
        for (size_t i = 0; i < 2; ++i) {
            uint32_t raw = 0;
            if (!Raw(value[i], 0xFF, raw)) {
                return Fail(here + "[" + std::to_string(i) + "]",
                            "must be a byte such as \"0x00\"");
            }
            out |= raw << (8 * i);
        }
        return true;
    }

    // An unsigned number up to `max`, or "0x..." hexadecimal.
    static bool Raw(const Json& value, uint32_t max, uint32_t& out) {
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

// Reads the object at `here`, which holds `fields`: their paths share the
// names before `depth`, and a run of fields with one name at `depth` is one
// member, read in turn.
void ReadObject(Reader& in, const Json& object, const std::string& here, size_t depth,
                std::span<const RecordField> fields, SettingsRecord& record) {
    std::vector<std::string> names;
    for (const RecordField& field : fields) {
        if (names.empty() || names.back() != field.path[depth]) {
            names.push_back(field.path[depth]);
        }
    }
    if (!in.Object(object, here, names)) {
        return;
    }
    for (size_t first = 0, end = 0; first < fields.size() && in.ok(); first = end) {
        const std::string& key = fields[first].path[depth];
        while (end < fields.size() && fields[end].path[depth] == key) {
            ++end;
        }
        const Json* value = in.Field(object, here, key);
        if (value == nullptr) {
            return;
        }
        if (fields[first].path.size() == depth + 1) {
            in.Read(*value, Member(here, key), fields[first], record);
        } else {
            ReadObject(in, *value, Member(here, key), depth + 1, fields.subspan(first, end - first),
                       record);
        }
    }
}

}  // namespace

Json RecordToJson(const SettingsRecord& record) {
    Json root = Json::object();
    for (const RecordField& field : RecordFields) {
        Json* object = &root;
        for (size_t i = 0; i + 1 < field.path.size(); ++i) {
            object = &(*object)[field.path[i]];
        }
        (*object)[field.path.back()] = FieldJson(record, field);
    }
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
    SettingsRecord built{};
    ReadObject(in, document, "", 0, RecordFields, built);
    if (!in.ok()) {
        return -1;
    }
    record = built;
    return 0;
}

}  // namespace ravel::cli
