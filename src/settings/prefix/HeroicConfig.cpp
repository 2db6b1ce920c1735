#include "settings/prefix/HeroicConfig.h"

#include <cstddef>
#include <utility>

#include <nlohmann/json.hpp>

namespace ravel::prefix {
namespace {

using Json = nlohmann::json;

// Reads events up to the first "defaultWinePrefix" key and the value after
// it, then stops: the rest of the text is never looked at.
struct DefaultPrefixReader {
    bool Value() { return !atKey; }  // a value that is not a string ends the search

    bool null() { return Value(); }
    bool boolean(bool) { return Value(); }
    bool number_integer(Json::number_integer_t) { return Value(); }
    bool number_unsigned(Json::number_unsigned_t) { return Value(); }
    bool number_float(Json::number_float_t, const Json::string_t&) { return Value(); }
    bool binary(Json::binary_t&) { return Value(); }
    bool start_object(std::size_t) { return Value(); }
    bool start_array(std::size_t) { return Value(); }
    bool end_object() { return true; }
    bool end_array() { return true; }
    bool key(Json::string_t& name) {
        atKey = name == "defaultWinePrefix";
        return true;
    }
    bool string(Json::string_t& text) {
        if (atKey) {
            prefix = std::move(text);
        }
        return !atKey;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        return false;
    }

    bool atKey = false;
    std::string prefix;
};

}  // namespace

std::string HeroicDefaultPrefix(std::string_view json) {
    // Events, not a document: no exception for a damaged file, and no
    // recursion however deep its nesting.
    DefaultPrefixReader reader;
    Json::sax_parse(json.begin(), json.end(), &reader);
    return reader.prefix;
}

}  // namespace ravel::prefix
