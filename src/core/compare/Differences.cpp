#include "Differences.h"

#include "CompareTexts.h"
#include "ReportTexts.h"

#include <array>
#include <utility>

namespace velto {
namespace {

using FieldChanges = std::vector<FieldChange>;

// Each field is compared as the file holds it, and its texts are made only when it differs: a
// comparison may describe every record of a configuration.
void AddText(FieldChanges& fields, std::string_view column, const std::string& was, const std::string& is) {
    if (was != is)
        fields.push_back({std::string(column), was, is});
}

void AddNumber(FieldChanges& fields, std::string_view column, int was, int is) {
    if (was != is)
        fields.push_back({std::string(column), std::to_string(was), std::to_string(is)});
}

// A field the grids show otherwise than the file holds it: as the grids show it, or where both values
// show alike (a type code the grid does not know, a riser marked otherwise) as the file holds it.
template <typename Record, typename Shown>
void AddShown(FieldChanges& fields, std::string_view column, const std::string& wasStored,
              const std::string& isStored, const Record& was, const Record& is, Shown shown) {
    if (wasStored == isStored)
        return;
    std::string wasShown = shown(was), isShown = shown(is);
    if (wasShown == isShown)
        fields.push_back({std::string(column), wasStored, isStored});
    else
        fields.push_back({std::string(column), std::move(wasShown), std::move(isShown)});
}

void AddFields(FieldChanges& fields, const DeviceRecord& was, const DeviceRecord& is, bool italian) {
    AddText(fields, WordText(Word::nameWord, italian), was.name, is.name);
    AddNumber(fields, WordText(Word::groupWord, italian), was.group, is.group);
    AddShown(fields, WordText(Word::typeWord, italian), was.typeCode, is.typeCode, was, is,
             [](const DeviceRecord& device) { return DeviceTypeText(device.typeCode); });
    if (was.pull != is.pull)
        fields.push_back({"pull", was.pull ? "pull" : "", is.pull ? "pull" : ""});
    AddNumber(fields, "dimmer", was.dimmer, is.dimmer);
}

void AddFields(FieldChanges& fields, const std::string& was, const std::string& is, bool italian) {
    AddText(fields, WordText(Word::nameWord, italian), was, is);
}

// The address proper, then the rest of the stored address as its riser or bus.
template <typename Record, typename Shown>
void AddAddressedFields(FieldChanges& fields, const Record& was, const Record& is, bool italian,
                        Shown busShown) {
    AddText(fields, WordText(Word::nameWord, italian), was.name, is.name);
    const std::string wasProper = AddressProper(was.address), isProper = AddressProper(is.address);
    AddText(fields, WordText(Word::addressWord, italian), wasProper, isProper);
    AddShown(fields, WordText(Word::busWord, italian), was.address.substr(wasProper.size()),
             is.address.substr(isProper.size()), was, is, busShown);
}

void AddFields(FieldChanges& fields, const CameraRecord& was, const CameraRecord& is, bool italian) {
    AddAddressedFields(fields, was, is, italian, [italian](const CameraRecord& camera) {
        return std::string(WordText(RiserWord(camera.address), italian));
    });
}

void AddFields(FieldChanges& fields, const ScenarioRecord& was, const ScenarioRecord& is, bool italian) {
    AddAddressedFields(fields, was, is, italian, [italian](const ScenarioRecord& scenario) {
        return BusItemText(ScenarioBus(scenario.address), italian);
    });
}

void AddFields(FieldChanges& fields, const Mh200Record& was, const Mh200Record& is, bool italian) {
    AddText(fields, WordText(Word::nameWord, italian), was.name, is.name);
    AddText(fields, report::kCenActivation.pick(italian), was.cenActivation, is.cenActivation);
    AddText(fields, report::kCenDeactivation.pick(italian), was.cenDeactivation, is.cenDeactivation);
}

const std::string& NameOf(const std::string& name) {
    return name;
}
template <typename Record> const std::string& NameOf(const Record& record) {
    return record.name;
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
    difference.name = NameOf((difference.change.kind == ChangeKind::Removed ? then : now)[key]);
    if (difference.change.kind == ChangeKind::Changed)
        AddFields(difference.fields, then[key], now[key], italian);
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
    differences.records.reserve(changes.size());
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
