#include "storage/table_file.h"

#include "storage/cp1250.h"
#include "storage/posix_file.h"
#include "storage/storage_error.h"
#include "storage/table.h"
#include "storage/table_impl.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace storage {
namespace {

constexpr size_t BufferSize = 16 * 1024; // writes, copies, and the smallest read buffer
constexpr uint64_t ReadBufferSize = 256 * 1024;
constexpr int WrittenVersion = 251;
constexpr uint8_t EndOfList = 0x00, StartOfList = 0x01, Int8 = 0x02, Int16 = 0x03, Int32 = 0x04,
                  String8 = 0x06, FlagFalse = 0x08, FlagTrue = 0x09, String32 = 0x0C;
constexpr uint32_t DeletedStatus = 3;

// Integers are stored little-endian.
int16_t le16(const uint8_t* p) { return int16_t(uint16_t(p[0] | (p[1] << 8))); }
uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

[[noreturn]] void readError() { throw StorageError("Stream read error"); }
[[noreturn]] void badValue() { throw StorageError("Invalid property value"); }

// Reads the file through one buffer of up to 256 KB: a few large reads, and the parse runs over memory the
// cache holds (reading a whole large list into fresh memory costs more in page faults than it saves). Every
// length is checked against the bytes that remain in the file before anything is copied, so a hostile length
// can neither allocate nor wait for bytes that never come.
class Reader
{
public:
    Reader(int fd, uint64_t fileSize)
        : m_fd(fd)
        , m_unread(fileSize)
        , m_capacity(size_t(std::clamp<uint64_t>(fileSize, BufferSize, ReadBufferSize)))
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
        // One check covers the tag and the widest value when they are all in the buffer.
        if (size_t(m_end - m_pos) >= 5) {
            const uint8_t* p = m_pos;
            switch (p[0]) {
            case Int8:
                m_pos += 2;
                return int8_t(p[1]);
            case Int16:
                m_pos += 3;
                return le16(p + 1);
            case Int32:
                m_pos += 5;
                return int32_t(le32(p + 1));
            default:
                badValue();
            }
        }
        switch (byte()) {
        case Int8:
            need(1);
            return int8_t(*m_pos++);
        case Int16: {
            need(2);
            const int16_t value = le16(m_pos);
            m_pos += 2;
            return value;
        }
        case Int32: {
            need(4);
            const uint32_t value = le32(m_pos);
            m_pos += 4;
            return int32_t(value);
        }
        default:
            badValue();
        }
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

    void refill(size_t count)
    {
        const size_t kept = size_t(m_end - m_pos);
        std::memmove(m_buffer, m_pos, kept);
        m_pos = m_buffer;
        m_end = m_buffer + kept;
        while (size_t(m_end - m_pos) < count) {
            if (m_unread == 0)
                readError();
            const size_t room = size_t(std::min<uint64_t>(m_capacity - size_t(m_end - m_buffer), m_unread));
            const ssize_t got = ::read(m_fd, m_end, room);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                readError();
            m_end += got;
            m_unread -= uint64_t(got);
        }
    }

