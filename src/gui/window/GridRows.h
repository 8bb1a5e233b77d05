#pragma once

#include "ConfigModel.h"
#include "LanguageTable.h"

#include <QList>
#include <QStringList>
#include <span>

// The rows each grid lists for the tables, in key order, cells left to right.
namespace velto {

using GridRows = QList<QStringList>;

GridRows DeviceRows(const ConfigModel& model);
GridRows LoadRows(const ConfigModel& model);
GridRows ProbeRows(const ConfigModel& model);
GridRows CameraRows(const ConfigModel& model, const UiTexts& texts);
GridRows ScenarioRows(const ConfigModel& model);

// The headings and column widths (in twips) of the grid of a tab 0..4.
QStringList GridHeadings(int tab, const UiTexts& texts);
QList<int> GridWidthsInTwips(int tab);
// The rows of the grid of a tab 0..4.
GridRows TabRows(int tab, const ConfigModel& model, const UiTexts& texts);
// The caption of a tab's count label: the count, a space, the tab's count word.
QString CountCaption(int tab, qsizetype count, const UiTexts& texts);
// False for the camera count, which no language switch rewrites.
bool CountFollowsLanguage(int tab);
// What a device row shows on hovering its group column: the name of the group of the device whose
// address the key cell holds; empty when it has none.
QString DeviceGroupTip(const ConfigModel& model, const QString& keyCell);

// The name the device grid shows for a stored type code (an unknown code shows as it is).
QString DeviceTypeName(const std::string& code);

// The nine items of the group or auxiliary list: number, a space, the slot's name.
QStringList SlotListItems(std::span<const std::string> table);
// The nine items of the device editor's group list: the number, with a space and the name when named.
QStringList GroupComboItems(std::span<const std::string> table);

} // namespace velto
