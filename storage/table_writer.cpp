// Saving a table file: the buffered writer, the backup of a damaged file, and the save through a temporary
// file that replaces the old one in one rename.
#include "storage/files.h"
#include "storage/storage_error.h"
#include "storage/table.h"
#include "storage/table_file.h"
#include "storage/table_impl.h"
#include "storage/table_tags.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace storage {
namespace {

using namespace tags;

constexpr size_t BufferSize = 16 * 1024; // writes and copies

// Writes through one 16 KB buffer into a file, where any short or failed write is the write error, or onto
// the end of a string.
class Writer
{
public:
    explicit Writer(File& file)
        : m_file(&file)
    {
    }
    explicit Writer(std::string& bytes)
        : m_bytes(&bytes)
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
        if (m_bytes)
            m_bytes->append(reinterpret_cast<const char*>(m_buffer), m_used);
        else if (!m_file->writeAll(m_buffer, m_used))
            throw StorageError("Stream write error");
        m_used = 0;
    }

private:
    File* m_file = nullptr;
    std::string* m_bytes = nullptr;
    uint8_t m_buffer[BufferSize];
    size_t m_used = 0;
};

std::string temporaryPath(const std::string& path)
{
    const auto slash = path.find_last_of(platform::PathSeparators);
    const auto dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + ".$$$";
}

void writeTable(Writer& out, const Table::Impl& d)
{
    out.bytes("TPF0", 4);
    out.integer(WrittenVersion);
    out.byte(StartOfList);
    out.byte(EndOfList);
    out.byte(StartOfList);
    out.byte(EndOfList);
    out.byte(StartOfList);
    for (uint32_t id : d.activeRows()) {
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
    OpenedForReading source = openForReading(from);
    if (source.outcome != OpenedForReading::Outcome::Opened)
        throw StorageError(formatMessage("Cannot open file %s", from));
    bool nameTaken = false;
    File target = platform::createNewFile(to, nameTaken);
    if (!target.isOpen()) {
        if (nameTaken)
            return false;
        throw StorageError(formatMessage("Cannot create file %s", to));
    }
    char buffer[BufferSize];
    bool ok = true;
    for (;;) {
        const long long got = source.file.readAll(buffer, sizeof buffer);
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!(ok = target.writeAll(buffer, size_t(got))))
            break;
    }
    ok = ok && target.flush();
    if (!target.close() || !ok) {
        platform::removeFile(to);
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
        const platform::LinkResult linked = platform::hardLink(path, candidate);
        if (linked == platform::LinkResult::Made) {
            d.keptBackup = candidate;
            d.backupPending = false;
            return;
        }
        if (linked == platform::LinkResult::NameTaken)
            continue;
        if (linked == platform::LinkResult::SourceMissing) { // the damaged file is gone: nothing left to keep
            d.backupPending = false;
            return;
        }
        if (copyToNewFile(path, candidate)) {
            d.keptBackup = candidate;
            d.backupPending = false;
            return;
        }
    }
    throw StorageError(formatMessage("Cannot create file %s", path + ".bak"));
}

} // namespace

std::string tableFileBytes(const Table& table)
{
    std::string bytes;
    auto out = std::make_unique<Writer>(bytes);
    writeTable(*out, table.impl());
    return bytes;
}

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
    replaceFile(target, temporary,
                [&](File& file) {
                    auto out = std::make_unique<Writer>(file);
                    writeTable(*out, d);
                },
                {formatMessage("Cannot create file %s", temporary), "Stream write error",
                 formatMessage("Cannot create file %s", path)});
    d.written = true;
}

} // namespace storage
