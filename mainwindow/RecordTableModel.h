#pragma once

#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RecordFilter.h"
#include "mainwindow/RecordRows.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

// The record list as a table: the rows of one list kind under that kind's columns. Sorting
// happens in RecordSortProxy above it, so the table itself always keeps the order in which
// the rows were built.
namespace korven::mainwindow {

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        RowKeyRole = Qt::UserRole,       // the record's row key, on every cell of the row
        WidthRole = Qt::UserRole + 1,    // header: the column width in twips
        SortKeyRole = Qt::UserRole + 2,  // a CellSortKey, by the column's compare rule
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the columns; the rows go with them.
    void setColumns(Columns columns);
    const Columns& columns() const { return m_columns; }
    // Keeps the user's widths and order, so that the layout memory can store them.
    void setColumnLayout(int column, double widthTwips, int16_t position);

    void setRows(std::vector<RecordRow> rows);
    void clearRows();
    const std::vector<RecordRow>& rows() const { return m_rows; }

    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Columns m_columns;
    std::vector<RecordRow> m_rows;
};

// Sorts by the cells' sort keys: numbers and pairs by value, texts without regard to case; and
// shows only the rows the filter passes.
class RecordSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RecordSortProxy(QObject* parent = nullptr);

    void setRowFilter(RowFilter filter);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    RowFilter m_filter;
};

}  // namespace korven::mainwindow
