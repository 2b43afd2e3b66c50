#include "storage/folder_sync.h"

#include "storage/paths.h"

#include <fcntl.h>
#include <unistd.h>

namespace storage {

void syncFolderOf(const std::string& path)
{
    const std::string folder = folderOfFile(path);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace storage
