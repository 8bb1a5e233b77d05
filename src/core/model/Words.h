#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// The words the program shows in its views and questions, as (Italian, English) pairs. The window's
// language tables and the installation report both read them from here.
namespace velto {

enum class Word {
    newFileStatus,
    nameWord,
    addressWord,
    busWord,
    numberWord,
    zoneWord,
    priorityWord,
    groupWord,
    typeWord,
    privateRiserText,
    localRiserText,
    deviceCountWord,
    loadCountWord,
    probeCountWord,
    scenarioCountWord,
    askDeleteDevice,
    askDeleteLoad,
    askDeleteProbe,
    askDeleteCamera,
    askDeleteScenario,
    Count
};

struct TextPair {
    std::string_view italian;
    std::string_view english;
    std::string_view pick(bool useItalian) const { return useItalian ? italian : english; }
};

inline constexpr std::array<TextPair, static_cast<std::size_t>(Word::Count)> kWords{{
    {"Nuovo file", "New file"},
    {"nome", "name"},
    {"indirizzo", "address"},
    {"montante", "bus"},
    {"numero", "number"},
    {"zona", "zone"},
    {"priorità", "priority"},
    {"gruppo", "group"},
    {"Tipo", "type"},
    {"Privato", "Private"},
    {"Pubblico", "Local rise"},
    {"Attuatori", "Device"},
    {"Carichi", "Load"},
    {"Sonde", "Probe"},
    {"Scenari", "Scenario"},
    {"Eliminare l'attuatore", "Do you want delete device"},
    {"Eliminare il carico", "Do you want delete load"},
    {"Eliminare la sonda", "Do you want delete probe"},
    {"Eliminare la camera", "Do you want delete camera"},
    {"Eliminare lo scenario", "Do you want delete scenario"},
}};

// The text with %1, %2... replaced by the values.
std::string FilledText(const TextPair& text, bool italian, std::span<const std::string_view> values);
inline std::string FilledText(const TextPair& text, bool italian,
                              std::initializer_list<std::string_view> values) {
    return FilledText(text, italian, std::span<const std::string_view>(values.begin(), values.size()));
}

inline std::string_view WordText(Word word, bool italian) {
    return kWords[static_cast<std::size_t>(word)].pick(italian);
}

// The riser word of a camera from its stored address.
Word RiserWord(const std::string& storedCameraAddress);

// The name of a stored device type code ("dimmer", "autom.", "on/off"); an unknown code is itself.
std::string DeviceTypeText(const std::string& code);

// The bus of a scenario as the bus list names it: the private bus (0) or a local bus 1..9.
std::string BusItemText(int bus, bool italian);
// The bus of a stored scenario address: 0 for the private bus, else the digit after "#4#".
int ScenarioBus(const std::string& storedScenarioAddress);

} // namespace velto
