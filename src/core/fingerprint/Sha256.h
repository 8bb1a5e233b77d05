#pragma once

#include <string>
#include <string_view>

// The SHA-256 digest that ties a report or a kept version to the exact bytes of a file.
namespace velto {

// The digest of the bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

} // namespace velto
