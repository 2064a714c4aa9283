#include "mainwindow/BatchEditDialog.h"

#include "document/BatchRecipe.h"
#include "document/OpenDocument.h"
#include "mainwindow/ChangesDialog.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecipeCommands.h"
#include "mainwindow/RecordBrowser.h"
#include "mainwindow/RecordList.h"
#include "model/Recipe.h"
#include "platform/UiServices.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korven {

namespace mt = mainwindow::texts;

BatchEditDialog::BatchEditDialog(OpenDocument& document, std::vector<RecordKey> records, QWidget* owner)
    : QDialog(owner),
      m_document(document),
      m_records(std::move(records)),
      m_field(new QComboBox(this)),
      m_operation(new QComboBox(this)),
      m_value(new QLineEdit(this)),
      m_summary(new QLabel(this)),
      m_list(NewChangeList({}, ChangesPurpose::Review, this)) {
    setObjectName(QStringLiteral("frmBatchEdit"));
    setWindowTitle(mt::batchCaption());
    m_field->setObjectName(QStringLiteral("cboField"));
    m_operation->setObjectName(QStringLiteral("cboOperation"));
    m_value->setObjectName(QStringLiteral("txtValue"));
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);

    if (!m_records.empty()) {
        for (const fields::Description* field : batch::FieldsOf(m_records.front().kind)) {
            m_field->addItem(QString::fromUtf8(field->japanese));
        }
    }
    // Nothing is chosen at first, so that OK on an untouched dialog changes nothing.
    m_field->setCurrentIndex(-1);
    // Repairing and refuelling are the common batches: the class's values come first.
    const std::pair<QString, batch::Operation> operations[] = {
        {mt::batchMaximum(), batch::Operation::Maximum},
        {mt::batchSet(), batch::Operation::Set},
        {mt::batchAdd(), batch::Operation::Add},
        {mt::batchMultiply(), batch::Operation::MultiplyPercent},
    };
    for (const auto& [caption, operation] : operations) {
        m_operation->addItem(caption, QVariant::fromValue(static_cast<int>(operation)));
    }
    m_value->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,12}")), m_value));

    auto* form = new QFormLayout;
    form->addRow(new QLabel(mt::batchRecords(static_cast<int>(m_records.size())), this));
    auto addRow = [&](const QString& caption, QWidget* box) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    addRow(mt::batchField(), m_field);
    addRow(mt::batchOperation(), m_operation);
    addRow(mt::batchValue(), m_value);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(mt::okButton(), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    buttons->addButton(mt::cancelButton(), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdCancel"));
    m_saveRecipe = buttons->addButton(mt::saveAsRecipeButton(), QDialogButtonBox::ActionRole);
    m_saveRecipe->setObjectName(QStringLiteral("cmdSaveRecipe"));
    connect(m_saveRecipe, &QPushButton::clicked, this, &BatchEditDialog::saveAsRecipe);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(720, 460);

    connect(m_field, &QComboBox::currentIndexChanged, this, &BatchEditDialog::preview);
    connect(m_operation, &QComboBox::currentIndexChanged, this, &BatchEditDialog::preview);
    connect(m_value, &QLineEdit::textChanged, this, &BatchEditDialog::preview);
    preview();
}

void BatchEditDialog::preview() {
    const auto operation = static_cast<batch::Operation>(m_operation->currentData().toInt());
    const bool needsValue = operation != batch::Operation::Maximum;
    m_value->setEnabled(needsValue);
    bool numeric = false;
    const qint64 value = m_value->text().toLongLong(&numeric);
    m_outcome = {};
    QString summary;
    if (m_field->currentIndex() < 0) {
        summary = mt::batchChooseField();
    } else if (needsValue && !numeric) {
        summary = mt::batchNeedsValue();
    } else {
        m_outcome =
            batch::Prepare(*m_document.model(), {m_records, m_field->currentText(), operation, value});
        if (m_outcome.refusal) {
            summary = *m_outcome.refusal;
        } else {
            const auto count = static_cast<int>(m_outcome.changes.changes.size());
            summary = count == 0 ? mt::noChanges() : mt::batchChangeCount(count);
            if (m_outcome.limited > 0) {
                summary += u'\n' + mt::batchLimited(m_outcome.limited);
            }
        }
    }
    m_summary->setText(summary);
    FillChangeList(m_list, mainwindow::ChangeRowsFor(m_outcome.changes.changes, *m_document.model()));
    for (int c = 0; c < m_list->columnCount(); ++c) {
        m_list->resizeColumnToContents(c);
    }
    // A refused value changes nothing; OK stays for the choices that are merely incomplete.
    m_ok->setEnabled(!m_outcome.refusal);
    m_saveRecipe->setEnabled(m_field->currentIndex() >= 0 && (!needsValue || numeric) && !m_outcome.refusal);
}

// The operation as one relative line, to run again on this save or another.
void BatchEditDialog::saveAsRecipe() {
    const auto operation = static_cast<batch::Operation>(m_operation->currentData().toInt());
    const std::optional<QString> line =
        batch::RecipeLineOf({m_records, m_field->currentText(), operation, m_value->text().toLongLong()});
    if (!line) {
        ui().show(Message(mt::recipeNothingToSave(), MessageIcon::Exclamation));
        return;
    }
    const QString title = mt::recipeTitleBatch(m_field->currentText(), m_operation->currentText());
    mainwindow::SaveRecipeText(recipe::TitleLine(title) + u'\n' + *line + u'\n', m_document.path(), this);
}

void BatchEditDialog::accept() {
    if (m_outcome.refusal || m_document.apply(std::move(m_outcome.changes)) == DocumentEdit::Refused) {
        return;
    }
    QDialog::accept();
}

void ConnectBatchEdit(QAction* action, OpenDocument& document, RecordBrowser& browser, QWidget* owner) {
    mainwindow::RecordListView* list = browser.list();
    auto follow = [action, &document, list] {
        action->setEnabled(document.isOpen() && !list->selectedRows().empty());
    };
    follow();
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, action, follow);
    QObject::connect(list->model(), &QAbstractItemModel::modelReset, action, follow);
    QObject::connect(list->model(), &QAbstractItemModel::layoutChanged, action, follow);
    QObject::connect(action, &QAction::triggered, owner, [&document, list, owner] {
        std::vector<RecordKey> records;
        for (const int row : list->selectedRows()) {
            if (const std::optional<RecordKey> key = list->rowKey(row)) {
                records.push_back(*key);
            }
        }
        if (!document.isOpen() || records.empty()) {
            return;
        }
        BatchEditDialog dialog(document, std::move(records), owner);
        dialog.exec();
    });
}

}  // namespace korven
