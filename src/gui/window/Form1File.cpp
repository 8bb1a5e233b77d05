// Open and Save: the file dialogs, the reader's notices as message boxes, the safe save.
#include "ConfReader.h"
#include "ConfWriter.h"
#include "FileLocations.h"
#include "FileMessages.h"
#include "Form1.h"
#include "RecentFiles.h"
#include "SafeSave.h"

#include <QFile>
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

void Form1::setCurrentFile(const QString& path) {
    currentFile_ = path;
    if (!path.isEmpty()) {
        toolkit_.putSetting(QStringLiteral("option"), kFolderKey, QFileInfo(path).absolutePath());
        if (QFileInfo::exists(path))
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
    const bool completed = LoadConfigFile(QFile::encodeName(path).toStdString(), model_, version,
                                          [&](const Notice& notice) { showNotice(notice, path); });
    FileVersion = QString::fromStdString(version);
    return completed;
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
    try {
        readConfiguration(path); // replaces the configuration only once the reading has ended
    } catch (const std::exception& failure) {
        showBox(SystemFailureText(path, QString::fromLocal8Bit(failure.what())), kExecutableName, Buttons::Ok,
                Icon::Critical);
        return;
    }
    forgetEditsAndWidths();
    setStatus(path + QStringLiteral(" (V.") + FileVersion + ')');
    RefreshAllViews();
    setDirty(false);
    setCurrentFile(path);
    startHistory();
}

void Form1::mSave_Click() {
    CancelAllEditors();
    const QString chosen = toolkit_.fileDialog(fileDialogRequest(kSaveMode));
    if (chosen.isEmpty())
        return;
    const QString path = WithXmlExtension(chosen);
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), WriteConfig(model_), error)) {
        showBox(SystemFailureText(path, QString::fromLocal8Bit(error)), kExecutableName, Buttons::Ok,
                Icon::Critical);
        return;
    }
    setStatus(path);
    setDirty(false);
    setCurrentFile(path);
    markSaved();
}

} // namespace velto
