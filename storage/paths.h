#pragma once
// The one spelling of the game's paths: a folder and a file name joined with exactly one "/", and a file's
// path taken apart again. Plain string work: nothing here looks at the disk. On Windows a "\" ends a folder
// as well as a "/" does (the system's own paths, the program's folder and %APPDATA%, come with it).

#include <string>
#include <string_view>

namespace storage {

// `folder` ready to have a file name appended: ending in "/" ("./" for "", the current folder).
std::string withTrailingSlash(std::string folder);

// The file `name` in `folder`, which may or may not end in "/" ("" is the current folder).
std::string pathIn(std::string folder, std::string_view name);

// What `path` holds up to and including its last "/"; "" for a bare name. A relative name found beside
// `path` is this followed by the name.
std::string_view folderPartOf(std::string_view path);

// The folder that holds `path` ("." for a bare name, "/" at the root), without a trailing slash.
std::string folderOfFile(std::string_view path);

// The last part of `path`, after its last "/".
std::string_view fileNameOf(std::string_view path);

} // namespace storage
