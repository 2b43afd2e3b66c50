#include "storage/int_column_view.h"

#include "storage/storage_error.h"
#include "storage/table_impl.h"

#include <stdexcept>

namespace storage {

IntColumnView::IntColumnView(const Table& table, int column)
{
    const Table::Impl& d = table.impl();
    if (!d.open)
        throw StorageError("Cannot perform this operation on a closed dataset");
    if (column < 0 || size_t(column) >= d.columns.size())
        throwIndexOutOfBounds(column);
    if (d.columns[size_t(column)].type != ColumnType::Integer)
        throw std::logic_error("IntColumnView needs an integer column");
    const auto& order = d.activeRows();
    m_count = int(order.size());
    if (m_count == 0)
        return;
    // Ids grow with the insertion sequence, so the insertion order of a table that lost no record (nor a
    // row to a failed post) is 0, 1, 2, ...: the scan then walks the rows straight, without the order.
    const bool straight = d.active < 0 && order.size() == d.rowCount();
    m_order = straight ? nullptr : order.data();
    m_stride = d.stride;
    m_values = d.rows.data() + d.slotOf[size_t(column)];
    // The null flags sit after the row's status word, one bit per column (see Impl::rowNull).
    m_nulls = d.rows.data() + 1 + size_t(column) / 32;
    m_nullBit = uint32_t(column) % 32;
}

} // namespace storage
