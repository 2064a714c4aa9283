#pragma once

#include "mainwindow/SaveListing.h"

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

namespace korven::mainwindow {

// The saves list's rows. A plain table, not a tree of items: a tree view lays out every row
// again whenever rows arrive, and items make each of those layouts cost far more.
class SaveListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { FileName, SaveName, Scenario, CurrentTurn, Modified, ColumnCount };
    static constexpr int PathRole = Qt::UserRole;

    // Rows whose file could not be read show their reason in `problemColour`.
    explicit SaveListModel(QColor problemColour, QObject* parent = nullptr);

    void append(std::vector<SaveEntry> rows);
    void clear();
    QString pathAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Names as a player counts them, times and turns by their value; selected rows stay selected.
    void sort(int column, Qt::SortOrder order) override;

private:
    std::vector<SaveEntry> m_rows;
    QColor m_problemColour;
};

}  // namespace korven::mainwindow
