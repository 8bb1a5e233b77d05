#include "VersionsDialog.h"

#include "ConfReader.h"
#include "FileMessages.h"
#include "LanguageTable.h"
#include "Notice.h"
#include "Process.h"
#include "Sha256.h"
#include "Words.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velto {
namespace {

constexpr TextPair kTitle{"Versioni", "Versions"};
constexpr TextPair kNeverSaved{"La configurazione non è mai stata salvata: non ha versioni.",
                               "This configuration was never saved: it has no versions."};
constexpr TextPair kNoVersions{"Nessuna versione di questo file è conservata.",
                               "No versions of this file are kept."};
constexpr TextPair kHeadings[] = {{"Sostituita il", "Replaced on"},
                                  {"Dimensione", "Size"},
                                  {"Modifiche del salvataggio", "What the save changed"}};
constexpr TextPair kBytes{"%1 byte", "%1 bytes"};
constexpr TextPair kRestore{"&Ripristina", "&Restore"};
constexpr TextPair kCompare{"&Confronta", "&Compare"};
constexpr TextPair kClose{"Chiudi", "Close"};
constexpr TextPair kKept{"&Versioni conservate di ogni file:", "&Versions kept of each file:"};
constexpr TextPair kStep{"ripristino della versione del %1", "restoring the version of %1"};

QPushButton* Button(QDialogButtonBox* box, const TextPair& text, bool italian, const char* name,
                    QDialogButtonBox::ButtonRole role) {
    QPushButton* button = box->addButton(ToQString(text.pick(italian)), role);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

VersionsDialog::VersionsDialog(Toolkit& toolkit, QWidget* owner, const QString& path, bool italian)
    : QDialog(owner), toolkit_(toolkit), store_(UserVersionsRoot()), path_(path.toStdString()),
      italian_(italian), list_(new QTreeWidget), keptCount_(new QSpinBox) {
    setObjectName(QStringLiteral("Fversions"));
    setWindowTitle(ToQString(kTitle.pick(italian)));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QDir::toNativeSeparators(path));
    heading->setObjectName(QStringLiteral("Lfile"));
    heading->setTextFormat(Qt::PlainText);
    layout->addWidget(heading);

    std::string error;
    if (!path.isEmpty())
        versions_ = store_.versions(path_, error);
    auto* none = new QLabel(path.isEmpty() ? ToQString(kNeverSaved.pick(italian))
                            : error.empty()
                                ? ToQString(kNoVersions.pick(italian))
                                : SystemFailureText(QString::fromStdString(FileName(store_.folderOf(path_))),
                                                    QString::fromStdString(error)));
    none->setObjectName(QStringLiteral("Lnone"));
    none->setTextFormat(Qt::PlainText);
    none->setVisible(versions_.empty());
    layout->addWidget(none);

    list_->setObjectName(QStringLiteral("Lver"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({ToQString(kHeadings[0].pick(italian)), ToQString(kHeadings[1].pick(italian)),
                            ToQString(kHeadings[2].pick(italian))});
    for (const KeptVersion& version : versions_) {
        auto* row =
            new QTreeWidgetItem(list_, {QString::fromStdString(VersionTime(version)),
                                        ToQString(kBytes.pick(italian))
                                            .arg(QLocale(italian ? QLocale::Italian : QLocale::English)
                                                     .toString(qulonglong(version.size))),
                                        QString::fromStdString(VersionSummary(version, italian))});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setVisible(!versions_.empty());
    if (!versions_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
    layout->addWidget(list_, 1);

    auto* keptRow = new QHBoxLayout;
    auto* keptLabel = new QLabel(ToQString(kKept.pick(italian)));
    keptLabel->setObjectName(QStringLiteral("Lkeep"));
    keptCount_->setObjectName(QStringLiteral("Nkeep"));
    keptCount_->setRange(0, kMostVersionsKept);
    keptCount_->setValue(store_.keptCount());
    keptCount_->setKeyboardTracking(false);
    keptLabel->setBuddy(keptCount_);
    keptRow->addWidget(keptLabel);
    keptRow->addWidget(keptCount_);
    keptRow->addStretch();
    layout->addLayout(keptRow);
    connect(keptCount_, &QSpinBox::valueChanged, this, &VersionsDialog::setKeptCount);

    auto* buttons = new QDialogButtonBox;
    QPushButton* restoreButton = Button(buttons, kRestore, italian, "Crestore", QDialogButtonBox::ActionRole);
    QPushButton* compareButton = Button(buttons, kCompare, italian, "Ccompare", QDialogButtonBox::ActionRole);
    Button(buttons, kClose, italian, "Cclose", QDialogButtonBox::RejectRole);
    for (QPushButton* button : {restoreButton, compareButton})
        button->setEnabled(!versions_.empty());
    connect(restoreButton, &QPushButton::clicked, this, &VersionsDialog::restore);
    connect(compareButton, &QPushButton::clicked, this, &VersionsDialog::compare);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(sizeHint().expandedTo(QSize(640, 320)));
}

std::unique_ptr<ConfigModel> VersionsDialog::readChosen(std::string& bytes) {
    if (!list_->currentItem())
        return nullptr;
    const KeptVersion& version = versions_[std::size_t(list_->indexOfTopLevelItem(list_->currentItem()))];
    auto tables = std::make_unique<ConfigModel>();
    std::string error, fileVersion;
    std::optional<Notice> failure;
    if (store_.readBytes(path_, version, bytes, error) &&
        LoadConfigBytes(bytes, *tables, fileVersion, [&](const Notice& notice) {
            if (notice.kind == NoticeKind::ParseFailure || notice.kind == NoticeKind::Stop)
                failure = notice;
        }))
        return tables;
    const QString file = QString::fromStdString(FileName(store_.folderOf(path_) / (version.id + ".xml")));
    if (failure && failure->kind == NoticeKind::Stop)
        error = NoticeText(*failure, italian_);
    toolkit_.messageBox(this,
                        failure && failure->kind == NoticeKind::ParseFailure
                            ? ReadFailureText(file, *failure, italian_)
                            : SystemFailureText(file, QString::fromStdString(error)),
                        kExecutableName, Buttons::Ok, Icon::Critical);
    return nullptr;
}

void VersionsDialog::restore() {
    std::string bytes;
    std::unique_ptr<ConfigModel> tables = readChosen(bytes);
    if (!tables)
        return;
    const QString time = list_->currentItem()->text(0);
    restored_ =
        Restored{std::move(tables), ToQString(kStep.italian).arg(time), ToQString(kStep.english).arg(time)};
    accept();
}

void VersionsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in the number kept sets it; it does not restore the version chosen, as the default button would.
    if (keptCount_->hasFocus() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        return event->accept();
    QDialog::keyPressEvent(event);
}

// The number kept applies to every file from its next save on, as velto-conf's --keep does.
void VersionsDialog::setKeptCount(int count) {
    std::string error;
    if (store_.setKeptCount(count, error))
        return;
    toolkit_.messageBox(this,
                        SystemFailureText(QString::fromStdString(FileName(store_.root() / "keep")),
                                          QString::fromStdString(error)),
                        kExecutableName, Buttons::Ok, Icon::Critical);
    const QSignalBlocker quiet(keptCount_);
    keptCount_->setValue(store_.keptCount());
}

void VersionsDialog::compare() {
    std::string bytes;
    std::unique_ptr<ConfigModel> tables = readChosen(bytes);
    if (tables)
        emit compareRequested(
            {std::move(tables), list_->currentItem()->text(0), QString::fromStdString(Sha256Hex(bytes))});
}

} // namespace velto
