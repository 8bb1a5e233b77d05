#include "TabEditors.h"

#include "Form1.h"
#include "GridView.h"

#include <QToolButton>

namespace velto {

RecordEditor& TabEditors::at(int tab) const {
    const std::array<RecordEditor*, kTabCount> editors{devices.get(), loads.get(), probes.get(),
                                                       cameras.get(), scenarios.get()};
    return *editors[tab];
}

void TabEditors::keepTypedNames() const {
    groups->keepTypedName();
    auxiliaries->keepTypedName();
}

void TabEditors::forgetEditsAndWidths() const {
    for (int tab = 0; tab < kTabCount; ++tab) {
        at(tab).ResetEditRow();
        at(tab).roles().grid->forgetDraggedWidths(); // a new configuration starts with fitted columns
    }
}

void CreateEditors(Form1& window, EditorHost& host, const WindowControls& controls, TabEditors& editors,
                   const std::function<void()>& groupsRenamed) {
    const auto box = [&](const char* name) { return controls.get<QLineEdit>(name); };
    const auto combo = [&](const char* name) { return controls.get<QComboBox>(name); };
    const auto& roles = controls.roles;
    editors.devices = std::make_unique<DeviceEditor>(
        host, *roles[0], DeviceEditor::Fields{box("Tname"), controls.Cgru, combo("Ctipo"), box("Tind")});
    editors.loads = std::make_unique<NamedSlotEditor>(
        host, *roles[1], NamedSlotEditor::Fields{box("TCarico"), combo("Cpriori")},
        NamedSlotEditor::Kind{host.model().LoadTable,
                              Word::askDeleteLoad,
                              Word::priorityWord,
                              {"Priorità già inserita", "Priority already inserted"},
                              Why::Priority});
    editors.probes = std::make_unique<NamedSlotEditor>(
        host, *roles[2], NamedSlotEditor::Fields{box("TnameP"), combo("Czona")},
        NamedSlotEditor::Kind{host.model().ProbeTable,
                              Word::askDeleteProbe,
                              Word::zoneWord,
                              {"Zona già inserita", "Zone already inserted"},
                              Why::Zone});
    editors.cameras = std::make_unique<CameraEditor>(
        host, *roles[3], CameraEditor::Fields{box("TnameW"), combo("Cnum"), controls.Cmont, box("TindW")});
    editors.scenarios = std::make_unique<ScenarioEditor>(
        host, *roles[4], ScenarioEditor::Fields{box("TnameS"), combo("CnumS"), controls.Cbus, box("TindS")});

    using Handler = void (Form1::*)();
    struct TabHandlers {
        Handler onNew, onModify, onDelete, onConfirm, onCancel;
    };
    constexpr std::array<TabHandlers, kTabCount> handlers{{
        {&Form1::Cnew_Click, &Form1::Cmod_Click, &Form1::Cdel_Click, &Form1::Cok_Click, &Form1::Cann_Click},
        {&Form1::CnewC_Click, &Form1::CmodC_Click, &Form1::CdelC_Click, &Form1::CokC_Click,
         &Form1::CannC_Click},
        {&Form1::CnewP_Click, &Form1::CmodP_Click, &Form1::CdelP_Click, &Form1::CokP_Click,
         &Form1::CAnnP_Click},
        {&Form1::CnewW_Click, &Form1::CmodW_Click, &Form1::CdelW_Click, &Form1::CokW_Click,
         &Form1::CannW_Click},
        {&Form1::CNews_Click, &Form1::CModS_Click, &Form1::CDelS_Click, &Form1::CokS_Click,
         &Form1::CannS_Click},
    }};
    for (int tab = 0; tab < kTabCount; ++tab) {
        const EditorRoles& tabRoles = *roles[tab];
        QObject::connect(tabRoles.newButton, &QPushButton::clicked, &window, handlers[tab].onNew);
        QObject::connect(tabRoles.modifyButton, &QPushButton::clicked, &window, handlers[tab].onModify);
        QObject::connect(tabRoles.deleteButton, &QPushButton::clicked, &window, handlers[tab].onDelete);
        QObject::connect(tabRoles.confirmButton, &QPushButton::clicked, &window, handlers[tab].onConfirm);
        QObject::connect(tabRoles.cancelButton, &QPushButton::clicked, &window, handlers[tab].onCancel);
    }

    const auto image = [&](const char* name) { return controls.get<QToolButton>(name); };
    editors.groups = std::make_unique<SlotNameList>(
        host, controls.Lgru, box("Tngru"), image("IbDel"),
        SlotNameList::Kind{Subject::Group, host.model().GroupTable, true, false, groupsRenamed});
    editors.auxiliaries = std::make_unique<SlotNameList>(
        host, controls.Laux, box("TnameA"), image("IdelAux"),
        SlotNameList::Kind{Subject::Auxiliary, host.model().AuxTable, false, true, {}});
}

} // namespace velto
