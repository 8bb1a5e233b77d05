// Whatever the reader takes from any bytes, the writer writes a file that reads back to the same file:
// read, write, read the written bytes, write again, and the two written files are identical.
#include "ConfReader.h"
#include "ConfWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

std::string ReadAndWrite(std::string_view bytes) {
    velto::ConfigModel model;
    std::string version;
    velto::LoadConfigBytes(bytes, model, version, [](const velto::Notice&) {});
    return velto::WriteConfig(model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string first = ReadAndWrite(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string second = ReadAndWrite(first);
    if (first != second) {
        std::fprintf(stderr, "written files differ:\n--- first\n%s\n--- second\n%s\n", first.c_str(),
                     second.c_str());
        std::abort();
    }
    return 0;
}
