#include "VeltoConf.h"

#include "ConfReader.h"
#include "ConfWriter.h"
#include "CsvRead.h"
#include "DiffJson.h"
#include "Differences.h"
#include "ExportCsv.h"
#include "ExportJson.h"
#include "FileBytes.h"
#include "LeftoverBackups.h"
#include "Process.h"
#include "ReportDocument.h"
#include "ReportHtml.h"
#include "SafeSave.h"
#include "TableImport.h"
#include "TextEncoding.h"
#include "UnwrittenText.h"
#include "VersionedSave.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>

namespace velto {
namespace {

constexpr int kClean = 0;
constexpr int kNotices = 1;
constexpr int kFailed = 2;

const char* const kUsage =
    "usage: velto-conf check [--lang eng|ita] [--fingerprint] FILE...\n"
    "       velto-conf rewrite [--lang eng|ita] IN OUT   (OUT may be - for standard output)\n"
    "       velto-conf export [--format json|csv] [--table NAME] [--separator C] [--raw] FILE\n"
    "       velto-conf import [--lang eng|ita] [--separator C] [--update | --replace]\n"
    "                         [--drop-unsaved] --table NAME FILE.csv CONF.xml [-o OUT.xml]\n"
    "       velto-conf report [--lang eng|ita] [--customer TEXT] [--site TEXT] [--installer TEXT]\n"
    "                         [--company TEXT] [--date TEXT] [--notes TEXT] FILE [-o OUT.html]\n"
    "       velto-conf versions [--lang eng|ita] [--keep N] [FILE [--restore N -o OUT]]\n"
    "       velto-conf diff [--lang eng|ita] [--format text|json] A.xml B.xml\n"
    "       velto-conf --help | --version\n"
    "\n"
    "check    reads each file as the window's Open does and prints every notice it gives;\n"
    "         --fingerprint also prints the SHA-256 of its bytes and its name, as sha256sum does\n"
    "rewrite  reads IN as check does, then writes it to OUT in the current format, naming each\n"
    "         record it leaves out (exit status 1)\n"
    "export   prints the tables read from FILE as JSON, or one table as CSV (--format csv\n"
    "         --table devices|groups|loads|auxiliaries|probes|cameras|scenarios|mh200Scenarios;\n"
    "         UTF-8 with a byte-order mark, CR LF, --separator ';' for Italian spreadsheets; a cell\n"
    "         that begins with = + - @, TAB or CR gets an apostrophe before it, unless --raw)\n"
    "import   adds the rows of a CSV table, as export writes it, to CONF.xml (a missing one is\n"
    "         empty) and writes it, or OUT; --update also changes the records whose key the\n"
    "         table holds, in the columns the file has; --replace empties the table first.\n"
    "         Headings and values may be the grids' words in Italian or English (indirizzo,\n"
    "         nome, tipo, on/off...). Every row is checked as the window's editor checks it; if\n"
    "         any is refused, nothing is written. A value only a conf.xml file holds (a device\n"
    "         of type 3, at address 20) is imported with a warning. An import that changes\n"
    "         nothing writes nothing, unless -o names the output.\n"
    "         Nothing is written either when the file written would leave out records CONF.xml\n"
    "         holds (check lists them as not saved), unless --drop-unsaved; OUT may be neither\n"
    "         FILE.csv nor CONF.xml. A CSV file of more than 300 MB is refused\n"
    "report   writes the installation report of FILE as HTML, to OUT or standard output,\n"
    "         opening with the project information given (the date is today's unless given,\n"
    "         as 2026-12-07, 07/12/2026 or 7 dicembre 2026; the notes at most 20 lines and 1000\n"
    "         characters; an empty value leaves a field out) and closing with a signature block;\n"
    "         under the file's name stands the SHA-256 of the bytes it was made from\n"
    "diff     prints what changed from A.xml to B.xml, table by table: the records added,\n"
    "         removed and changed (matched by their key), and each field of a changed record\n"
    "         before and after, as the grids show them; as text or JSON. Exit status 0 when the\n"
    "         configurations are the same, 1 when they differ, 2 when either cannot be read\n"
    "versions lists the versions of FILE kept by its saves, newest first: number, time of the\n"
    "         save that replaced it, size, what that save changed; --restore N writes version N\n"
    "         to OUT (- for standard output), keeping OUT's own contents as a version first;\n"
    "         --keep N sets how many versions of each file are kept (20 unless set, 0 none)\n"
    "\n"
    "Every save of a conf.xml file (rewrite, import, versions --restore) first keeps the file\n"
    "it replaces as a version, in $XDG_DATA_HOME/velto-configurator/versions (by default\n"
    "~/.local/share/...); a version that cannot be kept gives a warning and the save goes on.\n"
    "\n"
    "Exit status (but diff's): 0 no notice, 1 notices (or check found records a save would leave out,\n"
    "rewrite left records out, or import refused rows) but every file read to its end, 2 a\n"
    "file could not be opened or parsed, its reading stopped or left records out (import),\n"
    "import would leave out records or write over one of its inputs, or the output could\n"
    "not be written.\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string command;
    bool italian = false;
    std::vector<std::string> operands;
    std::map<std::string, std::string> options; // the options with a value other than --lang
    std::set<std::string> flags;                // the options without a value
};

// The options with a value that each command takes besides --lang.
bool TakesOption(const std::string& command, const std::string& option) {
    if (command == "export")
        return option == "--format" || option == "--table" || option == "--separator";
    if (command == "diff")
        return option == "--format";
    if (command == "import")
        return option == "--table" || option == "--separator" || option == "-o";
    if (command == "versions")
        return option == "--restore" || option == "--keep" || option == "-o";
    return command == "report" &&
           (option == "-o" || option == "--customer" || option == "--site" || option == "--installer" ||
            option == "--company" || option == "--date" || option == "--notes");
}

bool IsFlag(const std::string& command, const std::string& option) {
    return (command == "export" && option == "--raw") || (command == "check" && option == "--fingerprint") ||
           (command == "import" &&
            (option == "--replace" || option == "--update" || option == "--drop-unsaved"));
}

CommandLine Parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (arguments.empty())
        throw UsageError("no command given (try --help)");
    line.command = arguments[0];
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--lang" || argument.starts_with("--lang=")) {
            if (line.command == "export")
                throw UsageError("export takes no --lang");
            std::string language;
            if (argument == "--lang") {
                if (++i == arguments.size())
                    throw UsageError("--lang needs eng or ita");
                language = arguments[i];
            } else {
                language = argument.substr(7);
            }
            if (language != "eng" && language != "ita")
                throw UsageError("unknown language '" + language + "' (eng or ita)");
            line.italian = language == "ita";
        } else if (TakesOption(line.command, argument)) {
            if (++i == arguments.size())
                throw UsageError(argument + " needs a value");
            line.options[argument] = arguments[i];
        } else if (IsFlag(line.command, argument)) {
            line.flags.insert(argument);
        } else if (argument == "--") {
            line.operands.insert(line.operands.end(), arguments.begin() + long(i) + 1, arguments.end());
            break;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option '" + argument + "'");
        } else {
            line.operands.push_back(argument);
        }
    }
    return line;
}

