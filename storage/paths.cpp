#include "storage/paths.h"

#include "platform/file.h"

#include <utility>

namespace storage {

std::string withTrailingSlash(std::string folder)
{
    if (folder.empty())
        return "./";
    if (platform::PathSeparators.find(folder.back()) == std::string_view::npos)
        folder += '/';
    return folder;
}

std::string pathIn(std::string folder, std::string_view name)
{
    return withTrailingSlash(std::move(folder)).append(name);
}

std::string_view folderPartOf(std::string_view path)
{
    const auto slash = path.find_last_of(platform::PathSeparators);
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string folderOfFile(std::string_view path)
{
    const std::string_view folder = folderPartOf(path);
    if (folder.empty())
        return ".";
    // The root keeps its slash: without it the folder would read as "", the current folder.
    return std::string(folder.size() == 1 ? folder : folder.substr(0, folder.size() - 1));
}

std::string_view fileNameOf(std::string_view path) { return path.substr(folderPartOf(path).size()); }

} // namespace storage
