// Open, Save and the recovered configuration: the file dialogs, the reader's notices as message boxes,
// the safe save; each puts its configuration in place through the document.
#include "ConfReader.h"
#include "ConfWriter.h"
#include "FileGuard.h"
#include "FileLocations.h"
#include "FileMessages.h"
#include "Form1.h"
#include "NoticeLimit.h"
#include "RecentFiles.h"
#include "RecoveryOffer.h"
#include "Sha256.h"
#include "ShownText.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace velto {
namespace {

const QString kDialogTitle = QStringLiteral("File xml");
const QString kXmlFilter = QStringLiteral("xml file") + QChar(0) + QStringLiteral("*.xml") + QChar(0);
const QString kAllFilesFilter = QStringLiteral("All files") + QChar(0) + QStringLiteral("*") + QChar(0);
const QString kFolderKey = QStringLiteral("folder");

// A notice with its record's key and name as the grids show them.
Notice ShownNotice(const Notice& notice) {
    Notice shortened = notice;
    shortened.keyText = ShortenedText(notice.keyText);
    shortened.name = ShortenedText(notice.name);
    return shortened;
}

} // namespace

QString Form1::dialogFolder() {
    return DialogFolder(currentFilePath(), toolkit_.setting(QStringLiteral("option"), kFolderKey, QString()),
                        toolkit_.programFolder(), toolkit_.documentsFolder());
}

FileDialogRequest Form1::fileDialogRequest(int mode) {
    const bool open = mode == kOpenMode;
    return {this,
            mode,
            kDialogTitle,
            ProposedName(currentFilePath()),
            open ? kXmlFilter + kAllFilesFilter : kXmlFilter,
            dialogFolder(),
            open ? QString() : QStringLiteral("xml")};
}

void Form1::rememberFile(const QString& path, bool read) {
    if (path.isEmpty())
        return;
    if (const QFileInfo file(path); file.absoluteDir().exists())
        toolkit_.putSetting(QStringLiteral("option"), kFolderKey, file.absolutePath());
    if (read && QFileInfo::exists(path))
        recent_->add(path);
    fillRecentMenu();
}

void Form1::showNotice(const Notice& notice, const QString& path) {
    const QString text = QString::fromStdString(NoticeText(ShownNotice(notice), UiLanguage));
    switch (notice.kind) {
    case NoticeKind::CannotRead:
    case NoticeKind::ParseFailure:
        showBox(ReadFailureText(path, notice, UiLanguage), kExecutableName, Buttons::Ok, Icon::Critical);
        break;
    case NoticeKind::Stop:
        showBox(text, QStringLiteral("Error"), Buttons::Ok, Icon::Critical);
        break;
    case NoticeKind::OldVersion:
    case NoticeKind::Invalid:
    case NoticeKind::Duplicate:
        showBox(text, kApplicationTitle, Buttons::Ok, Icon::None);
        break;
    }
}

void Form1::mOpen_Click() {
    CancelAllEditors();
    if (AskToSaveChanges())
        return;
    const QString path = toolkit_.fileDialog(fileDialogRequest(kOpenMode));
    if (!path.isEmpty())
        openFile(path);
}

std::optional<Form1::FileRead> Form1::readFile(const QString& path) {
    FileRead read;
    NoticeLimit limit;
    try {
        read.completed = LoadConfigFile(
            path.toStdString(), *read.tables, read.version,
            [&](const Notice& notice) {
                read.readable = read.readable && notice.kind != NoticeKind::CannotRead &&
                                notice.kind != NoticeKind::ParseFailure;
                if (limit.letThrough(notice))
                    showNotice(notice, path);
            },
            &read.fingerprint);
    } catch (const std::exception& failure) {
        showBox(SystemFailureText(path, QString::fromStdString(failure.what())), kExecutableName, Buttons::Ok,
                Icon::Critical);
        return std::nullopt;
    }
    if (limit.heldBack() > 0)
        showBox(QString::fromStdString(HeldBackText(limit.heldBack(), UiLanguage)), kApplicationTitle,
                Buttons::Ok, Icon::None);
    return read;
}

void Form1::openFile(const QString& path) {
    if (!fileGuard_->offerLeftoverBackup(path))
        return;
    // Taken before the reading, so that a change made while the file is read shows at the next Save.
    const FileStamp stamp = StampOf(path.toStdString());
    std::optional<FileRead> read = readFile(path);
    if (!read)
        return;
    // A file that could not be read does not become the current one.
    const bool readable = read->readable;
    document_->putInPlace(std::move(read->tables),
                          {readable ? path : QString(), readable ? stamp : FileStamp{},
                           QString::fromStdString(read->version),
                           readable ? read->fingerprint : std::string()},
                          Document::Arrival::AsSaved);
    forgetEditsAndWidths();
    setStatus(QDir::toNativeSeparators(path) + QStringLiteral(" (V.") + ShownText(read->version) + ')');
    RefreshAllViews();
    rememberFile(path, readable);
}

bool Form1::offerRecovery() {
    std::optional<RecoveredConfiguration> recovered =
        OfferRecovery(document_->recoveryFile(), toolkit_, this, UiLanguage);
    if (!recovered)
        return false;
    // Unsaved changes of that file: its name in the title with the mark, and Save proposes it. The file
    // is as it is on disk now: Save replaces it without asking.
    CancelAllEditors();
    const QString& edited = recovered->editedFile;
    document_->putInPlace(std::move(recovered->tables), {edited, StampOf(edited.toStdString()), QString()},
                          Document::Arrival::Recovered);
    forgetEditsAndWidths();
    edited.isEmpty() ? showNewFileStatus() : setStatus(QDir::toNativeSeparators(edited));
    RefreshAllViews();
    rememberFile(edited, true);
    return true;
}

void Form1::mSave_Click() {
    CancelAllEditors();
    if (!leaveOutAsker_.allows(document_->tables(), UiLanguage, [this](const QString& question) {
            return showBox(question, kExecutableName, Buttons::YesNo, Icon::Question) == kAnswerYes;
        }))
        return;
    const QString chosen = toolkit_.fileDialog(fileDialogRequest(kSaveMode));
    if (chosen.isEmpty())
        return;
    const QString path = WithXmlExtension(chosen);
    if (!fileGuard_->mayReplaceNamed(chosen, path))
        return;
    // Refused, the window holds the only copy of what it shows: it stays marked until it is saved.
    if (!fileGuard_->mayReplaceChanged(path, currentFilePath(), document_->file().stamp))
        return document_->markModified();
    std::string fingerprint;
    if (!fileGuard_->write(path, [&] {
            std::string bytes = WriteConfig(document_->tables());
            fingerprint = Sha256Hex(bytes);
            return bytes;
        }))
        return;
    setStatus(QDir::toNativeSeparators(path));
    document_->savedAs(path, StampOf(path.toStdString()), fingerprint);
    rememberFile(path, true);
}

} // namespace velto
