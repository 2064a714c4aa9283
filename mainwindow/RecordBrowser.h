#pragma once

#include "mainwindow/CategoryTree.h"
#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RowSorting.h"
#include "model/RecordKey.h"

#include <QObject>

#include <optional>

class QLabel;
class QLineEdit;
class QRect;
class QTreeWidget;
class QTreeWidgetItem;

namespace korven {

class OpenDocument;
class StatusSink;

namespace mainwindow {
class RecordListView;
class SearchPanel;
struct SearchEntry;
}  // namespace mainwindow

// Finding records in the open document: the category tree, the record list with its sorting,
// filter and column memory, the search, and the list's shown rows as clipboard text or a CSV
// file. The widgets are children of `panes`; the window places them.
class RecordBrowser : public QObject {
    Q_OBJECT
public:
    RecordBrowser(QWidget* panes, const OpenDocument& document, StatusSink& status, QLabel* countPanel);

    QTreeWidget* tree() const { return m_treeView; }
    mainwindow::RecordListView* list() const { return m_listView; }
    mainwindow::SearchPanel* search() const { return m_search; }
    QLineEdit* filterBox() const { return m_filterBox; }
    // The filter box over the list, the list below it, in `area` of the panes.
    void placeList(const QRect& area);

    // A file was opened: its tree, nothing listed yet. Closed: every view empty.
    void showFile();
    void clear();

    // Selects the tree node with `key` (expanding its parents) and shows its list.
    bool selectNode(const QString& key);
    std::optional<mainwindow::ListKind> currentListKind() const { return m_kind; }
    // The current row, 1-based; 1 when there is none.
    int currentListPosition() const;
    // Lists the current node again and selects the row at `position` (1-based), or the last
    // one when the list became shorter.
    void refreshList(int position);
    // Lists the current node again with the same records selected, or, when none of them is
    // listed any more, the row at the current position.
    void refreshKeepingSelection();
    // Every row of the list; in a text box of the window, the box's text instead.
    void selectAllRows();
    // The records changed: the search finds them as they are now.
    void recordsChanged();
    // Selects the record's node and row, clearing a filter that hides it; false when no list
    // shows it.
    bool showRecord(const RecordKey& key);

    // The selected rows as tab-separated text on the clipboard; the list as a CSV file.
    void copyRows();
    void exportCsv();

signals:
    // Enter or a double-click on a row, or on a search match.
    void recordActivated();
    void searchHeightChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showListFor(QTreeWidgetItem* node);
    void setUpColumns(mainwindow::ListKind kind);
    void sortByColumn(int column);
    // The filter box's conditions on the list; a bad one is marked in the box, not applied.
    void applyFilter();
    void selectTreeItem(QTreeWidgetItem* item);
    // Shows the record of a search match in the tree and the list; false when no row shows it.
    bool showSearchHit(const mainwindow::SearchEntry& hit);

    const OpenDocument& m_document;
    StatusSink& m_status;
    QLabel* m_count;

    mainwindow::CategoryTree m_tree;
    mainwindow::ColumnMemory m_columns;
    std::optional<mainwindow::ListKind> m_kind;
    mainwindow::SortState m_sort;
    QTreeWidgetItem* m_nodeBeforePress = nullptr;
    QString m_validFilter;  // the filter box's last text that was a whole filter

    QTreeWidget* m_treeView;
    mainwindow::RecordListView* m_listView;
    mainwindow::SearchPanel* m_search;
    QLineEdit* m_filterBox;
};

}  // namespace korven
