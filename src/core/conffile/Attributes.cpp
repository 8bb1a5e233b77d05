#include "Attributes.h"

#include "TextEncoding.h"

#include <optional>

namespace velto {
namespace {

// Whether a NUL-terminated name, after the first character already matched, is the given name.
bool RestIs(const char* name, std::string_view expected) {
    for (std::size_t i = 1; i < expected.size(); ++i) {
        if (name[i] != expected[i])
            return false;
    }
    return name[expected.size()] == '\0';
}

std::optional<Attr> Recognise(const char* name) {
    const auto is = [name](std::string_view candidate) { return RestIs(name, candidate); };
    switch (name[0]) {
    case 'n':
        return is("name") ? Attr::name : is("number") ? std::optional(Attr::number) : std::nullopt;
    case 'p':
        return is("point")      ? Attr::point
               : is("pull")     ? std::optional(Attr::pull)
               : is("priority") ? std::optional(Attr::priority)
                                : std::nullopt;
    case 'g':
        return is("group") ? std::optional(Attr::group) : std::nullopt;
    case 't':
        return is("type") ? std::optional(Attr::type) : std::nullopt;
    case 'd':
        return is("dimmer") ? std::optional(Attr::dimmer) : std::nullopt;
    case 'a':
        return is("adr") ? std::optional(Attr::adr) : std::nullopt;
    case 'c':
        return is("cenact") ? Attr::cenact : is("cendis") ? std::optional(Attr::cendis) : std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

Attributes::Attributes(const pugi::xml_node& node, bool plainText, DecodedValues& decoded) {
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
        const std::optional<Attr> which = Recognise(attribute.name());
        if (!which || has(*which))
            continue;
        const auto index = std::size_t(*which);
        const std::string_view value = attribute.value();
        if (plainText || IsPlainAttributeValue(value)) {
            values_[index] = value;
        } else {
            decoded[index] = AttributeValueToUtf8(value);
            values_[index] = decoded[index];
        }
    }
}

} // namespace velto
