#pragma once

#include <string>
#include <string_view>

namespace velto {

// The system's description of an errno value.
std::string SystemErrorText(int error);

// Failures the system has no errno for, in the same voice.
inline constexpr std::string_view kNotARegularFile = "Not a regular file";
inline constexpr std::string_view kFileTooLarge = "File too large for a configuration file";
// A link in a folder anyone may write (like /tmp) that the save does not follow.
inline constexpr std::string_view kForeignLink =
    "Link in a shared folder owned by another user: not followed";
inline constexpr std::string_view kDanglingLink =
    "Link in a shared folder that leads to no file: not followed";
// A folder for the user's own files (the recovery files) that others could reach.
inline constexpr std::string_view kFolderIsLink = "The folder is a link: not used";
inline constexpr std::string_view kFolderOfAnotherUser = "The folder belongs to another user: not used";
inline constexpr std::string_view kFolderOpenToOthers = "Other users may write in the folder: not used";
// The file was replaced by another between the checks and the writing.
inline constexpr std::string_view kFileReplaced = "The file was replaced while it was being saved";

} // namespace velto
