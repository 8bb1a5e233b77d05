// Open, Save and the recovered configuration: the file dialogs, the reader's notices as message boxes,
// the safe save; each puts its configuration in place through the document. A recent or dropped file
// opens as Open does.
#include "ConfWriter.h"
#include "ConfigFileRead.h"
#include "FileGuard.h"
#include "FileLocations.h"
#include "FileMenu.h"
#include "FileMessages.h"
#include "Form1.h"
#include "RecoveryOffer.h"
#include "Sha256.h"
#include "ShownText.h"
#include "VersionKeeper.h"
#include "WindowTexts.h"

#include <QDir>
#include <QFileInfo>

namespace velto {

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
    std::optional<ConfigFileRead> read = ReadConfigFile(*editorHost_, path);
    if (!read)
        return;
    // A file that could not be read does not become the current one.
    const bool readable = read->readable;
    document_->putInPlace(std::move(read->tables),
                          {readable ? path : QString(), readable ? stamp : FileStamp{},
                           QString::fromStdString(read->version),
                           readable ? read->fingerprint : std::string()},
                          Document::Arrival::AsSaved);
    editors_.forgetEditsAndWidths();
    status_->show(QDir::toNativeSeparators(path) + QStringLiteral(" (V.") + ShownText(read->version) + ')');
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
    std::string fingerprint;
    if (!fileGuard_->write(
            path,
            [&] {
                std::string bytes = WriteConfig(document_->tables());
                fingerprint = Sha256Hex(bytes);
                return bytes;
            },
            versionKeeper_->saver(document_->tables())))
        return;
    status_->show(QDir::toNativeSeparators(path));
    document_->savedAs(path, StampOf(path.toStdString()), fingerprint);
    fileMenu_->rememberFile(path, true);
}

} // namespace velto
