#include "RecentFiles.h"

#include "RecentDocuments.h"
#include "Toolkit.h"

namespace velto {
namespace {

const QString kSection = QStringLiteral("recent");

QString Key(int index) {
    return QStringLiteral("file%1").arg(index + 1);
}

} // namespace

RecentFiles::RecentFiles(Toolkit& toolkit) : toolkit_(toolkit) {
    load();
}

void RecentFiles::load() {
    paths_.clear();
    for (int index = 0; index < kLimit; ++index) {
        const QString path = toolkit_.setting(kSection, Key(index), QString());
        if (!path.isEmpty() && !paths_.contains(path))
            paths_ << path;
    }
}

void RecentFiles::add(const QString& path) {
    load();
    paths_.removeAll(path);
    paths_.prepend(path);
    if (paths_.size() > kLimit)
        paths_.resize(kLimit);
    store();
    AddToRecentDocuments(path.toStdString());
}

void RecentFiles::remove(const QString& path) {
    load();
    paths_.removeAll(path);
    store();
}

void RecentFiles::store() {
    for (int index = 0; index < kLimit; ++index)
        toolkit_.putSetting(kSection, Key(index), paths_.value(index));
}

} // namespace velto
