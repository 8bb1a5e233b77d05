#include "FileMenu.h"

#include "Document.h"
#include "FileLocations.h"
#include "FileMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace velto {
namespace {

const QString kDialogTitle = QStringLiteral("File xml");
const QString kXmlFilter = QStringLiteral("xml file") + QChar(0) + QStringLiteral("*.xml") + QChar(0);
const QString kAllFilesFilter = QStringLiteral("All files") + QChar(0) + QStringLiteral("*") + QChar(0);
const QString kFolderKey = QStringLiteral("folder");

} // namespace

FileMenu::FileMenu(Toolkit& toolkit, QWidget* owner, const Document& document, QMenu* recentMenu,
                   std::function<void(const QString&)> open, std::function<bool()> italian)
    : QObject(owner), toolkit_(toolkit), owner_(owner), document_(document), recentMenu_(recentMenu),
      recent_(toolkit), open_(std::move(open)), italian_(std::move(italian)) {
    fillRecentMenu();
}

QString FileMenu::dialogFolder() const {
    return DialogFolder(document_.file().path,
                        toolkit_.setting(QStringLiteral("option"), kFolderKey, QString()),
                        toolkit_.programFolder(), toolkit_.documentsFolder());
}

FileDialogRequest FileMenu::xmlDialog(FileDialogMode mode) const {
    const bool open = mode == FileDialogMode::Open;
    return {owner_,
            mode,
            kDialogTitle,
            ProposedName(document_.file().path),
            open ? kXmlFilter + kAllFilesFilter : kXmlFilter,
            dialogFolder(),
            open ? QString() : QStringLiteral("xml")};
}

void FileMenu::rememberFile(const QString& path, bool read) {
    if (path.isEmpty())
        return;
    if (const QFileInfo file(path); file.absoluteDir().exists())
        toolkit_.putSetting(QStringLiteral("option"), kFolderKey, file.absolutePath());
    if (read && QFileInfo::exists(path))
        recent_.add(path);
    fillRecentMenu();
}

void FileMenu::fillRecentMenu() {
    // Later, not at once: this may run inside the triggered signal of one of these actions.
    for (QAction* old : recentMenu_->actions()) {
        recentMenu_->removeAction(old);
        old->deleteLater();
    }
    const QStringList& paths = recent_.paths();
    for (int index = 0; index < paths.size(); ++index) {
        const QString path = paths[index];
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(index + 1).arg(QDir::toNativeSeparators(path).replace('&', "&&")));
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    recentMenu_->setEnabled(!paths.isEmpty());
}

void FileMenu::openRecent(const QString& path) {
    if (QFileInfo::exists(path))
        return open_(path);
    recent_.remove(path);
    fillRecentMenu();
    toolkit_.messageBox(owner_, MissingFileText(path, italian_()), kExecutableName, Buttons::Ok,
                        Icon::Critical);
}

} // namespace velto
