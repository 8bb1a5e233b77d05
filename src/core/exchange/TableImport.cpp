#include "TableImport.h"

#include "CsvRead.h"
#include "NumberText.h"
#include "RecordRules.h"
#include "Words.h"

#include <algorithm>
#include <map>
#include <optional>
#include <variant>

namespace velto {
namespace {

constexpr TextPair kTableWords[] = {{"attuatori", "devices"}, {"gruppi", "groups"},
                                    {"carichi", "loads"},     {"ausiliari", "auxiliaries"},
                                    {"sonde", "probes"},      {"camere", "cameras"},
                                    {"scenari", "scenarios"}, {"scenari MH200", "MH200 scenarios"}};

constexpr TextPair kSummary{"%1: %2 aggiunti, %3 sostituiti, %4 tolti",
                            "%1: %2 added, %3 replaced, %4 removed"};
constexpr TextPair kEmptyFile{"il file è vuoto", "the file is empty"};
constexpr TextPair kUnknownColumn{"colonna sconosciuta '%1'", "unknown column '%1'"};
constexpr TextPair kMissingColumn{"manca la colonna '%1'", "the column '%1' is missing"};
constexpr TextPair kColumnTwice{"la colonna '%1' compare due volte", "the column '%1' appears twice"};
constexpr TextPair kOpenQuote{"virgolette aperte e mai chiuse", "a quote opened and never closed"};
constexpr TextPair kAfterQuote{"testo dopo le virgolette di chiusura", "text after a closing quote"};
constexpr TextPair kTooManyCells{"più di 64 campi", "more than 64 fields"};
constexpr TextPair kControlCharacter{"un campo contiene un carattere di controllo (come NUL)",
                                     "a field holds a control character (such as NUL)"};
constexpr TextPair kMoreRefused{"righe seguenti non lette: già %1 righe rifiutate",
                                "the rows after it not read: %1 rows already refused"};
constexpr TextPair kCellCount{"%1 campi, la prima riga ne ha %2", "%1 fields where the heading row has %2"};
constexpr TextPair kNotWhole{"%1: '%2' non è un numero intero da %3 a %4",
                             "%1: '%2' is not a whole number from %3 to %4"};
constexpr TextPair kDeviceAddress{
    "point: '%1' non è un indirizzo di attuatore (da 1 a 99, senza lo 0 finale)",
    "point: '%1' is not a device address (1 to 99, not ending in 0)"};
constexpr TextPair kDeviceType{"type: '%1' non è un tipo di attuatore (1, 2 o 1d)",
                               "type: '%1' is not a device type (1, 2 or 1d)"};
constexpr TextPair kNotFlag{"%1: '%2' non è true o false", "%1: '%2' is not true or false"};
constexpr TextPair kEmptyName{"name: il nome è vuoto", "name: the name is empty"};
constexpr TextPair kCameraAddress{
    "address: '%1' non è un indirizzo di camera (da 4000 a 5000, poi #2 sul montante pubblico)",
    "address: '%1' is not a camera address (4000 to 5000, then #2 on a local riser)"};
constexpr TextPair kScenarioAddress{
    "address: '%1' non è un indirizzo di scenario (da 0 a 98, poi #4# e il bus da 1 a 9 su un bus locale)",
    "address: '%1' is not a scenario address (0 to 98, then #4# and the bus 1 to 9 on a local bus)"};
constexpr TextPair kTwiceInFile{"%1 %2 è già alla riga %3", "%1 %2 is already on line %3"};
constexpr TextPair kTaken{"%1 %2 è già nella configurazione", "%1 %2 is already in the configuration"};

// Refusing more rows would tell the user nothing new, and would cost memory without bound.
constexpr std::size_t kMostRefusedRows = 1000;

std::string FaultText(CsvFault fault, bool italian) {
    switch (fault) {
    case CsvFault::OpenQuote:
        return std::string(kOpenQuote.pick(italian));
    case CsvFault::TextAfterQuote:
        return std::string(kAfterQuote.pick(italian));
    case CsvFault::TooManyCells:
        return std::string(kTooManyCells.pick(italian));
    case CsvFault::ControlCharacter:
        return std::string(kControlCharacter.pick(italian));
    case CsvFault::None:
        break;
    }
    return {};
}

// The heading's columns as indexes into the table's fields, or the reasons it does not fit.
struct Heading {
    std::vector<std::size_t> fieldOfColumn;
    std::vector<std::string> faults;
};

Heading ReadHeading(const std::vector<std::string>& columns, const TableShape& shape, bool italian) {
    Heading heading;
    std::vector<bool> seen(shape.fields.size());
    for (const std::string& column : columns) {
        const auto field = std::find(shape.fields.begin(), shape.fields.end(), column);
        const auto index = std::size_t(field - shape.fields.begin());
        if (field == shape.fields.end())
            heading.faults.push_back(FilledText(kUnknownColumn, italian, {column}));
        else if (seen[index])
            heading.faults.push_back(FilledText(kColumnTwice, italian, {column}));
        else
            seen[index] = true;
        heading.fieldOfColumn.push_back(index);
    }
    for (std::size_t i = 0; i < shape.required; ++i)
        if (!seen[i])
            heading.faults.push_back(FilledText(kMissingColumn, italian, {shape.fields[i]}));
    return heading;
}

// One row's cells by field, checked one by one; every reason a cell is refused is kept.
class RowCheck {
public:
    RowCheck(std::vector<std::string> cells, bool italian) : cells_(std::move(cells)), italian_(italian) {}

