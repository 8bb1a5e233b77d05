#include "RecentDocuments.h"

namespace velto {

void AddToRecentDocuments(const std::string&) {}

} // namespace velto
