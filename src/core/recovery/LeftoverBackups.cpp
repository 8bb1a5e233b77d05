#include "LeftoverBackups.h"

#include "ConfReader.h"
#include "Words.h"

#include <algorithm>

namespace velto {
namespace {

constexpr TextPair kIncomplete{": copia incompleta", ": incomplete backup"};
constexpr TextPair kForeign{": copia di un altro utente, non usata", ": backup of another user, not used"};
constexpr TextPair kMore{"... e altre %1 (velto-conf check le elenca tutte)",
                         "... and %1 more (velto-conf check lists them all)"};
constexpr std::size_t kMostLines = 10;

// A backup reads as a configuration to its end; a part of one, or a file of another kind, does not.
bool ReadsAsConfiguration(const std::string& backup) {
    ConfigModel model;
    std::string version;
    bool broken = false;
    const bool completed = LoadConfigFile(backup, model, version, [&](const Notice& notice) {
        broken |= notice.kind == NoticeKind::CannotRead || notice.kind == NoticeKind::ParseFailure;
    });
    return completed && !broken;
}

} // namespace

ExaminedBackups ExamineBackups(const std::string& path, bool italian) {
    ExaminedBackups examined;
    for (LeftoverBackup& backup : FindLeftoverBackups(path)) {
        if (!backup.ownedByUser)
            examined.unusable.push_back(backup.path + std::string(kForeign.pick(italian)));
        else if (!ReadsAsConfiguration(backup.path))
            examined.unusable.push_back(backup.path + std::string(kIncomplete.pick(italian)));
        else
            examined.whole.push_back(std::move(backup));
    }
    return examined;
}

std::string UnusableBackupsText(const std::vector<std::string>& unusable, bool italian) {
    std::string text;
    for (std::size_t i = 0; i < std::min(unusable.size(), kMostLines); ++i)
        text += (i == 0 ? "" : "\n") + unusable[i];
    if (unusable.size() > kMostLines) {
        std::string more(kMore.pick(italian));
        more.replace(more.find("%1"), 2, std::to_string(unusable.size() - kMostLines));
        text += "\n" + more;
    }
    return text;
}

} // namespace velto
