#pragma once

#include "ConfigModel.h"
#include "RecoveryFile.h"

#include <QString>
#include <optional>

namespace velto {

// Why the recovery file could not be written: the folder and the system's reason.
struct RecoveryFailure {
    QString folder, reason;
};

// Keeps this process's recovery file in step with the tables; a failure is answered once each time
// writing stops working, not at every step.
class RecoveryWriter {
public:
    explicit RecoveryWriter(RecoveryFile file) : file_(std::move(file)) {}

    std::optional<RecoveryFailure> write(const ConfigModel& tables, const QString& editedFile);
    void remove() { file_.remove(); }
    const RecoveryFile& file() const { return file_; }

private:
    RecoveryFile file_;
    bool failing_ = false;
};

} // namespace velto
