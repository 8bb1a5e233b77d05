#pragma once

#include "GridRows.h"

class QComboBox;

namespace velto {

struct ConfigModel;
class UiTexts;
struct WindowControls;

// Sets up a tab's grid under the headings in force, then its rows; Modify and Delete wait for a row.
void SetGrid(const WindowControls& controls, int tab, const UiTexts& texts, const GridRows& rows = {});
// Refills the group combo from the group names, keeping the group chosen for a device being edited.
void FillGroupCombo(QComboBox* Cgru, const ConfigModel& tables);
// The lists whose items never change: the numbers of the slots, the device types; nothing chosen.
void FillFixedLists(const WindowControls& controls, const UiTexts& texts);

} // namespace velto
