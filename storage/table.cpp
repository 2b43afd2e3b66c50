#include "storage/table.h"

#include "storage/ascii_case.h"
#include "storage/collation.h"
#include "storage/cp1250.h"
#include "storage/storage_error.h"
#include "storage/table_file.h"
#include "storage/table_impl.h"

#include <algorithm>
#include <charconv>

namespace storage {
namespace {

const char* const ClosedMessage = "Cannot perform this operation on a closed dataset";

[[noreturn]] void fieldNotFound(std::string_view name)
{
    throw StorageError("Field '" + std::string(name) + "' not found");
}

int32_t textToInt(std::string_view text)
{
    int32_t value = 0;
    if (!parseColumnInt(text, value))
        throw StorageError("'" + cp1250::toUtf8(text) + "' is not a valid integer value");
    return value;
}

} // namespace

// ---------------------------------------------------------------- Table

Table::Table(std::vector<Column> columns)
    : d(std::make_unique<Impl>(std::move(columns)))
{
    d->resetRecords();
}

// A failed save here would have nobody to tell: whoever owns the table closes it and shows the outcome.
Table::~Table() = default;

Table::Impl& Table::impl() { return *d; }
const Table::Impl& Table::impl() const { return *d; }

void Table::setFilePath(std::string path) { d->path = std::move(path); }
void Table::setFileSizeLimit(uint64_t bytes) { d->sizeLimit = bytes; }
const std::string& Table::filePath() const { return d->path; }

void Table::addSortOrder(std::string name, std::vector<std::string> columnNames, bool descending)
{
    SortOrder order;
    order.name = std::move(name);
    order.descending = descending;
    for (const auto& columnName : columnNames) {
        const int column = columnIndex(columnName);
        if (column < 0)
            fieldNotFound(columnName);
        order.columns.push_back(column);
    }
    d->orders.push_back(std::move(order));
}

void Table::setConfiguredOrder(std::string name) { d->configuredOrder = std::move(name); }
const std::vector<Column>& Table::columns() const { return d->columns; }

int Table::columnIndex(std::string_view name) const
{
    for (size_t i = 0; i < d->columns.size(); ++i)
        if (sameIgnoringAsciiCase(d->columns[i].name, name))
            return int(i);
    return -1;
}

namespace {
// The steps of an open before the records arrive.
void beginOpen(Table& table, Table::Impl& d)
{
    d.resetRecords();
    d.open = true;
    d.state = TableState::Browse;
    d.active = -1;
    d.activeName.clear();
    try {
        table.selectSortOrder(d.configuredOrder);
    } catch (...) {
        d.open = false;
        d.state = TableState::Inactive;
        throw;
    }
}

bool sameColumns(const std::vector<Column>& a, const std::vector<Column>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Column& x, const Column& y) {
        return x.name == y.name && x.type == y.type && x.size == y.size && x.calculate == y.calculate
            && x.calculatedFrom == y.calculatedFrom;
    });
}

// A save's outcome; the backup name the save kept is taken from the table, so the next save starts without.
SaveOutcome saveTable(Table& table, Table::Impl& d)
{
    SaveOutcome outcome;
    try {
        SaveTableFile(table, d.path);
    } catch (const std::exception& error) {
        outcome.reason = error.what();
        outcome.error = saveFailure(outcome.reason, d.path);
    }
    outcome.keptBackup = std::exchange(d.keptBackup, {});
    return outcome;
}
} // namespace

void Table::open()
{
    if (d->open)
        return;
    beginOpen(*this, *d);
    LoadedTable loaded = readTableFile(d->path, d->columns, d->sizeLimit);
    d->takeLoaded(*loaded.d);
}

void Table::adopt(LoadedTable&& loaded)
{
    if (d->open)
        return;
    const std::unique_ptr<LoadedTable::Content> content = std::move(loaded.d);
    if (!content || content->path != d->path || !sameColumns(content->records.columns, d->columns)) {
        open();
        return;
    }
    beginOpen(*this, *d);
    d->takeLoaded(*content);
}

