#pragma once
// What tests may fix about a run: where the program's files are and how the dice fall.

#include <cstdint>
#include <optional>
#include <string>

struct StartupOptions
{
    std::string programFolder; // where the three files are (app/data_folder.h); empty: the executable's folder
    std::optional<uint32_t> randomSeed; // empty: seeded from the clock
};

// The folder of the running executable (/proc/self/exe), ending in "/".
std::string executableFolder();
// `folder` with a "/" appended unless it already ends in one.
std::string withTrailingSlash(std::string folder);
