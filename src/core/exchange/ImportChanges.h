#pragma once

#include "TableImport.h"

#include <set>

namespace velto {

// Counts in outcome what an import did to the table, record by record, comparing the configuration
// before and after: keys holds the keys the file named. A device's position is no change of its own,
// for the positions follow the addresses.
void CountChanges(const ConfigModel& before, const ConfigModel& after, TableId table,
                  const std::set<int>& keys, bool italian, ImportOutcome& outcome);

} // namespace velto
