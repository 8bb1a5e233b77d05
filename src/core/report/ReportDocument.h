#pragma once

#include "ConfigModel.h"

#include <string>
#include <vector>

// The installation report: what a configuration holds, laid out as headed tables in one language,
// ready for any output format.
namespace velto {

struct ReportFact {
    std::string label;
    std::string value;
};

struct ReportSection {
    std::string heading;
    std::string note; // empty when the section has none
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

struct ReportDocument {
    std::string language; // "it" or "en"
    std::string title;
    std::vector<ReportFact> facts;
    std::vector<ReportSection> sections; // tables without records are left out
};

// Where the configuration came from and when the report is made.
struct ReportSource {
    std::string filePath; // empty for a configuration never saved
    std::string fileVersion;
    std::string producedAt;
};

ReportDocument BuildReport(const ConfigModel& model, const ReportSource& source, bool italian);

} // namespace velto
