#include "RecentDocuments.h"
#include "Win32.h"

#include <shlobj.h>
#include <windows.h>

namespace velto {

void AddToRecentDocuments(const std::string& path) {
    const std::wstring full = FullWidePath(path);
    if (!full.empty())
        ::SHAddToRecentDocs(SHARD_PATHW, full.c_str());
}

} // namespace velto
