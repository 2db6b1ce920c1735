// Any record exports to JSON that imports back to the same record, and show
// and check describe it; any text given to import is refused or read, never
// a crash.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/Findings.h"
#include "cli/JsonMapping.h"
#include "fuzz/FuzzTargets.h"


namespace ravel {

int FuzzCfg(const uint8_t* data, size_t size) {
    using namespace cli;
    SettingsRecord record{};
    std::memcpy(&record, data, size < sizeof record ? size : sizeof record);

    Json document;
    std::string error;
    if (ParseJsonText(RecordToJson(record).dump(2), document, error) != 0) {
        std::abort();
    }
    SettingsRecord back{};
    if (JsonToRecord(document, back, error) != 0 || std::memcmp(&back, &record, sizeof back) != 0) {
        std::abort();
    }
    if (RenderRecord(record).empty()) {
        std::abort();
    }
    (void)FindProblems(record, size);

    const std::string text(reinterpret_cast<const char*>(data), size);
    if (ParseJsonText(text, document, error) == 0) {
        SettingsRecord imported{};
        (void)JsonToRecord(document, imported, error);
    }
    return 0;
}

}  // namespace ravel

RAVEL_FUZZ_TARGET(Cfg, ravel::FuzzCfg, RAVEL_CFG_CORPUS, 4)
