#include "game/int_column.h"

#include "storage/table_impl.h"

#include <stdexcept>

namespace game {

IntColumn::IntColumn(const storage::Table& table, int column)
{
    const storage::Table::Impl& d = table.impl();
    if (column < 0 || size_t(column) >= d.columns.size() || d.columns[size_t(column)].type != storage::ColumnType::Integer)
        throw std::logic_error("IntColumn needs an integer column");
    const auto& order = d.activeRows();
    m_rows = d.rows.data();
    m_order = order.data();
    m_count = int(order.size());
    m_stride = d.stride;
    m_slot = d.slotOf[size_t(column)];
    // The null flags sit after the row's status word, one bit per column (see Impl::rowNull).
    m_nullWord = 1 + uint32_t(column) / 32;
    m_nullBit = uint32_t(column) % 32;
}

} // namespace game
