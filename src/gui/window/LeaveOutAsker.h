#pragma once

#include "ConfigModel.h"

#include <QString>
#include <functional>
#include <string>

namespace velto {

// The question before a Save that would leave out records the configuration holds. Once the user
// answers Yes, the same records are not asked about again.
class LeaveOutAsker {
public:
    // Whether to save: true when nothing is left out, or the user agrees (ask gets the question and
    // answers true for Yes).
    bool allows(const ConfigModel& model, bool italian, const std::function<bool(const QString&)>& ask);

private:
    std::string accepted_; // the records the user agreed to leave out
};

} // namespace velto
