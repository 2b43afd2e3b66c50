#include "platform/console.h"

#include "platform/windows_text.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
// clang-format off: the shell's header needs the system's first
#include <shellapi.h>
#include <windows.h>
// clang-format on

namespace platform {

void prepareStandardStreams()
{
    for (FILE* stream : {stdin, stdout, stderr})
        ::_setmode(::_fileno(stream), _O_BINARY);
}

std::vector<std::string> arguments(int, char**)
{
    std::vector<std::string> result;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return result;
    for (int i = 1; i < count; ++i)
        result.push_back(windows::narrow(wide[i]));
    ::LocalFree(wide);
    return result;
}

} // namespace platform
