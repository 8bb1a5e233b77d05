#include "Hints.h"

namespace velto {

const std::array<Hint, 5> kHints{{
    {"Tind", {"Indirizzo da 1 a 99, non multiplo di 10", "Address from 1 to 99, not a multiple of 10"}},
    {"TindW", {"Indirizzo da 4000 a 5000", "Address from 4000 to 5000"}},
    {"TindS",
     {"Indirizzo da 0 a 98; per un bus locale scegliere anche il bus",
      "Address from 0 to 98; for a local bus, choose the bus too"}},
    {"Czona", {"Zona da 1 a 99", "Zone from 1 to 99"}},
    {"Cpriori", {"Priorità da 1 a 16", "Priority from 1 to 16"}},
}};

} // namespace velto
