#pragma once

#include <array>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace velto {

// The attributes the reader looks at, found in one pass over an element's attributes, as UTF-8 text.
// The first of each name counts, as a lookup by name would find it. The file is parsed without
// replacing references, and each value is decoded on its own, so that one value in an old code page
// does not change how the others read; a value that needs no decoding is used where it lies.
enum class Attr { name, point, group, pull, type, dimmer, priority, number, adr, cenact, cendis, Count };

// Where the decoded values are kept; the reader keeps one, so its buffers are reused.
using DecodedValues = std::array<std::string, std::size_t(Attr::Count)>;

class Attributes {
public:
    // plainText: the whole text parsed is ASCII without any "&", so no value needs a look of its own.
    Attributes(const pugi::xml_node& node, bool plainText, DecodedValues& decoded);

    // A present attribute's view is never null, even when its value is empty.
    bool has(Attr which) const { return values_[std::size_t(which)].data() != nullptr; }
    // The attribute's value; empty text when the element has no such attribute.
    std::string_view operator[](Attr which) const { return values_[std::size_t(which)]; }

private:
    std::array<std::string_view, std::size_t(Attr::Count)> values_{};
};

} // namespace velto
