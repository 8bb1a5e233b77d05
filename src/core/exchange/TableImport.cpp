#include "TableImport.h"

#include "CsvRead.h"
#include "ImportChanges.h"
#include "ImportColumns.h"
#include "NumberText.h"
#include "RecordRules.h"
#include "TextEncoding.h"
#include "Words.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <variant>

namespace velto {
namespace {

constexpr TextPair kTableWords[] = {{"attuatori", "devices"}, {"gruppi", "groups"},
                                    {"carichi", "loads"},     {"ausiliari", "auxiliaries"},
                                    {"sonde", "probes"},      {"camere", "cameras"},
                                    {"scenari", "scenarios"}, {"scenari MH200", "MH200 scenarios"}};

constexpr TextPair kSummary{"%1: %2 aggiunti, %3 modificati, %4 tolti, %5 invariati",
                            "%1: %2 added, %3 changed, %4 removed, %5 unchanged"};
constexpr TextPair kNothingChanges{"%1: nessuna modifica", "%1: nothing changes"};
constexpr TextPair kEmptyFile{"il file è vuoto", "the file is empty"};
constexpr TextPair kUnknownColumn{"colonna sconosciuta '%1' (la tabella %2 ha le colonne %3)",
                                  "unknown column '%1' (the %2 table takes %3)"};
constexpr TextPair kMissingColumn{"manca la colonna %1", "the column %1 is missing"};
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
constexpr TextPair kDeviceType{"type: '%1' non è un tipo: usare dimmer, autom., on/off o 1, 2, 1d",
                               "type: '%1' is not a type: use dimmer, autom., on/off or 1, 2, 1d"};
constexpr TextPair kGroup{"group: '%1' non è un gruppo: usare da 0 a 9, o lasciare vuoto per nessuno",
                          "group: '%1' is not a group: use 0 to 9, or leave it empty for none"};
constexpr TextPair kNotFlag{"%1: '%2' non è true o false", "%1: '%2' is not true or false"};
constexpr TextPair kEmptyName{"name: il nome è vuoto", "name: the name is empty"};
constexpr TextPair kCameraAddress{
    "address: '%1' non è un indirizzo di camera (da 4000 a 5000, poi #2 sul montante pubblico)",
    "address: '%1' is not a camera address (4000 to 5000, then #2 on a local riser)"};
constexpr TextPair kRiser{"riser: '%1' non è un montante: usare Privato o Pubblico (Private, Local rise)",
                          "riser: '%1' is not a riser: use Private or Local rise (Privato, Pubblico)"};
constexpr TextPair kScenarioAddress{
    "address: '%1' non è un indirizzo di scenario (da 0 a 98, poi #4# e il bus da 1 a 9 su un bus locale)",
    "address: '%1' is not a scenario address (0 to 98, then #4# and the bus 1 to 9 on a local bus)"};
constexpr TextPair kBus{"bus: '%1' non è un bus: usare privato o locale I=1 ... locale I=9 (o da 0 a 9)",
                        "bus: '%1' is not a bus: use Private or local I=1 ... local I=9 (or 0 to 9)"};
constexpr TextPair kAsRead{"%1; importato come lo legge un file conf.xml",
                           "%1; imported as a conf.xml file reads it"};
constexpr TextPair kTwiceInFile{"%1 %2 è già alla riga %3", "%1 %2 is already on line %3"};
constexpr TextPair kTaken{"%1 %2 è già nella configurazione (Aggiorna lo modifica)",
                          "%1 %2 is already in the configuration (Update changes it)"};
constexpr TextPair kTakenOptions{"%1 %2 è già nella configurazione (--update lo modifica, --replace svuota "
                                 "prima la tabella)",
                                 "%1 %2 is already in the configuration (--update changes it, --replace "
                                 "empties the table first)"};

// The text with %1, %2... replaced by the values, each shortened as a box shows it: a value may be a
// cell of millions of characters.
std::string Fill(const TextPair& text, bool italian, std::initializer_list<std::string_view> values) {
    std::vector<std::string> shortened;
    for (const std::string_view value : values)
        shortened.push_back(ShortenedText(value));
    const std::vector<std::string_view> views(shortened.begin(), shortened.end());
    return FilledText(text, italian, views);
}

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

std::string_view Trimmed(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// The heading's columns as indexes into the table's columns, or the reasons it does not fit.
struct Heading {
    std::vector<std::size_t> columnOfCell;
    std::vector<bool> present;
    std::vector<std::string> faults;
};

Heading ReadHeading(const std::vector<std::string>& cells, TableId table, bool italian) {
    const std::span<const ImportColumn> columns = ImportColumns(table);
    Heading heading{{}, std::vector<bool>(columns.size()), {}};
    for (const std::string& cell : cells) {
        const std::optional<std::size_t> column = ColumnOfHeading(table, cell);
        if (!column)
            heading.faults.push_back(Fill(kUnknownColumn, italian,
                                          {cell, TableWord(table, italian), ColumnsTaken(table, italian)}));
        else if (heading.present[*column])
            heading.faults.push_back(Fill(kColumnTwice, italian, {cell}));
        else
            heading.present[*column] = true;
        heading.columnOfCell.push_back(column.value_or(0));
    }
    for (std::size_t i = 0; i < kTableShapes[std::size_t(table)].required; ++i)
        if (!heading.present[i])
            heading.faults.push_back(Fill(kMissingColumn, italian, {ColumnNames(columns[i], italian)}));
    return heading;
}

// One row's cells by column, checked one by one; every reason a cell is refused is kept, and every
// value only a conf.xml file gives is noted.
class RowCheck {
public:
    RowCheck(std::vector<std::string> cells, const std::vector<bool>& present, bool italian, bool editorsOnly)
        : cells_(std::move(cells)), present_(present), italian_(italian), editorsOnly_(editorsOnly) {}

    const std::string& cell(std::size_t column) const { return cells_[column]; }
    bool has(std::size_t column) const { return present_[column]; }
    void refuse(const TextPair& text, std::initializer_list<std::string_view> values) {
        reasons.push_back(Fill(text, italian_, values));
    }
    void warn(const TextPair& text, std::initializer_list<std::string_view> values) {
        if (editorsOnly_)
            return refuse(text, values);
        warnings.push_back(Fill(kAsRead, italian_, {Fill(text, italian_, values)}));
    }
    // A whole number, blanks around it allowed; an empty optional cell is 0. Within lowest..highest it is
    // taken; within lowest..readable (the reader's wider range) it is taken with a warning.
    int whole(std::size_t column, std::string_view name, int lowest, int highest, bool optional = false,
              int readable = 0) {
        const std::string_view text = Trimmed(cells_[column]);
        if (optional && text.empty())
            return 0;
        const long long value = LeadingDigitsValue(text);
        if (IsDigits(text, 9) && value >= lowest && value <= std::max(highest, readable)) {
            if (value > highest)
                warn(kNotWhole, {name, cells_[column], std::to_string(lowest), std::to_string(highest)});
            return int(value);
        }
        refuse(kNotWhole, {name, cells_[column], std::to_string(lowest), std::to_string(highest)});
        return 0;
    }
    // The name; an empty one refused, or, where a conf.xml file may hold one, taken with a warning.
    std::string name(bool emptyReadable) {
        if (cells_[1].empty())
            emptyReadable ? warn(kEmptyName, {}) : refuse(kEmptyName, {});
        return cells_[1];
    }

    std::vector<std::string> reasons;
    std::vector<std::string> warnings;

private:
    std::vector<std::string> cells_;
    const std::vector<bool>& present_;
    bool italian_;
    bool editorsOnly_;
};

// The key of a row, with the rules of the table's editor, or none when it is refused.
std::optional<int> CheckKey(TableId table, RowCheck& row) {
    if (table != TableId::Devices) {
        const std::size_t before = row.reasons.size();
        const int key = row.whole(0, ImportColumns(table)[0].name, 1, HighestKey(table));
        return row.reasons.size() == before ? std::optional(key) : std::nullopt;
    }
    const std::string_view point = Trimmed(row.cell(0));
    if (IsDigits(point, kDeviceAddressDigits) && IsDeviceAddress(point))
        return int(LeadingDigitsValue(point));
    if (!IsDigits(point, 3)) { // no slot of the table: no conf.xml holds it
        row.refuse(kDeviceAddress, {row.cell(0)});
        return std::nullopt;
    }
    row.warn(kDeviceAddress, {row.cell(0)});
    return int(LeadingDigitsValue(point));
}

void CheckDevice(RowCheck& row, DeviceRecord& device) {
    device.name = row.name(true);
    const std::string_view type = Trimmed(row.cell(2));
    if (const std::optional<std::string> code = DeviceTypeOfWord(type))
        device.typeCode = *code;
    else if (IsDigits(type, 9)) { // a code of a kind no editor gives, as a file may hold it
        row.warn(kDeviceType, {row.cell(2)});
        device.typeCode = type;
    } else
        row.refuse(kDeviceType, {row.cell(2)});
    if (row.has(3)) {
        const std::string_view group = Trimmed(row.cell(3));
        if (IsDigits(group, 9) && LeadingDigitsValue(group) <= 255)
            device.group = std::uint8_t(row.whole(3, "group", 0, kMaxGroup, true, 255));
        else if (!group.empty())
            row.refuse(kGroup, {row.cell(3)});
        else
            device.group = 0;
    }
    if (row.has(4))
        row.whole(4, "inUse", 0, 255, true); // positions are given again in address order
    device.inUse = 1;
    if (row.has(5)) {
        const std::string pull = Folded(row.cell(5));
        device.pull = pull == "true" || pull == "pull";
        if (!device.pull && !pull.empty() && pull != "false")
            row.refuse(kNotFlag, {"pull", row.cell(5)});
    }
    if (row.has(6))
        device.dimmer = std::uint8_t(row.whole(6, "dimmer", 0, 255, true));
}

// When the row names the riser or bus in a column of its own: the address stored from the bare address
// and that column's word; none when the row leaves the column empty or has none.
template <typename Parse, typename Store>
std::optional<std::string> AddressWithWord(RowCheck& row, bool editorAddress, const TextPair& addressRule,
                                           const TextPair& wordRule, Parse parse, Store store) {
    if (!row.has(3) || row.cell(3).empty())
        return std::nullopt;
    const std::string& address = row.cell(2);
    const auto word = parse(row.cell(3));
    if (!word)
        row.refuse(wordRule, {row.cell(3)});
    if (!editorAddress || AddressProper(address) != address)
        row.refuse(addressRule, {address});
    return store(AddressProper(address), word.value_or(typename decltype(word)::value_type{}));
}

void CheckCamera(RowCheck& row, CameraRecord& camera) {
    camera.name = row.name(true);
    const std::string& address = row.cell(2);
    const std::string proper = AddressProper(address);
    const bool editorAddress =
        IsDigits(proper, kCameraAddressDigits) && IsCameraAddressValue(LeadingDigitsValue(proper));
    if (auto stored = AddressWithWord(row, editorAddress, kCameraAddress, kRiser, LocalRiserOfWord,
                                      StoredCameraAddress)) {
        camera.address = std::move(*stored);
    } else if (editorAddress && address == StoredCameraAddress(proper, IsOnLocalRiser(address))) {
        camera.address = address;
    } else if (address.empty() || (IsDigits(address, 9) && address[0] != '0')) {
        row.warn(kCameraAddress, {address}); // as the reader keeps an address out of range, or none
        camera.address = address;
    } else {
        row.refuse(kCameraAddress, {address});
    }
}

void CheckScenario(RowCheck& row, ScenarioRecord& scenario) {
    scenario.name = row.name(true);
    const std::string& address = row.cell(2);
    const std::string proper = AddressProper(address);
    const bool editorAddress =
        IsDigits(proper, kScenarioAddressDigits) && IsScenarioAddressValue(LeadingDigitsValue(proper));
    if (auto stored = AddressWithWord(row, editorAddress, kScenarioAddress, kBus, ScenarioBusOfWord,
                                      StoredScenarioAddress)) {
        scenario.address = std::move(*stored);
        return;
    }
    if (!editorAddress || address != StoredScenarioAddress(proper, ScenarioBus(address)))
        row.warn(kScenarioAddress, {address}); // the reader takes a scenario's address as it is written
    scenario.address = address;
}

TableRecord EmptyRecord(TableId table) {
    switch (table) {
    case TableId::Devices:
        return DeviceRecord{};
    case TableId::Cameras:
        return CameraRecord{};
    case TableId::Scenarios:
        return ScenarioRecord{};
    default:
        return std::string();
    }
}

// Writes the row's fields into the record, as the table's editor would.
void CheckRecord(TableId table, RowCheck& row, TableRecord& record) {
    switch (table) {
    case TableId::Devices:
        return CheckDevice(row, std::get<DeviceRecord>(record));
    case TableId::Cameras:
        return CheckCamera(row, std::get<CameraRecord>(record));
    case TableId::Scenarios:
        return CheckScenario(row, std::get<ScenarioRecord>(record));
    default:
        std::get<std::string>(record) = row.name(false);
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

std::string Joined(const std::vector<std::string>& parts) {
    std::string joined = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i)
        joined += "; " + parts[i];
    return joined;
}

} // namespace

std::string_view TableWord(TableId table, bool italian) {
    return kTableWords[std::size_t(table)].pick(italian);
}

std::string ColumnsTaken(TableId table, bool italian) {
    std::string taken;
    for (const ImportColumn& column : ImportColumns(table))
        taken += (taken.empty() ? "" : ", ") + std::string(column.heading(italian));
    return taken;
}

int RecordsIn(const ConfigModel& model, TableId table) {
    int count = 0;
    WithSlots(model, table, [&](const auto& slots) {
        count = int(std::count_if(slots.begin(), slots.end(), [](const auto& slot) { return InUse(slot); }));
    });
    return count;
}

std::string ImportSummary(const ImportOutcome& outcome, TableId table, bool italian) {
    if (outcome.changesNothing())
        return Fill(kNothingChanges, italian, {TableWord(table, italian)});
    return Fill(kSummary, italian,
                {TableWord(table, italian), std::to_string(outcome.added), std::to_string(outcome.changed),
                 std::to_string(outcome.removed), std::to_string(outcome.unchanged)});
}

std::vector<TableId> TablesFitting(std::string_view csv, char separator) {
    const std::vector<std::string> cells = HeadingCells(csv, separator ? separator : FindSeparator(csv));
    std::vector<TableId> fitting;
    for (const TableShape& shape : kTableShapes)
        if (shape.required > 0 && !cells.empty() && ReadHeading(cells, shape.id, false).faults.empty())
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
    return !cells.empty() && std::all_of(cells.begin(), cells.end(), [&](const std::string& cell) {
        return ColumnOfHeading(table, cell).has_value();
    });
}

TableRows ReadTableRows(std::string_view csv, const RowsRequest& request, const RowStart& start,
                        const RowVet& vet) {
    const bool italian = request.italian;
    const TableId table = request.table;
    TableRows read;
    std::optional<Heading> heading;
    const auto takeRow = [&](const CsvRow& csvRow) {
        const auto refuse = [&](std::string reason) {
            read.refused.push_back({csvRow.line, std::move(reason)});
        };
        if (csvRow.fault != CsvFault::None)
            return refuse(FaultText(csvRow.fault, italian));
        if (csvRow.cells.size() != heading->columnOfCell.size())
            return refuse(
                Fill(kCellCount, italian,
                     {std::to_string(csvRow.cells.size()), std::to_string(heading->columnOfCell.size())}));
        std::vector<std::string> byColumn(heading->present.size());
        for (std::size_t cell = 0; cell < csvRow.cells.size(); ++cell)
            byColumn[heading->columnOfCell[cell]] = csvRow.cells[cell];
        RowCheck row(std::move(byColumn), heading->present, italian, request.editorsOnly);
        const std::optional<int> key = CheckKey(table, row);
        TableRecord record = key && start ? start(*key) : EmptyRecord(table);
        CheckRecord(table, row, record);
        TableRow checked{csvRow.line, key.value_or(0), std::move(record)};
        if (key && row.reasons.empty() && vet)
            vet(checked, row.reasons);
        if (!row.reasons.empty())
            return refuse(Joined(row.reasons));
        for (std::string& warning : row.warnings)
            read.warnings.push_back({csvRow.line, std::move(warning)});
        read.rows.push_back(std::move(checked));
    };
    const auto readHeading = [&](const CsvRow& csvRow) {
        std::vector<std::string> cells = csvRow.cells;
        if (!request.headed) { // as many of the columns, in their order, as the first row has cells
            const std::span<const ImportColumn> columns = ImportColumns(table);
            cells.clear();
            for (std::size_t i = 0; i < std::min(csvRow.cells.size(), columns.size()); ++i)
                cells.emplace_back(columns[i].name);
        }
        heading = ReadHeading(cells, table, italian);
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
            {csvRow.line, Fill(kMoreRefused, italian, {std::to_string(kMostRefusedRows)})});
        return false;
    });
    if (!heading)
        read.refused.push_back({1, std::string(kEmptyFile.pick(italian))});
    return read;
}

ImportOutcome ImportTable(const ConfigModel& model, std::string_view csv, const ImportRequest& request) {
    const bool italian = request.italian;
    const TableId table = request.table;
    const std::string_view keyName = ImportColumns(table)[0].name;
    const auto taken = [&](int key) {
        bool inUse = false;
        WithSlots(model, table, [&](const auto& slots) { inUse = InUse(slots[key]); });
        return inUse && request.mode != ImportMode::Replace; // a replaced table starts empty
    };
    const auto start = [&](int key) {
        TableRecord record = EmptyRecord(table);
        if (request.mode == ImportMode::Update && taken(key))
            WithSlots(model, table, [&](const auto& slots) { record = slots[key]; });
        return record;
    };
    std::map<int, int> lineOfKey;
    const auto vet = [&](const TableRow& row, std::vector<std::string>& reasons) {
        const std::string keyText = std::to_string(row.key);
        if (const auto [first, fresh] = lineOfKey.emplace(row.key, row.line); !fresh)
            reasons.push_back(Fill(kTwiceInFile, italian, {keyName, keyText, std::to_string(first->second)}));
        else if (request.mode == ImportMode::Add && taken(row.key))
            reasons.push_back(
                Fill(request.commandLine ? kTakenOptions : kTaken, italian, {keyName, keyText}));
    };
    TableRows read = ReadTableRows(csv, {table, request.separator, italian}, start, vet);
    ImportOutcome outcome;
    outcome.refused = std::move(read.refused);
    outcome.warnings = std::move(read.warnings);
    if (!outcome.refused.empty())
        return outcome;
    auto result = std::make_unique<ConfigModel>(model);
    WithSlots(*result, table, [&](auto& slots) {
        using Slot = std::decay_t<decltype(slots[0])>;
        if (request.mode == ImportMode::Replace)
            slots.fill({});
        for (TableRow& row : read.rows)
            slots[row.key] = std::get<Slot>(std::move(row.record));
    });
    if (table == TableId::Devices)
        RenumberDevices(*result);
    std::set<int> keys;
    for (const auto& [key, line] : lineOfKey)
        keys.insert(key);
    CountChanges(model, *result, table, keys, italian, outcome);
    outcome.result = std::move(result);
    return outcome;
}

} // namespace velto
