#pragma once
// The names of the game's files in its program folder.

namespace storage {

inline constexpr char PuzzleListFile[] = "Brumvelda.lis";
inline constexpr char PlayerRegisterFile[] = "Brumvelda.jat";
inline constexpr char SettingsFile[] = "Brumvelda.ini";
inline constexpr char HistoryFile[] = "Brumvelda.tor";

} // namespace storage
