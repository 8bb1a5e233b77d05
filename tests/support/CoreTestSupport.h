#pragma once

#include "ConfReader.h"
#include "ConfigModel.h"
#include "Notice.h"
#include "SafeSave.h"
#include "TableImport.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>
#ifdef _WIN32
#include "Win32.h"
#endif

// Shared by the core and command-line tests: test data, and a reading's notices and tables as text.
namespace velto::test {

using Lines = std::vector<std::string>;

// What the system says of a failure: the errno value's text, or on Windows the Win32 code's when one is
// given (the calls there report their own codes).
inline std::string Says(int error, [[maybe_unused]] unsigned long windowsError = 0) {
#ifdef _WIN32
    if (windowsError != 0)
        return Win32ErrorText(windowsError);
#endif
    return std::generic_category().message(error);
}

// The n-th call of write or sync (counting from 1) fails with error, or kills the process (error 0).
struct Fault {
    char call = 0; // 'w' or 's'
    int at = 0, error = 0;
    bool namedTemporaries = false;
};

// The system's save calls, but for the fault.
inline SaveDevice FaultyDevice(const Fault& fault) {
    const auto calls = std::make_shared<std::array<int, 2>>();
    const auto faulty = [fault, calls](char call) {
        if (call != fault.call || ++(*calls)[call == 's'] != fault.at)
            return false;
#ifndef _WIN32
        if (fault.error == 0)
            ::raise(SIGKILL);
#endif
        errno = fault.error;
        return true;
    };
    const SaveDevice& system = SystemSaveDevice();
    return {[=, &system](int fd, const void* data, std::size_t size) {
                return faulty('w') ? -1 : system.write(fd, data, size);
            },
            [=, &system](int fd) { return faulty('s') ? -1 : system.sync(fd); }, !fault.namedTemporaries};
}

// A new folder in the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        while (!std::filesystem::create_directory(path = base / ("velto-test-" + std::to_string(random()))))
            ;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path / name; }

    std::filesystem::path path;
};

// The piece count times over.
inline std::string Repeat(const std::string& piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

inline std::string DataPath(const std::string& relative) {
    return std::string(VELTO_TEST_DATA_DIR) + "/" + relative;
}

// A conf.xml holding the body, as the program writes one.
inline std::string Doc(const std::string& body, const std::string& version = "1.0.4") {
    return "<ACTUATOR>\r\n<version number=\"" + version + "\"></version>\r\n" + body + "</ACTUATOR>\r\n";
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// "Invalid group msgGroupInvalid key=10 name=Lights"; "ParseFailure <reason>"; "OldVersion".
inline std::string Describe(const Notice& notice) {
    static const char* const kinds[] = {"CannotRead", "ParseFailure", "OldVersion",
                                        "Invalid",    "Duplicate",    "Stop"};
    const std::string kind = kinds[static_cast<int>(notice.kind)];
    if (!notice.reason.empty() || notice.kind == NoticeKind::OldVersion)
        return notice.reason.empty() ? kind : kind + " " + notice.reason;
    return kind + " " + notice.section + " " +
           std::string(kReaderTexts[static_cast<std::size_t>(notice.message)].entry) +
           " key=" + notice.keyText + " name=" + notice.name;
}

// Every slot whose text is not an empty one's, in file order: "device 12 #1 'Lamp' type=1 group=3
// dimmer=200 pull", "group 1 'G'", "camera 2 'Cam' 4100#2", "scmh200 3 'S' on=0099 off=9999".
inline Lines Dump(const ConfigModel& m) {
    Lines lines;
    auto add = [&](const char* table, const auto& slots, auto text) {
        const std::string empty = text(std::decay_t<decltype(slots[0])>{});
        for (std::size_t i = 0; i < slots.size(); ++i)
            if (const std::string line = text(slots[i]); line != empty)
                lines.push_back(std::string(table) + " " + std::to_string(i) + line);
    };
    add("device", m.DeviceTable, [](const DeviceRecord& d) {
        return " #" + std::to_string(d.inUse) + " '" + d.name + "' type=" + d.typeCode +
               (d.group ? " group=" + std::to_string(d.group) : "") +
               (d.dimmer ? " dimmer=" + std::to_string(d.dimmer) : "") + (d.pull ? " pull" : "");
    });
    auto name = [](const std::string& name) { return " '" + name + "'"; };
    add("group", m.GroupTable, name);
    add("load", m.LoadTable, name);
    add("aux", m.AuxTable, name);
    add("probe", m.ProbeTable, name);
    auto addressed = [](const auto& r) { return " '" + r.name + "' " + r.address; };
    add("camera", m.CameraTable, addressed);
    add("scf420", m.ScenarioTable, addressed);
    add("scmh200", m.Mh200ScenarioTable, [](const Mh200Record& s) {
        return " '" + s.name + "' on=" + s.cenActivation + " off=" + s.cenDeactivation;
    });
    return lines;
}

// The lines of Dump that belong to the table: "device ...", "load ...".
inline Lines DumpTable(const ConfigModel& m, TableId table) {
    static const char* const elements[] = {"device ", "group ",  "load ",  "aux ",
                                           "probe ",  "camera ", "scf420 "};
    Lines lines;
    for (const std::string& line : Dump(m))
        if (line.starts_with(elements[std::size_t(table)]))
            lines.push_back(line);
    return lines;
}

// "LINE: text" for each row's note, with the words given between the line and the text.
inline void AddNotes(Lines& lines, const std::vector<RowNote>& notes, const std::string& between = ": ") {
    for (const RowNote& row : notes)
        lines.push_back(std::to_string(row.line) + between + row.text);
}

struct Reading {
    std::unique_ptr<ConfigModel> model = std::make_unique<ConfigModel>();
    std::string version = "not set";
    Lines notices;
    bool complete = false;
};

// Reads the bytes, or the file at the path.
inline Reading Load(const std::string& bytesOrPath, bool fromFile = false) {
    Reading r;
    const NoticeSink sink = [&r](const Notice& notice) { r.notices.push_back(Describe(notice)); };
    r.complete = fromFile ? LoadConfigFile(bytesOrPath, *r.model, r.version, sink)
                          : LoadConfigBytes(bytesOrPath, *r.model, r.version, sink);
    return r;
}

} // namespace velto::test