struct FileRead {
    ConfigModel model;
    std::string version;
    std::string fingerprint; // the SHA-256 of the bytes read, empty when none could be
    int status = kClean;
    bool unreadable = false; // could not be opened or parsed: nothing was read
    bool leftOut = false;    // records were left out as invalid or duplicate
};

// Reads one file into a cleared configuration, printing each notice as "FILE: text".
std::unique_ptr<FileRead> ReadFile(const std::string& path, bool italian, std::ostream& notices,
                                   std::ostream& err) {
    auto read = std::make_unique<FileRead>();
    bool noticed = false;
    const bool completed = LoadConfigFile(
        path, read->model, read->version,
        [&](const Notice& notice) {
            noticed = true;
            read->unreadable =
                notice.kind == NoticeKind::CannotRead || notice.kind == NoticeKind::ParseFailure;
            read->leftOut |= notice.kind == NoticeKind::Invalid || notice.kind == NoticeKind::Duplicate;
            if (notice.kind == NoticeKind::CannotRead)
                err << "velto-conf: cannot open " << EscapeControls(path) << ": " << notice.reason << '\n';
            else
                notices << EscapeControls(path + ": " + NoticeText(notice, italian)) << '\n';
        },
        &read->fingerprint);
    read->status = !completed ? kFailed : noticed ? kNotices : kClean;
    return read;
}

