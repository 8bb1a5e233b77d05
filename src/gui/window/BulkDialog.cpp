#include "BulkDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace velto {

BulkDialog::BulkDialog(QWidget* owner, const QString& title, const QString& unchanged,
                       const std::vector<BulkField>& fields)
    : QDialog(owner) {
    setObjectName(QStringLiteral("Fbulk"));
    setWindowTitle(title);
    auto* form = new QFormLayout(this);
    for (const BulkField& field : fields) {
        auto* list = new QComboBox;
        list->setObjectName(QString::fromLatin1(field.name));
        list->addItem(unchanged);
        list->addItems(field.items);
        form->addRow(field.label + ':', list);
        lists_.push_back(list);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CokB"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CannB"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

std::vector<int> BulkDialog::choices() const {
    std::vector<int> chosen;
    for (const QComboBox* list : lists_)
        chosen.push_back(list->currentIndex() - 1);
    return chosen;
}

} // namespace velto
