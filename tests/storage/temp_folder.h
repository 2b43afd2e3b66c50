#pragma once
// A fresh folder per test, removed with everything in it afterwards; and whole-file byte helpers.

#include "storage/paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace storage::testing {

// The path as the standard library takes it: the game's UTF-8 as it is on Linux, UTF-16 on Windows.
inline std::filesystem::path fsPath(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

class TempFolder
{
public:
    TempFolder()
    {
#ifdef _WIN32
        // The game's paths are UTF-8; the temporary folder is in the profile, named after the user ("Ödön").
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const auto folder
                = std::filesystem::temp_directory_path() / ("brumvelda-" + std::to_string(seed()));
            if (std::filesystem::create_directory(folder)) {
                const std::u8string name = folder.u8string();
                m_path.assign(name.begin(), name.end());
            }
        }
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "brumvelda-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
#endif
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(fsPath(m_path), ignored);
    }
    std::string file(const std::string& name) const { return pathIn(m_path, name); }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(fsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(fsPath(path), std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

inline bool exists(const std::string& path) { return std::filesystem::exists(fsPath(path)); }

} // namespace storage::testing
