// The buttons of the five tabs, each forwarding to its tab's editor, and the Edit menu's commands on
// many records of the tab shown.
#include "Form1.h"
#include "RecordCommands.h"

namespace velto {

void Form1::Cnew_Click() {
    editors_.devices->New();
}
void Form1::Cmod_Click() {
    editors_.devices->Modify();
}
void Form1::Cdel_Click() {
    editors_.devices->Delete();
}
void Form1::Cok_Click() {
    editors_.devices->Confirm();
}
void Form1::Cann_Click() {
    editors_.devices->Cancel();
}

void Form1::CnewC_Click() {
    editors_.loads->New();
}
void Form1::CmodC_Click() {
    editors_.loads->Modify();
}
void Form1::CdelC_Click() {
    editors_.loads->Delete();
}
void Form1::CokC_Click() {
    editors_.loads->Confirm();
}
void Form1::CannC_Click() {
    editors_.loads->Cancel();
}

void Form1::CnewP_Click() {
    editors_.probes->New();
}
void Form1::CmodP_Click() {
    editors_.probes->Modify();
}
void Form1::CdelP_Click() {
    editors_.probes->Delete();
}
void Form1::CokP_Click() {
    editors_.probes->Confirm();
}
void Form1::CAnnP_Click() {
    editors_.probes->Cancel();
}

void Form1::CnewW_Click() {
    editors_.cameras->New();
}
void Form1::CmodW_Click() {
    editors_.cameras->Modify();
}
void Form1::CdelW_Click() {
    editors_.cameras->Delete();
}
void Form1::CokW_Click() {
    editors_.cameras->Confirm();
}
void Form1::CannW_Click() {
    editors_.cameras->Cancel();
}

void Form1::CNews_Click() {
    editors_.scenarios->New();
}
void Form1::CModS_Click() {
    editors_.scenarios->Modify();
}
void Form1::CDelS_Click() {
    editors_.scenarios->Delete();
}
void Form1::CokS_Click() {
    editors_.scenarios->Confirm();
}
void Form1::CannS_Click() {
    editors_.scenarios->Cancel();
}

void Form1::mSelectAll_Click() {
    records_->selectAll();
}
void Form1::mCopy_Click() {
    records_->copy();
}
void Form1::mCut_Click() {
    records_->cut();
}
void Form1::mPaste_Click() {
    records_->paste();
}
void Form1::mDuplicate_Click() {
    records_->duplicate();
}
void Form1::mBulk_Click() {
    records_->changeSelected();
}

} // namespace velto
