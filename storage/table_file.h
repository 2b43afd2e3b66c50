#pragma once
// The binary table file: signature "TPF0", version, two definition lists, the record list. A load reads the
// records into a LoadedTable, a value that a Table adopts; a save writes the table through a temporary file.

#include "storage/table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

// The records a load read and how the load ended, made by readTableFile or parseTableFile, taken by
// Table::adopt (or dropped: it is no table, and nothing ever writes it).
class LoadedTable
{
public:
    struct Content; // storage/table_impl.h
    LoadedTable(); // nothing read
    explicit LoadedTable(std::unique_ptr<Content> content);
    ~LoadedTable();
    LoadedTable(LoadedTable&&) noexcept;
    LoadedTable& operator=(LoadedTable&&) noexcept;

    int recordCount() const; // the records read, 0 when nothing was
    // Why the load failed, as Table::open throws it; empty when it did not (a missing file did not fail).
    const std::string& error() const;

private:
    friend class Table;
    std::unique_ptr<Content> d;
};

// The records of a table file's bytes for a table of `columns`: every record before any damage, the
// damage (if any) as the error, with the file's own messages ("Stream read error"...).
LoadedTable parseTableFile(std::string_view bytes, const std::vector<Column>& columns);

// Reads the table file at `path` for a table of `columns` through a small buffer: bytes after the record
// list are never read. A missing file (or no path) gives no records and no error. A file that cannot be
// read (permission, not a regular file) fails with "Cannot open file %s" and the reason, one larger than
// `sizeLimit` with TooLarge, both unread and never to be replaced; any other failure, running out of memory
// included, counts as damage: the next save keeps the file under a backup name first.
LoadedTable readTableFile(const std::string& path, const std::vector<Column>& columns,
                          uint64_t sizeLimit = DefaultSizeLimit);

// The bytes a save writes: the records in the active order, an edit in progress left out.
std::string tableFileBytes(const Table& table);

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
