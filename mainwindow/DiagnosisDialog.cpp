#include "mainwindow/DiagnosisDialog.h"

#include "mainwindow/MainWindowTexts.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <set>

namespace korven::mainwindow {

namespace {

constexpr int kRowRole = Qt::UserRole;

}  // namespace

DiagnosisDialog::DiagnosisDialog(OpenDocument& document, std::function<void(const RecordKey& key)> open,
                                 QWidget* owner)
    : QDialog(owner),
      m_document(document),
      m_open(std::move(open)),
      m_summary(new QLabel(this)),
      m_list(new QTreeWidget(this)),
      m_fix(new QPushButton(texts::diagnosisFixButton(), this)) {
    setObjectName(QStringLiteral("frmDiagnosis"));
    setWindowTitle(texts::diagnosisCaption());
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_list->setObjectName(QStringLiteral("lstDiagnosis"));
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({texts::colChangeRecord(), texts::colChangeField(), texts::colDiagnosisValue(),
                             texts::colDiagnosisFix(), texts::colDiagnosisReason(), texts::colChangePath()});
    m_fix->setObjectName(QStringLiteral("cmdFix"));
    m_fix->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_fix, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(texts::closeButton(), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(760, 420);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fix, &QPushButton::clicked, this, &DiagnosisDialog::repairSelected);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_fix->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const QVariant row = item->data(0, kRowRole);
        if (row.isValid() && m_rows[row.toULongLong()].key && m_open) {
            // The dialog's store refreshes this list through the document.
            m_open(*m_rows[row.toULongLong()].key);
        }
    });
    connect(&m_document, &OpenDocument::changed, this, &DiagnosisDialog::refresh);
    refresh();
}

void DiagnosisDialog::refresh() {
    m_list->clear();
    m_rows.clear();
    const SaveFile* model = m_document.model();
    const std::vector<rules::Finding> findings =
        model ? rules::CheckSave(*model) : std::vector<rules::Finding>{};
    m_summary->setText(findings.empty() ? texts::diagnosisClean() : texts::diagnosisCount(findings.size()));
    if (model == nullptr) {
        m_fix->setEnabled(false);
        return;
    }
    for (DiagnosisGroup& group : DiagnosisGroups(findings, *model)) {
        auto* top = new QTreeWidgetItem(
            QStringList{QStringLiteral("%1 (%2)").arg(group.category).arg(group.rows.size())});
        for (DiagnosisRow& row : group.rows) {
            auto* item = new QTreeWidgetItem(
                top, QStringList{row.record, row.field, row.value, row.fix, row.reason, row.path});
            item->setData(0, kRowRole, static_cast<qulonglong>(m_rows.size()));
            m_rows.push_back(std::move(row));
        }
        m_list->addTopLevelItem(top);
        top->setExpanded(true);
    }
    for (int c = 0; c < m_list->columnCount(); ++c) {
        m_list->resizeColumnToContents(c);
    }
    m_fix->setEnabled(false);
}

std::vector<rules::Finding> DiagnosisDialog::selectedFindings() const {
    std::set<qulonglong> picked;
    for (const QTreeWidgetItem* item : m_list->selectedItems()) {
        const QVariant row = item->data(0, kRowRole);
        if (row.isValid()) {
            picked.insert(row.toULongLong());
        }
        for (int i = 0; i < item->childCount(); ++i) {
            picked.insert(item->child(i)->data(0, kRowRole).toULongLong());
        }
    }
    std::vector<rules::Finding> findings;
    for (const qulonglong row : picked) {
        findings.push_back(m_rows[row].finding);
    }
    return findings;
}

void DiagnosisDialog::repairSelected() {
    const std::vector<rules::Finding> chosen = selectedFindings();
    if (chosen.empty() || m_document.model() == nullptr) {
        return;
    }
    DiagnosisRepair repair = RepairFor(chosen, *m_document.model());
    if (!repair.changes.changes.empty()) {
        // A refusal has been told by the document; the list then stays as it is.
        m_document.apply(std::move(repair.changes));
    }
    if (repair.skipped > 0) {
        ui().show(Message(texts::diagnosisSkipped(repair.skipped), MessageIcon::Information));
    }
}

void ShowDiagnosis(OpenDocument& document, std::function<void(const RecordKey& key)> open, QWidget* owner) {
    DiagnosisDialog dialog(document, std::move(open), owner);
    dialog.exec();
}

}  // namespace korven::mainwindow
