#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the window's command line asks for, read before any window or display is needed.
namespace velto {

struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    std::string file;    // Run: the file to open at start-up, empty for none
    std::string message; // Help and Version: the text for standard output; Refuse: the error line
    int exitCode() const { return action == Action::Refuse ? 2 : 0; }
};

// The arguments after the program's name.
CommandLine ParseCommandLine(const std::vector<std::string_view>& arguments);

// Empty when a window can be shown; otherwise the line that says why not. Each argument is the
// environment variable's value, or null when it is unset.
std::string MissingDisplay(const char* display, const char* waylandDisplay, const char* platform);

} // namespace velto
