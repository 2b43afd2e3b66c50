#pragma once
// A table of typed columns held whole in memory: cursor, edit/insert states, named sort orders, and
// persistence through a table file, loaded at open and written only when save() or close() is called.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

inline constexpr uint64_t DefaultSizeLimit = uint64_t {256} * 1024 * 1024;

enum class ColumnType { String, Integer };

struct Column
{
    std::string name;
    ColumnType type = ColumnType::String;
    int size = 0; // characters, string columns only
    std::string label; // display label; empty means the name
    bool required = false; // a record is not posted while this column is null
    std::optional<int32_t> defaultValue; // integer columns: what a new record starts with; none: null
    // A calculated column is an integer column holding calculate(a, b) of the two integer columns named in
    // calculatedFrom (a null one counts as 0), worked out whenever its record is loaded or changed. It
    // cannot be set, and a file's value for it is not read.
    int32_t (*calculate)(int32_t a, int32_t b) = nullptr;
    std::array<int, 2> calculatedFrom {-1, -1};

    bool isCalculated() const { return calculate != nullptr; }
    const std::string& displayLabel() const { return label.empty() ? name : label; }
};

enum class TableState { Inactive, Browse, Edit, Insert };

// What a save or a close did to the file.
struct SaveOutcome
{
    std::string error; // empty: written (or nothing to write); else the message, naming the file, as
                       // storage::saveFailure() words it
    std::string keptBackup; // a damaged file this save kept under a backup name, else empty
    std::string reason; // the failure in the storage layer's own words (the table tool names the file itself)
    bool ok() const { return error.empty(); }
};

class LoadedTable; // storage/table_file.h

class Table
{
public:
    // Throws std::invalid_argument for a calculated column that is not an integer column worked out from
    // two integer columns that are not calculated themselves.
    explicit Table(std::vector<Column> columns);
    ~Table(); // never writes: an open table is dropped as closeWithoutSaving() does
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // --- settings fixed per table, made before the first open
    void setFilePath(std::string path); // empty: not persisted to a file
    // A file larger than this is refused unread, as a file that cannot be read (never replaced).
    void setFileSizeLimit(uint64_t bytes);
    const std::string& filePath() const;
    void addSortOrder(std::string name, std::vector<std::string> columnNames, bool descending);
    void setConfiguredOrder(std::string name); // the order selected at open; empty = insertion order

    const std::vector<Column>& columns() const;
    int columnIndex(std::string_view name) const; // -1 when unknown

    // --- lifecycle
    void open(); // loads the file; a load error is thrown after the records read so far were kept
    // Opens the table with records read ahead of it (storage::readTableFile, perhaps on another thread)
    // exactly as open() would have read them, the load error thrown as open() throws it. Records read from
    // another file or for other columns, or none read at all, are dropped, and the table opens with open().
    void adopt(LoadedTable&& loaded);
    // Cancels an edit, writes the file and drops the records: the table is closed afterwards either way.
    [[nodiscard]] SaveOutcome close();
    // Writes the file now and stays open, an edit in progress left out; close() writes it again.
    [[nodiscard]] SaveOutcome save();
    // Drops the records and writes nothing: a load nobody will use, or a look that changed nothing.
    void closeWithoutSaving();
    bool isOpen() const;
    TableState state() const;

    // A damaged file that failed to load is kept under a backup name at the next save (never overwritten).
    bool loadFailed() const;

    // --- cursor, in the active order
    int recordCount() const; // throws "Cannot perform this operation on a closed dataset" when closed
    bool isEmpty() const;
    void first();
    void next();
    void moveBy(int count);
    bool eof() const;
    int currentPosition() const; // 0-based position of the current record in the active order, -1 if none
    void moveTo(int position); // for grids: make the record at this position current

    // --- changing records
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    void refresh();
    // Puts the records in a new insertion order: `order` lists every position of the insertion order once
    // (the record that goes first, then the next...). Ends a pending edit; the first record becomes current.
    // Throws, leaving the order as it was, when `order` is not such a list.
    void reorderRecords(const std::vector<int>& order);

    // --- sort orders and search
    void selectSortOrder(std::string_view name); // case-insensitive; "" selects the insertion order
    const std::string& activeOrderName() const;
    bool locate(std::string_view columnName, std::string_view value);

    // --- columns of the current record (or of the record being edited/inserted)
    int32_t asInt(int column) const;
    std::string asString(int column) const;
    bool isNull(int column) const;
    void setInt(int column, int32_t value);
    void setString(int column, std::string_view value); // cut to the column size; a zero byte ends it
    void clear(int column);

    // --- read access by position in the active order, without moving the cursor (grids, tools)
    int32_t intAt(int position, int column) const;
    std::string stringAt(int position, int column) const;
    // A string column's text where it lies, without a copy (empty when null or not a string column); valid
    // until the table changes. For scans that must not allocate.
    std::string_view textAt(int position, int column) const;
    bool isNullAt(int position, int column) const;

    // --- record identity: follows a record through edits, re-sorts and the deletion of others, and is
    // never given to another record while the table stays open (it is the record's place in the
    // insertion sequence; a reopened table numbers its records afresh).
    using RecordId = uint32_t;
    // The current record's identity; none when closed, without a current record, or while inserting.
    std::optional<RecordId> currentRecordId() const;
    // Makes the record current (ending a pending edit first, as any cursor move does); false, with the
    // cursor and any pending edit untouched, when the record is no longer in the table.
    bool moveToRecord(RecordId id);

    struct Impl; // storage/table_impl.h

private:
    // The internals are for storage/ alone: the table file's writer and the column view.
    friend void SaveTableFile(Table& table, const std::string& path);
    friend std::string tableFileBytes(const Table& table);
    friend class IntColumnView;
    Impl& impl();
    const Impl& impl() const;

    std::unique_ptr<Impl> d;
};

} // namespace storage
