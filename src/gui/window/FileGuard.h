#pragma once

#include "FileBytes.h"
#include "SafeSave.h"
#include "Toolkit.h"

#include <QString>
#include <functional>
#include <string>

namespace velto {

// What keeps the user's files whole around Open and Save: the safe save's failure box, the questions
// before replacing a file, the backup an unfinished save left behind. It asks, and marks nothing.
class FileGuard {
public:
    // How bytes reach the file at a path: the safe save, or one that does more around it.
    using Saver = std::function<bool(const std::string& path, std::string_view bytes, SaveError& error)>;

    FileGuard(Toolkit& toolkit, QWidget* owner, std::function<bool()> italian);

    // Writes what bytes gives through the safe save (or save, when given); on a failure, an exception
    // included, shows the critical box and answers false, the file as it was.
    bool write(const QString& path, const std::function<std::string()>& bytes, const Saver& save = {});
    // Whether the file a dialog chose, now named path with the extension the program added, may be
    // written: the dialog asked about the name chosen, so a different file that exists is replaced only
    // when the user says so.
    bool mayReplaceNamed(const QString& chosen, const QString& path);
    // Before Save replaces path: false when it is the current file (by name or identity), another
    // program changed it since it was opened or saved (stamp), and the user answers No.
    bool mayReplaceChanged(const QString& path, const QString& currentFile, const FileStamp& stamp);
    // Before Open: offers to restore a backup that an unfinished save left beside the file. False when
    // the Open must not go ahead.
    bool offerLeftoverBackup(const QString& path);

private:
    int ask(const QString& text, Buttons buttons, Icon icon);

    Toolkit& toolkit_;
    QWidget* owner_;
    std::function<bool()> italian_;
};

} // namespace velto
