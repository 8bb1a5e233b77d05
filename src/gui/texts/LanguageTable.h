#pragma once

#include <QString>
#include <array>
#include <string_view>

// The interface in two languages: one table of (Italian, English) pairs for the words the program
// uses in its views and questions, one for the captions a language switch writes.
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

// A caption written by a switch: the control's name with either its own pair of texts or a word.
struct Caption {
    std::string_view control;
    TextPair text;
    Word word = Word::Count; // when set, the caption is this word
    int tab = -1;            // the index of a tab of STab, whose caption this is
};

// In the order a switch writes them: menus, tabs, buttons, the group frame, then the labels.
extern const std::array<Caption, 57> kCaptions;

// The words in force, rewritten by each language switch.
class UiTexts {
public:
    void load(bool italian);
    const QString& operator[](Word word) const { return values_[static_cast<std::size_t>(word)]; }

private:
    std::array<QString, static_cast<std::size_t>(Word::Count)> values_;
};

QString ToQString(std::string_view text);

} // namespace velto
