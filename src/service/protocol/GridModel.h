#pragma once
// The grid a request record list is built from and a reply is shown in: captioned
// columns and rows of text cells, cell 0 being the row caption and cells 1..n-1 its
// sub-items. A plain table model, so views can show it as it is.
#include <QAbstractTableModel>
#include <QStringList>

namespace zx::protocol {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);
    explicit GridModel(const QStringList &captions, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QStringList captions() const { return m_captions; }
    QString caption(int column) const { return m_captions.value(column); }
    void setCaptions(const QStringList &captions);
    void addColumn(const QString &caption);

    // cells[0] is the row caption; a row may hold fewer cells than there are columns
    // (the missing ones read as empty) or more (they are kept but not shown).
    void addRow(const QStringList &cells);
    QStringList row(int r) const { return m_rows.value(r); }
    QString cell(int r, int column) const;
    void setCell(int r, int column, const QString &text);
    void removeRowAt(int r);

    void clearRows();
    void clear(); // rows and columns

private:
    QStringList m_captions;
    QList<QStringList> m_rows;
};

} // namespace zx::protocol
