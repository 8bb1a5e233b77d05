#pragma once

#include "ConfReader.h"
#include "ConfigModel.h"
#include "Notice.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// Shared by the core tests: test data, a reader run that keeps its notices, and notices as text.
namespace velto::test {

inline std::string DataPath(const std::string& relative) {
    return std::string(VELTO_TEST_DATA_DIR) + "/" + relative;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

inline std::unique_ptr<ConfigModel> EmptyModel() {
    return std::make_unique<ConfigModel>();
}

inline const char* KindName(NoticeKind kind) {
    switch (kind) {
    case NoticeKind::ParseFailure:
        return "ParseFailure";
    case NoticeKind::OldVersion:
        return "OldVersion";
    case NoticeKind::Invalid:
        return "Invalid";
    case NoticeKind::Duplicate:
        return "Duplicate";
    case NoticeKind::Stop:
        return "Stop";
    }
    return "?";
}

// "Invalid group msgGroupInvalid key=10 name=Lights"; a file-level notice is just its kind.
inline std::string Describe(const Notice& notice) {
    if (notice.kind == NoticeKind::ParseFailure || notice.kind == NoticeKind::OldVersion)
        return KindName(notice.kind);
    return std::string(KindName(notice.kind)) + " " + notice.section + " " +
           std::string(kReaderTexts[static_cast<std::size_t>(notice.message)].entry) +
           " key=" + notice.keyText + " name=" + notice.name;
}

struct LoadResult {
    std::unique_ptr<ConfigModel> model = EmptyModel();
    std::string version = "not set";
    std::vector<Notice> notices;
    bool complete = false;

    std::vector<std::string> Described() const {
        std::vector<std::string> lines;
        for (const Notice& notice : notices)
            lines.push_back(Describe(notice));
        return lines;
    }
};

inline LoadResult LoadBytes(std::string_view bytes) {
    LoadResult result;
    result.complete = LoadConfigBytes(bytes, *result.model, result.version,
                                      [&](const Notice& notice) { result.notices.push_back(notice); });
    return result;
}

inline LoadResult LoadFile(const std::string& path) {
    LoadResult result;
    result.complete = LoadConfigFile(path, *result.model, result.version,
                                     [&](const Notice& notice) { result.notices.push_back(notice); });
    return result;
}

} // namespace velto::test
