#pragma once

#include <QString>

namespace velto {

// What a committed change is about: a record of one of the five tabs (in the tabs' order), or a slot of
// the group or auxiliary list on the first tab.
enum class Subject { Device, Load, Probe, Camera, Scenario, Group, Auxiliary };

enum class StepKind { Add, Modify, Delete, Name };

// A committed change as the history names it and shows it again.
struct ChangeNote {
    QString italian, english; // "eliminazione attuatore 33 «Presa TV»", "deleting device 33 “Presa TV”"
    Subject subject = Subject::Device;
    int keyBefore = 0, keyAfter = 0; // the record's key or slot before and after the change; 0: none
};

// The note of an editor's change: the kind of step, of what, the key it names, the record's name.
ChangeNote NoteOf(StepKind kind, Subject subject, int keyBefore, int keyAfter, const QString& name);

// The tab a subject is shown on.
int TabOf(Subject subject);

} // namespace velto