// One line for each record a save of the model would leave out: "FILE: not saved: device 150 "Lamp"".
// Whether there is any.
bool ReportNotWritten(const std::string& path, const ConfigModel& model, bool italian, std::ostream& out) {
    const std::vector<UnwrittenRecord> left = RecordsNotWritten(model);
    for (const UnwrittenRecord& record : left)
        out << EscapeControls(path + (italian ? ": non salvato: " : ": not saved: ") +
                              DescribeUnwritten(record))
            << '\n';
    return !left.empty();
}

void NeedOperands(const CommandLine& line, std::size_t least, std::size_t most) {
    if (line.operands.size() < least)
        throw UsageError(line.command + ": missing " + (least == 1 ? "file" : "argument") + " (try --help)");
    if (line.operands.size() > most)
        throw UsageError(line.command + ": too many arguments (try --help)");
}

// One line for each backup an unfinished save left beside the file, the only complete copy there may
// be, and for each one that is incomplete or another user's: exit status 1 when there is any.
int ReportLeftoverBackups(const std::string& path, bool italian, std::ostream& out) {
    const ExaminedBackups backups = ExamineBackups(path, italian);
    for (const LeftoverBackup& backup : backups.whole)
        out << EscapeControls(path +
                              (italian ? ": copia lasciata da un salvataggio non terminato: "
                                       : ": backup left by an unfinished save: ") +
                              backup.path)
            << '\n';
    for (const std::string& unusable : backups.unusable)
        out << EscapeControls(path + ": " + unusable) << '\n';
    return backups.whole.empty() && backups.unusable.empty() ? kClean : kNotices;
}

int Check(const CommandLine& line, std::ostream& out, std::ostream& err) {
    NeedOperands(line, 1, SIZE_MAX);
    int status = kClean;
    for (const std::string& path : line.operands) {
        const auto read = ReadFile(path, line.italian, out, err);
        if (line.flags.contains("--fingerprint") && !read->fingerprint.empty())
            out << read->fingerprint << "  " << EscapeControls(path) << '\n';
        const bool leftOut = ReportNotWritten(path, read->model, line.italian, out);
        status = std::max({status, ReportLeftoverBackups(path, line.italian, out), read->status,
                           leftOut ? kNotices : kClean});
    }
    return status;
}

// Whether two names lead to the same file: the same file on disk, links followed, or the same name once
// links and dots are resolved (for a file not there yet).
bool SameFile(const std::string& a, const std::string& b) {
    if (StampOf(a).SameFile(StampOf(b)))
        return true;
    return ResolvedPath(FilePath(a)) == ResolvedPath(FilePath(b));
}

// An output file that is one of the inputs would be lost before its reading could be told apart from
// its writing: refused, as is an empty name.
void CheckOutput(const CommandLine& line, const std::string& input, const std::string& output) {
    if (output.empty())
        throw UsageError(line.command + ": the output file has an empty name");
    if (SameFile(output, input))
        throw UsageError(line.command + ": " + output + " is the file read, " + input + "; not written");
}

void ReportSaveError(const SaveError& error, std::ostream& err) {
    err << "velto-conf: cannot write " << EscapeControls(error.subject) << ": "
        << EscapeControls(error.reason) << '\n';
}

