#include "Words.h"

#include "ConfigModel.h"

#include <charconv>

namespace velto {

Word RiserWord(const std::string& storedCameraAddress) {
    return IsOnLocalRiser(storedCameraAddress) ? Word::localRiserText : Word::privateRiserText;
}

std::string DeviceTypeText(const std::string& code) {
    for (const DeviceType& type : kDeviceTypes) {
        if (code == type.code)
            return type.displayName;
    }
    return code;
}

std::string BusItemText(int bus, bool italian) {
    if (bus == 0)
        return italian ? "privato" : std::string(WordText(Word::privateRiserText, false));
    return (italian ? "locale I=" : "local I=") + std::to_string(bus);
}

int ScenarioBus(const std::string& storedScenarioAddress) {
    const std::string_view mark = kLocalBusMark;
    const std::string_view stored = storedScenarioAddress;
    if (stored.size() < mark.size() + 1 ||
        stored.substr(stored.size() - 1 - mark.size(), mark.size()) != mark)
        return 0;
    const char digit = stored.back();
    return digit >= '1' && digit <= '9' ? digit - '0' : 0;
}

std::string FilledText(const TextPair& text, bool italian, std::span<const std::string_view> values) {
    std::string filled;
    filled.reserve(text.pick(italian).size() + 64);
    filled = text.pick(italian);
    std::size_t index = 0;
    for (const std::string_view value : values) {
        char digits[8];
        const auto end = std::to_chars(digits + 1, digits + sizeof digits, ++index).ptr;
        digits[0] = '%';
        const std::string_view mark(digits, std::size_t(end - digits));
        if (const std::size_t at = filled.find(mark); at != std::string::npos)
            filled.replace(at, mark.size(), value);
    }
    return filled;
}

} // namespace velto
