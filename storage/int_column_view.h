#pragma once
// Read-only access to one integer column of a table by position in its active order, for scans over a
// whole table (the draw over the puzzle list). It reads the values where the table keeps them: nothing is
// copied, and a read is a few instructions where a cursor step costs a chain of checked calls.
//
// Valid while the table is open and unchanged: any append, post, delete, order selection, open or close
// leaves a view made before it dangling. It reads the stored records, never a pending edit.

#include "storage/table.h"

#include <cstddef>
#include <cstdint>

namespace storage {

class IntColumnView
{
public:
    // Throws StorageError when the table is closed or the column unknown, std::logic_error for a text column.
    IntColumnView(const Table& table, int column);

    int count() const { return m_count; }
    // The value at `position` (0..count()-1), 0 when null, as Table::intAt reads it; positions are not
    // checked.
    int32_t at(int position) const
    {
        const size_t row = size_t(m_order ? m_order[position] : uint32_t(position)) * m_stride;
        // Branch-free: the null flag clears the value.
        const uint32_t isNull = (m_nulls[row] >> m_nullBit) & 1u;
        return int32_t(m_values[row] & (isNull - 1u));
    }

private:
    const uint32_t* m_values = nullptr; // the column's slot in the first row
    const uint32_t* m_nulls = nullptr; // the word holding the column's null flag, in the first row
    const uint32_t* m_order = nullptr; // row ids by position; null while position and row id are the same
    int m_count = 0;
    size_t m_stride = 0;
    uint32_t m_nullBit = 0;
};

} // namespace storage