void Table::closeWithoutSaving()
{
    if (!d->open)
        return;
    d->resetRecords();
    d->backupPending = false;
    d->open = false;
    d->state = TableState::Inactive;
}

SaveOutcome Table::close()
{
    if (!d->open)
        return {};
    if (d->state != TableState::Browse)
        cancel();
    SaveOutcome outcome = saveTable(*this, *d);
    closeWithoutSaving();
    return outcome;
}

SaveOutcome Table::save()
{
    if (!d->open)
        return {};
    SaveOutcome outcome = saveTable(*this, *d);
    d->written = false; // what changes later is written again
    return outcome;
}

bool Table::isOpen() const { return d->open; }
TableState Table::state() const { return d->state; }
bool Table::loadFailed() const { return d->loadFailed; }

namespace {
void requireOpen(const Table::Impl& d)
{
    if (!d.open)
        throw StorageError(ClosedMessage);
}
} // namespace

int Table::recordCount() const
{
    requireOpen(*d);
    return int(d->activeRows().size());
}

bool Table::isEmpty() const { return recordCount() == 0; }

// Moving the cursor ends an edit the way refresh does.
void Table::first()
{
    requireOpen(*d);
    refresh();
    const int count = recordCount();
    d->position = count ? 0 : -1;
    d->eof = count == 0;
}

void Table::next() { moveBy(1); }

void Table::moveBy(int count)
{
    requireOpen(*d);
    refresh();
    const int total = recordCount();
    if (total == 0) {
        d->eof = true;
        return;
    }
    if (count == 0)
        return;
    const long target = long(d->position) + count;
    if (target > total - 1) {
        d->position = total - 1;
        d->eof = true;
    } else {
        d->position = int(std::max(target, 0L));
        d->eof = false;
    }
}

bool Table::eof() const
{
    requireOpen(*d);
    return d->eof;
}

int Table::currentPosition() const
{
    requireOpen(*d);
    return d->position;
}

void Table::moveTo(int position)
{
    requireOpen(*d);
    refresh();
    const int total = recordCount();
    if (total == 0)
        return;
    d->position = std::clamp(position, 0, total - 1);
    d->eof = false;
}

namespace {
void fillDefaults(const std::vector<Column>& columns, EditBuffer& buffer)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        if (c.defaultValue && c.type == ColumnType::Integer && !c.isCalculated()) {
            buffer.ints[i] = *c.defaultValue;
            buffer.nulls[i] = 0;
        }
    }
}

// Works out the calculated columns of the record being edited or inserted.
void calculate(const std::vector<Column>& columns, EditBuffer& buffer)
{
    auto value = [&](int column) { return buffer.nulls[size_t(column)] ? 0 : buffer.ints[size_t(column)]; };
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        if (c.isCalculated()) {
            buffer.ints[i] = c.calculate(value(c.calculatedFrom[0]), value(c.calculatedFrom[1]));
            buffer.nulls[i] = 0;
        }
    }
}
} // namespace

void Table::append()
{
    requireOpen(*d);
    refresh();
    const size_t n = d->columns.size();
    d->edit.ints.assign(n, 0);
    d->edit.texts.assign(n, std::string());
    d->edit.nulls.assign(n, 1);
    d->edit.status = 0;
    d->edit.modified = false;
    fillDefaults(d->columns, d->edit);
    d->insertReturnPosition = d->position;
    d->state = TableState::Insert;
    if (d->hasCalculated)
        calculate(d->columns, d->edit);
}

void Table::edit()
{
    requireOpen(*d);
    if (d->state != TableState::Browse)
        return;
    if (d->position < 0) {
        append(); // nothing to edit: start a new record instead
        return;
    }
    const uint32_t id = d->activeRows()[size_t(d->position)];
    const uint32_t* r = d->row(id);
    const size_t n = d->columns.size();
    d->edit.ints.assign(n, 0);
    d->edit.texts.assign(n, std::string());
    d->edit.nulls.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        d->edit.nulls[i] = Impl::rowNull(r, int(i));
        if (d->columns[i].type == ColumnType::Integer)
            d->edit.ints[i] = d->rowInt(r, int(i));
        else
            d->edit.texts[i] = std::string(d->rowText(id, int(i)));
    }
    d->edit.status = r[0];
    d->edit.modified = false;
    d->state = TableState::Edit;
}

