#include "LeaveOutAsker.h"

#include "UnwrittenText.h"

namespace velto {

bool LeaveOutAsker::allows(const ConfigModel& model, bool italian,
                           const std::function<bool(const QString&)>& ask) {
    // The records in English whatever the language, so that a switch of language does not ask again.
    const std::string records = LeaveOutNote(model, false);
    if (records.empty() || records == accepted_)
        return true;
    if (!ask(QString::fromStdString(LeaveOutQuestion(model, italian))))
        return false;
    accepted_ = records;
    return true;
}

} // namespace velto
