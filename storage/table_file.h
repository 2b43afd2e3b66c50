#pragma once
// The binary table file: signature "TPF0", version, two definition lists, the record list.

#include <string>

namespace storage {

class Table;

// Reads the table's file into it (the table must be open and empty of pending edits). Missing file: empty
// table. A file that cannot be read (permission, not a regular file) fails with "Cannot open file %s" and
// the reason; any other failure, running out of memory included, counts as damage.
void LoadTableFile(Table& table, const std::string& path);
// Writes the whole table through "<name>.$$$", fsync and rename. Does nothing while the written mark is set.
// Refuses (throwing one of the two messages below, naming the file) to replace a file that could not be
// read when it was loaded, or that the user may not write. Through a symbolic link it writes the link's
// target.
void SaveTableFile(Table& table, const std::string& path);

inline constexpr const char* TooLarge
    = "A(z) %s fájl túl nagy, ezért a program nem olvassa be, és nem is írja felül";

inline constexpr const char* NotSavedUnreadable
    = "A tábla változásai nincsenek mentve: a(z) %s fájl nem volt olvasható, ezért változatlan maradt";
inline constexpr const char* NotSavedReadOnly
    = "A tábla változásai nincsenek mentve: a(z) %s fájl írásvédett, ezért változatlan maradt";

} // namespace storage
