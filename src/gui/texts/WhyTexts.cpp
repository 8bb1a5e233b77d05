#include "WhyTexts.h"

namespace velto {
namespace {

constexpr std::array<TextPair, std::size_t(Why::Count)> kWhyTexts{{
    {"", ""},
    {"manca il nome", "a name is needed"},
    {"manca il tipo", "a type is needed"},
    {"manca l'indirizzo", "an address is needed"},
    {"l'indirizzo non può essere 0", "the address cannot be 0"},
    {"l'indirizzo non può finire con 0", "the address cannot end in 0"},
    {"manca la priorità", "a priority is needed"},
    {"manca la zona", "a zone is needed"},
    {"manca il numero", "a number is needed"},
    {"manca il montante", "a bus is needed"},
    {"l'indirizzo va da 4000 a 5000", "the address goes from 4000 to 5000"},
    {"l'indirizzo va da 0 a 98", "the address goes from 0 to 98"},
    {"l'indirizzo %1 è già usato da «%2»", "address %1 is already used by «%2»"},
    {"la priorità %1 è già usata da «%2»", "priority %1 is already used by «%2»"},
    {"la zona %1 è già usata da «%2»", "zone %1 is already used by «%2»"},
    {"il numero %1 è già usato da «%2»", "number %1 is already used by «%2»"},
}};

} // namespace

QString WhyText(Why why, bool italian) {
    return ToQString(kWhyTexts[std::size_t(why)].pick(italian));
}

Why KeyTaken(int tab) {
    constexpr std::array<Why, 5> taken{Why::AddressTaken, Why::PriorityTaken, Why::ZoneTaken,
                                       Why::NumberTaken, Why::NumberTaken};
    return taken[std::size_t(tab)];
}

} // namespace velto
