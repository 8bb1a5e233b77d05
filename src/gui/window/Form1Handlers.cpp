// The buttons of the five tabs, each forwarding to its tab's editor.
#include "CameraEditor.h"
#include "DeviceEditor.h"
#include "Form1.h"
#include "NamedSlotEditor.h"
#include "ScenarioEditor.h"

namespace velto {

void Form1::Cnew_Click() {
    devices_->New();
}
void Form1::Cmod_Click() {
    devices_->Modify();
}
void Form1::Cdel_Click() {
    devices_->Delete();
}
void Form1::Cok_Click() {
    devices_->Confirm();
}
void Form1::Cann_Click() {
    devices_->Cancel();
}

void Form1::CnewC_Click() {
    loads_->New();
}
void Form1::CmodC_Click() {
    loads_->Modify();
}
void Form1::CdelC_Click() {
    loads_->Delete();
}
void Form1::CokC_Click() {
    loads_->Confirm();
}
void Form1::CannC_Click() {
    loads_->Cancel();
}

void Form1::CnewP_Click() {
    probes_->New();
}
void Form1::CmodP_Click() {
    probes_->Modify();
}
void Form1::CdelP_Click() {
    probes_->Delete();
}
void Form1::CokP_Click() {
    probes_->Confirm();
}
void Form1::CAnnP_Click() {
    probes_->Cancel();
}

void Form1::CnewW_Click() {
    cameras_->New();
}
void Form1::CmodW_Click() {
    cameras_->Modify();
}
void Form1::CdelW_Click() {
    cameras_->Delete();
}
void Form1::CokW_Click() {
    cameras_->Confirm();
}
void Form1::CannW_Click() {
    cameras_->Cancel();
}

void Form1::CNews_Click() {
    scenarios_->New();
}
void Form1::CModS_Click() {
    scenarios_->Modify();
}
void Form1::CDelS_Click() {
    scenarios_->Delete();
}
void Form1::CokS_Click() {
    scenarios_->Confirm();
}
void Form1::CannS_Click() {
    scenarios_->Cancel();
}

} // namespace velto
