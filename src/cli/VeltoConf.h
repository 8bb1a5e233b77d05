#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velto {

// The velto-conf command line: check, rewrite and export conf.xml files. Returns the exit status:
// 0 when no file gave a notice, 1 when some did but every file was read to its end, 2 when a file
// could not be opened or parsed, its reading stopped, or the command line was wrong.
int RunVeltoConf(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace velto
