#pragma once

#include "ConfigModel.h"
#include "ReportDate.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The installation report: what a configuration holds, laid out as headed tables in one language,
// ready for any output format, between the project it belongs to and the signatures of its handover.
namespace velto {

// A label and its value; an empty value has an empty label too, so that its place stays blank.
struct ReportFact {
    std::string label;
    std::string value;
    std::string detail; // a second line under the value (the file's fingerprint), empty when none
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
    std::string heading; // customer, site and file: what identifies every page
    std::string pageLabel, ofLabel;
    // The project information, in places that do not depend on which others are empty: who (customer,
    // site, installer, company) on the left, what and when (date, file, its version, the report's time)
    // on the right, row by row; then the notes across the whole width.
    std::array<std::array<ReportFact, 2>, 4> project;
    ReportFact notes;
    std::vector<ReportFact> counts;      // each table and how many records it holds
    std::vector<ReportSection> sections; // tables without records are left out
    std::string nameLabel, dateLabel, signatureLabel;
    std::vector<ReportSignature> signatures; // the installer, then the customer
};

// "pagina 2 di 3" or "page 2 of 3".
std::string PageNumberText(const ReportDocument& document, int page, int pages);

// The notes a report takes: at most this many lines and characters, so that they fit on a page.
inline constexpr std::size_t kMaxNoteLines = 20;
inline constexpr std::size_t kMaxNoteCharacters = 1000;

// The notes cut to the lines and characters a report takes (never inside a character).
std::string FittingNotes(std::string_view notes);

// Who the installation is for, where it is, who made it and when. Any of them may be empty, and an
// empty one is left out of the report.
struct ReportProject {
    std::string customer;
    std::string site;
    std::string installer;
    std::string company;
    std::optional<CalendarDate> date;
    std::string notes;
};

// Where the configuration came from, when the report is made, and the project it belongs to.
struct ReportSource {
    std::string filePath; // the report names the file without its folder; empty when never saved
    std::string fileVersion;
    std::string fingerprint; // shown under the file's name (FingerprintText); empty for none
    DateAndTime producedAt;
    ReportProject project;
};

// What ties a report to the bytes it describes: "SHA-256: " and the file's digest, or for a
// configuration with unsaved changes (an empty digest) the words that say so.
std::string FingerprintText(const std::string& sha256Hex, bool italian);

// Names, addresses and commands show shortened as the window shows them (ShortenedText).
ReportDocument BuildReport(const ConfigModel& model, const ReportSource& source, bool italian);

} // namespace velto
