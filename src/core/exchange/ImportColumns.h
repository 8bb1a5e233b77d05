#pragma once

#include "ExportTables.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The words a table file may use: the headings of its columns and the values the grids show, in either
// language, as the export and the grids write them.
namespace velto {

// A column a table file may hold: its export name and the heading the window writes in each language.
struct ImportColumn {
    std::string_view name;
    std::string_view italian;
    std::string_view english;
    std::string_view heading(bool useItalian) const { return useItalian ? italian : english; }
};

// The columns of a table: its export fields in their order, then those only a file may add (a camera's
// riser, a scenario's bus, as the grids and editors show them apart from the address).
std::span<const ImportColumn> ImportColumns(TableId table);

// The index in ImportColumns of the column a heading names, by its export name or either language's
// heading, case, accents and blanks around it ignored.
std::optional<std::size_t> ColumnOfHeading(TableId table, std::string_view heading);

// The names a column goes by, for a message: "'point', 'address' or 'indirizzo'".
std::string ColumnNames(const ImportColumn& column, bool italian);

// The table as the window exports it: the export's rows under the headings of the language.
ExportTable HeadedTable(const ConfigModel& model, TableId table, bool italian);

// A text for comparing words: lower case, without the accents of Latin letters, without blanks around.
std::string Folded(std::string_view text);

// The type code a cell names by its code or the grid's word ("on/off", "1D", "Autom."); none otherwise.
std::optional<std::string> DeviceTypeOfWord(std::string_view cell);
// Whether a camera riser cell names the local riser (the grid's "Pubblico"/"Local rise", or 2) or the
// private one ("Privato"/"Private", or 1); none otherwise.
std::optional<bool> LocalRiserOfWord(std::string_view cell);
// The bus a scenario bus cell names: 0 for the private bus ("privato", "Private", 0), 1..9 for a local
// one ("locale I=3", "local I=3", 3); none otherwise.
std::optional<int> ScenarioBusOfWord(std::string_view cell);

} // namespace velto
