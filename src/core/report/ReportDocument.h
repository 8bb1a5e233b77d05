#pragma once

#include "ConfigModel.h"

#include <string>
#include <vector>

// The installation report: what a configuration holds, laid out as headed tables in one language,
// ready for any output format, between the project it belongs to and the signatures of its handover.
namespace velto {

struct ReportFact {
    std::string label;
    std::string value;
    bool wide = false; // a long text that takes a line of its own
};

struct ReportSection {
    std::string heading;
    std::string note; // empty when the section has none
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

// One party that signs the handover: who it is, its name and the date, already filled in when known.
struct ReportSignature {
    std::string party;
    std::string name;
    std::string date;
};

struct ReportDocument {
    std::string language; // "it" or "en"
    std::string title;
    std::vector<ReportFact> facts;       // the project information given, then the file and the time
    std::vector<ReportFact> counts;      // each table and how many records it holds
    std::vector<ReportSection> sections; // tables without records are left out
    std::string nameLabel, dateLabel, signatureLabel;
    std::vector<ReportSignature> signatures; // the installer, then the customer
};

// Who the installation is for, where it is, who made it and when. Any of them may be empty, and an
// empty one is left out of the report.
struct ReportProject {
    std::string customer;
    std::string site;
    std::string installer;
    std::string company;
    std::string date;
    std::string notes;
};

// Where the configuration came from, when the report is made, and the project it belongs to.
struct ReportSource {
    std::string filePath; // the report names the file without its folder; empty when never saved
    std::string fileVersion;
    std::string producedAt;
    ReportProject project;
};

ReportDocument BuildReport(const ConfigModel& model, const ReportSource& source, bool italian);

} // namespace velto
