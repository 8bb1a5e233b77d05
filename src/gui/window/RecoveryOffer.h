#pragma once

#include "ConfigModel.h"
#include "RecoveryFile.h"
#include "Toolkit.h"

#include <QString>
#include <memory>
#include <optional>

namespace velto {

// A configuration taken back from a recovery file, and the file it was a change of ("" for one never
// saved).
struct RecoveredConfiguration {
    std::unique_ptr<ConfigModel> tables;
    QString editedFile;
};

// At start-up: asks about each recovery file that a program no longer running left beside own, newest
// first, and answers the first one the user takes. Those refused are removed, and so are those that
// cannot be read, with one warning for them all.
std::optional<RecoveredConfiguration> OfferRecovery(const RecoveryFile& own, Toolkit& toolkit, QWidget* owner,
                                                    bool italian);

} // namespace velto
