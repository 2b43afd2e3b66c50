// Loading a table file: the reader over bytes or a file, the parse of the definition lists and the records,
// and the load's outcome (missing, unreadable, damaged or read) in the LoadedTable a table adopts.
#include "storage/ascii_case.h"
#include "storage/cp1250.h"
#include "storage/files.h"
#include "storage/storage_error.h"
#include "storage/table.h"
#include "storage/table_file.h"
#include "storage/table_impl.h"
#include "storage/table_tags.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <numeric>
#include <string>

namespace storage {
namespace {

using namespace tags;

constexpr size_t SmallestReadBuffer = 16 * 1024;
constexpr uint64_t ReadBufferSize = 256 * 1024;

[[noreturn]] void readError() { throw StorageError("Stream read error"); }
[[noreturn]] void badValue() { throw StorageError("Invalid property value"); }

// Reads table file bytes: bytes already in memory (parsed where they lie), or a file through one buffer of up
// to 256 KB: a few large reads, and the parse runs over memory the cache holds (reading a whole large list
// into fresh memory costs more in page faults than it saves). Every length is checked against the bytes that
// remain before anything is copied, so a hostile length can neither allocate nor wait for bytes that never
// come.
class Reader
{
public:
    explicit Reader(std::string_view bytes)
        : m_capacity(bytes.size())
        , m_pos(reinterpret_cast<const uint8_t*>(bytes.data()))
        , m_end(m_pos + bytes.size())
    {
    }
    Reader(File& file, uint64_t fileSize)
        : m_file(&file)
        , m_unread(fileSize)
        , m_capacity(size_t(std::clamp<uint64_t>(fileSize, SmallestReadBuffer, ReadBufferSize)))
        , m_buffer(static_cast<uint8_t*>(std::malloc(m_capacity)))
    {
        if (!m_buffer)
            throw std::bad_alloc();
        m_pos = m_end = m_buffer;
    }
    ~Reader() { std::free(m_buffer); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    uint64_t remaining() const { return uint64_t(m_end - m_pos) + m_unread; }

    // The bytes already in the buffer, for parsing in place; `advance` consumes what was parsed there.
    const uint8_t* cursor() const { return m_pos; }
    const uint8_t* bufferEnd() const { return m_end; }
    void advance(size_t count) { m_pos += count; }

    uint8_t peek()
    {
        need(1);
        return *m_pos;
    }
    uint8_t byte()
    {
        need(1);
        return *m_pos++;
    }
    bool flag() { return byte() == FlagTrue; }

    void expect(uint8_t tag)
    {
        if (byte() != tag)
            badValue();
    }

    int32_t integer()
    {
        const size_t size = integerPayload(byte());
        if (size == 0)
            badValue();
        need(size);
        const int32_t value = integerValue(m_pos, size);
        m_pos += size;
        return value;
    }

    uint64_t stringLength()
    {
        uint64_t length;
        switch (byte()) {
        case String8:
            length = byte();
            break;
        case String32:
            need(4);
            length = le32(m_pos);
            m_pos += 4;
            break;
        default:
            badValue();
        }
        if (length > remaining())
            readError();
        return length;
    }

    // Hands the first `keep` bytes of a string of `length` bytes to `sink` in pieces and skips the rest.
    template <typename Sink>
    void stringBytes(uint64_t length, uint64_t keep, Sink&& sink)
    {
        keep = std::min(keep, length);
        if (length <= m_capacity) {
            need(size_t(length));
            if (keep)
                sink(reinterpret_cast<const char*>(m_pos), size_t(keep));
            m_pos += length;
            return;
        }
        while (length > 0) {
            need(size_t(std::min<uint64_t>(length, m_capacity)));
            const size_t piece = size_t(std::min<uint64_t>(length, uint64_t(m_end - m_pos)));
            const size_t kept = size_t(std::min<uint64_t>(keep, piece));
            if (kept)
                sink(reinterpret_cast<const char*>(m_pos), kept);
            keep -= kept;
            length -= piece;
            m_pos += piece;
        }
    }

    std::string string(uint64_t keep = 1024)
    {
        std::string text;
        const uint64_t length = stringLength();
        stringBytes(length, keep, [&](const char* p, size_t n) { text.append(p, n); });
        return text;
    }

private:
    void need(size_t count)
    {
        if (size_t(m_end - m_pos) >= count) [[likely]]
            return;
        refill(count);
    }

    // Only a file has more bytes to give: bytes in memory end where they end.
    void refill(size_t count)
    {
        if (m_unread == 0)
            readError();
        const size_t kept = size_t(m_end - m_pos);
        std::memmove(m_buffer, m_pos, kept);
        m_pos = m_buffer;
        m_end = m_buffer + kept;
        while (size_t(m_end - m_pos) < count) {
            if (m_unread == 0)
                readError();
            const size_t room = size_t(std::min<uint64_t>(m_capacity - size_t(m_end - m_buffer), m_unread));
            const long long got = m_file->readAll(m_buffer + (m_end - m_buffer), room);
            if (got <= 0)
                readError();
            m_end += got;
            m_unread -= uint64_t(got);
        }
    }

    File* m_file = nullptr;
    uint64_t m_unread = 0; // bytes of the file not read into the buffer yet
    size_t m_capacity;
    uint8_t* m_buffer = nullptr; // a file's buffer
    const uint8_t* m_pos;
    const uint8_t* m_end;
};

bool knownFieldType(std::string_view name)
{
    return sameIgnoringAsciiCase(name, "String") || sameIgnoringAsciiCase(name, "Integer");
}

// The definitions are checked, not used: the windows are bound to the columns the program defines.
void readFieldDefinitions(Reader& in, int version)
{
    in.expect(StartOfList);
    while (in.peek() != EndOfList) {
        in.string(); // name
        const std::string type = in.string(); // type name
        if (!knownFieldType(type))
            throw StorageError(formatMessage("Unknown field type (%s)", cp1250::toUtf8(type)));
        in.integer(); // size
        in.string(); // label
        in.string(); // edit mask
        in.integer(); // display width
        in.flag(); // required
        in.flag(); // read-only
        if (version >= 250)
            in.string(); // kind
        if (version >= 251)
            in.string(); // default expression
    }
    in.byte();
}

void readIndexDefinitions(Reader& in)
{
    in.expect(StartOfList);
    while (in.peek() != EndOfList) {
        in.string(); // name
        in.string(); // columns
        in.string(); // display name
        for (int i = 0; i < 4; ++i)
            in.flag();
    }
    in.byte();
}

// What the loader needs of a column, looked up once per file rather than once per record.
struct ColumnPlan
{
    bool integer;
    bool keep; // a data column: its value is stored; a calculated one's is read and dropped
    uint32_t slot; // in the row (integers) or the text row (strings)
    uint64_t size; // string columns: bytes kept
};

std::vector<ColumnPlan> planColumns(const TableRows& d)
{
    std::vector<ColumnPlan> plan;
    plan.reserve(d.columns.size());
    for (size_t i = 0; i < d.columns.size(); ++i) {
        const Column& c = d.columns[i];
        plan.push_back(
            {c.type == ColumnType::Integer, !c.isCalculated(), d.slotOf[i], uint64_t(std::max(c.size, 0))});
    }
    return plan;
}

// A string column's value as the table keeps it, at the arena's end: the first `size` bytes, ended early at a
// zero byte. Both the fast and the careful path store strings through it, piece by piece.
class KeptString
{
public:
    KeptString(TableRows& d, uint64_t length, uint64_t size)
        : m_d(d)
        , m_start(d.arena.size())
    {
        if (m_start + std::min(length, size) > UINT32_MAX)
            throw StorageError("Out of memory");
    }
    void append(const char* p, size_t n)
    {
        if (m_ended)
            return;
        if (const void* zero = std::memchr(p, 0, n)) {
            n = size_t(static_cast<const char*>(zero) - p);
            m_ended = true;
        }
        m_d.arena.append(p, n);
    }
    // Records the text's length as the `k`th string of the record's text row.
    void finish(uint32_t* text, uint32_t k)
    {
        assert(m_d.arena.size() - m_start <= UINT32_MAX);
        m_d.setTextLength(text, k, uint32_t(m_d.arena.size() - m_start));
    }

private:
    TableRows& m_d;
    size_t m_start;
    bool m_ended = false;
};

// Reads one column entry of a kept row straight from the buffer when the whole entry is there. Returns false,
// having consumed nothing, when it is not (the end of the buffer, a long string, an unknown tag): the careful
// path then reads the entry and reports any fault, so both paths accept exactly the same files.
bool readColumnInBuffer(Reader& in, TableRows& d, const ColumnPlan& c, bool hasNullFlags, uint32_t* row,
                        uint32_t* text, uint32_t& nulls, uint32_t bit)
{
    const uint8_t* p = in.cursor();
    const uint8_t* const end = in.bufferEnd();
    if (hasNullFlags) {
        if (p == end)
            return false;
        if (*p++ == FlagTrue) {
            in.advance(1);
            return true;
        }
    }
    if (end - p < 5)
        return false;
    if (c.integer) {
        const size_t size = integerPayload(p[0]);
        if (size == 0)
            return false;
        const uint32_t value = uint32_t(integerValue(p + 1, size));
        p += 1 + size;
        if (c.keep) {
            row[c.slot] = value;
            nulls &= ~bit;
        }
        in.advance(size_t(p - in.cursor()));
        return true;
    }
    if (p[0] != String8)
        return false;
    const size_t length = p[1];
    p += 2;
    if (size_t(end - p) < length)
        return false;
    if (c.keep) {
        KeptString kept(d, length, c.size);
        kept.append(reinterpret_cast<const char*>(p), size_t(std::min<uint64_t>(length, c.size)));
        kept.finish(text, c.slot);
        nulls &= ~bit;
    }
    in.advance(size_t(p + length - in.cursor()));
    return true;
}

// One set of column entries; `row` null means the values are read and dropped (an older version of a record).
void readColumns(Reader& in, TableRows& d, const std::vector<ColumnPlan>& plan, int version, uint32_t* row,
                 uint32_t* text)
{
    const bool hasNullFlags = version >= 249;
    for (size_t i = 0; i < plan.size(); ++i) {
        const ColumnPlan& c = plan[i];
        if (row) {
            uint32_t& nulls = row[1 + i / 32];
            if (readColumnInBuffer(in, d, c, hasNullFlags, row, text, nulls, 1u << (i % 32)))
                continue;
        }
        const int column = int(i);
        if (hasNullFlags && in.flag())
            continue; // null: the row starts with every column null
        const bool keep = row && c.keep;
        if (c.integer) {
            const int32_t value = in.integer();
            if (keep) {
                row[c.slot] = uint32_t(value);
                TableRows::setRowNull(row, column, false);
            }
            continue;
        }
        const uint64_t length = in.stringLength();
        if (!keep) {
            in.stringBytes(length, 0, [](const char*, size_t) {});
            continue;
        }
        KeptString kept(d, length, c.size);
        in.stringBytes(length, c.size, [&](const char* p, size_t n) { kept.append(p, n); });
        kept.finish(text, c.slot);
        TableRows::setRowNull(row, column, false);
    }
}

void readRecords(Reader& in, TableRows& d, int version)
{
    in.expect(StartOfList);
    if (version < 230 && d.columns.empty() && in.peek() != EndOfList)
        badValue(); // a record of nothing would never end the list
    const std::vector<ColumnPlan> plan = planColumns(d);
    while (in.peek() != EndOfList) {
        const size_t arenaBefore = d.arena.size();
        // The row pointer stays valid: nothing else grows the rows while this record is read.
        uint32_t* row = d.appendRow();
        uint32_t* text = d.textRow(uint32_t(d.rowCount() - 1));
        try {
            uint32_t status = 0;
            if (version >= 230) {
                in.expect(StartOfList);
                status = uint32_t(in.integer());
            }
            row[0] = status;
            readColumns(in, d, plan, version, row, text);
            if (version >= 230) {
                while (in.peek() != EndOfList) { // older versions of the record: history nobody uses
                    in.integer();
                    readColumns(in, d, plan, version, nullptr, nullptr);
                }
                in.byte();
            }
            if (status == DeletedStatus) {
                d.dropLastRow();
                d.arena.truncate(arenaBefore);
            }
        } catch (...) {
            d.dropLastRow();
            d.arena.truncate(arenaBefore);
            throw;
        }
    }
    in.byte();
}

void parse(Reader& in, TableRows& d)
{
    if (in.remaining() < 4) {
        in.byte(), in.byte(), in.byte(), in.byte(); // fails with the read error
    }
    char signature[4];
    for (char& c : signature)
        c = char(in.byte());
    if (std::memcmp(signature, "TPF0", 4) != 0)
        throw StorageError("Invalid stream format");
    int version = 100;
    if (in.peek() != StartOfList)
        version = std::min(in.integer(), WrittenVersion);
    readFieldDefinitions(in, version);
    if (version >= 200)
        readIndexDefinitions(in);
    readRecords(in, d, version);
}

// Records the damage that ended a parse; the records read before it stay.
void damaged(LoadedTable::Content& loaded, std::string message)
{
    loaded.error = std::move(message);
    loaded.loadFailed = loaded.backupPending = true;
}

// Runs the parse; a storage error or running out of memory is damage.
template <typename Parse>
void parseKeepingWhatWasRead(LoadedTable::Content& loaded, Parse&& parseAll)
{
    try {
        parseAll();
    } catch (const StorageError& e) {
        damaged(loaded, e.what());
    } catch (const std::bad_alloc&) {
        damaged(loaded, "Out of memory");
    } catch (const std::length_error&) {
        damaged(loaded, "Out of memory");
    }
}

// The file exists but is not read: it is not damaged, and is never replaced, so it needs no backup.
void refused(LoadedTable::Content& loaded, std::string message)
{
    loaded.error = std::move(message);
    loaded.loadFailed = loaded.unreadable = true;
}

void readFile(LoadedTable::Content& loaded, const std::string& path, uint64_t sizeLimit)
{
    OpenedForReading opened = openForReading(path);
    if (opened.outcome == OpenedForReading::Outcome::Missing)
        return;
    if (opened.outcome == OpenedForReading::Outcome::Unreadable)
        return refused(loaded, formatMessage("Cannot open file %s", path) + ": " + opened.whyNot);
    // A hostile size (a sparse file of gigabytes) would keep the game reading for long and fill the memory:
    // refused before a byte is read.
    if (opened.size > sizeLimit) {
        constexpr unsigned long long MB = 1024 * 1024;
        return refused(loaded,
                       formatMessage(TooLarge, path) + " (" + std::to_string((opened.size + MB - 1) / MB)
                           + " MB; legfeljebb " + std::to_string(sizeLimit / MB) + " MB lehet)");
    }
    // Keeps our own writers out while we read; a lock we cannot get must not hang the start-up.
    File file = std::move(opened.file);
    file.lockSharedNoWait();
    // Nothing is reserved by the file's size: bytes after the end of the list may be many and are never read.
    const auto fileSize = uint64_t(opened.size);
    parseKeepingWhatWasRead(loaded, [&] {
        Reader in(file, fileSize);
        if (fileSize > 0)
            parse(in, loaded.records);
    });
}

// The records as a table takes them: buffers cut to size, calculated columns worked out, in the file's order.
LoadedTable finished(std::unique_ptr<LoadedTable::Content> loaded)
{
    TableRows& records = loaded->records;
    records.rows.shrinkToFit();
    records.textRows.shrinkToFit();
    records.arena.shrinkToFit();
    const auto count = uint32_t(records.rowCount());
    loaded->insertion.resize(count);
    std::iota(loaded->insertion.begin(), loaded->insertion.end(), 0u);
    if (records.hasCalculated)
        for (uint32_t id = 0; id < count; ++id)
            records.calculate(records.row(id));
    return LoadedTable(std::move(loaded));
}

} // namespace

LoadedTable::LoadedTable() = default;
LoadedTable::LoadedTable(std::unique_ptr<Content> content)
    : d(std::move(content))
{
}
LoadedTable::~LoadedTable() = default;
LoadedTable::LoadedTable(LoadedTable&&) noexcept = default;
LoadedTable& LoadedTable::operator=(LoadedTable&&) noexcept = default;

int LoadedTable::recordCount() const { return d ? int(d->insertion.size()) : 0; }

const std::string& LoadedTable::error() const
{
    static const std::string none;
    return d ? d->error : none;
}

LoadedTable parseTableFile(std::string_view bytes, const std::vector<Column>& columns)
{
    auto loaded = std::make_unique<LoadedTable::Content>(columns);
    parseKeepingWhatWasRead(*loaded, [&] {
        Reader in(bytes);
        if (!bytes.empty())
            parse(in, loaded->records);
    });
    return finished(std::move(loaded));
}

LoadedTable readTableFile(const std::string& path, const std::vector<Column>& columns, uint64_t sizeLimit)
{
    auto loaded = std::make_unique<LoadedTable::Content>(columns);
    loaded->path = path;
    if (!path.empty())
        readFile(*loaded, path, sizeLimit);
    return finished(std::move(loaded));
}

} // namespace storage
