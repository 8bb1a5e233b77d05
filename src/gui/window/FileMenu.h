#pragma once

#include "RecentFiles.h"
#include "Toolkit.h"

#include <QObject>
#include <functional>

class QMenu;

namespace velto {

class Document;

// The File menu's memory: the folder its dialogs start in, what the conf.xml dialogs ask, and the
// recent files submenu, whose entries open as Open would.
class FileMenu final : public QObject {
public:
    FileMenu(Toolkit& toolkit, QWidget* owner, const Document& document, QMenu* recentMenu,
             std::function<void(const QString&)> open, std::function<bool()> italian);

    // The current file's folder, else the folder last chosen, else the program's or the documents folder.
    QString dialogFolder() const;
    // The Open or Save dialog for a conf.xml file.
    FileDialogRequest xmlDialog(FileDialogMode mode) const;
    // A file chosen: its folder, when it exists, is where the dialogs start next; a file read or written
    // goes first among the recent files.
    void rememberFile(const QString& path, bool read);

private:
    void fillRecentMenu();
    void openRecent(const QString& path);

    Toolkit& toolkit_;
    QWidget* owner_;
    const Document& document_;
    QMenu* recentMenu_;
    RecentFiles recent_;
    std::function<void(const QString&)> open_;
    std::function<bool()> italian_;
};

} // namespace velto
