#include "players/player_model.h"

#include "storage/schemas.h"
#include "ui/text.h"

PlayerTableModel::PlayerTableModel(storage::Table& table, QObject* parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{
}

int PlayerTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_table.isOpen())
        return 0;
    return m_table.recordCount();
}

int PlayerTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.columns().size());
}

QVariant PlayerTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int column = index.column();
    const bool isName = column == storage::player::Nev;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (isName ? Qt::AlignLeft : Qt::AlignRight));
    if (role != Qt::DisplayRole)
        return {};
    if (isName)
        return ui::toQt(m_table.stringAt(index.row(), column));
    return QString::number(m_table.intAt(index.row(), column));
}

QVariant PlayerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section == m_indicatorRow ? QStringLiteral("\u25B8") : QString();
    if (section < 0 || section >= columnCount())
        return {};
    return ui::toQt(m_table.columns()[static_cast<size_t>(section)].displayLabel());
}

Qt::ItemFlags PlayerTableModel::flags(const QModelIndex& index) const
{
    // Selectable, never editable: typing in the grid does not change the register.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void PlayerTableModel::reload()
{
    beginResetModel();
    m_indicatorRow = -1;
    endResetModel();
}

void PlayerTableModel::setIndicatorRow(int row)
{
    if (row == m_indicatorRow)
        return;
    const int old = m_indicatorRow;
    m_indicatorRow = row;
    if (old >= 0 && old < rowCount())
        emit headerDataChanged(Qt::Vertical, old, old);
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}
