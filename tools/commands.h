#pragma once
// The tool's commands; each returns the process's exit status and reports its own errors.

#include "tools/table_kind.h"

#include <cstdint>
#include <string>

namespace tabla {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

int runCheck(TableKind kind, const std::string& path);
int runDump(TableKind kind, const std::string& path);
int runImport(TableKind kind, const std::string& path);
// Spreads a puzzle list's records for the draw (game/draw_spread.h) and saves it, all or nothing.
int runShuffle(TableKind kind, const std::string& path, uint32_t seed);

} // namespace tabla
