#include "UnwrittenText.h"

#include "TextEncoding.h"
#include "Words.h"

namespace velto {
namespace {

constexpr std::size_t kMostNamed = 10;

constexpr TextPair kQuestion{
    "Il file salvato lascerà fuori questi record della configurazione, che il formato non può tenere:\n"
    "%1\nSalvare comunque? (No: non salvare)",
    "The file saved will leave out these records of the configuration, which the format cannot keep:\n"
    "%1\nSave anyway? (No: do not save)"};
constexpr TextPair kNote{"Salvando, il file lascerà fuori questi record:\n%1",
                         "When saved, the file will leave out these records:\n%1"};
constexpr TextPair kMore{"... e altri %1 (velto-conf check li elenca tutti)",
                         "... and %1 more (velto-conf check lists them all)"};

std::string Filled(const TextPair& text, bool italian, const std::string& value) {
    std::string filled(text.pick(italian));
    return filled.replace(filled.find("%1"), 2, value);
}

// The records left out, one a line, their names shortened as a box shows them; "" when there are none.
std::string Listed(const ConfigModel& model, bool italian) {
    std::vector<UnwrittenRecord> records = RecordsNotWritten(model);
    std::string lines;
    for (std::size_t i = 0; i < records.size() && i < kMostNamed; ++i) {
        records[i].name = ShortenedText(records[i].name);
        lines += (i == 0 ? "" : "\n") + DescribeUnwritten(records[i]);
    }
    if (records.size() > kMostNamed)
        lines += '\n' + Filled(kMore, italian, std::to_string(records.size() - kMostNamed));
    return lines;
}

} // namespace

std::string DescribeUnwritten(const UnwrittenRecord& record) {
    return record.element + " " + std::to_string(record.key) + " \"" + record.name + "\"" +
           (record.parts.empty() ? "" : " (" + record.parts + ")");
}

std::string LeaveOutQuestion(const ConfigModel& model, bool italian) {
    const std::string listed = Listed(model, italian);
    return listed.empty() ? listed : Filled(kQuestion, italian, listed);
}

std::string LeaveOutNote(const ConfigModel& model, bool italian) {
    const std::string listed = Listed(model, italian);
    return listed.empty() ? listed : Filled(kNote, italian, listed);
}

} // namespace velto
