#include "CommandLine.h"

namespace velto {
namespace {

constexpr std::string_view kHelp = "Usage: velto-configurator [OPTION]... [FILE]\n"
                                   "Edit the conf.xml configuration of a home-automation installation.\n"
                                   "\n"
                                   "  -h, --help     show this help and exit\n"
                                   "  -V, --version  show the version and exit\n"
                                   "  --             end of options: what follows is a file name\n"
                                   "\n"
                                   "FILE is opened at start-up as File > Open opens it.\n";
constexpr std::string_view kVersion = "velto-configurator 1.0\n";

CommandLine Refuse(std::string_view why) {
    return {CommandLine::Action::Refuse,
            {},
            "velto-configurator: " + std::string(why) + " (see velto-configurator --help)\n"};
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string_view>& arguments) {
    CommandLine result;
    bool options = true;
    for (const std::string_view argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "-h" || argument == "--help")) {
            return {CommandLine::Action::Help, {}, std::string(kHelp)};
        } else if (options && (argument == "-V" || argument == "--version")) {
            return {CommandLine::Action::Version, {}, std::string(kVersion)};
        } else if (options && argument.starts_with('-')) {
            return Refuse("unknown option '" + std::string(argument) + "'");
        } else if (!result.file.empty()) {
            return Refuse("only one FILE can be opened");
        } else {
            result.file = argument;
        }
    }
    return result;
}

std::string MissingDisplay(const char* display, const char* waylandDisplay, const char* platform) {
#if defined(__linux__) || defined(__FreeBSD__) || defined(__OpenBSD__) || defined(__NetBSD__)
    const auto unset = [](const char* value) { return !value || !*value; };
    if (unset(display) && unset(waylandDisplay) && unset(platform))
        return "velto-configurator: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
               "unset)\n";
#else
    (void)display, (void)waylandDisplay, (void)platform;
#endif
    return {};
}

} // namespace velto
