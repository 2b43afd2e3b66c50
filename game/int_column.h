#pragma once
// Read-only access to one integer column of a table by position in its active order, for scans over
// the whole puzzle list. It reads the values where the table keeps them: nothing is copied, and each read
// is a few instructions, where a cursor step costs a chain of checked calls (a full draw over a million
// records would otherwise take a quarter of the time the list takes to load).
// Valid while the table is open and unchanged; the table must be browsing (no pending edit).

#include "storage/table.h"

#include <cstddef>
#include <cstdint>

namespace game {

class IntColumn
{
public:
    IntColumn(const storage::Table& table, int column); // throws std::logic_error for a text column

    int count() const { return m_count; }
    // The value at `position` (0..count()-1), 0 when null, as Table::asInt reads it.
    int32_t at(int position) const
    {
        const uint32_t* row = m_rows + size_t(m_order[position]) * m_stride;
        // Branch-free: the null flag clears the value.
        const uint32_t isNull = (row[m_nullWord] >> m_nullBit) & 1u;
        return int32_t(row[m_slot] & (isNull - 1u));
    }

private:
    const uint32_t* m_rows = nullptr;
    const uint32_t* m_order = nullptr;
    int m_count = 0;
    size_t m_stride = 0;
    uint32_t m_slot = 0;
    uint32_t m_nullWord = 0;
    uint32_t m_nullBit = 0;
};

} // namespace game