void Table::post()
{
    requireOpen(*d);
    if (d->state == TableState::Browse)
        return;
    for (size_t i = 0; i < d->columns.size(); ++i) {
        const Column& c = d->columns[i];
        if (c.required && !c.isCalculated() && d->edit.nulls[i])
            throw RequiredFieldError(
                formatMessage("Field '%s' must have a value", cp1250::toUtf8(c.displayLabel())), c.name);
    }
    const bool inserting = d->state == TableState::Insert;
    uint32_t id;
    if (inserting) {
        id = uint32_t(d->rowCount());
        d->appendRow();
    } else {
        id = d->activeRows()[size_t(d->position)];
    }
    // Take the record out of every built order while its old keys still place it.
    for (SortOrder& order : d->orders) {
        if (!order.built || inserting)
            continue;
        auto it = std::find(order.rows.begin(), order.rows.end(), id);
        if (it != order.rows.end())
            order.rows.erase(it);
    }
    uint32_t* r = d->row(id);
    r[0] = d->edit.status;
    for (size_t i = 0; i < d->columns.size(); ++i) {
        const int column = int(i);
        Impl::setRowNull(r, column, d->edit.nulls[i]);
        if (d->columns[i].type == ColumnType::Integer) {
            r[d->slotOf[i]] = uint32_t(d->edit.ints[i]);
        } else {
            const std::string& text = d->edit.texts[i];
            if (d->rowText(id, column) != text)
                d->setRowText(id, column, text.data(), text.size());
        }
    }
    d->forgetKey(id);
    d->calculate(r);
    if (inserting)
        d->insertion.push_back(id);
    for (SortOrder& order : d->orders) {
        if (!order.built)
            continue;
        auto at = std::lower_bound(order.rows.begin(), order.rows.end(), id,
                                   [&](uint32_t a, uint32_t b) { return d->before(order, a, b); });
        order.rows.insert(at, id);
    }
    if (d->active >= 0) {
        SortOrder& order = d->orders[size_t(d->active)];
        d->position = int(std::lower_bound(order.rows.begin(), order.rows.end(), id,
                                           [&](uint32_t a, uint32_t b) { return d->before(order, a, b); })
                          - order.rows.begin());
    } else if (inserting) {
        d->position = int(d->insertion.size()) - 1;
    }
    d->eof = false;
    d->state = TableState::Browse;
    d->assertConsistent();
}

void Table::cancel()
{
    requireOpen(*d);
    if (d->state == TableState::Insert)
        d->position = std::min(d->insertReturnPosition, int(d->activeRows().size()) - 1);
    d->state = TableState::Browse;
}

void Table::deleteRecord()
{
    requireOpen(*d);
    if (d->state == TableState::Insert) {
        cancel();
        return;
    }
    cancel();
    if (d->position < 0)
        return;
    const uint32_t id = d->activeRows()[size_t(d->position)];
    auto erase = [id](std::vector<uint32_t>& rows) {
        auto it = std::find(rows.begin(), rows.end(), id);
        if (it != rows.end())
            rows.erase(it);
    };
    erase(d->insertion);
    for (SortOrder& order : d->orders)
        if (order.built)
            erase(order.rows);
    const int total = int(d->activeRows().size());
    d->position = std::min(d->position, total - 1);
    d->eof = total == 0;
    d->assertConsistent();
}

