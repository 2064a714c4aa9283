#include "mainwindow/RecordBrowser.h"

#include "document/OpenDocument.h"
#include "mainwindow/FileFilter.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/RecordRows.h"
#include "mainwindow/RecordTableModel.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/TableText.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTreeWidget>

namespace korven {

using namespace mainwindow;
namespace mt = mainwindow::texts;

namespace {

constexpr int kNodeKeyRole = Qt::UserRole;
constexpr int kNodeIndexRole = Qt::UserRole + 1;

}  // namespace

RecordBrowser::RecordBrowser(QWidget* panes, const OpenDocument& document, StatusSink& status,
                             QLabel* countPanel)
    : QObject(panes),
      m_document(document),
      m_status(status),
      m_count(countPanel),
      m_treeView(new QTreeWidget(panes)),
      m_listView(new RecordListView(panes)),
      m_search(new SearchPanel(panes)),
      m_filterBox(new QLineEdit(panes)) {
    m_treeView->setObjectName(QStringLiteral("TreeView"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setUniformRowHeights(true);
    m_listView->setObjectName(QStringLiteral("ListView"));
    m_search->setObjectName(QStringLiteral("picSearch"));
    m_search->setIndexSource([this] {
        return m_document.isOpen() ? SearchIndex::Build(*m_document.model(), m_tree) : SearchIndex{};
    });
    m_treeView->setAccessibleName(mt::treeName());
    m_listView->setAccessibleName(mt::listName());
    m_filterBox->setObjectName(QStringLiteral("txtFilter"));
    m_filterBox->setAccessibleName(mt::filterName());
    m_filterBox->setPlaceholderText(mt::filterPlaceholder());
    m_filterBox->setToolTip(mt::filterToolTip());
    m_filterBox->setClearButtonEnabled(true);
    m_filterBox->setEnabled(false);
    m_treeView->viewport()->installEventFilter(this);

    connect(m_treeView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { showListFor(current); });
    connect(m_treeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        // A click on the node already selected lists it again; a new node was listed when it
        // became current.
        if (item == m_nodeBeforePress) {
            showListFor(item);
        }
    });
    connect(m_treeView, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* collapsed) {
        // A collapsed node takes over the selection of a node it hides, so the list never
        // shows (and Enter never opens) records of a node the tree no longer shows selected.
        for (QTreeWidgetItem* up = m_treeView->currentItem(); up != nullptr; up = up->parent()) {
            if (up->parent() == collapsed) {
                m_treeView->setCurrentItem(collapsed);
                return;
            }
        }
        showListFor(m_treeView->currentItem());
    });
    connect(m_listView, &QAbstractItemView::doubleClicked, this, &RecordBrowser::recordActivated);
    connect(m_listView, &RecordListView::enterPressed, this, &RecordBrowser::recordActivated);
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, &RecordBrowser::sortByColumn);
    connect(m_search, &SearchPanel::hitChosen, this, &RecordBrowser::showSearchHit);
    connect(m_search, &SearchPanel::hitActivated, this, &RecordBrowser::recordActivated);
    connect(m_search, &SearchPanel::neededHeightChanged, this, &RecordBrowser::searchHeightChanged);
    connect(m_filterBox, &QLineEdit::textChanged, this, &RecordBrowser::applyFilter);
}

bool RecordBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_treeView->viewport() && event->type() == QEvent::MouseButtonPress) {
        m_nodeBeforePress = m_treeView->currentItem();
    }
    return QObject::eventFilter(watched, event);
}

void RecordBrowser::showFile() {
    m_tree = BuildCategoryTree();
    m_treeView->clear();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(m_tree.nodes.size());
    for (const TreeNode& node : m_tree.nodes) {
        QTreeWidgetItem* item = node.parent > 0
                                    ? new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent - 1)])
                                    : new QTreeWidgetItem(m_treeView);
        item->setText(0, node.caption);
        if (node.key) {
            item->setData(0, kNodeKeyRole, *node.key);
        }
        item->setData(0, kNodeIndexRole, node.index);
        items.push_back(item);
    }
    m_search->setFileOpen(true);
    m_filterBox->setEnabled(true);
}

void RecordBrowser::clear() {
    m_treeView->clear();
    m_listView->clearRows();
    m_count->clear();
    m_sort = {};
    m_search->setFileOpen(false);
    m_filterBox->clear();
    m_filterBox->setEnabled(false);
}

void RecordBrowser::placeList(const QRect& area) {
    const int boxHeight = std::min(m_filterBox->sizeHint().height(), area.height());
    m_filterBox->setGeometry(area.x(), area.y(), area.width(), boxHeight);
    m_listView->setGeometry(area.x(), area.y() + boxHeight, area.width(), area.height() - boxHeight);
}

bool RecordBrowser::selectNode(const QString& key) {
    for (QTreeWidgetItemIterator it(m_treeView); *it; ++it) {
        if ((*it)->data(0, kNodeKeyRole).toString() == key) {
            selectTreeItem(*it);
            return true;
        }
    }
    return false;
}

void RecordBrowser::selectTreeItem(QTreeWidgetItem* item) {
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    if (m_treeView->currentItem() == item) {
        showListFor(item);
    } else {
        m_treeView->setCurrentItem(item);
    }
    m_treeView->scrollToItem(item);
}

bool RecordBrowser::showRecord(const RecordKey& key) {
    const SearchIndex index = SearchIndex::Build(*m_document.model(), m_tree);
    const SearchEntry* entry = index.entryOf(key);
    return entry != nullptr && showSearchHit(*entry);
}

