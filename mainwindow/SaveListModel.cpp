#include "mainwindow/SaveListModel.h"

#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/NaturalOrder.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace korven::mainwindow {
namespace {

namespace mt = texts;

QString fileNameOf(const SaveEntry& save) {
    return QFileInfo(save.path).fileName();
}

QString shownName(const SaveEntry& save) {
    return save.problem.isEmpty() ? save.saveName : save.problem;
}

QString turnText(const SaveEntry& save) {
    return save.turn ? mt::saveTurn(save.turn->year, save.turn->month, save.turn->turn) : QString();
}

// A row without a turn (an unreadable file) sorts before every turn.
auto turnKey(const SaveEntry& save) {
    return save.turn ? std::tuple(1, save.turn->year, save.turn->month, save.turn->turn)
                     : std::tuple(0, 0, 0, 0);
}

// Names are compared apart, from names taken out of the paths once.
bool lessIn(int column, const SaveEntry& a, const SaveEntry& b) {
    switch (column) {
        case SaveListModel::SaveName:
            return shownName(a) < shownName(b);
        case SaveListModel::Scenario:
            return a.scenario < b.scenario;
        case SaveListModel::CurrentTurn:
            return turnKey(a) < turnKey(b);
        default:
            return a.modified < b.modified;
    }
}

}  // namespace

SaveListModel::SaveListModel(QColor problemColour, QObject* parent)
    : QAbstractTableModel(parent), m_problemColour(problemColour) {}

void SaveListModel::append(std::vector<SaveEntry> rows) {
    if (rows.empty()) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endInsertRows();
}

void SaveListModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QString SaveListModel::pathAt(int row) const {
    return m_rows.at(std::size_t(row)).path;
}

int SaveListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SaveListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SaveListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const SaveEntry& save = m_rows[std::size_t(index.row())];
    const bool problem = !save.problem.isEmpty();
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case FileName:
                    return fileNameOf(save);
                case SaveName:
                    return shownName(save);
                case Scenario:
                    return save.scenario;
                case CurrentTurn:
                    return turnText(save);
                default:
                    return save.modified.toString(mt::backupTimeFormat());
            }
        case Qt::ToolTipRole:
            if (index.column() == FileName) {
                return save.path;
            }
            return index.column() == SaveName && problem ? QVariant(save.problem) : QVariant();
        case Qt::ForegroundRole:
            return index.column() == SaveName && problem ? QVariant(m_problemColour) : QVariant();
        case PathRole:
            return save.path;
        default:
            return {};
    }
}

QVariant SaveListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case FileName:
            return mt::colSaveFileName();
        case SaveName:
            return mt::colSaveName();
        case Scenario:
            return mt::colSaveScenario();
        case CurrentTurn:
            return mt::colSaveTurn();
        case Modified:
            return mt::colSaveModified();
        default:
            return {};
    }
}

void SaveListModel::sort(int column, Qt::SortOrder order) {
    std::vector<QString> names;
    if (column == FileName) {
        names.reserve(m_rows.size());
        std::transform(m_rows.begin(), m_rows.end(), std::back_inserter(names), fileNameOf);
    }
    auto less = [&](int a, int b) {
        return column == FileName ? NaturalLess(names[std::size_t(a)], names[std::size_t(b)])
                                  : lessIn(column, m_rows[std::size_t(a)], m_rows[std::size_t(b)]);
    };
    std::vector<int> from(m_rows.size());
    std::iota(from.begin(), from.end(), 0);
    std::stable_sort(from.begin(), from.end(),
                     [&](int a, int b) { return order == Qt::AscendingOrder ? less(a, b) : less(b, a); });
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> to(from.size());
    std::vector<SaveEntry> sorted;
    sorted.reserve(m_rows.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        to[std::size_t(from[i])] = int(i);
        sorted.push_back(std::move(m_rows[std::size_t(from[i])]));
    }
    m_rows = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        after.append(createIndex(to[std::size_t(index.row())], index.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace korven::mainwindow
