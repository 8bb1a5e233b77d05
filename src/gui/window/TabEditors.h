#pragma once

#include "CameraEditor.h"
#include "DeviceEditor.h"
#include "NamedSlotEditor.h"
#include "ScenarioEditor.h"
#include "SlotNameList.h"

#include <functional>
#include <memory>

namespace velto {

class EditorHost;
class Form1;
struct WindowControls;

// The editors of the five tabs and the group and auxiliary lists of the first.
struct TabEditors {
    RecordEditor& at(int tab) const;
    // A group or auxiliary name typed without Enter is stored before a command acts on the tables.
    void keepTypedNames() const;
    // For a configuration just put in place: no modification in progress, columns fitted again.
    void forgetEditsAndWidths() const;

    std::unique_ptr<DeviceEditor> devices;
    std::unique_ptr<NamedSlotEditor> loads;
    std::unique_ptr<NamedSlotEditor> probes;
    std::unique_ptr<CameraEditor> cameras;
    std::unique_ptr<ScenarioEditor> scenarios;
    std::unique_ptr<SlotNameList> groups;
    std::unique_ptr<SlotNameList> auxiliaries;
};

// The editors on the controls built, each tab's buttons connected to the window's handlers; groupsRenamed
// runs after the group list renames or deletes a group.
void CreateEditors(Form1& window, EditorHost& host, const WindowControls& controls, TabEditors& editors,
                   const std::function<void()>& groupsRenamed);

} // namespace velto