void Table::reorderRecords(const std::vector<int>& order)
{
    requireOpen(*d);
    refresh();
    const size_t count = d->insertion.size();
    std::vector<uint32_t> reordered;
    reordered.reserve(count);
    std::vector<bool> taken(count, false);
    for (int position : order) {
        if (position < 0 || size_t(position) >= count || taken[size_t(position)])
            throw StorageError("The new order must name every record once");
        taken[size_t(position)] = true;
        reordered.push_back(d->insertion[size_t(position)]);
    }
    if (reordered.size() != count)
        throw StorageError("The new order must name every record once");
    d->insertion = std::move(reordered);
    for (SortOrder& sortOrder : d->orders) {
        sortOrder.built = false;
        sortOrder.rows.clear();
    }
    if (d->active >= 0)
        d->build(d->orders[size_t(d->active)]);
    first();
}

void Table::refresh()
{
    requireOpen(*d);
    if (d->state == TableState::Browse)
        return;
    if (d->edit.modified)
        post();
    else
        cancel();
}

void Table::selectSortOrder(std::string_view name)
{
    requireOpen(*d);
    int chosen = -1;
    if (!name.empty()) {
        for (size_t i = 0; i < d->orders.size() && chosen < 0; ++i)
            if (sameIgnoringAsciiCase(d->orders[i].name, name))
                chosen = int(i);
        if (chosen < 0)
            throw StorageError(formatMessage("Index %s does not exist", std::string(name)));
    }
    refresh();
    const int current = d->position;
    const uint32_t id = current >= 0 ? d->activeRows()[size_t(current)] : 0;
    if (chosen >= 0 && !d->orders[size_t(chosen)].built)
        d->build(d->orders[size_t(chosen)]);
    d->active = chosen;
    d->activeName = chosen >= 0 ? d->orders[size_t(chosen)].name : std::string();
    if (current >= 0) {
        const auto& active = d->activeRows();
        d->position = int(std::find(active.begin(), active.end(), id) - active.begin());
    }
}

const std::string& Table::activeOrderName() const { return d->activeName; }

std::optional<Table::RecordId> Table::currentRecordId() const
{
    if (!d->open || d->state == TableState::Insert || d->position < 0)
        return std::nullopt;
    const auto& active = d->activeRows();
    if (size_t(d->position) >= active.size())
        return std::nullopt;
    return active[size_t(d->position)];
}

bool Table::moveToRecord(RecordId id)
{
    if (!d->open)
        return false;
    const auto& active = d->activeRows();
    if (std::find(active.begin(), active.end(), id) == active.end())
        return false;
    // Posting a pending edit may move records within the order, so the place is looked up after it.
    refresh();
    const auto& shown = d->activeRows();
    d->position = int(std::find(shown.begin(), shown.end(), id) - shown.begin());
    d->eof = false;
    return true;
}

