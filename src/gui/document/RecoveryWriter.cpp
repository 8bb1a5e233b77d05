#include "RecoveryWriter.h"

#include <QDir>

namespace velto {

std::optional<RecoveryFailure> RecoveryWriter::write(const ConfigModel& tables, const QString& editedFile) {
    std::string error;
    const bool wasFailing = std::exchange(failing_, !file_.write(tables, editedFile.toStdString(), error));
    if (!failing_ || wasFailing)
        return std::nullopt;
    return RecoveryFailure{QDir::toNativeSeparators(QString::fromStdU16String(file_.folder().u16string())),
                           QString::fromStdString(error)};
}

} // namespace velto
