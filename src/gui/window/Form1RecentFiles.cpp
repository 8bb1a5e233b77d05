// Other ways to open a file: the recent files menu, a file dropped on the window.
#include "FileMessages.h"
#include "Form1.h"
#include "RecentFiles.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

namespace velto {
namespace {

// The one local .xml file dropped, or empty text for anything else.
QString DroppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return QFileInfo(path).suffix().compare(QStringLiteral("xml"), Qt::CaseInsensitive) == 0 ? path
                                                                                             : QString();
}

} // namespace

void Form1::openInsteadOfCurrent(const QString& path) {
    CancelAllEditors();
    if (!AskToSaveChanges())
        openFile(path);
}

void Form1::fillRecentMenu() {
    // Later, not at once: this may run inside the triggered signal of one of these actions.
    for (QAction* old : mRecent->actions()) {
        mRecent->removeAction(old);
        old->deleteLater();
    }
    const QStringList& paths = recent_->paths();
    for (int index = 0; index < paths.size(); ++index) {
        const QString path = paths[index];
        QAction* action = mRecent->addAction(
            QStringLiteral("&%1 %2").arg(index + 1).arg(QDir::toNativeSeparators(path).replace('&', "&&")));
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    mRecent->setEnabled(!paths.isEmpty());
}

void Form1::openRecent(const QString& path) {
    if (QFileInfo::exists(path))
        return openInsteadOfCurrent(path);
    recent_->remove(path);
    fillRecentMenu();
    showBox(MissingFileText(path, UiLanguage), kExecutableName, Buttons::Ok, Icon::Critical);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openInsteadOfCurrent(path);
}

} // namespace velto
