#pragma once
// The table's internals, shared by the table and its file codec. Records are rows of 32-bit slots
// (status, null bits, one slot per integer column) in one buffer; a second buffer of text rows holds, per
// record, where its texts start in one byte arena and the length of each of its string columns, packed in
// as few bytes as the columns' sizes allow; the texts of a record lie one after the other in the arena. A
// million puzzles cost one allocation each, not millions, and eight bytes of bookkeeping each for their
// three texts; a scan of integer columns (the draw) reads the short rows alone.

#include "storage/table.h"
#include "storage/table_file.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace storage {

// A growable buffer of plain values on malloc/realloc, so large buffers grow and shrink in place (mremap).
template <typename T>
class PodBuffer
{
public:
    PodBuffer() = default;
    PodBuffer(const PodBuffer&) = delete;
    PodBuffer& operator=(const PodBuffer&) = delete;
    ~PodBuffer() { std::free(m_data); }

    T* data() { return m_data; }
    const T* data() const { return m_data; }
    size_t size() const { return m_size; }
    size_t capacity() const { return m_capacity; }

    void reserve(size_t count)
    {
        if (count <= m_capacity)
            return;
        void* grown = std::realloc(m_data, count * sizeof(T));
        if (!grown)
            throw std::bad_alloc();
        m_data = static_cast<T*>(grown);
        m_capacity = count;
    }
    // Room for `count` more values; the buffer grows by half again, so appends one at a time stay cheap. A
    // buffer of a megabyte or more lives in pages of its own: its unused room costs no memory until written,
    // so it grows fourfold, and a large load moves it a few times rather than a dozen (each move stops
    // every thread of the program for a moment).
    void makeRoom(size_t count)
    {
        if (m_size + count <= m_capacity)
            return;
        const size_t needed = m_size + count;
        if (m_capacity * sizeof(T) >= LargeBuffer) {
            try {
                reserve(std::max(needed, m_capacity * 4));
                return;
            } catch (const std::bad_alloc&) {
                // short of memory: grow as little as will do
            }
        }
        reserve(std::max(needed, m_capacity + m_capacity / 2 + 64));
    }
    // Appends `count` zeroed values and returns them.
    T* grow(size_t count)
    {
        makeRoom(count);
        T* added = m_data + m_size;
        if (count == 0) // an empty buffer has no memory yet, and mem* functions take no null pointer
            return added;
        std::memset(static_cast<void*>(added), 0, count * sizeof(T));
        m_size += count;
        return added;
    }
    void append(const T* values, size_t count)
    {
        if (count == 0)
            return;
        makeRoom(count);
        std::memcpy(static_cast<void*>(m_data + m_size), values, count * sizeof(T));
        m_size += count;
    }
    void truncate(size_t count) { m_size = std::min(m_size, count); }
    void shrinkToFit()
    {
        if (m_size == m_capacity || m_size == 0)
            return;
        if (void* smaller = std::realloc(m_data, m_size * sizeof(T))) {
            m_data = static_cast<T*>(smaller);
            m_capacity = m_size;
        }
    }
    void swap(PodBuffer& other)
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }
    void clear()
    {
        std::free(m_data);
        m_data = nullptr;
        m_size = m_capacity = 0;
    }

private:
    static constexpr size_t LargeBuffer = 1 << 20;
    T* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

// A table's columns, where each column's values lie in a record, and the records: what a load fills (on any
// thread) and a table takes over whole.
struct TableRows
{
    // Lays the columns out; throws std::invalid_argument for a calculated column Column does not allow.
    explicit TableRows(std::vector<Column> columns);

    // --- fixed per table
    std::vector<Column> columns;
    // Each column's place: its slot in the row (integers), or its number among the string columns.
    std::vector<uint32_t> slotOf;
    uint32_t nullWords = 0;
    uint32_t stride = 0; // slots per row
    uint32_t textStride = 0; // slots per text row: the texts' offset, then the packed lengths
    uint32_t stringColumns = 0;
    uint32_t lengthBytes = 1; // bytes per stored length: 1, 2 or 4, by the largest string column
    bool hasCalculated = false;

    // --- records
    PodBuffer<uint32_t> rows; // stride slots per row; row ids grow with the insertion sequence
    PodBuffer<uint32_t> textRows; // textStride slots per row id
    PodBuffer<char> arena;

