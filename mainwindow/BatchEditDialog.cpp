#include "mainwindow/BatchEditDialog.h"

#include "document/BatchRecipe.h"
#include "document/DocumentTexts.h"
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
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <set>

namespace korven {

namespace mt = mainwindow::texts;

namespace {

// A whole number as typed (after folding full-width forms), or nothing: "1.5" is not 15.
std::optional<qint64> wholeNumber(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]+$"));
    bool ok = false;
    const qint64 value = digits.match(text).hasMatch() ? text.toLongLong(&ok) : 0;
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

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
    connect(m_list, &QTreeWidget::itemChanged, this, &BatchEditDialog::followTicks);
    preview();
}

void BatchEditDialog::preview() {
    const auto operation = static_cast<batch::Operation>(m_operation->currentData().toInt());
    const bool needsValue = operation != batch::Operation::Maximum;
    m_value->setEnabled(needsValue);
    // Full-width digits and minus as a Japanese keyboard types them, as the filter takes them.
    const QString typed = m_value->text().normalized(QString::NormalizationForm_KC).trimmed();
    const std::optional<qint64> value = wholeNumber(typed);
    m_operand = value.value_or(0);
    m_outcome = {};
    m_rows.clear();
    if (m_field->currentIndex() < 0) {
        m_prepared = mt::batchChooseField();
    } else if (needsValue && typed.isEmpty()) {
        m_prepared = mt::batchNeedsValue();
    } else if (needsValue && !value) {
        m_prepared = mt::batchNotWholeNumber(m_value->text().trimmed());
    } else {
        m_outcome = batch::Prepare(*m_document.model(),
                                   {m_records, m_field->currentText(), operation, value.value_or(0)});
        if (m_outcome.refusal) {
            m_prepared = *m_outcome.refusal;
        } else {
            const auto count = static_cast<int>(m_outcome.changes.changes.size());
            m_prepared = count == 0 ? mt::noChanges() : mt::batchChangeCount(count);
            if (m_outcome.limited > 0) {
                m_prepared += u'\n' + mt::batchLimited(m_outcome.limited);
            }
        }
    }
    m_rows = mainwindow::ChangeRowsFor(m_outcome.changes.changes, *m_document.model());
    {
        const QSignalBlocker quiet(m_list);
        FillChangeList(m_list, m_rows);
        // Every change is ticked; a player unticks the records to leave as they are.
        for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
            m_list->topLevelItem(i)->setCheckState(0, Qt::Checked);
        }
    }
    for (int c = 0; c < m_list->columnCount(); ++c) {
        m_list->resizeColumnToContents(c);
    }
    // Untouched, OK closes without a change; once a field is chosen, only a whole request
    // that the rules accept can be applied.
    m_ready = m_field->currentIndex() < 0 || (!m_outcome.refusal && (!needsValue || value));
    m_saveRecipe->setEnabled(m_field->currentIndex() >= 0 && !m_outcome.refusal && (!needsValue || value));
    followTicks();
}

void BatchEditDialog::followTicks() {
    const int count = m_list->topLevelItemCount();
    int ticked = 0;
    for (int i = 0; i < count; ++i) {
        ticked += m_list->topLevelItem(i)->checkState(0) == Qt::Checked ? 1 : 0;
    }
    m_summary->setText(ticked == count ? m_prepared : mt::batchTickedCount(ticked, count));
    m_ok->setEnabled(m_ready);
}

ChangeSet BatchEditDialog::tickedChanges() const {
    ChangeSet ticked{m_outcome.changes.name, {}};
    std::set<std::pair<int, int>> records;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked) {
            continue;
        }
        const auto row = static_cast<std::size_t>(item->data(0, Qt::UserRole).toULongLong());
        ticked.changes.push_back(m_outcome.changes.changes[row]);
        if (const std::optional<RecordKey>& key = m_rows[row].key) {
            records.emplace(key->index, key->step);
        }
    }
    if (ticked.changes.size() != m_outcome.changes.changes.size() && !m_records.empty()) {
        // The step counts the records it changes.
        ticked.name = document::texts::batchStep(
            m_field->currentText(),
            document::texts::recordCount(m_records.front().kind, static_cast<qsizetype>(records.size())));
    }
    return ticked;
}

// The operation as one relative line, to run again on this save or another: on the records
// chosen, less those a player unticked.
void BatchEditDialog::saveAsRecipe() {
    const auto operation = static_cast<batch::Operation>(m_operation->currentData().toInt());
    std::vector<RecordKey> records = m_records;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        const std::optional<RecordKey>& key =
            m_rows[static_cast<std::size_t>(item->data(0, Qt::UserRole).toULongLong())].key;
        if (item->checkState(0) != Qt::Checked && key) {
            std::erase(records, *key);
        }
    }
    const std::optional<QString> line =
        batch::RecipeLineOf({records, m_field->currentText(), operation, m_operand});
    if (!line) {
        ui().show(Message(mt::recipeNothingToSave(), MessageIcon::Exclamation));
        return;
    }
    const QString title = mt::recipeTitleBatch(m_field->currentText(), m_operation->currentText());
    mainwindow::SaveRecipeText(recipe::TitleLine(title) + u'\n' + *line + u'\n', m_document.path(), this);
}

void BatchEditDialog::accept() {
    if (!m_ready || m_outcome.refusal || m_document.apply(tickedChanges()) == DocumentEdit::Refused) {
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
