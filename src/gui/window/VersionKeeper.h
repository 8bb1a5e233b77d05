#pragma once

#include "ConfigModel.h"
#include "FileGuard.h"
#include "Toolkit.h"

#include <functional>

namespace velto {

// Keeps the version each of the window's saves replaces, in the user's folder of versions. A version
// that cannot be kept does not stop the save; the first time in a session, a box says that versions
// are not being kept and why: a box, since the status bar shows the file saved the moment after.
class VersionKeeper {
public:
    VersionKeeper(Toolkit& toolkit, QWidget* owner, std::function<bool()> italian);

    // The save of the configuration now: the safe save, keeping the file it replaces first.
    FileGuard::Saver saver(const ConfigModel& now);

private:
    Toolkit& toolkit_;
    QWidget* owner_;
    std::function<bool()> italian_;
    bool told_ = false;
};

} // namespace velto
