#include "Differences.h"

#include "CompareTexts.h"
#include "ReportTexts.h"

#include <array>
#include <utility>

namespace velto {
namespace {

// A field of a record: its column, the text the file holds and the text the grids show.
struct Field {
    Word column = Word::Count;
    std::string_view columnText; // for the columns without a word of their own
    std::string stored;
    std::string shown;
};

// A record's fields, at most five, held without a heap block: a comparison describes every record
// that changed.
struct FieldList {
    template <typename... Given>
    FieldList(Given&&... fields) : items{std::forward<Given>(fields)...}, size(sizeof...(Given)) {}
    std::array<Field, 5> items;
    std::size_t size;
};

std::string ColumnText(const Field& field, bool italian) {
    return field.column == Word::Count ? std::string(field.columnText)
                                       : std::string(WordText(field.column, italian));
}

Field Plain(Word column, const std::string& text) {
    return {column, {}, text, text};
}

FieldList Fields(const DeviceRecord& device, bool) {
    return {Plain(Word::nameWord, device.name), Plain(Word::groupWord, std::to_string(device.group)),
            Field{Word::typeWord, {}, device.typeCode, DeviceTypeText(device.typeCode)},
            Field{Word::Count, "pull", device.pull ? "pull" : "", device.pull ? "pull" : ""},
            Field{Word::Count, "dimmer", std::to_string(device.dimmer), std::to_string(device.dimmer)}};
}

FieldList Fields(const std::string& name, bool) {
    return {Plain(Word::nameWord, name)};
}

// The address proper, then the rest of the stored address as its riser or bus.
template <typename Record> FieldList AddressedFields(const Record& record, std::string busShown) {
    const std::string proper = AddressProper(record.address);
    return {Plain(Word::nameWord, record.name), Plain(Word::addressWord, proper),
            Field{Word::busWord, {}, record.address.substr(proper.size()), std::move(busShown)}};
}

FieldList Fields(const CameraRecord& camera, bool italian) {
    return AddressedFields(camera, std::string(WordText(RiserWord(camera.address), italian)));
}

FieldList Fields(const ScenarioRecord& scenario, bool italian) {
    return AddressedFields(scenario, BusItemText(ScenarioBus(scenario.address), italian));
}

FieldList Fields(const Mh200Record& scenario, bool italian) {
    return {Plain(Word::nameWord, scenario.name),
            Field{Word::Count, report::kCenActivation.pick(italian), scenario.cenActivation,
                  scenario.cenActivation},
            Field{Word::Count, report::kCenDeactivation.pick(italian), scenario.cenDeactivation,
                  scenario.cenDeactivation}};
}

// Each table's heading and the column its key is named by, in the order of kTableShapes.
struct TableWords {
    TextPair heading;
    Word key;
};

const std::array<TableWords, 8> kTableWords{{
    {kWords[std::size_t(Word::deviceCountWord)], Word::addressWord},
    {report::kGroups, Word::numberWord},
    {kWords[std::size_t(Word::loadCountWord)], Word::priorityWord},
    {report::kAuxiliaries, Word::numberWord},
    {kWords[std::size_t(Word::probeCountWord)], Word::zoneWord},
    {report::kCameras, Word::numberWord},
    {report::kF420Scenarios, Word::numberWord},
    {report::kMh200Scenarios, Word::numberWord},
}};

template <typename Table>
void Describe(RecordDifference& difference, const Table& then, const Table& now, bool italian) {
    const std::size_t key = std::size_t(difference.change.key);
    const FieldList was = Fields(then[key], italian), is = Fields(now[key], italian);
    const bool removed = difference.change.kind == ChangeKind::Removed;
    difference.name = (removed ? was : is).items[0].shown;
    if (difference.change.kind != ChangeKind::Changed)
        return;
    difference.fields.reserve(was.size);
    for (std::size_t i = 0; i < was.size; ++i) {
        const Field &before = was.items[i], &after = is.items[i];
        if (before.stored == after.stored)
            continue;
        const bool showAlike = before.shown == after.shown;
        difference.fields.push_back({ColumnText(before, italian), showAlike ? before.stored : before.shown,
                                     showAlike ? after.stored : after.shown});
    }
}

void Describe(RecordDifference& difference, const ConfigModel& then, const ConfigModel& now, bool italian) {
    switch (difference.change.table) {
    case TableId::Devices:
        return Describe(difference, then.DeviceTable, now.DeviceTable, italian);
    case TableId::Groups:
        return Describe(difference, then.GroupTable, now.GroupTable, italian);
    case TableId::Loads:
        return Describe(difference, then.LoadTable, now.LoadTable, italian);
    case TableId::Auxiliaries:
        return Describe(difference, then.AuxTable, now.AuxTable, italian);
    case TableId::Probes:
        return Describe(difference, then.ProbeTable, now.ProbeTable, italian);
    case TableId::Cameras:
        return Describe(difference, then.CameraTable, now.CameraTable, italian);
    case TableId::Scenarios:
        return Describe(difference, then.ScenarioTable, now.ScenarioTable, italian);
    case TableId::Mh200Scenarios:
        return Describe(difference, then.Mh200ScenarioTable, now.Mh200ScenarioTable, italian);
    }
}

} // namespace

Differences CompareConfigurations(const ConfigModel& then, const ConfigModel& now, bool italian) {
    Differences differences;
    const std::vector<RecordChange> changes = ChangedRecords(then, now);
    differences.summary = ChangeSummary(changes, italian);
    for (const RecordChange& change : changes) {
        const TableWords& words = kTableWords[std::size_t(change.table)];
        RecordDifference difference{change,
                                    std::string(words.heading.pick(italian)),
                                    std::string(WordText(words.key, italian)) + ' ' +
                                        std::to_string(change.key),
                                    {},
                                    {}};
        Describe(difference, then, now, italian);
        differences.records.push_back(std::move(difference));
    }
    return differences;
}

std::string DifferencesText(const Differences& differences, bool italian) {
    if (differences.same())
        return std::string(compare::kSame.pick(italian)) + '\n';
    std::string text = differences.summary + '\n';
    text.reserve(differences.records.size() * 96);
    const auto quoted = [&text](const std::string& value) {
        text.append("\u00ab").append(value).append("\u00bb");
    };
    const RecordDifference* previous = nullptr;
    for (const RecordDifference& record : differences.records) {
        if (!previous || previous->change.table != record.change.table)
            text.append("\n").append(record.heading).append("\n");
        previous = &record;
        text.append("  ").append(ChangeWord(record.change.table, record.change.kind, italian)).append(": ");
        text.append(record.keyText).append(" ");
        quoted(record.name);
        text += '\n';
        for (const FieldChange& field : record.fields) {
            text.append("    ").append(field.column).append(": ");
            quoted(field.was);
            text.append(" \u2192 ");
            quoted(field.is);
            text += '\n';
        }
    }
    return text;
}

} // namespace velto