    int m_fd;
    uint64_t m_unread;
    size_t m_capacity;
    uint8_t* m_buffer;
    uint8_t* m_pos;
    uint8_t* m_end;
};

bool knownFieldType(std::string_view name)
{
    auto same = [&](std::string_view known) {
        return name.size() == known.size() && strncasecmp(name.data(), known.data(), name.size()) == 0;
    };
    return same("String") || same("Integer");
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

std::vector<ColumnPlan> planColumns(const Table::Impl& d)
{
    std::vector<ColumnPlan> plan;
    plan.reserve(d.columns.size());
    for (size_t i = 0; i < d.columns.size(); ++i) {
        const Column& c = d.columns[i];
        plan.push_back({c.type == ColumnType::Integer, c.kind == ColumnKind::Data, d.slotOf[i],
                        uint64_t(std::max(c.size, 0))});
    }
    return plan;
}

// Reads one column entry of a kept row straight from the buffer when the whole entry is there. Returns false,
// having consumed nothing, when it is not (the end of the buffer, a long string, an unknown tag): the careful
// path then reads the entry and reports any fault, so both paths accept exactly the same files.
bool readColumnInBuffer(Reader& in, Table::Impl& d, const ColumnPlan& c, bool hasNullFlags, uint32_t* row,
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
        uint32_t value;
        switch (p[0]) {
        case Int8:
            value = uint32_t(int32_t(int8_t(p[1])));
            p += 2;
            break;
        case Int16:
            value = uint32_t(int32_t(le16(p + 1)));
            p += 3;
            break;
        case Int32:
            value = le32(p + 1);
            p += 5;
            break;
        default:
            return false;
        }
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
        size_t stored = std::min<size_t>(length, c.size);
        const size_t start = d.arena.size();
        if (start + stored > UINT32_MAX)
            throw StorageError("Out of memory");
        if (const void* zero = stored ? std::memchr(p, 0, stored) : nullptr)
            stored = size_t(static_cast<const uint8_t*>(zero) - p);
        d.arena.append(reinterpret_cast<const char*>(p), stored);
        text[c.slot] = uint32_t(start);
        text[c.slot + 1] = uint32_t(stored);
        nulls &= ~bit;
    }
    in.advance(size_t(p + length - in.cursor()));
    return true;
}

// One set of column entries; `row` null means the values are read and dropped (an older version of a record).
void readColumns(Reader& in, Table::Impl& d, const std::vector<ColumnPlan>& plan, int version, uint32_t* row,
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
                Table::Impl::setRowNull(row, column, false);
            }
            continue;
        }
        const uint64_t length = in.stringLength();
        if (!keep) {
            in.stringBytes(length, 0, [](const char*, size_t) {});
            continue;
        }
        const size_t start = d.arena.size();
        if (start + std::min(length, c.size) > UINT32_MAX)
            throw StorageError("Out of memory");
        in.stringBytes(length, c.size, [&](const char* p, size_t n) { d.arena.append(p, n); });
        size_t stored = d.arena.size() - start;
        if (const void* zero = std::memchr(d.arena.data() + start, 0, stored)) {
            stored = size_t(static_cast<const char*>(zero) - (d.arena.data() + start));
            d.arena.truncate(start + stored);
        }
        text[c.slot] = uint32_t(start);
        text[c.slot + 1] = uint32_t(stored);
        Table::Impl::setRowNull(row, column, false);
    }
}

void readRecords(Reader& in, Table::Impl& d, int version)
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

void parse(Reader& in, Table::Impl& d)
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

} // namespace

void LoadTableFile(Table& table, const std::string& path)
{
    Table::Impl& d = table.impl();
    const auto firstNewRow = uint32_t(d.rowCount());
    if (path.empty()) {
        d.written = false;
        d.finishLoad(firstNewRow);
        return;
    }
    const OpenedForReading opened = openForReading(path);
    if (opened.outcome == OpenedForReading::Outcome::Missing) {
        d.written = false;
        d.loadFailed = d.backupPending = d.unreadable = false;
        d.finishLoad(firstNewRow);
        return;
    }
    // A file that exists but cannot be read is not damaged: it is never replaced, so it needs no backup.
    if (opened.outcome == OpenedForReading::Outcome::Unreadable) {
        d.written = false;
        d.loadFailed = d.unreadable = true;
        d.backupPending = false;
        d.finishLoad(firstNewRow);
        throw StorageError(formatMessage("Cannot open file %s", path) + ": " + opened.whyNot);
    }
    FileHandle file(opened.fd);
    // Keeps our own writers out while we read; a lock we cannot get must not hang the start-up.
    ::flock(file.get(), LOCK_SH | LOCK_NB);

    // Nothing is reserved by the file's size: bytes after the end of the list may be many and are never read.
    const auto fileSize = uint64_t(opened.size);
    auto failed = [&] {
        // A failed load clears the written mark too: the next save must keep the damaged file first.
        d.written = false;
        d.loadFailed = d.backupPending = true;
        d.unreadable = false;
        d.finishLoad(firstNewRow);
    };
    try {
        Reader in(file.get(), fileSize);
        if (fileSize > 0)
            parse(in, d);
    } catch (const StorageError&) {
        failed();
        throw;
    } catch (const std::bad_alloc&) {
        failed();
        throw StorageError("Out of memory");
    } catch (const std::length_error&) {
        failed();
        throw StorageError("Out of memory");
    }
    d.loadFailed = d.backupPending = d.unreadable = false;
    d.written = false;
    d.finishLoad(firstNewRow);
}

namespace {

// Writes through one 16 KB buffer; any short or failed write is the write error.
class Writer
{
public:
    explicit Writer(int fd)
        : m_fd(fd)
    {
    }

