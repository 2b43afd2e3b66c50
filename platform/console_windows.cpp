#include "platform/console.h"

#include "platform/windows_text.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h> // after windows.h, whose types it uses

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
