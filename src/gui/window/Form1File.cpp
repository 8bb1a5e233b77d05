// Open and Save: the file dialogs, the reader's notices as message boxes, the safe save.
#include "ConfReader.h"
#include "ConfWriter.h"
#include "FileLocations.h"
#include "FileMessages.h"
#include "Form1.h"
#include "NoticeLimit.h"
#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace velto {
namespace {

const QString kDialogTitle = QStringLiteral("File xml");
const QString kXmlFilter = QStringLiteral("xml file") + QChar(0) + QStringLiteral("*.xml") + QChar(0);
const QString kAllFilesFilter = QStringLiteral("All files") + QChar(0) + QStringLiteral("*") + QChar(0);
const QString kFolderKey = QStringLiteral("folder");

} // namespace

QString Form1::dialogFolder() {
    return DialogFolder(currentFile_, toolkit_.setting(QStringLiteral("option"), kFolderKey, QString()),
                        toolkit_.programFolder(), toolkit_.documentsFolder());
}

FileDialogRequest Form1::fileDialogRequest(int mode) {
    return {this,
            mode,
            kDialogTitle,
            ProposedName(currentFile_),
            mode == kOpenMode ? kXmlFilter + kAllFilesFilter : kXmlFilter,
            dialogFolder(),
            mode == kOpenMode ? QString() : QStringLiteral("xml")};
}

bool Form1::mayReplace(const QString& chosen, const QString& path) {
    const QFileInfo target(path);
    return path == chosen || !(target.exists() || target.isSymLink()) ||
           showBox(ReplaceQuestionText(path, UiLanguage), kExecutableName, Buttons::YesNo, Icon::Question) ==
               kAnswerYes;
}

void Form1::setCurrentFile(const QString& path, bool readable) {
    currentFile_ = readable ? path : QString();
    if (currentFile_.isEmpty())
        currentStamp_ = {};
    if (!path.isEmpty()) {
        if (const QFileInfo file(path); file.absoluteDir().exists())
            toolkit_.putSetting(QStringLiteral("option"), kFolderKey, file.absolutePath());
        if (readable && QFileInfo::exists(path))
            recent_->add(path);
        fillRecentMenu();
    }
    showFileInTitle();
}

void Form1::showNotice(const Notice& notice, const QString& path) {
    const QString text = QString::fromStdString(NoticeText(notice, UiLanguage));
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

bool Form1::readConfiguration(const QString& path) {
    std::string version;
    bool readable = true;
    NoticeLimit limit;
    LoadConfigFile(path.toStdString(), model_, version, [&](const Notice& notice) {
        readable =
            readable && notice.kind != NoticeKind::CannotRead && notice.kind != NoticeKind::ParseFailure;
        if (limit.letThrough(notice))
            showNotice(notice, path);
    });
    if (limit.heldBack() > 0)
        showBox(QString::fromStdString(HeldBackText(limit.heldBack(), UiLanguage)), kApplicationTitle,
                Buttons::Ok, Icon::None);
    FileVersion = QString::fromStdString(version);
    return readable;
}

void Form1::mOpen_Click() {
    CancelAllEditors();
    if (AskToSaveChanges())
        return;
    const QString path = toolkit_.fileDialog(fileDialogRequest(kOpenMode));
    if (!path.isEmpty())
        openFile(path);
}

void Form1::openFile(const QString& path) {
    if (!offerLeftoverBackup(path))
        return;
    // Taken before the reading, so that a change made while the file is read shows at the next Save.
    const FileStamp stamp = StampOf(path.toStdString());
    bool readable = false;
    try {
        readable = readConfiguration(path); // replaces the configuration only once the reading has ended
    } catch (const std::exception& failure) {
        showBox(SystemFailureText(path, QString::fromStdString(failure.what())), kExecutableName, Buttons::Ok,
                Icon::Critical);
        return;
    }
    forgetEditsAndWidths();
    setStatus(QDir::toNativeSeparators(path) + QStringLiteral(" (V.") + FileVersion + ')');
    RefreshAllViews();
    setDirty(false);
    currentStamp_ = stamp;
    setCurrentFile(path, readable);
    startHistory();
}

void Form1::mSave_Click() {
    CancelAllEditors();
    if (!leaveOutAsker_.allows(model_, UiLanguage, [this](const QString& question) {
            return showBox(question, kExecutableName, Buttons::YesNo, Icon::Question) == kAnswerYes;
        }))
        return;
    const QString chosen = toolkit_.fileDialog(fileDialogRequest(kSaveMode));
    if (chosen.isEmpty())
        return;
    const QString path = WithXmlExtension(chosen);
    if (!mayReplace(chosen, path) || !mayReplaceCurrentFile(path) ||
        !writeFile(path, [this] { return WriteConfig(model_); }))
        return;
    setStatus(QDir::toNativeSeparators(path));
    setDirty(false);
    currentStamp_ = StampOf(path.toStdString());
    setCurrentFile(path);
    markSaved();
}

} // namespace velto