    size_t rowCount() const { return stride ? rows.size() / stride : 0; }
    uint32_t* row(uint32_t id)
    {
        assert(id < rowCount());
        return rows.data() + size_t(id) * stride;
    }
    const uint32_t* row(uint32_t id) const
    {
        assert(id < rowCount());
        return rows.data() + size_t(id) * stride;
    }
    static bool rowNull(const uint32_t* r, int column) { return (r[1 + column / 32] >> (column % 32)) & 1u; }
    static void setRowNull(uint32_t* r, int column, bool isNull)
    {
        const uint32_t bit = 1u << (column % 32);
        r[1 + column / 32] = isNull ? (r[1 + column / 32] | bit) : (r[1 + column / 32] & ~bit);
    }
    int32_t rowInt(const uint32_t* r, int column) const { return int32_t(r[slotOf[size_t(column)]]); }
    uint32_t* textRow(uint32_t id) { return textRows.data() + size_t(id) * textStride; }
    const uint32_t* textRow(uint32_t id) const { return textRows.data() + size_t(id) * textStride; }
    // The length of the `k`th string column in a text row.
    uint32_t textLength(const uint32_t* t, uint32_t k) const
    {
        const auto* bytes = reinterpret_cast<const unsigned char*>(t + 1) + size_t(k) * lengthBytes;
        uint32_t length = 0;
        for (uint32_t b = 0; b < lengthBytes; ++b)
            length |= uint32_t(bytes[b]) << (8 * b);
        return length;
    }
    void setTextLength(uint32_t* t, uint32_t k, uint32_t length) const
    {
        assert(lengthBytes == 4 || length < (1u << (8 * lengthBytes)));
        auto* bytes = reinterpret_cast<unsigned char*>(t + 1) + size_t(k) * lengthBytes;
        for (uint32_t b = 0; b < lengthBytes; ++b)
            bytes[b] = static_cast<unsigned char>(length >> (8 * b));
    }
    std::string_view rowText(uint32_t id, int column) const
    {
        const uint32_t* t = textRow(id);
        const uint32_t k = slotOf[size_t(column)];
        size_t start = t[0];
        for (uint32_t j = 0; j < k; ++j)
            start += textLength(t, j);
        const uint32_t length = textLength(t, k);
        assert(start + length <= arena.size());
        return std::string_view(arena.data() + start, length);
    }
    // Stores a new text for one string column: the record's texts are written anew at the arena's end (the
    // old ones stay there unused until the table is reloaded). `text` must not point into the arena.
    void setRowText(uint32_t id, int column, const char* text, size_t length);
    // Works out a stored row's calculated columns.
    void calculate(uint32_t* row) const;

    // --- used by the loader
    // Zeroed, status 0, all columns null; its text row is textRow(rowCount() - 1), its texts start at the
    // arena's end and are appended there in column order.
    uint32_t* appendRow();
    void dropLastRow();

    void clearRecords()
    {
        rows.clear();
        textRows.clear();
        arena.clear();
    }
    void swapRecords(TableRows& other)
    {
        rows.swap(other.rows);
        textRows.swap(other.textRows);
        arena.swap(other.arena);
    }
};

// What a load read, and how it ended: the content of a LoadedTable.
struct LoadedTable::Content
{
    explicit Content(std::vector<Column> columns)
        : records(std::move(columns))
    {
    }
    TableRows records; // calculated columns worked out, buffers cut to size
    std::vector<uint32_t> insertion; // 0, 1, 2...: the records in the file's order
    std::string path; // the file read; empty for bytes parsed
    std::string error; // empty: read whole, or nothing to read
    bool loadFailed = false;
    bool backupPending = false; // damaged: the next save keeps the file under a backup name first
    bool unreadable = false; // the file exists but could not be read: it is never replaced
};

struct SortOrder
{
    std::string name;
    std::vector<int> columns;
    bool descending = false;
    bool built = false;
    std::vector<uint32_t> rows; // row ids in order
};

// The record being edited or inserted, detached from the rows until post.
struct EditBuffer
{
    std::vector<int32_t> ints;
    std::vector<std::string> texts;
    std::vector<char> nulls;
    uint32_t status = 0;
    bool modified = false;
};

struct Table::Impl : TableRows
{
    using TableRows::TableRows;

    // --- fixed per table
    std::string path;
    std::vector<SortOrder> orders;
    std::string configuredOrder;

    // --- records beyond the rows
    std::vector<uint32_t> insertion; // live row ids in insertion order
    std::vector<std::vector<std::string>> keyCache; // per text column: collation keys by row id
    std::vector<std::vector<char>> keyValid;

    // --- state
    bool open = false;
    TableState state = TableState::Inactive;
    int active = -1; // index into orders, -1 = insertion order
    int position = -1;
    bool eof = true;
    EditBuffer edit;
    int insertReturnPosition = -1;
    std::string activeName;

    // --- persistence
    bool written = false;
    bool loadFailed = false;
    bool backupPending = false;
    uint64_t sizeLimit = DefaultSizeLimit; // a larger file is refused unread
    bool unreadable = false; // the file exists but could not be read: it is never replaced
    std::string keptBackup; // set by the save that kept a damaged file under this name, taken by its outcome

    // What holds between operations: every row has its text row, every live row id is in the insertion
    // order once, a built sort order holds every live row, and the cursor is on a shown row or on none.
    void assertConsistent() const
    {
        assert(stride == 0 || rows.size() % stride == 0);
        assert(textRows.size() == rowCount() * textStride);
        assert(insertion.size() <= rowCount());
        for ([[maybe_unused]] const SortOrder& order : orders)
            assert(!order.built || order.rows.size() == insertion.size());
        assert(position >= -1 && position < int(activeRows().size()));
        assert(state == TableState::Inactive || open);
    }

    void resetRecords();
    // Takes the records a load read, with its outcome; throws its error after taking them.
    void takeLoaded(LoadedTable::Content& loaded);

    // --- orders
    const std::vector<uint32_t>& activeRows() const
    {
        return active < 0 ? insertion : orders[size_t(active)].rows;
    }
    void build(SortOrder& order);
    bool before(const SortOrder& order, uint32_t a, uint32_t b);
    const std::string& key(int column, uint32_t id);
    void forgetKey(uint32_t id);
};

// The error for a column or position outside the table, raised in this one place.
[[noreturn]] void throwIndexOutOfBounds(int index);

// An integer column's value from text: blanks before it and a plus sign allowed, nothing after it.
bool parseColumnInt(std::string_view text, int32_t& value);

// Text as stored: cut to `size` bytes, and at a zero byte.
std::string_view cutText(std::string_view text, int size);

} // namespace storage
