#include "ProjectDialog.h"

#include "LanguageTable.h"
#include "ReportTexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace velto {
namespace {

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
    Tdata = AddField<QLineEdit>(*form, "Tdata", report::kDate, italian);
    Tnote = AddField<QPlainTextEdit>(*form, "Tnote", report::kNotes, italian);
    Tnote->setTabChangesFocus(true);
    Tnote->setFixedHeight(Tnote->fontMetrics().lineSpacing() * 4);

    const auto set = [](QLineEdit* box, const std::string& text) {
        box->setText(QString::fromStdString(text));
    };
    set(Tcliente, proposed.customer);
    set(Tsito, proposed.site);
    set(Tinstallatore, proposed.installer);
    set(Tditta, proposed.company);
    set(Tdata, proposed.date);
    Tnote->setPlainText(QString::fromStdString(proposed.notes));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CokR"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CannR"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

ReportProject ProjectDialog::project() const {
    const auto text = [](const QLineEdit* box) { return box->text().trimmed().toStdString(); };
    return {text(Tcliente), text(Tsito), text(Tinstallatore),
            text(Tditta),   text(Tdata), Tnote->toPlainText().trimmed().toStdString()};
}

} // namespace velto
