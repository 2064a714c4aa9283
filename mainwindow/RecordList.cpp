#include "mainwindow/RecordList.h"

#include "mainwindow/RecordTableModel.h"
#include "mainwindow/WindowLayout.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>

#include <algorithm>
#include <numeric>
#include <set>

namespace korven::mainwindow {

RecordListView::RecordListView(QWidget* parent)
    : QTreeView(parent), m_table(new RecordTableModel(this)), m_proxy(new RecordSortProxy(this)) {
    m_proxy->setSourceModel(m_table);
    setModel(m_proxy);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(true);
    header()->setSortIndicatorShown(false);
}

void RecordListView::showColumns(const Columns& columns) {
    m_proxy->sort(-1);
    m_table->setColumns(columns);
    const int count = static_cast<int>(columns.size());
    for (int i = 0; i < count; ++i) {
        // Never narrower than the caption, so that 上部ステップ is read whole at every font size.
        header()->resizeSection(i, std::max(layout::toPixels(columns[static_cast<std::size_t>(i)].width),
                                            header()->sectionSizeHint(i)));
    }
    for (int position = 0; position < count; ++position) {
        for (int i = 0; i < count; ++i) {
            if (columns[static_cast<std::size_t>(i)].position == position) {
                header()->moveSection(header()->visualIndex(i), position);
                break;
            }
        }
    }
}

Columns RecordListView::shownColumns() const {
    Columns columns = m_table->columns();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        ColumnLayout& c = columns[static_cast<std::size_t>(i)];
        c.width = layout::keepTwips(c.width, header()->sectionSize(i));
        c.position = static_cast<int16_t>(header()->visualIndex(i));
    }
    return columns;
}

void RecordListView::showRows(std::vector<RecordRow> rows) {
    header()->setSortIndicatorShown(false);
    m_proxy->sort(-1);
    m_table->setRows(std::move(rows));
}

void RecordListView::clearRows() {
    showRows({});
}

void RecordListView::sortRows(int column, Qt::SortOrder order) {
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, order);
    m_proxy->sort(column, order);
}

void RecordListView::setRowFilter(RowFilter filter) {
    m_proxy->setRowFilter(std::move(filter));
}

int RecordListView::rowCount() const {
    return m_proxy->rowCount();
}

int RecordListView::unfilteredRowCount() const {
    return m_table->rowCount();
}

int RecordListView::columnCount() const {
    return m_proxy->columnCount();
}

QString RecordListView::cellText(int row, int column) const {
    return m_proxy->index(row, column).data().toString();
}

std::optional<RecordKey> RecordListView::rowKey(int row) const {
    const QVariant key = m_proxy->index(row, 0).data(RecordTableModel::RowKeyRole);
    return key.isValid() ? std::optional(key.value<RecordKey>()) : std::nullopt;
}

std::optional<int> RecordListView::selectedRow() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isRowSelected(current.row(), {})) {
        return std::nullopt;
    }
    return current.row();
}

std::vector<int> RecordListView::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void RecordListView::selectRow(int row) {
    const QModelIndex index = m_proxy->index(row, 0);
    if (!index.isValid()) {
        return;
    }
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

std::vector<RecordKey> RecordListView::selectedKeys() const {
    std::vector<RecordKey> keys;
    for (const int row : selectedRows()) {
        if (const std::optional<RecordKey> key = rowKey(row)) {
            keys.push_back(*key);
        }
    }
    return keys;
}

bool RecordListView::selectKeys(const std::vector<RecordKey>& keys, const std::optional<RecordKey>& current) {
    // One pass over the rows, so that a thousand selected ships stay quick.
    std::set<std::pair<int, int>> wanted;
    for (const RecordKey& key : keys) {
        wanted.emplace(key.index, key.step);
    }
    QItemSelection selection;
    QModelIndex currentIndex;
    for (int row = 0; row < rowCount(); ++row) {
        const std::optional<RecordKey> key = rowKey(row);
        if (!key || !wanted.contains({key->index, key->step})) {
            continue;
        }
        const QModelIndex index = m_proxy->index(row, 0);
        selection.select(index, index);
        if (key == current || !currentIndex.isValid()) {
            currentIndex = index;
        }
    }
    if (selection.isEmpty()) {
        return false;
    }
    selectionModel()->setCurrentIndex(currentIndex, QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(currentIndex);
    return true;
}

std::optional<int> RecordListView::rowOfKey(const RecordKey& key) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (rowKey(row) == key) {
            return row;
        }
    }
    return std::nullopt;
}

std::vector<QStringList> RecordListView::rowTexts(const std::vector<int>& rows, bool withCaptions) const {
    std::vector<int> columns;
    for (int position = 0; position < header()->count(); ++position) {
        columns.push_back(header()->logicalIndex(position));
    }
    std::vector<QStringList> texts;
    if (withCaptions) {
        QStringList captions;
        for (const int column : columns) {
            captions.append(m_proxy->headerData(column, Qt::Horizontal).toString());
        }
        texts.push_back(captions);
    }
    for (const int row : rows) {
        QStringList cells;
        for (const int column : columns) {
            cells.append(cellText(row, column));
        }
        texts.push_back(cells);
    }
    return texts;
}

std::vector<int> RecordListView::allRows() const {
    std::vector<int> rows(static_cast<std::size_t>(rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

void RecordListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QTreeView::keyPressEvent(event);
}

}  // namespace korven::mainwindow
