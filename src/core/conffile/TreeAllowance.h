#pragma once

#include <cstddef>

namespace velto {

// Memory of the document tree. A conf.xml is a few kilobytes; a document tree costs about 64 bytes per
// element and 40 per attribute, so a hostile file made of nothing but tiny elements would take many
// times its own size in memory. While an allowance exists, the XML parser on its thread may take for
// the tree at most three times the file's bytes (and never less than 64 MiB), so that the file and its
// tree stay within four times its size; past that the parser is refused memory and the file is
// reported as unreadable, with the parser's own description.
class TreeAllowance {
public:
    explicit TreeAllowance(std::size_t fileSize);
    ~TreeAllowance();
    TreeAllowance(const TreeAllowance&) = delete;
    TreeAllowance& operator=(const TreeAllowance&) = delete;

private:
    std::size_t remaining_;
};

} // namespace velto
