// The table's rows: their layout in the row buffers, appending and dropping rows during a load, the
// calculated columns, taking a load's records, the collation keys and the sort orders built over the rows.
#include "storage/collation.h"
#include "storage/storage_error.h"
#include "storage/table_impl.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace storage {

bool parseColumnInt(std::string_view text, int32_t& value)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

void throwIndexOutOfBounds(int index)
{
    throw StorageError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string_view cutText(std::string_view text, int size)
{
    text = text.substr(0, size_t(std::max(size, 0)));
    const auto zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// ---------------------------------------------------------------- Impl

TableRows::TableRows(std::vector<Column> tableColumns)
    : columns(std::move(tableColumns))
{
    nullWords = uint32_t((columns.size() + 31) / 32);
    uint32_t slot = 1 + nullWords;
    uint32_t strings = 0;
    int longest = 0;
    for (const Column& c : columns) {
        if (c.type == ColumnType::String) {
            slotOf.push_back(strings++);
            longest = std::max(longest, c.size);
        } else {
            slotOf.push_back(slot++);
        }
        if (!c.isCalculated())
            continue;
        hasCalculated = true;
        // Its inputs are read as stored integers; a calculated one among them would need an order of work.
        auto isInput = [&](int column) {
            return column >= 0 && size_t(column) < columns.size()
                && columns[size_t(column)].type == ColumnType::Integer
                && !columns[size_t(column)].isCalculated();
        };
        if (c.type != ColumnType::Integer || !isInput(c.calculatedFrom[0]) || !isInput(c.calculatedFrom[1]))
            throw std::invalid_argument(
                "The calculated column " + c.name
                + " must be an integer column worked out from two integer data columns");
    }
    stride = slot;
    stringColumns = strings;
    lengthBytes = longest < 0x100 ? 1 : longest < 0x10000 ? 2 : 4;
    textStride = 1 + (strings * lengthBytes + 3) / 4;
}

void Table::Impl::resetRecords()
{
    clearRecords();
    insertion.clear();
    insertion.shrink_to_fit();
    keyCache.assign(columns.size(), {});
    keyValid.assign(columns.size(), {});
    for (SortOrder& order : orders) {
        order.built = false;
        order.rows.clear();
        order.rows.shrink_to_fit();
    }
    position = -1;
    eof = true;
}

void TableRows::setRowText(uint32_t id, int column, const char* text, size_t length)
{
    assert(reinterpret_cast<uintptr_t>(text) + length <= reinterpret_cast<uintptr_t>(arena.data())
           || reinterpret_cast<uintptr_t>(text) >= reinterpret_cast<uintptr_t>(arena.data() + arena.size()));
    uint32_t* t = textRow(id);
    const uint32_t changed = slotOf[size_t(column)];
    size_t total = 0;
    for (uint32_t k = 0; k < stringColumns; ++k)
        total += k == changed ? length : textLength(t, k);
    if (arena.size() + total > UINT32_MAX)
        throw StorageError("Out of memory");
    // Reserved first, so the record's old texts stay where they are while they are copied.
    arena.makeRoom(total);
    const size_t start = arena.size();
    size_t from = t[0];
    for (uint32_t k = 0; k < stringColumns; ++k) {
        const uint32_t old = textLength(t, k);
        if (k == changed) {
            arena.append(text, length);
            setTextLength(t, k, uint32_t(length));
        } else {
            arena.append(arena.data() + from, old);
        }
        from += old;
    }
    t[0] = uint32_t(start);
}

uint32_t* TableRows::appendRow()
{
    if (rows.size() >= size_t(UINT32_MAX - 1) * stride)
        throw StorageError("Out of memory");
    textRows.grow(textStride)[0] = uint32_t(std::min<size_t>(arena.size(), UINT32_MAX));
    uint32_t* r = rows.grow(stride);
    for (uint32_t w = 0; w < nullWords; ++w)
        r[1 + w] = ~0u;
    return r;
}

void TableRows::dropLastRow()
{
    assert(rowCount() > 0);
    rows.truncate(rows.size() - stride);
    textRows.truncate(textRows.size() - textStride);
}

void TableRows::calculate(uint32_t* r) const
{
    if (!hasCalculated)
        return;
    auto value = [&](int column) { return rowNull(r, column) ? 0 : rowInt(r, column); };
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        if (!c.isCalculated())
            continue;
        r[slotOf[i]] = uint32_t(c.calculate(value(c.calculatedFrom[0]), value(c.calculatedFrom[1])));
        setRowNull(r, int(i), false);
    }
}

void Table::Impl::takeLoaded(LoadedTable::Content& loaded)
{
    swapRecords(loaded.records);
    insertion.swap(loaded.insertion);
    loadFailed = loaded.loadFailed;
    backupPending = loaded.backupPending;
    unreadable = loaded.unreadable;
    // A load clears the written mark, a failed one too: the next save must keep the damaged file first.
    written = false;
    for (SortOrder& order : orders) {
        order.built = false;
        order.rows.clear();
    }
    if (active >= 0)
        build(orders[size_t(active)]);
    const int shown = int(activeRows().size());
    position = shown ? 0 : -1;
    eof = shown == 0;
    assertConsistent();
    if (!loaded.error.empty())
        throw StorageError(loaded.error);
}

const std::string& Table::Impl::key(int column, uint32_t id)
{
    auto& keys = keyCache[size_t(column)];
    auto& valid = keyValid[size_t(column)];
    if (keys.size() <= id) {
        keys.resize(std::max<size_t>(id + 1, rowCount()));
        valid.resize(keys.size(), 0);
    }
    if (!valid[id]) {
        keys[id] = collation::sortKey(rowText(id, column));
        valid[id] = 1;
    }
    return keys[id];
}

void Table::Impl::forgetKey(uint32_t id)
{
    for (auto& valid : keyValid)
        if (id < valid.size())
            valid[id] = 0;
}

// Nulls first, then by value; equal keys keep the insertion sequence. Descending reverses all of it.
bool Table::Impl::before(const SortOrder& order, uint32_t a, uint32_t b)
{
    if (order.descending)
        std::swap(a, b);
    const uint32_t* ra = row(a);
    const uint32_t* rb = row(b);
    for (int column : order.columns) {
        const bool na = rowNull(ra, column);
        const bool nb = rowNull(rb, column);
        if (na != nb)
            return na;
        if (na)
            continue;
        int result;
        if (columns[size_t(column)].type == ColumnType::Integer) {
            const int32_t x = rowInt(ra, column);
            const int32_t y = rowInt(rb, column);
            result = x < y ? -1 : x > y ? 1 : 0;
        } else {
            key(column, std::max(a, b)); // grows the cache first, so neither reference below moves
            const std::string& ka = key(column, a);
            const std::string& kb = key(column, b);
            result = ka.compare(kb);
        }
        if (result != 0)
            return result < 0;
    }
    return a < b;
}

void Table::Impl::build(SortOrder& order)
{
    order.rows = insertion;
    for (int column : order.columns)
        if (columns[size_t(column)].type == ColumnType::String)
            for (uint32_t id : insertion)
                key(column, id);
    std::sort(order.rows.begin(), order.rows.end(),
              [&](uint32_t a, uint32_t b) { return before(order, a, b); });
    order.built = true;
}

} // namespace storage
