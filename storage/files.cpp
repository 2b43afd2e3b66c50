#include "storage/files.h"

#include "storage/storage_error.h"

#include <utility>

namespace storage {

void refuseReadOnly(const std::string& path, const std::string& message)
{
    if (platform::existsReadOnly(path))
        throw StorageError(message);
}

void replaceFile(const std::string& target, std::string temporary, const std::function<void(File&)>& write,
                 const ReplaceMessages& messages)
{
    switch (platform::replaceFile(target, std::move(temporary), write)) {
    case platform::Replaced::Done:
        return;
    case platform::Replaced::CannotCreate:
        throw StorageError(messages.cannotCreate);
    case platform::Replaced::CannotWrite:
        throw StorageError(messages.cannotWrite);
    case platform::Replaced::CannotRename:
        throw StorageError(messages.cannotRename);
    }
}

} // namespace storage
