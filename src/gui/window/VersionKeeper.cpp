#include "VersionKeeper.h"

#include "LanguageTable.h"
#include "Process.h"
#include "VersionedSave.h"
#include "Words.h"

#include <QDir>

namespace velto {
namespace {

constexpr TextPair kNotKept{"Le versioni sostituite dai salvataggi non vengono conservate in %1:\n%2",
                            "The versions that saves replace are not being kept in %1:\n%2"};

} // namespace

VersionKeeper::VersionKeeper(Toolkit& toolkit, QWidget* owner, std::function<bool()> italian)
    : toolkit_(toolkit), owner_(owner), italian_(std::move(italian)) {}

FileGuard::Saver VersionKeeper::saver(const ConfigModel& now) {
    return [this, &now](const std::string& path, std::string_view bytes, SaveError& error) {
        VersionStore store(UserVersionsRoot());
        std::string notKept;
        const bool saved = SaveKeepingVersion(store, path, bytes, now, error, notKept);
        if (!notKept.empty() && !std::exchange(told_, true)) {
            const bool italian = italian_();
            toolkit_.messageBox(
                owner_,
                ToQString(kNotKept.pick(italian))
                    .arg(QDir::toNativeSeparators(QString::fromStdString(FileName(store.root()))),
                         QString::fromStdString(notKept)),
                italian ? QStringLiteral("Attenzione") : QStringLiteral("Warning"), Buttons::Ok,
                Icon::Exclamation);
        }
        return saved;
    };
}

} // namespace velto
