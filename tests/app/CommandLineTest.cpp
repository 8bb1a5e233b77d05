// The window's command line, answered before any window or display is needed.
#include "CommandLine.h"

#include <array>
#include <gtest/gtest.h>
#include <tuple>

namespace velto {
namespace {

// What the window's command line asks for; help and version go to standard output, exit 0.
TEST(CommandLine, OptionsAndOneFile) {
    using A = CommandLine::Action;
    const std::string see = " (see velto-configurator --help)\n", one = "only one FILE can be opened";
    // clang-format off
    const struct { std::vector<std::string_view> arguments; A action; std::string file, message; } cases[] = {
        {{}, A::Run, "", ""},
        {{"casa.xml"}, A::Run, "casa.xml", ""},
        {{"--", "-casa.xml"}, A::Run, "-casa.xml", ""},
        {{"--", "--"}, A::Run, "--", ""},
        {{"--version", "casa.xml"}, A::Version, "", "velto-configurator 1.0\n"},
        {{"-h"}, A::Help, "", "Usage: velto-configurator [OPTION]... [FILE]\n"},
        {{"--help", "-x"}, A::Help, "", "Usage: velto-configurator [OPTION]... [FILE]\n"},
        {{"-x"}, A::Refuse, "", "velto-configurator: unknown option '-x'" + see},
        {{"--", "--help", "-h"}, A::Refuse, "", "velto-configurator: " + one + see},
        {{"a.xml", "b.xml"}, A::Refuse, "", "velto-configurator: " + one + see},
    };
    // clang-format on
    for (const auto& c : cases) {
        const CommandLine parsed = ParseCommandLine(c.arguments);
        EXPECT_EQ(std::tuple(parsed.action, parsed.file, parsed.message.substr(0, c.message.size()),
                             parsed.exitCode()),
                  std::tuple(c.action, c.file, c.message, c.action == A::Refuse ? 2 : 0)); // help goes on
    }
#ifdef _WIN32
    const std::string noDisplay; // Windows always has a desktop to show the window on
#else
    const std::string noDisplay =
        "velto-configurator: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n";
#endif
    EXPECT_EQ(MissingDisplay(nullptr, "", nullptr), noDisplay);
    for (const auto& set : {std::array{":0", "", ""}, {"", "wayland-0", ""}, {"", "", "offscreen"}})
        EXPECT_EQ(MissingDisplay(set[0], set[1], set[2]), "");
}

} // namespace
} // namespace velto