    const std::string& cell(std::size_t field) const { return cells_[field]; }
    void refuse(const TextPair& text, std::initializer_list<std::string_view> values) {
        reasons.push_back(FilledText(text, italian_, values));
    }
    // A whole number lowest..highest, blanks around it allowed; an empty optional cell is 0.
    int whole(std::size_t field, std::string_view name, int lowest, int highest, bool optional = false) {
        std::string_view text = cells_[field];
        text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
        text.remove_suffix(text.size() - (text.find_last_not_of(' ') + 1));
        if (optional && text.empty())
            return 0;
        const long long value = LeadingDigitsValue(text);
        if (IsDigits(text, 9) && value >= lowest && value <= highest)
            return int(value);
        refuse(kNotWhole, {name, cells_[field], std::to_string(lowest), std::to_string(highest)});
        return 0;
    }
    std::string name(std::size_t field) {
        if (cells_[field].empty())
            refuse(kEmptyName, {});
        return cells_[field];
    }

    std::vector<std::string> reasons;

private:
    std::vector<std::string> cells_;
    bool italian_;
};

// The key and the record of a row, with the rules of the table's editor.
std::pair<int, TableRecord> CheckRow(TableId table, RowCheck& row) {
    const int highest = HighestKey(table);
    switch (table) {
    case TableId::Devices: {
        const std::string& point = row.cell(0);
        if (!IsDigits(point, kDeviceAddressDigits) || !IsDeviceAddress(point))
            row.refuse(kDeviceAddress, {point});
        DeviceRecord device;
        device.name = row.name(1);
        device.typeCode = row.cell(2);
        if (std::none_of(kDeviceTypes.begin(), kDeviceTypes.end(),
                         [&](const DeviceType& type) { return device.typeCode == type.code; }))
            row.refuse(kDeviceType, {device.typeCode});
        device.group = std::uint8_t(row.whole(3, "group", 0, kMaxGroup, true));
        row.whole(4, "inUse", 0, 255, true); // positions are given again in address order
        device.inUse = 1;
        if (const std::string& pull = row.cell(5); pull == "true")
            device.pull = true;
        else if (!pull.empty() && pull != "false")
            row.refuse(kNotFlag, {"pull", pull});
        device.dimmer = std::uint8_t(row.whole(6, "dimmer", 0, 255, true));
        return {int(LeadingDigitsValue(point)), device};
    }
    case TableId::Cameras:
    case TableId::Scenarios: {
        const int key = row.whole(0, "number", 1, highest);
        const std::string name = row.name(1);
        const std::string& address = row.cell(2);
        const std::string proper = AddressProper(address);
        if (table == TableId::Cameras) {
            if (!IsDigits(proper, kCameraAddressDigits) ||
                !IsCameraAddressValue(LeadingDigitsValue(proper)) ||
                address != StoredCameraAddress(proper, IsOnLocalRiser(address)))
                row.refuse(kCameraAddress, {address});
            return {key, CameraRecord{name, address}};
        }
        if (!IsDigits(proper, kScenarioAddressDigits) ||
            !IsScenarioAddressValue(LeadingDigitsValue(proper)) ||
            address != StoredScenarioAddress(proper, ScenarioBus(address)))
            row.refuse(kScenarioAddress, {address});
        return {key, ScenarioRecord{name, address}};
    }
    default: {
        const int key = row.whole(0, kTableShapes[std::size_t(table)].fields[0], 1, highest);
        return {key, row.name(1)};
    }
    }
}

std::vector<std::string> HeadingCells(std::string_view csv, char separator) {
    std::vector<std::string> cells;
    ReadCsv(csv.substr(0, csv.find('\n')), separator, [&](CsvRow&& row) {
        if (row.fault == CsvFault::None)
            cells = std::move(row.cells);
        return false;
    });
    return cells;
}

} // namespace

std::string_view TableWord(TableId table, bool italian) {
    return kTableWords[std::size_t(table)].pick(italian);
}

int RecordsIn(const ConfigModel& model, TableId table) {
    int count = 0;
    WithSlots(model, table, [&](const auto& slots) {
        count = int(std::count_if(slots.begin(), slots.end(), [](const auto& slot) { return InUse(slot); }));
    });
    return count;
}

std::string ImportSummary(const ImportOutcome& outcome, TableId table, bool italian) {
    return FilledText(kSummary, italian,
                      {TableWord(table, italian), std::to_string(outcome.added),
                       std::to_string(outcome.replaced), std::to_string(outcome.removed)});
}

std::vector<TableId> TablesFitting(std::string_view csv, char separator) {
    const std::vector<std::string> columns = HeadingCells(csv, separator ? separator : FindSeparator(csv));
    std::vector<TableId> fitting;
    for (const TableShape& shape : kTableShapes)
        if (shape.required > 0 && !columns.empty() && ReadHeading(columns, shape, false).faults.empty())
            fitting.push_back(shape.id);
    return fitting;
}

int HighestKey(TableId table) {
    constexpr int highest[] = {kMaxDeviceAddress, kMaxGroup,  kMaxLoad,    kMaxAux,
                               kMaxProbe,         kMaxCamera, kMaxScenario};
    return highest[std::size_t(table)];
}

bool StartsWithHeading(std::string_view csv, TableId table, char separator) {
    const std::vector<std::string> cells = HeadingCells(csv, separator ? separator : FindSeparator(csv));
    const auto fields = kTableShapes[std::size_t(table)].fields;
    return !cells.empty() && std::all_of(cells.begin(), cells.end(), [&](const std::string& cell) {
        return std::find(fields.begin(), fields.end(), cell) != fields.end();
    });
}

TableRows ReadTableRows(std::string_view csv, const RowsRequest& request, const RowVet& vet) {
    const bool italian = request.italian;
    const TableShape& shape = kTableShapes[std::size_t(request.table)];
    TableRows read;
    std::optional<Heading> heading;
    const auto takeRow = [&](CsvRow& csvRow) {
        const auto refuse = [&](std::string reason) {
            read.refused.push_back({csvRow.line, std::move(reason)});
        };
        if (csvRow.fault != CsvFault::None)
            return refuse(FaultText(csvRow.fault, italian));
        if (csvRow.cells.size() != heading->fieldOfColumn.size())
            return refuse(FilledText(
                kCellCount, italian,
                {std::to_string(csvRow.cells.size()), std::to_string(heading->fieldOfColumn.size())}));
        std::vector<std::string> byField(shape.fields.size());
        for (std::size_t column = 0; column < csvRow.cells.size(); ++column)
            byField[heading->fieldOfColumn[column]] = std::move(csvRow.cells[column]);
        RowCheck row(std::move(byField), italian);
        auto [key, record] = CheckRow(request.table, row);
        TableRow accepted{csvRow.line, key, std::move(record)};
        if (row.reasons.empty() && vet)
            vet(accepted, row.reasons);
        if (row.reasons.empty())
            return read.rows.push_back(std::move(accepted));
        std::string reason = row.reasons.front();
        for (std::size_t i = 1; i < row.reasons.size(); ++i)
            reason += "; " + row.reasons[i];
        refuse(std::move(reason));
    };
    const auto readHeading = [&](CsvRow& csvRow) {
        std::vector<std::string> columns = csvRow.cells;
        if (!request.headed) // as many of the fields, in their order, as the first row has cells
            columns.assign(shape.fields.begin(),
                           shape.fields.begin() + std::min(columns.size(), shape.fields.size()));
        heading = ReadHeading(columns, shape, italian);
        if (csvRow.fault != CsvFault::None)
            heading->faults = {FaultText(csvRow.fault, italian)};
        for (const std::string& fault : heading->faults)
            read.refused.push_back({csvRow.line, fault});
        if (read.refused.empty() && !request.headed)
            takeRow(csvRow);
    };
    ReadCsv(csv, request.separator ? request.separator : FindSeparator(csv), [&](CsvRow&& csvRow) {
        if (heading)
            takeRow(csvRow);
        else if (readHeading(csvRow); !heading->faults.empty())
            return false;
        if (read.refused.size() < kMostRefusedRows)
            return true;
        read.refused.push_back(
            {csvRow.line, FilledText(kMoreRefused, italian, {std::to_string(kMostRefusedRows)})});
        return false;
    });
    if (!heading)
        read.refused.push_back({1, std::string(kEmptyFile.pick(italian))});
    return read;
}

ImportOutcome ImportTable(const ConfigModel& model, std::string_view csv, const ImportRequest& request) {
    const bool italian = request.italian;
    const std::string_view keyName = kTableShapes[std::size_t(request.table)].fields[0];
    std::map<int, int> lineOfKey;
    const auto vet = [&](const TableRow& row, std::vector<std::string>& reasons) {
        const std::string keyText = std::to_string(row.key);
        if (const auto [first, fresh] = lineOfKey.emplace(row.key, row.line); !fresh)
            reasons.push_back(
                FilledText(kTwiceInFile, italian, {keyName, keyText, std::to_string(first->second)}));
        else
            WithSlots(model, request.table, [&](const auto& slots) {
                if (!request.replace && InUse(slots[row.key]))
                    reasons.push_back(FilledText(kTaken, italian, {keyName, keyText}));
            });
    };
    TableRows read = ReadTableRows(csv, {request.table, request.separator, italian}, vet);
    ImportOutcome outcome;
    outcome.refused = std::move(read.refused);
    if (!outcome.refused.empty())
        return outcome;

    auto result = std::make_unique<ConfigModel>(model);
    WithSlots(*result, request.table, [&](auto& slots) {
        using Slot = std::decay_t<decltype(slots[0])>;
        for (std::size_t key = 0; key < slots.size(); ++key) {
            if (!InUse(slots[key]))
                continue;
            const bool named = lineOfKey.contains(int(key));
            outcome.replaced += named;
            outcome.removed += !named && request.replace;
        }
        if (request.replace)
            slots.fill(Slot{});
        for (TableRow& row : read.rows)
            slots[row.key] = std::get<Slot>(std::move(row.record));
    });
    outcome.added = int(read.rows.size()) - outcome.replaced;
    if (request.table == TableId::Devices)
        RenumberDevices(*result);
    outcome.result = std::move(result);
    return outcome;
}

} // namespace velto
