#pragma once
// The binary table file: signature "TPF0", version, two definition lists, the record list.

#include <string>

namespace storage {

class Table;

// Reads the table's file into it (the table must be open and empty of pending edits). Missing file: empty
// table.
void LoadTableFile(Table& table, const std::string& path);
// Writes the whole table through "<name>.$$$", fsync and rename. Does nothing while the written mark is set.
void SaveTableFile(Table& table, const std::string& path);

} // namespace storage
