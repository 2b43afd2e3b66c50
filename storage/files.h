#pragma once
// The file steps of the table file, the settings store and the table tool, over platform/file.h: a step that
// fails is a StorageError with the caller's message.

#include "platform/file.h"

#include <functional>
#include <string>

namespace storage {

using platform::File;
using platform::followLinks;
using platform::linkChain;
using platform::OpenedForReading;
using platform::openForReading;

// Throws `message` when the file exists and the user may not write it: such a file is never replaced.
void refuseReadOnly(const std::string& path, const std::string& message);

// What replaceFile says when a step fails: the temporary file could not be made, written, or renamed.
struct ReplaceMessages
{
    std::string cannotCreate;
    std::string cannotWrite;
    std::string cannotRename;
};

// platform::replaceFile, its failures thrown as StorageError with `messages`.
void replaceFile(const std::string& target, std::string temporary, const std::function<void(File&)>& write,
                 const ReplaceMessages& messages);

} // namespace storage
