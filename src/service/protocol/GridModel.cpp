#include "service/protocol/GridModel.h"

namespace zx::protocol {

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

GridModel::GridModel(const QStringList &captions, QObject *parent)
    : QAbstractTableModel(parent)
    , m_captions(captions)
{
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_captions.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return caption(section);
    return section + 1;
}

void GridModel::setCaptions(const QStringList &captions)
{
    beginResetModel();
    m_captions = captions;
    endResetModel();
}

void GridModel::addColumn(const QString &caption)
{
    const int c = int(m_captions.size());
    beginInsertColumns({}, c, c);
    m_captions.append(caption);
    endInsertColumns();
}

void GridModel::addRow(const QStringList &cells)
{
    const int r = int(m_rows.size());
    beginInsertRows({}, r, r);
    m_rows.append(cells);
    endInsertRows();
}

QString GridModel::cell(int r, int column) const
{
    if (r < 0 || r >= m_rows.size())
        return {};
    return m_rows.at(r).value(column);
}

void GridModel::setCell(int r, int column, const QString &text)
{
    if (r < 0 || r >= m_rows.size() || column < 0)
        return;
    QStringList &cells = m_rows[r];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    const QModelIndex at = index(r, column);
    if (at.isValid())
        emit dataChanged(at, at);
}

void GridModel::removeRowAt(int r)
{
    if (r < 0 || r >= m_rows.size())
        return;
    beginRemoveRows({}, r, r);
    m_rows.removeAt(r);
    endRemoveRows();
}

void GridModel::clearRows()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void GridModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_captions.clear();
    endResetModel();
}

} // namespace zx::protocol
