#pragma once

#include "ReportDocument.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace velto {

// The project information a report opens with: customer, site address, installer and company, date
// and notes, each of which may stay empty.
class ProjectDialog final : public QDialog {
public:
    ProjectDialog(QWidget* owner, bool italian, const ReportProject& proposed);
    ReportProject project() const;

private:
    QLineEdit* Tcliente;
    QLineEdit* Tsito;
    QLineEdit* Tinstallatore;
    QLineEdit* Tditta;
    QLineEdit* Tdata;
    QPlainTextEdit* Tnote;
};

} // namespace velto