// Writes the bytes to the file named, or to standard output for "-" (whose failure the end of the run
// reports).
bool WriteOut(const std::string& bytes, const std::string& target, std::ostream& out, std::ostream& err) {
    if (target == "-") {
        out.write(bytes.data(), std::streamsize(bytes.size()));
        return true;
    }
    SaveError error;
    if (WriteFileAtomically(target, bytes, error))
        return true;
    ReportSaveError(error, err);
    return false;
}

// Writes the bytes of a configuration as WriteOut does, first keeping the file they replace as a
// version; a version that cannot be kept is a warning.
bool WriteConfigOut(const std::string& bytes, const ConfigModel& model, const std::string& target,
                    bool italian, std::ostream& out, std::ostream& err) {
    if (target == "-")
        return WriteOut(bytes, target, out, err);
    VersionStore store(UserVersionsRoot());
    SaveError error;
    std::string versionError;
    const bool saved = SaveKeepingVersion(store, target, bytes, model, error, versionError);
    if (!versionError.empty())
        err << "velto-conf: " << EscapeControls(target)
            << (italian ? ": avviso: la versione sostituita non è conservata: "
                        : ": warning: the version replaced is not kept: ")
            << EscapeControls(versionError) << '\n';
    if (!saved)
        ReportSaveError(error, err);
    return saved;
}

int Rewrite(const CommandLine& line, std::ostream& out, std::ostream& err) {
    NeedOperands(line, 2, 2);
    CheckOutput(line, line.operands[0], line.operands[1]);
    const auto read = ReadFile(line.operands[0], line.italian, err, err);
    if (read->status == kFailed)
        return kFailed;
    if (!WriteConfigOut(WriteConfig(read->model), read->model, line.operands[1], line.italian, out, err))
        return kFailed;
    return ReportNotWritten(line.operands[0], read->model, line.italian, err) ? kNotices : read->status;
}

std::string Option(const CommandLine& line, const std::string& name, const std::string& otherwise) {
    const auto found = line.options.find(name);
    return found == line.options.end() ? otherwise : found->second;
}

// The separator given by --separator.
char Separator(const CommandLine& line) {
    const std::string& separator = line.options.at("--separator");
    if (separator.size() != 1 || separator.find_first_of("\"\r\n") != std::string::npos)
        throw UsageError("--separator needs one character other than a quote or a line break");
    return separator[0];
}

// The table named by --table, from the export's own list, checked before any file is read.
const TableShape& NamedTable(const CommandLine& line, const std::string& missing) {
    const std::string name = Option(line, "--table", "");
    const auto named = std::find_if(kTableShapes.begin(), kTableShapes.end(),
                                    [&](const TableShape& shape) { return shape.name == name; });
    if (named == kTableShapes.end())
        throw UsageError(name.empty() ? missing : "unknown table '" + name + "' (try --help)");
    return *named;
}

int Export(const CommandLine& line, std::ostream& out, std::ostream& err) {
    NeedOperands(line, 1, 1);
    const std::string format = Option(line, "--format", "json");
    if (format != "json" && format != "csv")
        throw UsageError("unknown format '" + format + "' (json or csv)");
    if (format == "json" && (line.options.contains("--table") || line.options.contains("--separator") ||
                             line.flags.contains("--raw")))
        throw UsageError("--table, --separator and --raw go with --format csv");
    const TableShape* table =
        format == "csv" ? &NamedTable(line, "--format csv needs --table NAME (try --help)") : nullptr;
    const char separator = line.options.contains("--separator") ? Separator(line) : ',';

    const auto read = ReadFile(line.operands[0], false, err, err);
    if (read->unreadable)
        return read->status;
    if (format == "json")
        out << ExportJson(read->model, read->version);
    else
        out << ExportCsv(ExportTables(read->model)[std::size_t(table->id)], separator,
                         !line.flags.contains("--raw"));
    return read->status;
}

