#include "Process.h"
#include "Win32.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace velto {

// The C runtime's argv is in the ANSI code page, which cannot hold every file name: the wide command
// line is split again the system's way.
std::vector<std::string> ProgramArguments(int, char*[]) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    for (FILE* stream : {stdin, stdout, stderr})
        ::_setmode(::_fileno(stream), _O_BINARY);
    // A console shows the UTF-8 the program writes.
    ::SetConsoleOutputCP(CP_UTF8);
}

std::tm LocalTime(std::time_t moment) {
    std::tm local{};
    ::localtime_s(&local, &moment);
    return local;
}

} // namespace velto
