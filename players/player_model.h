#pragma once
// The player register as the grid sees it: one row per record in the register's active order, the four
// titled columns, nothing editable. Rows are read by position, so a register of any size opens at once.

#include "storage/table.h"

#include <QAbstractTableModel>

class PlayerTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit PlayerTableModel(storage::Table& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The register changed under the grid (records added, renamed, deleted, re-sorted): show it afresh.
    void reload();
    // The row the register's cursor is on gets the row indicator.
    void setIndicatorRow(int row);

private:
    storage::Table& m_table;
    int m_indicatorRow = -1;
};