int Import(const CommandLine& line, std::ostream& out, std::ostream& err) {
    NeedOperands(line, 2, 2);
    const TableShape& table = NamedTable(line, "import needs --table NAME (try --help)");
    if (table.required == 0)
        throw UsageError("the table '" + std::string(table.name) +
                         "' cannot be imported: conf.xml does not keep it");
    if (line.flags.contains("--update") && line.flags.contains("--replace"))
        throw UsageError("--update and --replace do not go together");
    const char separator = line.options.contains("--separator") ? Separator(line) : 0;
    const ImportMode mode = line.flags.contains("--update")    ? ImportMode::Update
                            : line.flags.contains("--replace") ? ImportMode::Replace
                                                               : ImportMode::Add;
    const std::string &csvPath = line.operands[0], &confPath = line.operands[1];
    const std::string target = Option(line, "-o", confPath);
    if (target.empty())
        throw UsageError("-o needs a file name");
    CheckOutput(line, csvPath, target);
    if (line.options.contains("-o"))
        CheckOutput(line, confPath, target);

    std::string csv, error;
    if (!ReadRegularFile(csvPath, kMaxCsvFileSize, csv, error)) {
        err << "velto-conf: cannot open " << EscapeControls(csvPath) << ": " << error << '\n';
        return kFailed;
    }
    // A configuration that is not there yet is an empty one; one whose reading left records out
    // would lose them when written.
    std::error_code ignored;
    auto read = std::make_unique<FileRead>();
    if (std::filesystem::symlink_status(confPath, ignored).type() != std::filesystem::file_type::not_found)
        read = ReadFile(confPath, line.italian, err, err);
    if (read->status == kFailed || read->leftOut) {
        if (read->leftOut)
            err << "velto-conf: " << EscapeControls(confPath)
                << ": records left out on reading; nothing written\n";
        return kFailed;
    }
    const ImportOutcome outcome =
        ImportTable(read->model, csv, {table.id, separator, mode, line.italian, true});
    for (const RowNote& refused : outcome.refused)
        err << EscapeControls(csvPath + ":" + std::to_string(refused.line) + ": " + refused.text) << '\n';
    if (!outcome.result)
        return kNotices;
    for (const RowNote& warning : outcome.warnings)
        err << EscapeControls(csvPath + ":" + std::to_string(warning.line) + ": " +
                              (line.italian ? "avviso: " : "warning: ") + warning.text)
            << '\n';
    if (outcome.changesNothing() && !line.options.contains("-o")) {
        out << EscapeControls(csvPath + ": " + ImportSummary(outcome, table.id, line.italian)) << '\n';
        return kClean;
    }
    if (!line.flags.contains("--drop-unsaved") &&
        ReportNotWritten(confPath, *outcome.result, line.italian, err)) {
        err << "velto-conf: " << EscapeControls(confPath)
            << (line.italian ? ": il file scritto lascerebbe fuori questi record; niente scritto "
                               "(--drop-unsaved li lascia fuori)\n"
                             : ": the file written would leave out these records; nothing written "
                               "(--drop-unsaved leaves them out)\n");
        return kFailed;
    }
    if (!WriteConfigOut(WriteConfig(*outcome.result), *outcome.result, target, line.italian, out, err))
        return kFailed;
    out << EscapeControls(csvPath + ": " + ImportSummary(outcome, table.id, line.italian)) << '\n';
    return kClean;
}

// The local time now, to the minute.
DateAndTime LocalTimeNow() {
    const std::tm local = LocalTime(std::time(nullptr));
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min};
}

// The date given by --date (empty: none), else today.
std::optional<CalendarDate> ReportDate(const CommandLine& line, CalendarDate today) {
    const auto given = line.options.find("--date");
    if (given == line.options.end())
        return today;
    if (given->second.empty())
        return std::nullopt;
    if (const auto date = ParseDate(given->second))
        return date;
    throw UsageError("--date '" + given->second +
                     "' is not a date (2026-12-07, 07/12/2026 or 7 dicembre 2026)");
}

