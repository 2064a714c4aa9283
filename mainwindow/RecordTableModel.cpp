#include "mainwindow/RecordTableModel.h"

#include "mainwindow/RowSorting.h"

namespace korven::mainwindow {
namespace {

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

}  // namespace

void RecordTableModel::setColumns(Columns columns) {
    beginResetModel();
    m_columns = std::move(columns);
    m_rows.clear();
    endResetModel();
}

void RecordTableModel::setColumnLayout(int column, double widthTwips, int16_t position) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    ColumnLayout& c = m_columns[static_cast<std::size_t>(column)];
    c.width = widthTwips;
    c.position = position;
}

void RecordTableModel::setRows(std::vector<RecordRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void RecordTableModel::clearRows() {
    setRows({});
}

QString RecordTableModel::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return {};
    }
    const RecordRow& r = m_rows[static_cast<std::size_t>(row)];
    return column == 0 ? r.text : r.subItems.value(column - 1);
}

int RecordTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return cellText(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(toQt(m_columns[static_cast<std::size_t>(index.column())].alignment));
        case RowKeyRole:
            return QVariant::fromValue(m_rows[static_cast<std::size_t>(index.row())].key);
        case SortKeyRole:
            return QVariant::fromValue(SortKeyOf(cellText(index.row(), index.column()),
                                                 m_columns[static_cast<std::size_t>(index.column())].sortAs));
        default:
            return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    const ColumnLayout& c = m_columns[static_cast<std::size_t>(section)];
    switch (role) {
        case Qt::DisplayRole:
        // The fixed widths cut captions such as 上部ステップ; the tool tip gives them whole.
        case Qt::ToolTipRole:
            return c.caption;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(toQt(c.alignment));
        case WidthRole:
            return c.width;
        default:
            return {};
    }
}

RecordSortProxy::RecordSortProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(RecordTableModel::SortKeyRole);
    // The list sorts on a header click only; a rebuilt list comes unsorted.
    setDynamicSortFilter(false);
}

bool RecordSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return SortKeyLess(left.data(sortRole()).value<CellSortKey>(),
                       right.data(sortRole()).value<CellSortKey>());
}

void RecordSortProxy::setRowFilter(RowFilter filter) {
    m_filter = std::move(filter);
    invalidateFilter();
}

bool RecordSortProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto& rows = static_cast<const RecordTableModel*>(sourceModel())->rows();
    return RowPasses(m_filter, rows[static_cast<std::size_t>(sourceRow)]);
}

}  // namespace korven::mainwindow
