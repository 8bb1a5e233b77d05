// Any bytes through the reader: no crash, no leak, and every notice can be shown in both languages.
#include "ConfReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velto::ConfigModel model;
    std::string version;
    std::size_t shown = 0;
    velto::LoadConfigBytes(std::string_view(reinterpret_cast<const char*>(data), size), model, version,
                           [&](const velto::Notice& notice) {
                               shown += velto::NoticeText(notice, true).size();
                               shown += velto::NoticeText(notice, false).size();
                           });
    volatile std::size_t keep = shown;
    (void)keep;
    return 0;
}
