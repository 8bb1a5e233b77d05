#include "RecordBatch.h"

#include "ExportCsv.h"
#include "NumberText.h"
#include "RecordRules.h"
#include "Words.h"

#include <algorithm>
#include <set>

namespace velto {
namespace {

constexpr TextPair kNoFreeKey{"%1: nessun valore libero per '%2'", "%1: no free value for '%2'"};
constexpr TextPair kNoFreeAddress{"address: nessun indirizzo libero per '%1'",
                                  "address: no free address for '%1'"};

constexpr TextPair kMoreRefused{"righe seguenti non considerate: già %1 righe rifiutate",
                                "the rows after it left out: %1 rows already refused"};
constexpr std::size_t kMostRefused = 1000;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view KeyName(TableId table) {
    return kTableShapes[std::size_t(table)].fields[0];
}

std::string NameOf(const TableRecord& record) {
    return std::visit(
        [](const auto& held) {
            if constexpr (std::is_same_v<std::decay_t<decltype(held)>, std::string>)
                return held;
            else
                return held.name;
        },
        record);
}

TableRecord RecordAt(const ConfigModel& model, TableId table, int key) {
    TableRecord record;
    WithSlots(model, table, [&](const auto& slots) { record = slots[key]; });
    return record;
}

bool Free(const ConfigModel& model, TableId table, int key) {
    bool free = false;
    WithSlots(model, table, [&](const auto& slots) { free = !InUse(slots[key]); });
    return free;
}

bool IsGivenKey(TableId table, int key) {
    return key >= 1 && key <= HighestKey(table) &&
           (table != TableId::Devices || IsDeviceAddress(std::to_string(key)));
}

// The stored address of a camera or scenario record, which the other records of its table must not share.
std::string* AddressOf(TableRecord& record) {
    if (auto* camera = std::get_if<CameraRecord>(&record))
        return &camera->address;
    if (auto* scenario = std::get_if<ScenarioRecord>(&record))
        return &scenario->address;
    return nullptr;
}

// The values of the addresses the table's records hold.
std::set<long long> AddressesHeld(const ConfigModel& model, TableId table) {
    std::set<long long> held;
    WithSlots(model, table, [&](const auto& slots) {
        for (const auto& slot : slots) {
            TableRecord record = slot;
            if (const std::string* address = AddressOf(record); address && InUse(slot))
                held.insert(LeadingDigitsValue(AddressProper(*address)));
        }
    });
    return held;
}

// Gives the address the next value after its own that no record of the table holds, going round the
// range; false when all are held. The riser or bus it is on stays.
bool FreeAddress(const ConfigModel& model, TableId table, std::string& address, bool keepWhenFree) {
    const std::set<long long> held = AddressesHeld(model, table);
    const std::string proper = AddressProper(address);
    const long long own = LeadingDigitsValue(proper);
    if (keepWhenFree && !held.contains(own))
        return true;
    const long long lowest = table == TableId::Cameras ? 4000 : 0,
                    highest = table == TableId::Cameras ? 5000 : 98;
    const long long span = highest - lowest + 1;
    for (long long step = 1; step <= span; ++step) {
        const long long value = lowest + (own - lowest + step) % span;
        if (!held.contains(value)) {
            address = std::to_string(value) + address.substr(proper.size());
            return true;
        }
    }
    return false;
}

// Puts records one after another into the free slots of a copy of the tables.
class Placing {
public:
    Placing(const ConfigModel& model, TableId table, bool italian)
        : table_(table), italian_(italian), outcome_{std::make_unique<ConfigModel>(model), {}, {}} {}

    // Puts the record at its key, or its address, when free and keep is true, else at the next free.
    void place(TableRecord record, int key, bool keep, int line) {
        const bool kept = keep && IsGivenKey(table_, key) && Free(*outcome_.result, table_, key);
        // No key is freed while placing: once none was free, none will be.
        const int at = kept ? key : full_ ? 0 : NextFreeKey(*outcome_.result, table_, key);
        full_ = at == 0;
        if (at == 0)
            return refuse(line, FilledText(kNoFreeKey, italian_, {KeyName(table_), NameOf(record)}));
        if (std::string* address = AddressOf(record);
            address && !FreeAddress(*outcome_.result, table_, *address, keep))
            return refuse(line, FilledText(kNoFreeAddress, italian_, {NameOf(record)}));
        if (auto* device = std::get_if<DeviceRecord>(&record))
            device->inUse = 1;
        WithSlots(*outcome_.result, table_, [&](auto& slots) {
            slots[at] = std::get<std::decay_t<decltype(slots[0])>>(std::move(record));
        });
        outcome_.keys.push_back(at);
    }
    // Past a thousand rows refused, one more says so and the rest are left out: a paste far larger than
    // any table would otherwise cost memory without bound.
    void refuse(int line, std::string reason) {
        if (outcome_.refused.size() < kMostRefused)
            outcome_.refused.push_back({line, std::move(reason)});
        else if (outcome_.refused.size() == kMostRefused)
            outcome_.refused.push_back(
                {line, FilledText(kMoreRefused, italian_, {std::to_string(kMostRefused)})});
    }
    const ConfigModel& tables() const { return *outcome_.result; }

