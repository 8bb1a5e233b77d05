#pragma once

#include <QStringList>

namespace velto {

class Toolkit;

// The files opened or saved last, newest first, kept in the settings (and told to the system, for
// its own lists of recent documents).
class RecentFiles {
public:
    static constexpr int kLimit = 8;

    explicit RecentFiles(Toolkit& toolkit);
    const QStringList& paths() const { return paths_; }
    // Puts the path first, once, and tells the system.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store();

    Toolkit& toolkit_;
    QStringList paths_;
};

} // namespace velto
