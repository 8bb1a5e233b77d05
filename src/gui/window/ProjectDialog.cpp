#include "ProjectDialog.h"

#include "LanguageTable.h"
#include "ReportTexts.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace velto {
namespace {

constexpr TextPair kNotesBound{"Al massimo %1 righe e %2 caratteri", "At most %1 lines and %2 characters"};

template <typename Box> Box* AddField(QFormLayout& form, const char* name, TextPair label, bool italian) {
    auto* field = new Box;
    field->setObjectName(QString::fromLatin1(name));
    form.addRow(ToQString(label.pick(italian)) + ':', field);
    return field;
}

} // namespace

ProjectDialog::ProjectDialog(QWidget* owner, bool italian, const ReportProject& proposed) : QDialog(owner) {
    setObjectName(QStringLiteral("Fprogetto"));
    setWindowTitle(ToQString(report::kProjectTitle.pick(italian)));
    auto* form = new QFormLayout(this);
    Tcliente = AddField<QLineEdit>(*form, "Tcliente", report::kCustomer, italian);
    Tsito = AddField<QLineEdit>(*form, "Tsito", report::kSite, italian);
    Tinstallatore = AddField<QLineEdit>(*form, "Tinstallatore", report::kInstaller, italian);
    Tditta = AddField<QLineEdit>(*form, "Tditta", report::kCompany, italian);
    Tdata = AddField<QDateEdit>(*form, "Tdata", report::kDate, italian);
    Tnote = AddField<QPlainTextEdit>(*form, "Tnote", report::kNotes, italian);

    // The date as the report writes it, in the language's month names.
    Tdata->setLocale(QLocale(italian ? QLocale::Italian : QLocale::English));
    Tdata->setDisplayFormat(QStringLiteral("d MMMM yyyy"));
    Tdata->setCalendarPopup(true);
    Tnote->setTabChangesFocus(true);
    Tnote->setFixedHeight(Tnote->fontMetrics().lineSpacing() * 4);
    Tnote->setPlaceholderText(ToQString(kNotesBound.pick(italian))
                                  .arg(kMaxNoteLines)
                                  .arg(Tdata->locale().toString(int(kMaxNoteCharacters))));
    connect(Tnote, &QPlainTextEdit::textChanged, this, &ProjectDialog::keepNotesFitting);

    const auto set = [](QLineEdit* box, const std::string& text) {
        box->setText(QString::fromStdString(text));
    };
    set(Tcliente, proposed.customer);
    set(Tsito, proposed.site);
    set(Tinstallatore, proposed.installer);
    set(Tditta, proposed.company);
    const auto date = proposed.date;
    Tdata->setDate(date ? QDate(date->year, date->month, date->day) : QDate::currentDate());
    Tnote->setPlainText(QString::fromStdString(proposed.notes));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CokR"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CannR"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

// Text typed or pasted beyond what a report takes is cut off at once, so that what the field shows
// is what the report will hold.
void ProjectDialog::keepNotesFitting() {
    const QString notes = Tnote->toPlainText();
    const qsizetype fitting = QString::fromStdString(FittingNotes(notes.toStdString())).size();
    if (fitting == notes.size())
        return;
    QTextCursor cut(Tnote->document());
    cut.setPosition(int(fitting));
    cut.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cut.removeSelectedText();
}

ReportProject ProjectDialog::project() const {
    const auto text = [](const QLineEdit* box) { return box->text().trimmed().toStdString(); };
    const QDate date = Tdata->date();
    return {text(Tcliente),
            text(Tsito),
            text(Tinstallatore),
            text(Tditta),
            CalendarDate{date.year(), date.month(), date.day()},
            Tnote->toPlainText().trimmed().toStdString()};
}

} // namespace velto