    BatchOutcome finish() {
        if (!outcome_.refused.empty()) {
            outcome_.result.reset();
            outcome_.keys.clear();
        } else if (table_ == TableId::Devices) {
            RenumberDevices(*outcome_.result);
        }
        return std::move(outcome_);
    }

private:
    TableId table_;
    bool italian_;
    bool full_ = false;
    BatchOutcome outcome_;
};

std::vector<std::string> NamesIn(const ConfigModel& model, TableId table) {
    std::vector<std::string> names;
    WithSlots(model, table, [&](const auto& slots) {
        for (const auto& slot : slots)
            if (InUse(slot))
                names.push_back(NameOf(TableRecord(slot)));
    });
    return names;
}

} // namespace

std::string CopiedText(const ConfigModel& model, TableId table, std::span<const int> keys) {
    ExportTable all = ExportTables(model)[std::size_t(table)];
    const std::set<int> wanted(keys.begin(), keys.end());
    std::erase_if(all.rows, [&](const std::vector<ExportValue>& row) {
        return !wanted.contains(std::get<int>(row.front()));
    });
    return ExportCsv(all, '\t').substr(kByteOrderMark.size());
}

std::string CopiedRecords(const ConfigModel& model, TableId table, std::span<const int> keys) {
    return std::string(kTableShapes[std::size_t(table)].name) + '\n' + CopiedText(model, table, keys);
}

std::optional<std::string_view> RecordsOfTable(std::string_view copied, TableId table) {
    const std::size_t lineEnd = copied.find('\n');
    if (lineEnd == std::string_view::npos ||
        copied.substr(0, lineEnd) != kTableShapes[std::size_t(table)].name)
        return std::nullopt;
    return copied.substr(lineEnd + 1);
}

std::string NameAt(const ConfigModel& model, TableId table, int key) {
    return NameOf(RecordAt(model, table, key));
}

int NextFreeKey(const ConfigModel& model, TableId table, int after) {
    const int highest = HighestKey(table);
    for (int step = 1; step <= highest; ++step) {
        const int key = (std::clamp(after, 0, highest) + step - 1) % highest + 1;
        if (Free(model, table, key) && IsGivenKey(table, key))
            return key;
    }
    return 0;
}

std::string CopyName(const std::string& name, std::span<const std::string> taken) {
    std::string base = name;
    // "Lamp (2)" is a copy of "Lamp": its copies are numbered on from it.
    if (const std::size_t open = name.rfind(" ("); open != std::string::npos && name.ends_with(')') &&
                                                   IsDigits(name.substr(open + 2, name.size() - open - 3), 9))
        base = name.substr(0, open);
    for (int number = 2;; ++number) {
        std::string copy = base + " (" + std::to_string(number) + ')';
        if (std::find(taken.begin(), taken.end(), copy) == taken.end())
            return copy;
    }
}

BatchOutcome PasteRecords(const ConfigModel& model, TableId table, std::string_view text, bool italian) {
    const bool headed = StartsWithHeading(text, table, '\t');
    // A paste makes records as the editors do: only values they give.
    TableRows read = ReadTableRows(text, {table, '\t', italian, headed, true});
    Placing placing(model, table, italian);
    for (RowNote& refused : read.refused)
        placing.refuse(refused.line, std::move(refused.text));
    for (TableRow& row : read.rows)
        placing.place(std::move(row.record), row.key, true, row.line);
    return placing.finish();
}

BatchOutcome DuplicateRecords(const ConfigModel& model, TableId table, std::span<const int> keys,
                              bool italian) {
    Placing placing(model, table, italian);
    for (const int key : keys) {
        TableRecord copy = RecordAt(model, table, key);
        const std::string name = CopyName(NameOf(copy), NamesIn(placing.tables(), table));
        std::visit(
            [&](auto& held) {
                if constexpr (std::is_same_v<std::decay_t<decltype(held)>, std::string>)
                    held = name;
                else
                    held.name = name;
            },
            copy);
        placing.place(std::move(copy), key, false, 0);
    }
    return placing.finish();
}

BatchOutcome MoveRecords(const ConfigModel& model, TableId table, std::span<const int> keys, int first,
                         bool italian) {
    std::vector<int> moved(keys.begin(), keys.end());
    std::sort(moved.begin(), moved.end());
    ConfigModel without = model;
    DeleteRecords(without, table, moved);
    Placing placing(without, table, italian);
    int at = first;
    for (const int key : moved) {
        while (at <= HighestKey(table) && !Free(placing.tables(), table, at))
            ++at;
        const TableRecord record = RecordAt(model, table, key);
        if (at > HighestKey(table)) {
            placing.refuse(0, FilledText(kNoFreeKey, italian, {KeyName(table), NameOf(record)}));
            break;
        }
        placing.place(record, at, true, 0);
    }
    return placing.finish();
}

void ChangeDevices(ConfigModel& model, std::span<const int> keys, const DeviceChange& change) {
    for (const int key : keys) {
        DeviceRecord& device = model.DeviceTable[key];
        if (change.group)
            device.group = std::uint8_t(*change.group);
        if (change.typeCode)
            device.typeCode = *change.typeCode;
    }
}

void DeleteRecords(ConfigModel& model, TableId table, std::span<const int> keys) {
    WithSlots(model, table, [&](auto& slots) {
        for (const int key : keys) {
            if constexpr (std::is_same_v<std::decay_t<decltype(slots[0])>, DeviceRecord>)
                FreeDeviceSlot(slots[key]); // as one device's Delete: what the reader alone sets stays
            else
                slots[key] = {};
        }
    });
}

} // namespace velto
