#include "ExportJson.h"

#include "ExportTables.h"

#include <nlohmann/json.hpp>

namespace velto {

std::string ExportJson(const ConfigModel& model, const std::string& fileVersion) {
    using Json = nlohmann::ordered_json;
    Json root;
    root["version"] = fileVersion;
    for (const ExportTable& table : ExportTables(model)) {
        Json list = Json::array();
        for (const std::vector<ExportValue>& row : table.rows) {
            Json entry;
            for (std::size_t i = 0; i < row.size(); ++i)
                std::visit([&](const auto& value) { entry[table.fields[i]] = value; }, row[i]);
            list.push_back(std::move(entry));
        }
        root[table.name] = std::move(list);
    }
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

} // namespace velto