int Report(const CommandLine& line, std::ostream& out, std::ostream& err) {
    NeedOperands(line, 1, 1);
    const std::string& path = line.operands[0];
    const std::string target = Option(line, "-o", "-");
    if (line.options.contains("-o"))
        CheckOutput(line, path, target);
    const DateAndTime now = LocalTimeNow();
    const std::optional<CalendarDate> date = ReportDate(line, now.date);
    const std::string notes = Option(line, "--notes", "");
    if (FittingNotes(notes) != notes)
        throw UsageError("--notes holds more than " + std::to_string(kMaxNoteLines) + " lines or " +
                         std::to_string(kMaxNoteCharacters) + " characters");
    const auto read = ReadFile(path, line.italian, err, err);
    if (read->status == kFailed)
        return kFailed;
    const ReportProject project{Option(line, "--customer", ""),
                                Option(line, "--site", ""),
                                Option(line, "--installer", ""),
                                Option(line, "--company", ""),
                                date,
                                notes};
    const ReportSource source{path, read->version, FingerprintText(read->fingerprint, line.italian), now,
                              project};
    const std::string html = ReportHtml(BuildReport(read->model, source, line.italian));
    return WriteOut(html, target, out, err) ? read->status : kFailed;
}

// A whole number given with an option, within limits.
int NumberOption(const CommandLine& line, const std::string& option, int least, int most) {
    const std::string& text = line.options.at(option);
    int number = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (failure != std::errc() || end != text.data() + text.size() || number < least || number > most)
        throw UsageError(option + " needs a number from " + std::to_string(least) + " to " +
                         std::to_string(most));
    return number;
}

// Whether the file named lies in the folder, links resolved.
bool InsideFolder(const std::string& name, const std::filesystem::path& folder) {
    const std::filesystem::path file = ResolvedPath(FilePath(name)), inside = ResolvedPath(folder);
    const auto [end, at] = std::mismatch(inside.begin(), inside.end(), file.begin(), file.end());
    return !folder.empty() && end == inside.end();
}

// Version number (from 1, the newest) of the file's versions written to OUT. OUT's own contents are
// kept as a version first; when they cannot be, nothing is written, since the restore would lose them.
// OUT may be the file itself, but not a file among the versions, which it could damage.
int RestoreVersion(const CommandLine& line, VersionStore& store, const std::vector<KeptVersion>& versions,
                   std::ostream& out, std::ostream& err) {
    const std::string& path = line.operands[0];
    const int number = NumberOption(line, "--restore", 1, kMostVersionsKept);
    const std::string target = Option(line, "-o", "");
    if (target.empty())
        throw UsageError("--restore needs -o OUT");
    if (target != "-" && InsideFolder(target, store.root()))
        throw UsageError(target + " is among the kept versions; not written");
    if (std::size_t(number) > versions.size()) {
        err << "velto-conf: " << EscapeControls(path)
            << (line.italian ? ": nessuna versione " : ": no version ") << number << '\n';
        return kFailed;
    }
    std::string bytes, error;
    if (!store.readBytes(path, versions[std::size_t(number) - 1], bytes, error)) {
        err << "velto-conf: cannot open version " << number << " of " << EscapeControls(path) << ": "
            << EscapeControls(error) << '\n';
        return kFailed;
    }
    const auto restored = std::make_unique<ConfigModel>();
    std::string fileVersion;
    LoadConfigBytes(bytes, *restored, fileVersion, [](const Notice&) {});
    std::string replaced, keptId;
    if (target != "-" && StampOf(target).exists &&
        !(ReadRegularFile(target, kMaxConfigFileSize, replaced, error) &&
          store.keep(target, replaced, *restored, keptId, error))) {
        err << "velto-conf: " << EscapeControls(target)
            << (line.italian ? ": il contenuto non può essere conservato come versione ("
                             : ": its contents cannot be kept as a version (")
            << EscapeControls(error) << (line.italian ? "); niente scritto\n" : "); nothing written\n");
        return kFailed;
    }
    if (WriteConfigOut(bytes, *restored, target, line.italian, out, err))
        return kClean;
    if (!keptId.empty())
        store.drop(target, keptId);
    return kFailed;
}

