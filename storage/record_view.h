#pragma once
// What the calculated-columns callback sees of a record: one view over the two places a record lives, a
// stored row and the record being edited or inserted.

#include "storage/table.h"
#include "storage/table_impl.h"

#include <string>
#include <string_view>
#include <vector>

namespace storage {

// What the calculated-columns callback sees of a record: the checks and the conversions between integer and
// text columns once, over the two places a record lives (a stored row, or the record being edited).
class RecordView : public RecordAccess
{
public:
    explicit RecordView(const std::vector<Column>& columns)
        : m_columns(columns)
    {
    }
    int32_t asInt(int column) const override
    {
        check(column);
        if (null(column))
            return 0;
        if (m_columns[size_t(column)].type == ColumnType::Integer)
            return intValue(column);
        int32_t value = 0;
        return parseColumnInt(textValue(column), value) ? value : 0;
    }
    std::string asString(int column) const override
    {
        check(column);
        if (null(column))
            return {};
        if (m_columns[size_t(column)].type == ColumnType::Integer)
            return std::to_string(intValue(column));
        return std::string(textValue(column));
    }
    bool isNull(int column) const override
    {
        check(column);
        return null(column);
    }
    void setCalculatedInt(int column, int32_t value) override
    {
        check(column);
        const Column& c = m_columns[size_t(column)];
        if (c.kind == ColumnKind::Calculated && c.type == ColumnType::Integer)
            storeInt(column, value);
    }

protected:
    virtual bool null(int column) const = 0;
    virtual int32_t intValue(int column) const = 0;
    virtual std::string_view textValue(int column) const = 0;
    virtual void storeInt(int column, int32_t value) = 0; // and clears the null mark

private:
    void check(int column) const
    {
        if (column < 0 || size_t(column) >= m_columns.size())
            throwIndexOutOfBounds(column);
    }
    const std::vector<Column>& m_columns;
};

// A stored row.
class RowAccess final : public RecordView
{
public:
    RowAccess(Table::Impl& impl, uint32_t id)
        : RecordView(impl.columns)
        , m_impl(impl)
        , m_id(id)
        , m_row(impl.row(id))
    {
    }

private:
    bool null(int column) const override { return Table::Impl::rowNull(m_row, column); }
    int32_t intValue(int column) const override { return m_impl.rowInt(m_row, column); }
    std::string_view textValue(int column) const override { return m_impl.rowText(m_id, column); }
    void storeInt(int column, int32_t value) override
    {
        m_row[m_impl.slotOf[size_t(column)]] = uint32_t(value);
        Table::Impl::setRowNull(m_row, column, false);
    }
    Table::Impl& m_impl;
    uint32_t m_id;
    uint32_t* m_row;
};

// The record being edited or inserted.
class BufferAccess final : public RecordView
{
public:
    BufferAccess(const std::vector<Column>& columns, EditBuffer& buffer)
        : RecordView(columns)
        , m_buffer(buffer)
    {
    }

private:
    bool null(int column) const override { return m_buffer.nulls[size_t(column)]; }
    int32_t intValue(int column) const override { return m_buffer.ints[size_t(column)]; }
    std::string_view textValue(int column) const override { return m_buffer.texts[size_t(column)]; }
    void storeInt(int column, int32_t value) override
    {
        m_buffer.ints[size_t(column)] = value;
        m_buffer.nulls[size_t(column)] = 0;
    }
    EditBuffer& m_buffer;
};

} // namespace storage
