#pragma once
// Makes a rename durable: the folder holding `path` is synced, so its new entry survives a crash too.
// Best effort: a folder that cannot be opened is left as it is (the file itself was synced already).

#include <string>

namespace storage {

void syncFolderOf(const std::string& path);

} // namespace storage
