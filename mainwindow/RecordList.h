#pragma once

#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RecordFilter.h"
#include "mainwindow/RecordRows.h"

#include <QStringList>
#include <QTreeView>

#include <optional>
#include <vector>

// The record list widget: a report view over RecordTableModel through RecordSortProxy, which
// reports Enter. Row numbers are positions in the view's (possibly sorted) order.
namespace korven::mainwindow {

class RecordTableModel;
class RecordSortProxy;

class RecordListView : public QTreeView {
    Q_OBJECT
public:
    explicit RecordListView(QWidget* parent);

    // Replaces every column header by `columns` (none for an empty list).
    void showColumns(const Columns& columns);
    // The columns as the user left them: display order, widths and alignment.
    Columns shownColumns() const;
    // Replaces the rows; sorting is off afterwards.
    void showRows(std::vector<RecordRow> rows);
    void clearRows();

    void sortRows(int column, Qt::SortOrder order);
    // Shows only the rows `filter` passes; the row numbers below count those rows only.
    void setRowFilter(RowFilter filter);

    int rowCount() const;
    // Every row of the list, shown or not.
    int unfilteredRowCount() const;
    int columnCount() const;
    QString cellText(int row, int column) const;
    std::optional<RecordKey> rowKey(int row) const;
    // The current row when it is selected.
    std::optional<int> selectedRow() const;
    // The selected rows in view order.
    std::vector<int> selectedRows() const;
    void selectRow(int row);
    // The records of the selected rows, and selecting the rows of `keys` (the row of `current`
    // made current); false when none of them is listed.
    std::vector<RecordKey> selectedKeys() const;
    bool selectKeys(const std::vector<RecordKey>& keys, const std::optional<RecordKey>& current);
    // The row showing the record with `key`, if the list has one.
    std::optional<int> rowOfKey(const RecordKey& key) const;

    // The cells of `rows` in the columns' display order, the captions first when asked.
    std::vector<QStringList> rowTexts(const std::vector<int>& rows, bool withCaptions) const;
    std::vector<int> allRows() const;

    const RecordTableModel& table() const { return *m_table; }

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    RecordTableModel* m_table;
    RecordSortProxy* m_proxy;
};

}  // namespace korven::mainwindow
