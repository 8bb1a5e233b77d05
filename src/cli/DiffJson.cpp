#include "DiffJson.h"

#include "ExportTables.h"

#include <nlohmann/json.hpp>

namespace velto {

std::string DiffJson(const Differences& differences, const ComparedFile& then, const ComparedFile& now) {
    using Json = nlohmann::ordered_json;
    static constexpr const char* kKinds[] = {"added", "removed", "changed"};
    const auto file = [](const ComparedFile& compared) {
        return Json{{"file", compared.name}, {"sha256", compared.fingerprint}};
    };
    Json records = Json::array();
    for (const RecordDifference& record : differences.records) {
        Json fields = Json::array();
        for (const FieldChange& field : record.fields)
            fields.push_back({{"column", field.column}, {"was", field.was}, {"is", field.is}});
        records.push_back({{"table", kTableShapes[std::size_t(record.change.table)].name},
                           {"key", record.change.key},
                           {"change", kKinds[int(record.change.kind)]},
                           {"heading", record.heading},
                           {"record", record.keyText},
                           {"name", record.name},
                           {"fields", std::move(fields)}});
    }
    const Json root{{"from", file(then)},
                    {"to", file(now)},
                    {"same", differences.same()},
                    {"summary", differences.summary},
                    {"differences", std::move(records)}};
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

} // namespace velto
