#pragma once

#include "ConfigModel.h"

#include <string>

namespace velto::bench {

// Every slot of every table in use, as the editors could make it. The two variants differ in every
// text a grid shows except the keys.
ConfigModel MaximalModel(int variant = 0);
// The file of the maximal model with 100 MH200 scenarios added, as the reader meets it.
std::string MaximalConfigBytes();
// A file of about 50 MB: a million elements the reader ignores, thousands of records, most of them
// duplicates or out of range.
std::string HostileConfigBytes();

} // namespace velto::bench