bool RecordBrowser::showSearchHit(const SearchEntry& hit) {
    for (QTreeWidgetItemIterator it(m_treeView); *it; ++it) {
        if ((*it)->data(0, kNodeIndexRole).toInt() == hit.node) {
            selectTreeItem(*it);
            std::optional<int> row = m_listView->rowOfKey(hit.key);
            if (!row && !m_filterBox->text().isEmpty()) {
                // The record asked for wins over a filter that hides it.
                m_filterBox->clear();
                row = m_listView->rowOfKey(hit.key);
            }
            if (row) {
                m_listView->selectRow(*row);
            }
            return row.has_value();
        }
    }
    return false;
}

void RecordBrowser::showListFor(QTreeWidgetItem* node) {
    m_listView->clearRows();
    m_sort = {};
    m_count->clear();
    if (node == nullptr || !m_document.isOpen()) {
        return;
    }
    const NodeList list = ListForNode(FactsOf(m_tree, node->data(0, kNodeIndexRole).toInt()),
                                      m_tree.fixedNodeCount, m_tree.firstAreaIndex);
    if (list.kind == ListKind::Clear) {
        setUpColumns(ListKind::Clear);
        return;
    }
    if (m_kind != list.kind) {
        setUpColumns(list.kind);
    }
    m_listView->showRows(BuildRows(*m_document.model(), list));
    applyFilter();
}

void RecordBrowser::applyFilter() {
    const Columns& columns = m_listView->table().columns();
    RowFilter filter = ParseFilter(m_filterBox->text(), columns);
    // A condition being typed or mistyped is marked until it is whole.
    QPalette palette = m_filterBox->palette();
    palette.setColor(QPalette::Base, filter.error.isEmpty() ? m_listView->palette().color(QPalette::Base)
                                                            : QColor(0xff, 0xe0, 0xe0));
    m_filterBox->setPalette(palette);
    m_filterBox->setToolTip(filter.error.isEmpty() ? mt::filterToolTip() : filter.error);
    if (filter.error.isEmpty()) {
        m_validFilter = m_filterBox->text();
    } else {
        // A typo never widens the list (and so what Ctrl+A and a batch edit take): the last
        // whole filter stays, and one that does not fit this list's columns shows no row.
        filter = ParseFilter(m_validFilter, columns);
        filter.passesNone = !filter.error.isEmpty();
    }
    const bool active = filter.active();
    m_listView->setRowFilter(std::move(filter));
    if (!m_kind || m_treeView->currentItem() == nullptr) {
        return;
    }
    const int shown = m_listView->rowCount();
    m_count->setText(active ? mt::filteredRowCount(shown, m_listView->unfilteredRowCount())
                            : mt::rowCount(shown));
}

void RecordBrowser::setUpColumns(ListKind kind) {
    const Columns next =
        SwitchColumns(m_columns, m_kind, m_kind ? m_listView->shownColumns() : Columns{}, kind);
    m_kind.reset();
    m_listView->showColumns(next);
    if (kind != ListKind::Clear) {
        m_kind = kind;
    }
}

void RecordBrowser::sortByColumn(int column) {
    m_sort = SortAfterClick(m_sort, column);
    m_listView->sortRows(m_sort.column, m_sort.order);
}

int RecordBrowser::currentListPosition() const {
    const QModelIndex current = m_listView->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void RecordBrowser::refreshList(int position) {
    showListFor(m_treeView->currentItem());
    const int count = m_listView->rowCount();
    if (count == 0) {
        return;
    }
    m_listView->selectRow(std::clamp(position, 1, count) - 1);
}

void RecordBrowser::refreshKeepingSelection() {
    const std::vector<RecordKey> selected = m_listView->selectedKeys();
    const QModelIndex current = m_listView->currentIndex();
    const std::optional<RecordKey> currentKey =
        current.isValid() ? m_listView->rowKey(current.row()) : std::nullopt;
    const int position = currentListPosition();
    showListFor(m_treeView->currentItem());
    if (!m_listView->selectKeys(selected, currentKey) && m_listView->rowCount() > 0) {
        m_listView->selectRow(std::clamp(position, 1, m_listView->rowCount()) - 1);
    }
}

void RecordBrowser::selectAllRows() {
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (box != nullptr && box->window() == m_treeView->window()) {
        box->selectAll();
        return;
    }
    m_listView->selectAll();
}

void RecordBrowser::recordsChanged() {
    m_search->invalidate();
}

void RecordBrowser::copyRows() {
    const std::vector<int> rows = m_listView->selectedRows();
    if (rows.empty()) {
        return;
    }
    QGuiApplication::clipboard()->setText(TabSeparated(m_listView->rowTexts(rows, false)));
}

void RecordBrowser::exportCsv() {
    if (!m_document.isOpen()) {
        return;
    }
    if (m_listView->columnCount() == 0) {
        ui().show(Message(mt::nothingToExport(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::csvDialogCaption();
    options.filter = DialogFilter(mt::csvFilter());
    options.defaultSuffix = mt::csvSuffix();
    // Named after the list's place in the tree, e.g. 艦型_日本軍_巡洋艦.csv, next to the save.
    QStringList captions;
    for (const QTreeWidgetItem* node = m_treeView->currentItem(); node; node = node->parent()) {
        captions.prepend(node->text(0));
    }
    options.directory =
        QFileInfo(m_document.path()).absoluteDir().filePath(captions.join(u'_') + u'.' + mt::csvSuffix());
    const std::optional<QString> chosen = ui().getSaveFile(m_treeView->window(), options);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    // All or nothing: a failed write leaves no half file behind.
    QSaveFile file(*chosen);
    const QByteArray bytes = CommaSeparated(m_listView->rowTexts(m_listView->allRows(), true));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        ui().show(Message(mt::csvNotWritten(*chosen, file.errorString()), MessageIcon::Error));
        return;
    }
    m_status.showStatus(mt::csvWritten(*chosen));
}

}  // namespace korven
