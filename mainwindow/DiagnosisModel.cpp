#include "mainwindow/DiagnosisModel.h"

#include "mainwindow/MainWindowTexts.h"

#include <algorithm>

namespace korven::mainwindow {
namespace {

// A category's internal id is 0; a finding's is its category's place plus one.
constexpr quintptr kCategory = 0;

}  // namespace

void DiagnosisModel::reset(std::vector<rules::Finding> findings, const SaveFile* file) {
    beginResetModel();
    m_findings = std::move(findings);
    m_file = file;
    m_groups = DiagnosisGroups(m_findings);
    m_rows.assign(m_findings.size(), std::nullopt);
    endResetModel();
}

std::optional<std::size_t> DiagnosisModel::findingAt(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kCategory) {
        return std::nullopt;
    }
    return m_groups[index.internalId() - 1].findings[std::size_t(index.row())];
}

const DiagnosisRow& DiagnosisModel::rowAt(std::size_t finding) const {
    std::optional<DiagnosisRow>& row = m_rows[finding];
    if (!row) {
        row = DiagnosisRowOf(m_findings[finding], *m_file);
    }
    return *row;
}

std::vector<rules::Finding> DiagnosisModel::findingsOf(const QModelIndexList& indexes) const {
    std::vector<std::size_t> picked;
    for (const QModelIndex& index : indexes) {
        if (const std::optional<std::size_t> finding = findingAt(index)) {
            picked.push_back(*finding);
        } else if (index.isValid()) {
            const std::vector<std::size_t>& all = m_groups[std::size_t(index.row())].findings;
            picked.insert(picked.end(), all.begin(), all.end());
        }
    }
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    std::vector<rules::Finding> findings;
    findings.reserve(picked.size());
    for (const std::size_t i : picked) {
        findings.push_back(m_findings[i]);
    }
    return findings;
}

std::optional<RecordKey> DiagnosisModel::keyOf(const QModelIndex& index) const {
    const std::optional<std::size_t> finding = findingAt(index);
    return finding ? rowAt(*finding).key : std::nullopt;
}

QModelIndex DiagnosisModel::indexOfPath(const QString& path) const {
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        const std::vector<std::size_t>& members = m_groups[g].findings;
        const auto found = std::find_if(members.begin(), members.end(),
                                        [&](std::size_t i) { return m_findings[i].path == path; });
        if (found != members.end()) {
            return createIndex(int(found - members.begin()), 0, quintptr(g + 1));
        }
    }
    return {};
}

QModelIndex DiagnosisModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent)) {
        return {};
    }
    if (!parent.isValid()) {
        return createIndex(row, column, kCategory);
    }
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex DiagnosisModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kCategory) {
        return {};
    }
    return createIndex(int(child.internalId() - 1), 0, kCategory);
}

int DiagnosisModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return int(m_groups.size());
    }
    if (parent.internalId() == kCategory && parent.column() == 0) {
        return int(m_groups[std::size_t(parent.row())].findings.size());
    }
    return 0;
}

int DiagnosisModel::columnCount(const QModelIndex&) const {
    return ColumnCount;
}

QVariant DiagnosisModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const std::optional<std::size_t> finding = findingAt(index);
    if (!finding) {
        if (index.column() != Record || role != Qt::DisplayRole) {
            return {};
        }
        const DiagnosisGroup& group = m_groups[std::size_t(index.row())];
        return QStringLiteral("%1 (%2)").arg(group.category).arg(group.findings.size());
    }
    const DiagnosisRow& row = rowAt(*finding);
    if (role == Qt::ToolTipRole) {
        return index.column() == Reason ? QVariant(row.reason) : QVariant();
    }
    switch (index.column()) {
        case Record:
            return row.record;
        case Field:
            return row.field;
        case Value:
            return row.value;
        case Fix:
            return row.fix;
        case Reason:
            return row.reason;
        case Path:
            return row.path;
        default:
            return {};
    }
}

QVariant DiagnosisModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case Record:
            return texts::colChangeRecord();
        case Field:
            return texts::colChangeField();
        case Value:
            return texts::colDiagnosisValue();
        case Fix:
            return texts::colDiagnosisFix();
        case Reason:
            return texts::colDiagnosisReason();
        case Path:
            return texts::colChangePath();
        default:
            return {};
    }
}

}  // namespace korven::mainwindow
