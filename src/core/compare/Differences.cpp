#include "Differences.h"

#include "CompareTexts.h"
#include "ReportTexts.h"

#include <array>

namespace velto {
namespace {

// A field of a record: its column, the text the file holds and the text the grids show.
struct Field {
    Word column;
    std::string_view columnText; // for the columns without a word of their own
    std::string stored;
    std::string shown;
};

std::string ColumnText(const Field& field, bool italian) {
    return field.column == Word::Count ? std::string(field.columnText)
                                       : std::string(WordText(field.column, italian));
}

Field Plain(Word column, const std::string& text) {
    return {column, {}, text, text};
}

std::vector<Field> Fields(const DeviceRecord& device, bool) {
    return {Plain(Word::nameWord, device.name),
            Plain(Word::groupWord, std::to_string(device.group)),
            {Word::typeWord, {}, device.typeCode, DeviceTypeText(device.typeCode)},
            {Word::Count, "pull", device.pull ? "pull" : "", device.pull ? "pull" : ""},
            {Word::Count, "dimmer", std::to_string(device.dimmer), std::to_string(device.dimmer)}};
}

std::vector<Field> Fields(const std::string& name, bool) {
    return {Plain(Word::nameWord, name)};
}

// The address proper, then the rest of the stored address as its riser or bus.
template <typename Record> std::vector<Field> AddressedFields(const Record& record, std::string busShown) {
    const std::string proper = AddressProper(record.address);
    return {Plain(Word::nameWord, record.name),
            Plain(Word::addressWord, proper),
            {Word::busWord, {}, record.address.substr(proper.size()), std::move(busShown)}};
}

std::vector<Field> Fields(const CameraRecord& camera, bool italian) {
    return AddressedFields(camera, std::string(WordText(RiserWord(camera.address), italian)));
}

std::vector<Field> Fields(const ScenarioRecord& scenario, bool italian) {
    return AddressedFields(scenario, BusItemText(ScenarioBus(scenario.address), italian));
}

std::vector<Field> Fields(const Mh200Record& scenario, bool italian) {
    return {
        Plain(Word::nameWord, scenario.name),
        {Word::Count, report::kCenActivation.pick(italian), scenario.cenActivation, scenario.cenActivation},
        {Word::Count, report::kCenDeactivation.pick(italian), scenario.cenDeactivation,
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
    const std::vector<Field> was = Fields(then[key], italian), is = Fields(now[key], italian);
    const bool removed = difference.change.kind == ChangeKind::Removed;
    difference.name = (removed ? was : is).front().shown;
    if (difference.change.kind != ChangeKind::Changed)
        return;
    for (std::size_t i = 0; i < was.size(); ++i) {
        if (was[i].stored == is[i].stored)
            continue;
        const bool showAlike = was[i].shown == is[i].shown;
        difference.fields.push_back({ColumnText(was[i], italian), showAlike ? was[i].stored : was[i].shown,
                                     showAlike ? is[i].stored : is[i].shown});
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

std::string Quoted(const std::string& text) {
    return "\u00ab" + text + "\u00bb";
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
    const RecordDifference* previous = nullptr;
    for (const RecordDifference& record : differences.records) {
        if (!previous || previous->change.table != record.change.table)
            text += '\n' + record.heading + '\n';
        previous = &record;
        text += "  " + ChangeWord(record.change.table, record.change.kind, italian) + ": " + record.keyText +
                ' ' + Quoted(record.name) + '\n';
        for (const FieldChange& field : record.fields)
            text += "    " + field.column + ": " + Quoted(field.was) + " \u2192 " + Quoted(field.is) + '\n';
    }
    return text;
}

} // namespace velto
