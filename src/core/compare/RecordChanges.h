#pragma once

#include "ConfigModel.h"
#include "ExportTables.h"

#include <string>
#include <vector>

// What changed between two configurations, record by record: records are matched by their key (a
// device's address, a group's, load's, probe's, camera's or scenario's number), so two files that hold
// the same records in another order or layout have no changes between them.
namespace velto {

enum class ChangeKind { Added, Removed, Changed };

struct RecordChange {
    TableId table;
    int key;
    ChangeKind kind;
    bool operator==(const RecordChange&) const = default;
};

// Table by table in the order of kTableShapes, keys ascending. A record is there when its slot is in
// use; it changed when a field differs, except a device's position, which follows from the others.
std::vector<RecordChange> ChangedRecords(const ConfigModel& then, const ConfigModel& now);

// What happened to one record of the table: "added", "aggiunto", "eliminata" (a probe)...
std::string ChangeWord(TableId table, ChangeKind kind, bool italian);

// One line that says what the changes are, such as "2 devices added, 1 load changed" or
// "2 attuatori aggiunti, 1 carico modificato"; "no changes" / "nessuna modifica" when there are none.
std::string ChangeSummary(const std::vector<RecordChange>& changes, bool italian);

} // namespace velto
