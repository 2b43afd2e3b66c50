#include "tools/dump.h"

#include "storage/cp1250.h"
#include "storage/schemas.h"
#include "tools/clock_text.h"
#include "tools/tsv.h"

namespace tabla {

namespace {

// Large lists are written in blocks, not a write per field.
class BlockWriter
{
public:
    explicit BlockWriter(std::FILE* out)
        : m_out(out)
    {
    }
    void append(std::string_view text)
    {
        m_buffer.append(text);
        if (m_buffer.size() >= 1 << 16)
            flush();
    }
    // False once any block could not be written whole.
    bool flush()
    {
        m_ok = m_ok && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out) == m_buffer.size();
        m_buffer.clear();
        return m_ok;
    }

private:
    std::FILE* m_out;
    std::string m_buffer;
    bool m_ok = true;
};

std::string field(storage::Table& table, TableKind kind, int position, int column)
{
    const storage::Column& def = table.columns()[std::size_t(column)];
    // The average is what the game shows: worked out from the stored figures, never read from the file.
    if (kind == TableKind::PlayerRegister && column == storage::player::Atlag)
        return std::to_string(storage::averageScore(table.intAt(position, storage::player::OsszPont),
                                                    table.intAt(position, storage::player::Jatszott)));
    if (table.isNullAt(position, column))
        return std::string(NullField);
    if (kind == TableKind::RoundHistory && column == storage::history::Idopont)
        return clockText(table.intAt(position, column));
    if (def.type == storage::ColumnType::Integer)
        return std::to_string(table.intAt(position, column));
    return escapeField(storage::cp1250::toUtf8(table.stringAt(position, column)));
}

} // namespace

bool dumpTable(OpenedTable& opened, std::FILE* out)
{
    storage::Table& table = opened.table();
    const int columnCount = int(table.columns().size());
    BlockWriter writer(out);
    for (int c = 0; c < columnCount; ++c) {
        writer.append(c ? "\t" : "");
        writer.append(table.columns()[std::size_t(c)].name);
    }
    writer.append("\n");
    const int count = table.recordCount();
    for (int position = 0; position < count; ++position) {
        for (int c = 0; c < columnCount; ++c) {
            writer.append(c ? "\t" : "");
            writer.append(field(table, opened.kind(), position, c));
        }
        writer.append("\n");
    }
    return writer.flush();
}

} // namespace tabla
