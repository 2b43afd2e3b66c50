#include "storage/storage_error.h"

namespace storage {

std::string namingFile(const std::string& message, const std::string& path)
{
    if (path.empty() || message.find(path) != std::string::npos)
        return message;
    return message + ": " + path;
}

std::string saveFailure(const std::string& message, const std::string& path)
{
    if (message.find("változatlan") != std::string::npos) // the refusals say so already
        return namingFile(message, path);
    return namingFile(message, path) + ". A fájl korábbi változata változatlanul megmaradt";
}

std::string formatMessage(const std::string& pattern, const std::string& argument)
{
    const auto at = pattern.find("%s");
    if (at == std::string::npos)
        return pattern;
    std::string result = pattern;
    result.replace(at, 2, argument);
    return result;
}

} // namespace storage
