#include "platform/console.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

void prepareStandardStreams()
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

std::vector<std::string> arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace platform
