#include "ReportDocument.h"

#include "ReportTexts.h"
#include "TextEncoding.h"

#include <initializer_list>
#include <span>

namespace velto {
namespace {

class Builder {
public:
    Builder(const ConfigModel& model, bool italian) : model_(model), italian_(italian) {}

    std::string text(TextPair pair) const { return std::string(pair.pick(italian_)); }
    std::string text(Word word) const { return std::string(WordText(word, italian_)); }

    // The group as the device editor's list names it: the number, then the name when it has one; a dash
    // for none.
    std::string groupText(int group) const {
        if (group == 0)
            return text(report::kNoGroup);
        const bool named = group <= kMaxGroup && !model_.GroupTable[group].empty();
        return named ? std::to_string(group) + ' ' + ShortenedText(model_.GroupTable[group])
                     : std::to_string(group);
    }

    ReportSection devices() const {
        ReportSection section{text(Word::deviceCountWord), {}, {}, {}};
        section.columns = {text(Word::addressWord), text(Word::nameWord), text(Word::typeWord),
                           text(Word::groupWord)};
        for (int address = 1; address <= kMaxDeviceAddress; ++address) {
            const DeviceRecord& device = model_.DeviceTable[address];
            if (InUse(device))
                section.rows.push_back({std::to_string(address), ShortenedText(device.name),
                                        DeviceTypeText(device.typeCode), groupText(device.group)});
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
                    members += (members.empty() ? "" : "\n") + std::to_string(address) + ' ' +
                               ShortenedText(device.name);
            }
            if (InUse(model_.GroupTable[group]) || !members.empty())
                section.rows.push_back(
                    {std::to_string(group), ShortenedText(model_.GroupTable[group]), members});
        }
        return section;
    }

    ReportSection namedSlots(std::span<const std::string> table, TextPair heading, Word key) const {
        ReportSection section{text(heading), {}, {text(key), text(Word::nameWord)}, {}};
        for (std::size_t slot = 1; slot < table.size(); ++slot) {
            if (InUse(table[slot]))
                section.rows.push_back({std::to_string(slot), ShortenedText(table[slot])});
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
                section.rows.push_back({std::to_string(number), ShortenedText(record.name),
                                        ShortenedText(AddressProper(record.address)),
                                        busText(record.address)});
        }
        return section;
    }

    // The private bus as the camera grid writes its riser, a local bus by its number.
    std::string busText(const std::string& address) const {
        const int bus = ScenarioBus(address);
        return bus == 0 ? text(Word::privateRiserText) : text(report::kLocalBus) + std::to_string(bus);
    }

    ReportSection mh200Scenarios() const {
        ReportSection section{text(report::kMh200Scenarios), text(report::kMh200Note), {}, {}};
        section.columns = {text(Word::numberWord), text(Word::nameWord), text(report::kCenActivation),
                           text(report::kCenDeactivation)};
        for (int number = 1; number <= kMaxMh200; ++number) {
            const Mh200Record& scenario = model_.Mh200ScenarioTable[number];
            if (InUse(scenario))
                section.rows.push_back({std::to_string(number), ShortenedText(scenario.name),
                                        ShortenedText(scenario.cenActivation),
                                        ShortenedText(scenario.cenDeactivation)});
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

// The texts given, one after the other, with a middle dot between them.
std::string Joined(std::initializer_list<std::string> texts) {
    std::string joined;
    for (const std::string& text : texts)
        if (!text.empty())
            joined += (joined.empty() ? "" : " \u00b7 ") + text;
    return joined;
}

// Where a UTF-8 character begins (not on one of its continuation bytes).
bool StartsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

} // namespace

std::string PageNumberText(const ReportDocument& document, int page, int pages) {
    return document.pageLabel + ' ' + std::to_string(page) + ' ' + document.ofLabel + ' ' +
           std::to_string(pages);
}

std::string FittingNotes(std::string_view notes) {
    std::size_t lines = 1, characters = 0, end = 0;
    for (; end < notes.size(); ++end) {
        if (!StartsCharacter(notes[end]))
            continue;
        if (++characters > kMaxNoteCharacters || (notes[end] == '\n' && ++lines > kMaxNoteLines))
            break;
    }
    return std::string(notes.substr(0, end));
}

std::string FingerprintText(const std::string& sha256Hex, bool italian) {
    return sha256Hex.empty() ? std::string(report::kUnsavedChanges.pick(italian)) : "SHA-256: " + sha256Hex;
}

ReportDocument BuildReport(const ConfigModel& model, const ReportSource& source, bool italian) {
    const Builder b(model, italian);
    const ReportProject& project = source.project;
    const std::string name = FileName(source.filePath);
    const std::string shownName = name.empty() ? b.text(report::kNotSaved) : name;
    const std::string date = project.date ? DateText(*project.date, italian) : std::string();
    const auto fact = [&](TextPair label, const std::string& value, const std::string& detail = {}) {
        return value.empty() ? ReportFact{} : ReportFact{b.text(label), value, detail};
    };
    ReportDocument document;
    document.language = italian ? "it" : "en";
    document.title = b.text(report::kTitle);
    document.heading = Joined({project.customer, project.site, shownName});
    document.pageLabel = b.text(report::kPage);
    document.ofLabel = b.text(report::kOf);
    document.project = {
        {{fact(report::kCustomer, project.customer), fact(report::kDate, date)},
         {fact(report::kSite, project.site), fact(report::kFileName, shownName, source.fingerprint)},
         {fact(report::kInstaller, project.installer),
          fact(report::kFileVersion, ShortenedText(source.fileVersion))},
         {fact(report::kCompany, project.company),
          fact(report::kProducedAt, DateAndTimeText(source.producedAt, italian))}}};
    document.notes = fact(report::kNotes, project.notes);
    document.nameLabel = b.text(report::kName);
    document.dateLabel = b.text(report::kDate);
    document.signatureLabel = b.text(report::kSignature);
    const std::string separator = project.installer.empty() || project.company.empty() ? "" : ", ";
    document.signatures = {
        {b.text(report::kInstaller), project.installer + separator + project.company, date},
        {b.text(report::kCustomer), project.customer, date}};

    const std::vector<ReportSection> all{
        b.devices(),
        b.groups(),
        b.namedSlots(model.AuxTable, report::kAuxiliaries, Word::numberWord),
        b.namedSlots(model.LoadTable, kWords[std::size_t(Word::loadCountWord)], Word::priorityWord),
        b.namedSlots(model.ProbeTable, kWords[std::size_t(Word::probeCountWord)], Word::zoneWord),
        b.addressedSlots(model.CameraTable, report::kCameras,
                         [&](const std::string& address) { return b.text(RiserWord(address)); }),
        b.addressedSlots(model.ScenarioTable, report::kF420Scenarios,
                         [&](const std::string& address) { return b.busText(address); })};
    for (const ReportSection& section : all) {
        document.counts.push_back({section.heading, std::to_string(section.rows.size()), {}});
        if (!section.rows.empty())
            document.sections.push_back(section);
    }
    // The MH200 scenarios have no editor: the report names them only when the file holds some.
    if (ReportSection mh200 = b.mh200Scenarios(); !mh200.rows.empty()) {
        document.counts.push_back({mh200.heading, std::to_string(mh200.rows.size()), {}});
        document.sections.push_back(std::move(mh200));
    }
    return document;
}

} // namespace velto
