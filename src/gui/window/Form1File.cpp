// Open and Save: the file dialogs, the reader's notices as message boxes, the safe save.
#include "ConfReader.h"
#include "ConfWriter.h"
#include "Form1.h"
#include "SafeSave.h"

#include <QCoreApplication>
#include <QFile>
#include <exception>

namespace velto {
namespace {

const QString kDialogTitle = QStringLiteral("File xml");
const QString kDefaultFileName = QStringLiteral("conf.xml");
const QString kXmlFilter = QStringLiteral("xml file") + QChar(0) + QStringLiteral("*.xml") + QChar(0);

} // namespace

QString Form1::executableFolder() const {
    return QCoreApplication::applicationDirPath();
}

void Form1::showNotice(const Notice& notice) {
    const QString text = QString::fromStdString(NoticeText(notice, UiLanguage));
    switch (notice.kind) {
    case NoticeKind::CannotRead:
    case NoticeKind::ParseFailure:
        showBox(text, kExecutableName, Buttons::Ok, Icon::Critical);
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

bool Form1::LoadConfigFile(const QString& path) {
    std::string version;
    const bool completed = velto::LoadConfigFile(QFile::encodeName(path).toStdString(), model_, version,
                                                 [this](const Notice& notice) { showNotice(notice); });
    FileVersion = QString::fromStdString(version);
    return completed;
}

void Form1::mOpen_Click() {
    CancelAllEditors();
    if (AskToSaveChanges())
        return;
    const QString path = toolkit_.fileDialog(
        {this, kOpenMode, kDialogTitle, kDefaultFileName, kXmlFilter, executableFolder(), QString()});
    if (path.isEmpty())
        return;
    try {
        LoadConfigFile(path); // replaces the configuration only once the reading has ended
    } catch (const std::exception& failure) {
        showBox(QString::fromLocal8Bit(failure.what()), kExecutableName, Buttons::Ok, Icon::Critical);
        return;
    }
    currentFilePath_ = path;
    setStatus(path + QStringLiteral(" (V.") + FileVersion + ')');
    RefreshAllViews();
    DirtyFlag = false;
}

void Form1::mSave_Click() {
    CancelAllEditors();
    const QString path = toolkit_.fileDialog(
        {this, kSaveMode, kDialogTitle, kDefaultFileName, kXmlFilter, executableFolder(), QString()});
    if (path.isEmpty())
        return;
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), WriteConfig(model_), error)) {
        showBox(QString::fromLocal8Bit(error), kExecutableName, Buttons::Ok, Icon::Critical);
        return;
    }
    currentFilePath_ = path;
    setStatus(path);
    DirtyFlag = false;
}

} // namespace velto
