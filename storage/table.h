#pragma once
// A table of typed columns held whole in memory: cursor, edit/insert states, named sort orders, and
// persistence through a table file (loaded at open, written at close).

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

inline constexpr uint64_t DefaultSizeLimit = uint64_t {256} * 1024 * 1024;

enum class ColumnType { String, Integer };
enum class ColumnKind { Data, Calculated };

struct Column
{
    std::string name;
    ColumnType type = ColumnType::String;
    int size = 0; // characters, string columns only
    ColumnKind kind = ColumnKind::Data;
    std::string label; // display label; empty means the name
    bool required = false;
    bool readOnly = false;
    std::string defaultExpression; // e.g. "0"; empty = none
    bool visible = true;

    const std::string& displayLabel() const { return label.empty() ? name : label; }
};

enum class TableState { Inactive, Browse, Edit, Insert };

// What a save or a close did to the file.
struct SaveOutcome
{
    std::string error; // empty: written (or nothing to write); else the message, naming the file
    std::string keptBackup; // a damaged file this save kept under a backup name, else empty
    bool ok() const { return error.empty(); }
};

class Table;

// What the calculated-columns callback sees: the record being read, edited or written.
class RecordAccess
{
public:
    virtual ~RecordAccess() = default;
    virtual int32_t asInt(int column) const = 0;
    virtual std::string asString(int column) const = 0;
    virtual bool isNull(int column) const = 0;
    virtual void setCalculatedInt(int column, int32_t value) = 0;
};
using CalcFieldsCallback = std::function<void(RecordAccess&)>;

class Table
{
public:
    explicit Table(std::vector<Column> columns);
    ~Table(); // a table destroyed while open writes its file first (errors are swallowed there)
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // --- settings fixed per table, made before the first open
    void setFilePath(std::string path); // empty: not persisted to a file
    // A file larger than this is refused unread, as a file that cannot be read (never replaced).
    void setFileSizeLimit(uint64_t bytes);
    const std::string& filePath() const;
    void addSortOrder(std::string name, std::vector<std::string> columnNames, bool descending);
    void setConfiguredOrder(std::string name); // the order selected at open; empty = insertion order
    void setCalcFieldsCallback(CalcFieldsCallback callback);

    const std::vector<Column>& columns() const;
    int columnIndex(std::string_view name) const; // -1 when unknown

    // --- lifecycle
    void open(); // loads the file; a load error is thrown after the records read so far were kept
    void close(); // cancels an edit, writes the file, drops the records; throws on a write error (stays open)
    // Writes the file now and stays open, an edit in progress left out; close() writes it again. Throws as
    // close() does.
    void save();
    bool isOpen() const;
    TableState state() const;

    // Opens the table with the records `loaded` read from the same file ahead of time (on another thread),
    // exactly as open() would have: `loadError` is what loaded.open() threw, thrown here again. `loaded` is
    // left closed, its file untouched. When `loaded` does not match (other columns or file), this is open().
    void openFrom(Table& loaded, std::exception_ptr loadError);
    // Drops the records without writing the file: a load nobody will use.
    void closeWithoutSaving();

    // A damaged file that failed to load is kept under a backup name at the next save (never overwritten):
    bool loadFailed() const;
    const std::string& lastBackupPath() const; // set by the save that made the backup, else empty

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
    int32_t asInt(std::string_view columnName) const;
    std::string asString(std::string_view columnName) const;
    void setInt(std::string_view columnName, int32_t value);
    void setString(std::string_view columnName, std::string_view value);

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
    // The internals are for storage/ alone: the table file's reader and writer and the column view.
    friend void LoadTableFile(Table& table, const std::string& path);
    friend void SaveTableFile(Table& table, const std::string& path);
    friend class IntColumnView;
    Impl& impl();
    const Impl& impl() const;

    std::unique_ptr<Impl> d;
};

} // namespace storage
