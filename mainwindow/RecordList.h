#pragma once

#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RecordRows.h"

#include <QTreeWidget>

#include <vector>

// The record list widget: a report view whose rows sort by their columns' compare rule and
// which reports Enter, plus the steps that put columns and rows into it.
namespace korven::mainwindow {

class RecordListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit RecordListView(QWidget* parent);

    // Replaces every column header by `columns` (none for an empty list).
    void showColumns(const Columns& columns);
    // The columns as the user left them: display order, widths and alignment.
    Columns shownColumns() const;
    // Replaces the rows; sorting is off afterwards.
    void showRows(const std::vector<RecordRow>& rows);

    QString rowKey(const QTreeWidgetItem* item) const;
    SortAs sortAsOf(int column) const;

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace korven::mainwindow
