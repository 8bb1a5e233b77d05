#include "GridRows.h"

#include "NumberText.h"
#include "ShownText.h"

namespace velto {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

GridRows NamedSlotRows(std::span<const std::string> table) {
    GridRows rows;
    for (std::size_t key = 1; key < table.size(); ++key) {
        if (InUse(table[key]))
            rows.append({Text(table[key]), QString::number(key)});
    }
    return rows;
}

struct GridColumns {
    std::array<Word, 4> headings;
    QList<int> widthsInTwips;
    Word countWord; // Word::Count: the camera count, which reads the same in both languages
};

const GridColumns& Columns(int tab) {
    static const std::array<GridColumns, 5> columns{{
        {{Word::nameWord, Word::groupWord, Word::typeWord, Word::addressWord},
         {2000, 700, 700, 700},
         Word::deviceCountWord},
        {{Word::nameWord, Word::priorityWord}, {2000, 700}, Word::loadCountWord},
        {{Word::nameWord, Word::zoneWord}, {2000, 700}, Word::probeCountWord},
        {{Word::nameWord, Word::addressWord, Word::numberWord, Word::busWord},
         {2000, 800, 650, 800},
         Word::Count},
        {{Word::nameWord, Word::addressWord, Word::numberWord}, {2000, 800, 650}, Word::scenarioCountWord},
    }};
    return columns[tab];
}

} // namespace

QStringList GridHeadings(int tab, const UiTexts& texts) {
    QStringList headings;
    for (qsizetype column = 0; column < Columns(tab).widthsInTwips.size(); ++column)
        headings << texts[Columns(tab).headings[column]];
    return headings;
}

QList<int> GridWidthsInTwips(int tab) {
    return Columns(tab).widthsInTwips;
}

QString CountCaption(int tab, qsizetype count, const UiTexts& texts) {
    const Word word = Columns(tab).countWord;
    return QString::number(count) + ' ' + (word == Word::Count ? QStringLiteral("Camera") : texts[word]);
}

bool CountFollowsLanguage(int tab) {
    return Columns(tab).countWord != Word::Count;
}

GridRows TabRows(int tab, const ConfigModel& model, const UiTexts& texts) {
    switch (tab) {
    case 0:
        return DeviceRows(model);
    case 1:
        return LoadRows(model);
    case 2:
        return ProbeRows(model);
    case 3:
        return CameraRows(model, texts);
    default:
        return ScenarioRows(model);
    }
}

QString DeviceTypeName(const std::string& code) {
    return Text(DeviceTypeText(code));
}

GridRows DeviceRows(const ConfigModel& model) {
    GridRows rows;
    for (int address = 1; address <= kMaxDeviceAddress; ++address) {
        const DeviceRecord& device = model.DeviceTable[address];
        if (InUse(device))
            rows.append({Text(device.name), QString::number(device.group), DeviceTypeName(device.typeCode),
                         QString::number(address)});
    }
    return rows;
}

GridRows LoadRows(const ConfigModel& model) {
    return NamedSlotRows(model.LoadTable);
}

GridRows ProbeRows(const ConfigModel& model) {
    return NamedSlotRows(model.ProbeTable);
}

GridRows CameraRows(const ConfigModel& model, const UiTexts& texts) {
    GridRows rows;
    for (int number = 1; number <= kMaxCamera; ++number) {
        const CameraRecord& camera = model.CameraTable[number];
        if (!InUse(camera))
            continue;
        rows.append({Text(camera.name), Text(AddressProper(camera.address)), QString::number(number),
                     texts[RiserWord(camera.address)]});
    }
    return rows;
}

GridRows ScenarioRows(const ConfigModel& model) {
    GridRows rows;
    for (int number = 1; number <= kMaxScenario; ++number) {
        const ScenarioRecord& scenario = model.ScenarioTable[number];
        if (InUse(scenario))
            rows.append({Text(scenario.name), Text(scenario.address), QString::number(number)});
    }
    return rows;
}

QStringList SlotListItems(std::span<const std::string> table) {
    QStringList items;
    for (std::size_t slot = 1; slot < table.size(); ++slot)
        items << QString::number(slot) + ' ' + ShownText(table[slot]);
    return items;
}

QStringList GroupComboItems(std::span<const std::string> table) {
    QStringList items;
    for (std::size_t slot = 1; slot < table.size(); ++slot)
        items << (table[slot].empty() ? QString::number(slot)
                                      : QString::number(slot) + ' ' + ShownText(table[slot]));
    return items;
}

QString DeviceGroupTip(const ConfigModel& model, const QString& keyCell) {
    const int address = int(LeadingNumber(keyCell.toStdString()));
    const int group =
        address > 0 && address <= kMaxDeviceAddress ? model.DeviceTable[std::size_t(address)].group : 0;
    return group > 0 && group <= kMaxGroup ? ShownText(model.GroupTable[std::size_t(group)]) : QString();
}

} // namespace velto
