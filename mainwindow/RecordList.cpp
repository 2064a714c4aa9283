#include "mainwindow/RecordList.h"

#include "mainwindow/RowSorting.h"
#include "mainwindow/WindowLayout.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace korven::mainwindow {
namespace {

// What each header section carries besides its caption.
constexpr int kKeyRole = Qt::UserRole;
constexpr int kWidthRole = Qt::UserRole + 1;  // twips, kept while the pixels match
constexpr int kSortRole = Qt::UserRole + 2;
constexpr int kAlignmentRole = Qt::UserRole + 3;
constexpr int kRowKeyRole = Qt::UserRole;

Qt::Alignment toQt(ColumnAlignment alignment) {
    switch (alignment) {
        case ColumnAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ColumnAlignment::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case ColumnAlignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

class RecordItem : public QTreeWidgetItem {
public:
    RecordItem() : QTreeWidgetItem(QTreeWidgetItem::UserType) {}

    bool operator<(const QTreeWidgetItem& other) const override {
        const auto* list = static_cast<const RecordListView*>(treeWidget());
        const int column = list ? list->sortColumn() : 0;
        return CellLess(text(column), other.text(column), list ? list->sortAsOf(column) : SortAs::Text);
    }
};

}  // namespace

RecordListView::RecordListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(true);
    header()->setSortIndicatorShown(false);
}

void RecordListView::showColumns(const Columns& columns) {
    clear();
    setColumnCount(0);
    const int count = static_cast<int>(columns.size());
    setColumnCount(count);
    QTreeWidgetItem* head = headerItem();
    for (int i = 0; i < count; ++i) {
        const ColumnLayout& c = columns[static_cast<std::size_t>(i)];
        head->setText(i, c.caption);
        head->setData(i, kKeyRole, c.key);
        head->setData(i, kWidthRole, c.width);
        head->setData(i, kSortRole, static_cast<int>(c.sortAs));
        head->setData(i, kAlignmentRole, static_cast<int>(c.alignment));
        head->setTextAlignment(i, toQt(c.alignment));
        header()->resizeSection(i, layout::toPixels(c.width));
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
    Columns columns;
    const QTreeWidgetItem* head = headerItem();
    for (int i = 0; i < columnCount(); ++i) {
        ColumnLayout c;
        c.key = head->data(i, kKeyRole).toString();
        c.caption = head->text(i);
        c.width = layout::keepTwips(head->data(i, kWidthRole).toDouble(), header()->sectionSize(i));
        c.alignment = static_cast<ColumnAlignment>(head->data(i, kAlignmentRole).toInt());
        c.position = static_cast<int16_t>(header()->visualIndex(i));
        c.sortAs = sortAsOf(i);
        columns.push_back(c);
    }
    return columns;
}

void RecordListView::showRows(const std::vector<RecordRow>& rows) {
    clear();
    header()->setSortIndicatorShown(false);
    const int count = columnCount();
    std::vector<Qt::Alignment> alignments;
    for (int i = 0; i < count; ++i) {
        alignments.push_back(
            toQt(static_cast<ColumnAlignment>(headerItem()->data(i, kAlignmentRole).toInt())));
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const RecordRow& row : rows) {
        auto* item = new RecordItem;
        item->setText(0, row.text);
        item->setData(0, kRowKeyRole, row.key);
        for (int j = 0; j < row.subItems.size() && j + 1 < count; ++j) {
            item->setText(j + 1, row.subItems[j]);
        }
        for (int i = 0; i < count; ++i) {
            item->setTextAlignment(i, alignments[static_cast<std::size_t>(i)]);
        }
        items.append(item);
    }
    addTopLevelItems(items);
}

QString RecordListView::rowKey(const QTreeWidgetItem* item) const {
    return item ? item->data(0, kRowKeyRole).toString() : QString();
}

SortAs RecordListView::sortAsOf(int column) const {
    return static_cast<SortAs>(headerItem()->data(column, kSortRole).toInt());
}

void RecordListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace korven::mainwindow
