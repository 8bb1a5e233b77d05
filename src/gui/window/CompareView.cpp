#include "CompareView.h"

#include "CompareTexts.h"
#include "LanguageTable.h"
#include "ReportCommand.h"
#include "ShownText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velto {
namespace {

constexpr TextPair kViewTitle{"Confronto", "Comparison"};
constexpr TextPair kCopy{"Copia", "Copy"};
constexpr TextPair kPrint{"Stampa…", "Print…"};
constexpr TextPair kSaveHtml{"Salva come HTML…", "Save as HTML…"};
constexpr TextPair kClose{"Chiudi", "Close"};

// The index of the difference an item shows, on its record's line and its fields' lines.
constexpr int kRecordRole = Qt::UserRole;

QString Quoted(const std::string& text) {
    return QStringLiteral("«") + ShownText(text) + QStringLiteral("»");
}

} // namespace

CompareView::CompareView(QWidget* owner, ReportCommand& report, Comparison comparison, QString folder)
    : QDialog(owner), report_(report), comparison_(std::move(comparison)), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("Fconfronto"));
    setWindowTitle(text(kViewTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    const auto label = [&](const char* name, const QString& caption) {
        auto* shown = new QLabel(caption);
        shown->setObjectName(QString::fromLatin1(name));
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(shown);
    };
    const auto file = [&](const TextPair& side, const ComparedFile& compared) {
        return text(side) + QStringLiteral(": ") + ShownText(compared.name) + QStringLiteral(" (") +
               QString::fromStdString(FingerprintText(compared.fingerprint, comparison_.italian)) + ')';
    };
    label("Lfile", file(compare::kBefore, comparison_.then) + '\n' + file(compare::kAfter, comparison_.now));
    const Differences& differences = comparison_.differences;
    label("Lsommario",
          differences.same() ? text(compare::kSame) : QString::fromStdString(differences.summary));

    Tdifferenze = new QTreeWidget;
    Tdifferenze->setObjectName(QStringLiteral("Tdifferenze"));
    Tdifferenze->setHeaderLabels(
        {text(compare::kRecord), text(compare::kField), text(compare::kBefore), text(compare::kAfter)});
    Tdifferenze->setVisible(!differences.same());
    layout->addWidget(Tdifferenze);
    fillTree();
    connect(Tdifferenze, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const QVariant index = item->data(0, kRecordRole);
        if (index.isValid())
            emit recordChosen(comparison_.differences.records[index.toUInt()].change);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("Cchiudi"));
    close->setText(text(kClose));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto button = [&](const char* name, const TextPair& caption, void (CompareView::*act)()) {
        QPushButton* pressed = buttons->addButton(text(caption), QDialogButtonBox::ActionRole);
        pressed->setObjectName(QString::fromLatin1(name));
        connect(pressed, &QPushButton::clicked, this, act);
    };
    button("Ccopia", kCopy, &CompareView::copy);
    button("Cstampa", kPrint, &CompareView::print);
    button("Chtml", kSaveHtml, &CompareView::saveHtml);
    layout->addWidget(buttons);
    resize(720, 480);
}

void CompareView::fillTree() {
    QTreeWidgetItem* table = nullptr;
    const std::vector<RecordDifference>& records = comparison_.differences.records;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const RecordDifference& record = records[index];
        if (index == 0 || records[index - 1].change.table != record.change.table) {
            table = new QTreeWidgetItem(Tdifferenze, {QString::fromStdString(record.heading)});
            table->setFirstColumnSpanned(true);
            table->setExpanded(true);
        }
        const QString change =
            QString::fromStdString(ChangeWord(record.change.table, record.change.kind, comparison_.italian));
        auto* line =
            new QTreeWidgetItem(table, {change + QStringLiteral(": ") +
                                        QString::fromStdString(record.keyText) + ' ' + Quoted(record.name)});
        line->setData(0, kRecordRole, uint(index));
        for (const FieldChange& field : record.fields) {
            auto* shown = new QTreeWidgetItem(
                line, {QString(), QString::fromStdString(field.column), Quoted(field.was), Quoted(field.is)});
            shown->setData(0, kRecordRole, uint(index));
        }
        line->setExpanded(true);
    }
    Tdifferenze->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

QString CompareView::text(const TextPair& pair) const {
    return ToQString(pair.pick(comparison_.italian));
}

ReportDocument CompareView::document() const {
    return ComparisonReport(comparison_.differences, comparison_.then, comparison_.now, LocalTimeNow(),
                            comparison_.italian);
}

void CompareView::copy() {
    QApplication::clipboard()->setText(
        QString::fromStdString(DifferencesText(comparison_.differences, comparison_.italian)));
}

void CompareView::print() {
    report_.printDocument(document(), text(compare::kTitle), comparison_.italian);
}

void CompareView::saveHtml() {
    report_.saveHtml(document(), text(kSaveHtml).remove(QChar(0x2026)), text(compare::kTitle) + ".html",
                     folder_);
}

} // namespace velto
