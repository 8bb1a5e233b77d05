// Open, Save and the recovered configuration: the file dialogs, the reader's notices as message boxes,
// the safe save; each puts its configuration in place through the document. A recent or dropped file
// opens as Open does.
#include "ConfReader.h"
#include "ConfWriter.h"
#include "FileGuard.h"
#include "FileLocations.h"
#include "FileMenu.h"
#include "FileMessages.h"
#include "Form1.h"
#include "NoticeLimit.h"
#include "RecoveryOffer.h"
#include "VersionKeeper.h"
#include "ShownText.h"
#include "WindowTexts.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace velto {
namespace {

// A notice with its record's key and name as the grids show them.
Notice ShownNotice(const Notice& notice) {
    Notice shortened = notice;
    shortened.keyText = ShortenedText(notice.keyText);
    shortened.name = ShortenedText(notice.name);
    return shortened;
}

// The reader's notice as its message box, in the language in force.
void ShowNotice(EditorHost& host, const Notice& notice, const QString& path) {
    const bool italian = host.isItalian();
    const QString text = QString::fromStdString(NoticeText(ShownNotice(notice), italian));
    switch (notice.kind) {
    case NoticeKind::CannotRead:
    case NoticeKind::ParseFailure:
        host.showBox(ReadFailureText(path, notice, italian), kExecutableName, Buttons::Ok, Icon::Critical);
        break;
    case NoticeKind::Stop:
        host.showBox(text, QStringLiteral("Error"), Buttons::Ok, Icon::Critical);
        break;
    case NoticeKind::OldVersion:
    case NoticeKind::Invalid:
    case NoticeKind::Duplicate:
        host.showBox(text, kApplicationTitle, Buttons::Ok, Icon::None);
        break;
    }
}

} // namespace

void Form1::openInsteadOfCurrent(const QString& path) {
    CancelAllEditors();
    if (!AskToSaveChanges())
        openFile(path);
}

void Form1::mOpen_Click() {
    CancelAllEditors();
    if (AskToSaveChanges())
        return;
    const QString path = toolkit_.fileDialog(fileMenu_->xmlDialog(FileDialogMode::Open));
    if (!path.isEmpty())
        openFile(path);
}

void Form1::openFile(const QString& path) {
    if (!fileGuard_->offerLeftoverBackup(path))
        return;
    // Taken before the reading, so that a change made while the file is read shows at the next Save.
    const FileStamp stamp = StampOf(path.toStdString());
    auto tables = std::make_unique<ConfigModel>();
    std::string version;
    bool readable = true;
    NoticeLimit limit;
    try {
        LoadConfigFile(path.toStdString(), *tables, version, [&](const Notice& notice) {
            readable =
                readable && notice.kind != NoticeKind::CannotRead && notice.kind != NoticeKind::ParseFailure;
            if (limit.letThrough(notice))
                ShowNotice(*editorHost_, notice, path);
        });
    } catch (const std::exception& failure) {
        editorHost_->showBox(SystemFailureText(path, QString::fromStdString(failure.what())), kExecutableName,
                             Buttons::Ok, Icon::Critical);
        return;
    }
    if (limit.heldBack() > 0)
        editorHost_->showBox(QString::fromStdString(HeldBackText(limit.heldBack(), UiLanguage)),
                             kApplicationTitle, Buttons::Ok, Icon::None);
    // A file that could not be read does not become the current one.
    const QString fileVersion = QString::fromStdString(version);
    document_->putInPlace(std::move(tables),
                          {readable ? path : QString(), readable ? stamp : FileStamp{}, fileVersion},
                          Document::Arrival::AsSaved);
    editors_.forgetEditsAndWidths();
    status_->show(QDir::toNativeSeparators(path) + QStringLiteral(" (V.") + ShownText(version) + ')');
    RefreshAllViews();
    fileMenu_->rememberFile(path, readable);
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
    editors_.forgetEditsAndWidths();
    edited.isEmpty() ? status_->showNewFile(texts_) : status_->show(QDir::toNativeSeparators(edited));
    RefreshAllViews();
    fileMenu_->rememberFile(edited, true);
    return true;
}

void Form1::mSave_Click() {
    CancelAllEditors();
    if (!leaveOutAsker_.allows(document_->tables(), UiLanguage, [this](const QString& question) {
            return editorHost_->showBox(question, kExecutableName, Buttons::YesNo, Icon::Question) ==
                   kAnswerYes;
        }))
        return;
    const QString chosen = toolkit_.fileDialog(fileMenu_->xmlDialog(FileDialogMode::Save));
    if (chosen.isEmpty())
        return;
    const QString path = WithXmlExtension(chosen);
    if (!fileGuard_->mayReplaceNamed(chosen, path))
        return;
    // Refused, the window holds the only copy of what it shows: it stays marked until it is saved.
    if (!fileGuard_->mayReplaceChanged(path, document_->file().path, document_->file().stamp))
        return document_->markModified();
    if (!fileGuard_->write(
            path, [this] { return WriteConfig(document_->tables()); },
            versionKeeper_->saver(document_->tables())))
        return;
    status_->show(QDir::toNativeSeparators(path));
    document_->savedAs(path, StampOf(path.toStdString()));
    fileMenu_->rememberFile(path, true);
}

} // namespace velto
