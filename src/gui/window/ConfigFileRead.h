#pragma once

#include "ConfigModel.h"

#include <QString>
#include <memory>
#include <optional>
#include <string>

namespace velto {

class EditorHost;

// A conf.xml read into tables of its own, with the SHA-256 of the bytes read.
struct ConfigFileRead {
    std::unique_ptr<ConfigModel> tables = std::make_unique<ConfigModel>();
    std::string version, fingerprint;
    bool readable = true;   // neither refused nor unparsable
    bool completed = false; // read to its end, without a stop
};

// Reads a file showing the reader's notices as Open shows them, in the host's language; nothing when a
// system failure stopped it, whose box it shows.
std::optional<ConfigFileRead> ReadConfigFile(EditorHost& host, const QString& path);

} // namespace velto