bool Table::locate(std::string_view columnName, std::string_view value)
{
    requireOpen(*d);
    const int column = columnIndex(columnName);
    if (column < 0)
        fieldNotFound(columnName);
    refresh();
    const auto& active = d->activeRows();
    const bool isText = d->columns[size_t(column)].type == ColumnType::String;
    std::string wanted = isText ? collation::sortKey(cutText(value, d->columns[size_t(column)].size)) : "";
    int32_t wantedInt = 0;
    if (!isText && !parseColumnInt(value, wantedInt))
        return false;
    for (size_t i = 0; i < active.size(); ++i) {
        const uint32_t* r = d->row(active[i]);
        if (Impl::rowNull(r, column))
            continue;
        const bool equal = isText ? d->key(column, active[i]) == wanted : d->rowInt(r, column) == wantedInt;
        if (equal) {
            d->position = int(i);
            d->eof = false;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- columns

namespace {
void requireColumn(const Table::Impl& d, int column)
{
    if (column < 0 || size_t(column) >= d.columns.size())
        throwIndexOutOfBounds(column);
}
} // namespace

int32_t Table::asInt(int column) const
{
    requireOpen(*d);
    requireColumn(*d, column);
    if (d->state != TableState::Browse) {
        if (d->edit.nulls[size_t(column)])
            return 0;
        return d->columns[size_t(column)].type == ColumnType::Integer
            ? d->edit.ints[size_t(column)]
            : textToInt(d->edit.texts[size_t(column)]);
    }
    return d->position < 0 ? 0 : intAt(d->position, column);
}

std::string Table::asString(int column) const
{
    requireOpen(*d);
    requireColumn(*d, column);
    if (d->state != TableState::Browse) {
        if (d->edit.nulls[size_t(column)])
            return {};
        return d->columns[size_t(column)].type == ColumnType::Integer
            ? std::to_string(d->edit.ints[size_t(column)])
            : d->edit.texts[size_t(column)];
    }
    return d->position < 0 ? std::string() : stringAt(d->position, column);
}

bool Table::isNull(int column) const
{
    requireOpen(*d);
    requireColumn(*d, column);
    if (d->state != TableState::Browse)
        return d->edit.nulls[size_t(column)];
    return d->position < 0 || isNullAt(d->position, column);
}

namespace {
void requireWritable(const Table::Impl& d, int column)
{
    requireOpen(d);
    requireColumn(d, column);
    if (d.state == TableState::Browse)
        throw StorageError("Dataset is not in edit mode.");
    const Column& c = d.columns[size_t(column)];
    if (c.isCalculated())
        throw StorageError(formatMessage("Field %s is read only", cp1250::toUtf8(c.displayLabel())));
}
} // namespace

static void changed(Table::Impl& d)
{
    d.edit.modified = true;
    if (d.hasCalculated)
        calculate(d.columns, d.edit);
}

void Table::setInt(int column, int32_t value)
{
    requireWritable(*d, column);
    if (d->columns[size_t(column)].type == ColumnType::Integer)
        d->edit.ints[size_t(column)] = value;
    else
        d->edit.texts[size_t(column)]
            = std::string(cutText(std::to_string(value), d->columns[size_t(column)].size));
    d->edit.nulls[size_t(column)] = 0;
    changed(*d);
}

void Table::setString(int column, std::string_view value)
{
    requireWritable(*d, column);
    const Column& c = d->columns[size_t(column)];
    if (c.type == ColumnType::Integer)
        d->edit.ints[size_t(column)] = textToInt(value);
    else
        d->edit.texts[size_t(column)] = std::string(cutText(value, c.size));
    d->edit.nulls[size_t(column)] = 0;
    changed(*d);
}

void Table::clear(int column)
{
    requireWritable(*d, column);
    d->edit.nulls[size_t(column)] = 1;
    d->edit.ints[size_t(column)] = 0;
    d->edit.texts[size_t(column)].clear();
    changed(*d);
}

namespace {
uint32_t idAt(const Table::Impl& d, int position)
{
    requireOpen(d);
    const auto& active = d.activeRows();
    if (position < 0 || size_t(position) >= active.size())
        throwIndexOutOfBounds(position);
    return active[size_t(position)];
}
} // namespace

int32_t Table::intAt(int position, int column) const
{
    const uint32_t id = idAt(*d, position);
    const uint32_t* r = d->row(id);
    requireColumn(*d, column);
    if (Impl::rowNull(r, column))
        return 0;
    if (d->columns[size_t(column)].type == ColumnType::Integer)
        return d->rowInt(r, column);
    return textToInt(d->rowText(id, column));
}

std::string_view Table::textAt(int position, int column) const
{
    const uint32_t id = idAt(*d, position);
    const uint32_t* r = d->row(id);
    requireColumn(*d, column);
    if (Impl::rowNull(r, column) || d->columns[size_t(column)].type != ColumnType::String)
        return {};
    return d->rowText(id, column);
}

std::string Table::stringAt(int position, int column) const
{
    const uint32_t id = idAt(*d, position);
    const uint32_t* r = d->row(id);
    requireColumn(*d, column);
    if (Impl::rowNull(r, column))
        return {};
    if (d->columns[size_t(column)].type == ColumnType::Integer)
        return std::to_string(d->rowInt(r, column));
    return std::string(d->rowText(id, column));
}

bool Table::isNullAt(int position, int column) const
{
    const uint32_t* r = d->row(idAt(*d, position));
    requireColumn(*d, column);
    return Impl::rowNull(r, column);
}

} // namespace storage