    void byte(uint8_t value)
    {
        if (m_used == BufferSize)
            flush();
        m_buffer[m_used++] = value;
    }
    void bytes(const char* data, size_t count)
    {
        while (count > 0) {
            if (m_used == BufferSize)
                flush();
            const size_t piece = std::min(count, BufferSize - m_used);
            std::memcpy(m_buffer + m_used, data, piece);
            m_used += piece;
            data += piece;
            count -= piece;
        }
    }
    // The smallest tag that holds the value.
    void integer(int32_t value)
    {
        if (value >= -128 && value <= 127) {
            byte(Int8);
            byte(uint8_t(value));
        } else if (value >= -32768 && value <= 32767) {
            byte(Int16);
            byte(uint8_t(value));
            byte(uint8_t(uint32_t(value) >> 8));
        } else {
            byte(Int32);
            for (int shift = 0; shift < 32; shift += 8)
                byte(uint8_t(uint32_t(value) >> shift));
        }
    }
    void string(std::string_view text)
    {
        if (text.size() <= 255) {
            byte(String8);
            byte(uint8_t(text.size()));
        } else {
            byte(String32);
            for (int shift = 0; shift < 32; shift += 8)
                byte(uint8_t(uint32_t(text.size()) >> shift));
        }
        bytes(text.data(), text.size());
    }
    void flush()
    {
        if (!writeAll(m_fd, m_buffer, m_used))
            throw StorageError("Stream write error");
        m_used = 0;
    }

private:
    int m_fd;
    uint8_t m_buffer[BufferSize];
    size_t m_used = 0;
};

std::string temporaryPath(const std::string& path)
{
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + ".$$$";
}

void writeTable(Writer& out, Table::Impl& d)
{
    out.bytes("TPF0", 4);
    out.integer(WrittenVersion);
    out.byte(StartOfList);
    out.byte(EndOfList);
    out.byte(StartOfList);
    out.byte(EndOfList);
    out.byte(StartOfList);
    for (uint32_t id : d.activeRows()) {
        d.calculate(id);
        const uint32_t* row = d.row(id);
        out.byte(StartOfList);
        out.integer(int32_t(row[0]));
        for (size_t i = 0; i < d.columns.size(); ++i) {
            const int column = int(i);
            if (Table::Impl::rowNull(row, column)) {
                out.byte(FlagTrue);
                continue;
            }
            out.byte(FlagFalse);
            if (d.columns[i].type == ColumnType::Integer)
                out.integer(d.rowInt(row, column));
            else
                out.string(d.rowText(id, column));
        }
        out.byte(EndOfList);
    }
    out.byte(EndOfList);
    out.flush();
}

// Copies the file's bytes into a new file that must not exist yet. False when the name is taken.
bool copyToNewFile(const std::string& from, const std::string& to)
{
    FileHandle source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0)
        throw StorageError(formatMessage("Cannot open file %s", from));
    FileHandle target(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (target.get() < 0) {
        if (errno == EEXIST)
            return false;
        throw StorageError(formatMessage("Cannot create file %s", to));
    }
    char buffer[BufferSize];
    bool ok = true;
    for (;;) {
        const long long got = readAll(source.get(), buffer, sizeof buffer);
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!(ok = writeAll(target.get(), buffer, size_t(got))))
            break;
    }
    ok = ok && ::fsync(target.get()) == 0;
    if (::close(target.release()) != 0 || !ok) {
        ::unlink(to.c_str());
        throw StorageError("Stream write error");
    }
    return true;
}

// The damaged file that failed to load keeps its bytes under the first free "<name>.bak", ".bak1", ...
// A hard link costs no space on a full disk; a copy serves file systems without links.
void keepDamagedFile(Table::Impl& d, const std::string& path)
{
    for (int n = 0; n < 10000; ++n) {
        const std::string candidate = path + ".bak" + (n ? std::to_string(n) : std::string());
        if (::link(path.c_str(), candidate.c_str()) == 0) {
            d.lastBackupPath = candidate;
            d.backupPending = false;
            return;
        }
        if (errno == EEXIST)
            continue;
        if (errno == ENOENT) { // the damaged file is gone: nothing left to keep
            d.backupPending = false;
            return;
        }
        if (copyToNewFile(path, candidate)) {
            d.lastBackupPath = candidate;
            d.backupPending = false;
            return;
        }
    }
    throw StorageError(formatMessage("Cannot create file %s", path + ".bak"));
}

} // namespace

void SaveTableFile(Table& table, const std::string& path)
{
    Table::Impl& d = table.impl();
    if (path.empty() || d.written)
        return;
    if (d.unreadable)
        throw StorageError(formatMessage(NotSavedUnreadable, path));
    // Through a link the file it names is replaced, and the link stays.
    const std::string target = followLinks(path);
    refuseReadOnly(target, formatMessage(NotSavedReadOnly, path));
    if (d.backupPending)
        keepDamagedFile(d, target);

    const std::string temporary = temporaryPath(target);
    replaceFile(
        target, temporary,
        [&](int fd) {
            auto out = std::make_unique<Writer>(fd);
            writeTable(*out, d);
        },
        {formatMessage("Cannot create file %s", temporary), "Stream write error",
         formatMessage("Cannot create file %s", path)});
    d.written = true;
}

} // namespace storage
