#pragma once

#include "ReportDocument.h"

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

namespace velto {

// The project information a report opens with: customer, site address, installer and company, date
// (picked in a calendar, written as the language writes it, today's unless one is proposed) and notes,
// bounded as the report takes them; any of the texts may stay empty.
class ProjectDialog final : public QDialog {
public:
    ProjectDialog(QWidget* owner, bool italian, const ReportProject& proposed);
    ReportProject project() const;

private:
    void keepNotesFitting();

    QLineEdit* Tcliente;
    QLineEdit* Tsito;
    QLineEdit* Tinstallatore;
    QLineEdit* Tditta;
    QDateEdit* Tdata;
    QPlainTextEdit* Tnote;
};

} // namespace velto
