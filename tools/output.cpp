#include "tools/output.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tabla {

bool writeOut(std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && !std::ferror(stdout);
}

bool finishOutput() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }

void reserveStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1)
            continue;
        // Read-only /dev/null: input reads as empty, and a write fails as it would on the closed descriptor.
        const int reserved = ::open("/dev/null", O_RDONLY);
        if (reserved >= 0 && reserved != fd) {
            ::dup2(reserved, fd);
            ::close(reserved);
        }
    }
}

} // namespace tabla
