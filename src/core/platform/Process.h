#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velto {

// The program's arguments after its own name, as the bytes the core takes for file names and texts:
// as given where the system passes bytes, UTF-8 where it passes UTF-16 (whatever the code page).
std::vector<std::string> ProgramArguments(int argc, char* argv[]);

// Readies the standard streams of a command-line program: the bytes written are the bytes sent (no
// line-end translation), and a reader that goes away makes a write fail instead of ending the program.
void PrepareStandardStreams();

// The local time of a moment, from the system's time zone.
std::tm LocalTime(std::time_t moment);

// This process's number.
long CurrentProcessId();
// The moment the process of a number began, in milliseconds since the epoch; 0 when it cannot be known.
long long ProcessStartTime(long pid);
// Whether the process of a number runs: one that runs under another user counts, one that has ended
// but has not been reaped does not. Given a start (as ProcessStartTime answers it), a process that
// began at another moment, one that took over the number since, does not count either.
bool ProcessRunning(long pid, long long start = 0);
// How far apart two start times of one process may lie: the system's boot time, from which they are
// counted, is known to the second.
inline constexpr long long kStartTimeSlackMs = 1500;

// The folder where the user's programs keep state of their own that outlives them: $XDG_STATE_HOME when
// it holds an absolute path, otherwise ~/.local/state; on Windows %LOCALAPPDATA%. Empty when the
// environment names none. kStateFolderVariable is the variable that overrides it.
std::filesystem::path UserStateFolder();
extern const char* const kStateFolderVariable;
// The folder where the user's programs keep data of their own: $XDG_DATA_HOME when it holds an absolute
// path, otherwise ~/.local/share; on Windows %LOCALAPPDATA%. Empty when the environment names none.
std::filesystem::path UserDataFolder();
extern const char* const kDataFolderVariable;

// Makes the folder, and each missing folder above it, open to the user only (whatever the umask), and
// checks that the folder is private, as ssh does with ~/.ssh: the user's own, not a link, not writable
// by the group or others. "" when it is; otherwise why it is not used. On Windows the user's own
// folders are closed to other users by their ACL: the folder is only made.
std::string MakePrivateFolder(const std::filesystem::path& folder);
// The same check, making nothing.
std::string PrivateFolderProblem(const std::filesystem::path& folder);

// Writes bytes over the start of the file at path (made, open to its owner only, when it is missing) and
// cuts it to their length, without waiting for the disk: 0, or the errno of the failure. The file is not
// emptied first, since some file systems write a file emptied and written again to disk at once. A link
// is not followed (ELOOP), and a file that is not the user's own regular file with one name is not
// written (EPERM).
int WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// The file's full path, links resolved and each part spelled as the system keeps it (on Windows, its
// case and long name), so that two names of one file give one path; of a file not there yet, the
// path of the part that is there so resolved, then the rest as given.
std::filesystem::path ResolvedPath(const std::filesystem::path& path);

// A file name as the core takes it (see ProgramArguments) and as a path, both ways.
inline std::filesystem::path FilePath(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}
inline std::string FileName(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

} // namespace velto
