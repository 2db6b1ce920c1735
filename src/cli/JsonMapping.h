// The record as JSON and back: the same names as `show`, every byte
// represented, so that importing an export gives back the identical record.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "settings/SettingsRecord.h"

namespace ravel::cli {

using Json = nlohmann::ordered_json;

Json RecordToJson(const SettingsRecord& record);

// Parses `text` into `document`. Answers 0, or -1 with `error` saying what
// is wrong and where (syntax errors, invalid UTF-8, a key given twice,
// nesting far deeper than an export's).
int ParseJsonText(const std::string& text, Json& document, std::string& error);

// Fills `record` from a whole document. Answers 0, or -1 with `error`
// naming the first bad or missing field by its path (."Joystick Settings".
// "Player 1"."Kick"); `record` is untouched then.
int JsonToRecord(const Json& document, SettingsRecord& record, std::string& error);

}  // namespace ravel::cli
