#include "mainwindow/DiagnosisDialog.h"

#include "mainwindow/MainWindowTexts.h"
#include "platform/UiServices.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPromise>
#include <QPushButton>
#include <QThreadPool>
#include <QTreeView>
#include <QVBoxLayout>

namespace korven::mainwindow {

namespace {

// A repair of this many findings or more takes longer than a frame, so it shows that it works.
constexpr std::size_t kFindingsWorthProgress = 500;

// Room for each column's usual text, so that the default size shows every column and most of
// the reason without measuring thousands of rows.
void sizeColumns(QTreeView* list) {
    const QFontMetrics metrics(list->font());
    const QString samples[] = {
        QStringLiteral("ＭＭＭＭＭＭＭＭＭＭＭ"),
        QStringLiteral("ＭＭＭＭＭＭＭＭＭＭ"),
        QStringLiteral("-32768"),
        QStringLiteral("-32768"),
        QStringLiteral("ＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭＭ"),
        QStringLiteral("ScienceWeapon[10][10].Leave"),
    };
    for (int c = 0; c < DiagnosisModel::ColumnCount; ++c) {
        const int header = list->header()->fontMetrics().horizontalAdvance(
            list->model()->headerData(c, Qt::Horizontal).toString());
        list->setColumnWidth(c, std::max(metrics.horizontalAdvance(samples[c]), header) + 24);
    }
}

}  // namespace

DiagnosisDialog::DiagnosisDialog(OpenDocument& document, std::function<void(const RecordKey& key)> open,
                                 QWidget* owner)
    : QDialog(owner),
      m_document(document),
      m_open(std::move(open)),
      m_model(new DiagnosisModel(this)),
      m_summary(new QLabel(this)),
      m_list(new QTreeView(this)),
      m_fix(new QPushButton(texts::diagnosisFixButton(), this)) {
    setObjectName(QStringLiteral("frmDiagnosis"));
    setWindowTitle(texts::diagnosisCaption());
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_list->setObjectName(QStringLiteral("lstDiagnosis"));
    m_list->setAccessibleName(texts::diagnosisCaption());
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setModel(m_model);
    m_list->header()->setStretchLastSection(false);
    sizeColumns(m_list);
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
    int width = 0;
    for (int c = 0; c < DiagnosisModel::ColumnCount; ++c) {
        width += m_list->columnWidth(c);
    }
    resize(width + 48, 460);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_fix, &QPushButton::clicked, this, &DiagnosisDialog::repairSelected);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DiagnosisDialog::followSelection);
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const std::optional<RecordKey> key = m_model->keyOf(index); key && m_open) {
            // The dialog's store refreshes this list through the document.
            m_open(*key);
        }
    });
    connect(&m_document, &OpenDocument::changed, this, &DiagnosisDialog::refresh);
    refresh();
}

// Judging a save with thousands of findings takes several frames, so it runs on a copy off
// this thread. Until it ends the list shows the last check, which 修正 must not act on.
void DiagnosisDialog::refresh() {
    m_check.reset();  // a check of an older state of the document is never shown
    const SaveFile* model = m_document.model();
    if (model == nullptr) {
        showChecked(nullptr, {});
        return;
    }
    auto copy = std::make_shared<const SaveFile>(*model);
    auto promise = std::make_shared<QPromise<std::vector<rules::Finding>>>();
    m_check = std::make_unique<Check>();
    Check* check = m_check.get();
    connect(check, &Check::finished, this, [this, check, copy] {
        // A watcher whose result was taken may say it finished again before it is deleted.
        if (m_check.get() != check) {
            return;
        }
        std::vector<rules::Finding> findings = check->future().takeResult();
        m_check.release()->deleteLater();  // it is sending this signal
        showChecked(copy, std::move(findings));
    });
    check->setFuture(promise->future());
    m_summary->setText(texts::diagnosisChecking());
    followSelection();
    QThreadPool::globalInstance()->start([promise, copy] {
        promise->start();
        promise->addResult(rules::CheckSave(*copy));
        promise->finish();
    });
}

void DiagnosisDialog::showChecked(std::shared_ptr<const SaveFile> checked,
                                  std::vector<rules::Finding> findings) {
    // The rows are named from the copy they were found in, so it lives as long as they do.
    m_model->reset(std::move(findings), checked.get());
    m_checked = std::move(checked);
    const std::size_t count = m_model->findingCount();
    m_summary->setText(count == 0 ? texts::diagnosisClean() : texts::diagnosisCount(count));
    m_list->expandAll();
    followSelection();
}

void DiagnosisDialog::followSelection() {
    m_fix->setEnabled(!m_check && m_list->selectionModel()->hasSelection());
}

void DiagnosisDialog::repairSelected() {
    const std::vector<rules::Finding> chosen = m_model->findingsOf(m_list->selectionModel()->selectedRows());
    if (chosen.empty() || m_check || m_document.model() == nullptr) {
        return;
    }
    // The repair runs on this thread, as every change of the document does; a long one is
    // announced before it starts, so the window does not seem to hang.
    std::unique_ptr<QProgressDialog> progress;
    if (chosen.size() >= kFindingsWorthProgress) {
        progress = std::make_unique<QProgressDialog>(texts::diagnosisRepairing(chosen.size()), QString(), 0,
                                                     0, this);
        progress->setObjectName(QStringLiteral("dlgRepairProgress"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    DiagnosisRepair repair = RepairFor(chosen, *m_document.model());
    if (!repair.changes.changes.empty()) {
        // A refusal has been told by the document; the list then stays as it is.
        m_document.apply(std::move(repair.changes));
    }
    progress.reset();
    if (repair.skipped > 0) {
        ui().show(Message(texts::diagnosisSkipped(repair.skipped), MessageIcon::Information));
    }
}

void ShowDiagnosis(OpenDocument& document, std::function<void(const RecordKey& key)> open, QWidget* owner) {
    if (auto* shown = owner != nullptr ? owner->findChild<DiagnosisDialog*>() : nullptr) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    auto* dialog = new DiagnosisDialog(document, std::move(open), owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

}  // namespace korven::mainwindow
