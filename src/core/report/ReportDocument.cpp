#include "ReportDocument.h"

#include "ReportTexts.h"

#include <initializer_list>
#include <span>

namespace velto {
namespace {

class Builder {
public:
    Builder(const ConfigModel& model, bool italian) : model_(model), italian_(italian) {}

    std::string text(TextPair pair) const { return std::string(pair.pick(italian_)); }
    std::string text(Word word) const { return std::string(WordText(word, italian_)); }

    // The group as the device editor's list names it: the number, then the name when it has one.
    std::string groupText(int group) const {
        const bool named = group <= kMaxGroup && !model_.GroupTable[group].empty();
        return named ? std::to_string(group) + ' ' + model_.GroupTable[group] : std::to_string(group);
    }

    ReportSection devices() const {
        ReportSection section{text(Word::deviceCountWord), {}, {}, {}};
        section.columns = {text(Word::addressWord), text(Word::nameWord), text(Word::typeWord),
                           text(Word::groupWord)};
        for (int address = 1; address <= kMaxDeviceAddress; ++address) {
            const DeviceRecord& device = model_.DeviceTable[address];
            if (InUse(device))
                section.rows.push_back({std::to_string(address), device.name, DeviceTypeText(device.typeCode),
                                        groupText(device.group)});
        }
        return section;
    }

    ReportSection groups() const {
        ReportSection section{text(report::kGroups), {}, {}, {}};
        section.columns = {text(Word::numberWord), text(Word::nameWord), text(report::kDevicesColumn)};
        for (int group = 1; group <= kMaxGroup; ++group) {
            std::string members;
            for (int address = 1; address <= kMaxDeviceAddress; ++address) {
                const DeviceRecord& device = model_.DeviceTable[address];
                if (InUse(device) && device.group == group)
                    members += (members.empty() ? "" : "\n") + std::to_string(address) + ' ' + device.name;
            }
            if (InUse(model_.GroupTable[group]) || !members.empty())
                section.rows.push_back({std::to_string(group), model_.GroupTable[group], members});
        }
        return section;
    }

    ReportSection namedSlots(std::span<const std::string> table, TextPair heading, Word key) const {
        ReportSection section{text(heading), {}, {text(key), text(Word::nameWord)}, {}};
        for (std::size_t slot = 1; slot < table.size(); ++slot) {
            if (InUse(table[slot]))
                section.rows.push_back({std::to_string(slot), table[slot]});
        }
        return section;
    }

    // Cameras and F420 scenarios: number, name, address proper, and the riser or bus the address names.
    template <typename Record, std::size_t N, typename BusText>
    ReportSection addressedSlots(const std::array<Record, N>& table, TextPair heading,
                                 BusText busText) const {
        ReportSection section{text(heading), {}, {}, {}};
        section.columns = {text(Word::numberWord), text(Word::nameWord), text(Word::addressWord),
                           text(Word::busWord)};
        for (std::size_t number = 1; number < N; ++number) {
            const Record& record = table[number];
            if (InUse(record))
                section.rows.push_back({std::to_string(number), record.name, AddressProper(record.address),
                                        busText(record.address)});
        }
        return section;
    }

    ReportSection mh200Scenarios() const {
        ReportSection section{text(report::kMh200Scenarios), text(report::kMh200Note), {}, {}};
        section.columns = {text(Word::numberWord), text(Word::nameWord), text(report::kCenActivation),
                           text(report::kCenDeactivation)};
        for (int number = 1; number <= kMaxMh200; ++number) {
            const Mh200Record& scenario = model_.Mh200ScenarioTable[number];
            if (InUse(scenario))
                section.rows.push_back({std::to_string(number), scenario.name, scenario.cenActivation,
                                        scenario.cenDeactivation});
        }
        return section;
    }

private:
    const ConfigModel& model_;
    bool italian_;
};

// The file's name without its folder.
std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

// The facts given, leaving out those without a value.
void AddGiven(std::vector<ReportFact>& facts, std::initializer_list<ReportFact> given) {
    for (const ReportFact& fact : given)
        if (!fact.value.empty())
            facts.push_back(fact);
}

} // namespace

ReportDocument BuildReport(const ConfigModel& model, const ReportSource& source, bool italian) {
    const Builder b(model, italian);
    const ReportProject& project = source.project;
    const std::string name = FileName(source.filePath);
    ReportDocument document{
        italian ? "it" : "en", b.text(report::kTitle),     {}, {}, {}, b.text(report::kName),
        b.text(report::kDate), b.text(report::kSignature), {}};
    AddGiven(document.facts, {{b.text(report::kCustomer), project.customer},
                              {b.text(report::kSite), project.site},
                              {b.text(report::kInstaller), project.installer},
                              {b.text(report::kCompany), project.company},
                              {b.text(report::kDate), project.date},
                              {b.text(report::kNotes), project.notes, true},
                              {b.text(report::kFileName), name.empty() ? b.text(report::kNotSaved) : name},
                              {b.text(report::kFileVersion), source.fileVersion},
                              {b.text(report::kProducedAt), source.producedAt}});
    const std::string separator = project.installer.empty() || project.company.empty() ? "" : ", ";
    document.signatures = {
        {b.text(report::kInstaller), project.installer + separator + project.company, project.date},
        {b.text(report::kCustomer), project.customer, project.date}};

    const std::vector<ReportSection> all{
        b.devices(),
        b.groups(),
        b.namedSlots(model.AuxTable, report::kAuxiliaries, Word::numberWord),
        b.namedSlots(model.LoadTable, kWords[std::size_t(Word::loadCountWord)], Word::priorityWord),
        b.namedSlots(model.ProbeTable, kWords[std::size_t(Word::probeCountWord)], Word::zoneWord),
        b.addressedSlots(model.CameraTable, report::kCameras,
                         [&](const std::string& address) { return b.text(RiserWord(address)); }),
        b.addressedSlots(
            model.ScenarioTable, report::kF420Scenarios,
            [&](const std::string& address) { return BusItemText(ScenarioBus(address), italian); }),
        b.mh200Scenarios()};
    for (const ReportSection& section : all) {
        document.counts.push_back({section.heading, std::to_string(section.rows.size())});
        if (!section.rows.empty())
            document.sections.push_back(section);
    }
    return document;
}

} // namespace velto