// Lists the versions kept of FILE, or writes one out; --keep sets how many are kept.
int Versions(const CommandLine& line, std::ostream& out, std::ostream& err) {
    VersionStore store(UserVersionsRoot());
    const bool keeping = line.options.contains("--keep");
    NeedOperands(line, keeping ? 0 : 1, 1);
    if (keeping) {
        const int count = NumberOption(line, "--keep", 0, kMostVersionsKept);
        std::string error;
        if (!store.setKeptCount(count, error)) {
            err << "velto-conf: cannot write " << EscapeControls(FileName(store.root() / "keep")) << ": "
                << EscapeControls(error) << '\n';
            return kFailed;
        }
        out << (line.italian ? "versioni conservate per file: " : "versions kept of each file: ") << count
            << '\n';
        if (line.operands.empty())
            return kClean;
    }
    const std::string& path = line.operands[0];
    std::string error;
    const std::vector<KeptVersion> versions = store.versions(path, error);
    if (!error.empty()) {
        err << "velto-conf: " << EscapeControls(FileName(store.folderOf(path))) << ": "
            << EscapeControls(error) << '\n';
        return kFailed;
    }
    if (line.options.contains("--restore"))
        return RestoreVersion(line, store, versions, out, err);
    if (line.options.contains("-o"))
        throw UsageError("-o goes with --restore");
    if (versions.empty())
        out << EscapeControls(path)
            << (line.italian ? ": nessuna versione conservata\n" : ": no versions kept\n");
    for (std::size_t i = 0; i < versions.size(); ++i)
        out << i + 1 << "  " << VersionTime(versions[i]) << "  " << versions[i].size << " byte"
            << (line.italian || versions[i].size == 1 ? "" : "s") << "  "
            << VersionSummary(versions[i], line.italian) << '\n';
    return kClean;
}

// Exit status 0 when the configurations are the same, 1 when they differ, 2 when either could not be
// read to its end, as diff(1) answers.
int Diff(const CommandLine& line, std::ostream& out, std::ostream& err) {
    NeedOperands(line, 2, 2);
    const std::string format = Option(line, "--format", "text");
    if (format != "text" && format != "json")
        throw UsageError("unknown format '" + format + "' (text or json)");
    const auto then = ReadFile(line.operands[0], line.italian, err, err);
    const auto now = ReadFile(line.operands[1], line.italian, err, err);
    if (then->status == kFailed || now->status == kFailed)
        return kFailed;
    const Differences differences = CompareConfigurations(then->model, now->model, line.italian);
    if (format == "json")
        out << DiffJson(differences, {line.operands[0], then->fingerprint},
                        {line.operands[1], now->fingerprint});
    else
        out << DifferencesText(differences, line.italian);
    return differences.same() ? kClean : kNotices;
}

int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return kClean;
    }
    if (!arguments.empty() && arguments[0] == "--version") {
        out << "velto-conf 1.0 (conf.xml version " << kCurrentFileVersion << ")\n";
        return kClean;
    }
    try {
        const CommandLine line = Parse(arguments);
        if (line.command == "check")
            return Check(line, out, err);
        if (line.command == "rewrite")
            return Rewrite(line, out, err);
        if (line.command == "export")
            return Export(line, out, err);
        if (line.command == "report")
            return Report(line, out, err);
        if (line.command == "import")
            return Import(line, out, err);
        if (line.command == "versions")
            return Versions(line, out, err);
        if (line.command == "diff")
            return Diff(line, out, err);
        throw UsageError("unknown command '" + line.command + "' (try --help)");
    } catch (const std::exception& error) {
        err << "velto-conf: " << EscapeControls(error.what()) << '\n';
    }
    return kFailed;
}

} // namespace

int RunVeltoConf(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const int status = Run(arguments, out, err);
    if (!out.flush()) { // a full disk or a closed pipe
        err << "velto-conf: cannot write to standard output\n";
        return kFailed;
    }
    return status;
}

} // namespace velto
