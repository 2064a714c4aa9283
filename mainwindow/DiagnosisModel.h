#pragma once

#include "mainwindow/DiagnosisRows.h"

#include <QAbstractItemModel>

#include <optional>
#include <vector>

namespace korven::mainwindow {

// The 診断 list as a tree of categories and their findings. A row is named only when a view
// first asks for it, so a save with thousands of findings lists at once.
class DiagnosisModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { Record, Field, Value, Fix, Reason, Path, ColumnCount };

    using QAbstractItemModel::QAbstractItemModel;

    // `file` names the rows and must outlive them (until the next reset).
    void reset(std::vector<rules::Finding> findings, const SaveFile* file);

    std::size_t findingCount() const { return m_findings.size(); }
    // The findings the indexes stand for, each once, in file order; a category stands for all of its.
    std::vector<rules::Finding> findingsOf(const QModelIndexList& indexes) const;
    // The record whose dialog edits the finding's field; none for a category or the file's own.
    std::optional<RecordKey> keyOf(const QModelIndex& index) const;
    // The finding row with this path, for tests and for keeping a place across a refresh.
    QModelIndex indexOfPath(const QString& path) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // A finding row's place in m_findings; none for a category.
    std::optional<std::size_t> findingAt(const QModelIndex& index) const;
    const DiagnosisRow& rowAt(std::size_t finding) const;

    std::vector<rules::Finding> m_findings;
    std::vector<DiagnosisGroup> m_groups;
    const SaveFile* m_file = nullptr;
    mutable std::vector<std::optional<DiagnosisRow>> m_rows;
};

}  // namespace korven::mainwindow
