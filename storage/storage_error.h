#pragma once
// Errors of the storage layer carry the user-facing message text; windows show it as it stands.

#include <stdexcept>
#include <string>

namespace storage {

class StorageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Post refused because a required column is null: the window focuses the control bound to `column()`.
class RequiredFieldError : public StorageError
{
public:
    RequiredFieldError(const std::string& message, std::string column)
        : StorageError(message)
        , m_column(std::move(column))
    {
    }
    const std::string& column() const { return m_column; }

private:
    std::string m_column;
};

// `message` naming the file it is about: ": " and the path appended unless the message holds it already.
std::string namingFile(const std::string& message, const std::string& path);

// A save of the file `path` that failed with `message`, told to the player: the file named, and that its
// earlier bytes are still there (a save replaces a file only once the new one is whole).
std::string saveFailure(const std::string& message, const std::string& path);

// Replaces the first "%s" of a message pattern; the messages have at most one.
std::string formatMessage(const std::string& pattern, const std::string& argument);

} // namespace storage
