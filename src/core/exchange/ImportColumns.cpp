#include "ImportColumns.h"

#include "ConfigModel.h"
#include "Words.h"

#include <algorithm>
#include <array>

namespace velto {
namespace {

constexpr ImportColumn kName{"name", "nome", "name"};
constexpr ImportColumn kNumber{"number", "numero", "number"};
constexpr ImportColumn kAddress{"address", "indirizzo", "address"};

constexpr ImportColumn kDeviceColumns[] = {{"point", "indirizzo", "address"},
                                           kName,
                                           {"type", "tipo", "type"},
                                           {"group", "gruppo", "group"},
                                           {"inUse", "posizione", "position"},
                                           {"pull", "pull", "pull"},
                                           {"dimmer", "livello dimmer", "dimmer level"}};
constexpr ImportColumn kNumberedColumns[] = {kNumber, kName};
constexpr ImportColumn kLoadColumns[] = {{"priority", "priorità", "priority"}, kName};
constexpr ImportColumn kProbeColumns[] = {{"zone", "zona", "zone"}, kName};
constexpr ImportColumn kCameraColumns[] = {kNumber, kName, kAddress, {"riser", "montante", "bus"}};
constexpr ImportColumn kScenarioColumns[] = {kNumber, kName, kAddress, {"bus", "bus", "bus"}};
constexpr ImportColumn kMh200Columns[] = {kNumber,
                                          kName,
                                          {"cenActivation", "cen attivazione", "cen activation"},
                                          {"cenDeactivation", "cen disattivazione", "cen deactivation"}};

// The Latin letters with accents that UTF-8 writes as 0xC3 and one byte, by that byte from 0x80:
// the letter without its accent, or 0 for a character left as it is.
constexpr std::string_view kUnaccented{"aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0\0"
                                       "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y",
                                       64};

// Gives each character of the text as folded: the spaces around it left out, A to Z lower-cased, the
// accented Latin letters without their accent.
template <typename Give> void EachFolded(std::string_view text, Give give) {
    const std::size_t first = text.find_first_not_of(' ');
    text = first == std::string_view::npos ? std::string_view{} : text.substr(first);
    text = text.substr(0, text.find_last_not_of(' ') + 1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        if (text[i] == '\xC3' && next >= 0x80 && next < 0xC0 && kUnaccented[next - 0x80] != '\0') {
            give(kUnaccented[next - 0x80]);
            ++i;
        } else {
            give(char(text[i] >= 'A' && text[i] <= 'Z' ? text[i] - 'A' + 'a' : text[i]));
        }
    }
}

// Compared as it is folded, without a copy: a table pasted compares a word in each of its cells.
bool Matches(std::string_view folded, std::string_view word) {
    std::size_t at = 0;
    bool same = true;
    EachFolded(word, [&](char c) { same = same && at < folded.size() && folded[at++] == c; });
    return same && at == folded.size();
}

} // namespace

std::span<const ImportColumn> ImportColumns(TableId table) {
    switch (table) {
    case TableId::Devices:
        return kDeviceColumns;
    case TableId::Loads:
        return kLoadColumns;
    case TableId::Probes:
        return kProbeColumns;
    case TableId::Cameras:
        return kCameraColumns;
    case TableId::Scenarios:
        return kScenarioColumns;
    case TableId::Mh200Scenarios:
        return kMh200Columns;
    case TableId::Groups:
    case TableId::Auxiliaries:
        break;
    }
    return kNumberedColumns;
}

std::string Folded(std::string_view text) {
    std::string folded;
    EachFolded(text, [&](char c) { folded += c; });
    return folded;
}

std::optional<std::size_t> ColumnOfHeading(TableId table, std::string_view heading) {
    const std::string folded = Folded(heading);
    const std::span<const ImportColumn> columns = ImportColumns(table);
    const auto found = std::find_if(columns.begin(), columns.end(), [&](const ImportColumn& column) {
        return Matches(folded, column.name) || Matches(folded, column.italian) ||
               Matches(folded, column.english);
    });
    if (found == columns.end())
        return std::nullopt;
    return std::size_t(found - columns.begin());
}

std::string ColumnNames(const ImportColumn& column, bool italian) {
    std::vector<std::string_view> names{column.name};
    for (const std::string_view name : {column.heading(italian), column.heading(!italian)})
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    std::string text = '\'' + std::string(names[0]) + '\'';
    for (std::size_t i = 1; i < names.size(); ++i)
        text += std::string(i + 1 == names.size() ? (italian ? " o '" : " or '") : ", '") +
                std::string(names[i]) + '\'';
    return text;
}

ExportTable HeadedTable(const ConfigModel& model, TableId table, bool italian) {
    ExportTable headed = std::move(ExportTables(model)[std::size_t(table)]);
    for (std::size_t i = 0; i < headed.fields.size(); ++i)
        headed.fields[i] = std::string(ImportColumns(table)[i].heading(italian));
    return headed;
}

std::optional<std::string> DeviceTypeOfWord(std::string_view cell) {
    for (const DeviceType& type : kDeviceTypes) // as copied and exported
        if (cell == type.code)
            return type.code;
    const std::string folded = Folded(cell);
    for (const DeviceType& type : kDeviceTypes)
        if (Matches(folded, type.code) || Matches(folded, type.displayName))
            return type.code;
    return std::nullopt;
}

std::optional<bool> LocalRiserOfWord(std::string_view cell) {
    const std::string folded = Folded(cell);
    for (const bool local : {false, true}) {
        const TextPair& word = kWords[std::size_t(local ? Word::localRiserText : Word::privateRiserText)];
        if (Matches(folded, word.italian) || Matches(folded, word.english) || folded == (local ? "2" : "1"))
            return local;
    }
    return std::nullopt;
}

std::optional<int> ScenarioBusOfWord(std::string_view cell) {
    const std::string folded = Folded(cell);
    for (int bus = 0; bus <= 9; ++bus)
        if (Matches(folded, BusItemText(bus, true)) || Matches(folded, BusItemText(bus, false)) ||
            folded == std::to_string(bus))
            return bus;
    return std::nullopt;
}

} // namespace velto
