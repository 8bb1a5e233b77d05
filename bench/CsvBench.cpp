// A CSV file of one 60 MB line of separators through the importer, whose memory the benchmark's main
// weighs in a child process of its own, against the file's size.
#include "HostileFile.h"
#include "TableImport.h"

#include <string>

namespace velto::bench {

std::size_t OneLineCsvSize() {
    return std::size_t{60} << 20;
}

bool ImportOneLineCsv() {
    const std::string csv(OneLineCsvSize(), ',');
    return !ImportTable(ConfigModel(), csv, {TableId::Devices}).refused.empty();
}

} // namespace velto::bench
