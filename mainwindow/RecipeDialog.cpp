#include "mainwindow/RecipeDialog.h"

#include "document/OpenDocument.h"
#include "mainwindow/ChangesDialog.h"
#include "mainwindow/MainWindowTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korven {

namespace mt = mainwindow::texts;

namespace {

QTreeWidget* newLineList(const std::vector<recipe::LineCount>& lines, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("lstRecipeLines"));
    list->setAccessibleName(mt::recipeLinesName());
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels(
        {mt::colRecipeLine(), mt::colRecipeText(), mt::colRecipeChanged(), mt::colRecipeLimited()});
    for (const recipe::LineCount& line : lines) {
        auto* item =
            new QTreeWidgetItem(list, {QString::number(line.line), line.text, QString::number(line.changed),
                                       QString::number(line.limited)});
        for (const int c : {0, 2, 3}) {
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    for (int c = 0; c < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
        list->setColumnWidth(c, list->columnWidth(c) + 16);
    }
    return list;
}

QString summaryOf(const recipe::Prepared& prepared) {
    const auto count = static_cast<int>(prepared.changes.changes.size());
    QString text = count == 0 ? mt::noChanges() : mt::batchChangeCount(count);
    int limited = 0;
    int neverWritten = 0;
    for (const recipe::LineCount& line : prepared.lines) {
        limited += line.limited;
        neverWritten += line.neverWritten;
    }
    if (limited > 0) {
        text += u'\n' + mt::batchLimited(limited);
    }
    if (neverWritten > 0) {
        text += u'\n' + mt::recipeNeverWritten(neverWritten);
    }
    return text;
}

}  // namespace

RecipeDialog::RecipeDialog(OpenDocument& document, recipe::Prepared prepared, QWidget* owner)
    : QDialog(owner), m_document(document), m_prepared(std::move(prepared)) {
    setObjectName(QStringLiteral("frmRecipe"));
    setWindowTitle(mt::recipeCaption(m_prepared.changes.name));
    auto* summary = new QLabel(summaryOf(m_prepared), this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setWordWrap(true);
    QTreeWidget* lines = newLineList(m_prepared.lines, this);
    QTreeWidget* changes =
        NewChangeList(mainwindow::ChangeRowsFor(m_prepared.changes.changes, *document.model()),
                      ChangesPurpose::Review, this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(mt::okButton(), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    buttons->addButton(mt::cancelButton(), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(lines, 1);
    layout->addWidget(changes, 3);
    layout->addWidget(buttons);
    resize(720, 520);
}

void RecipeDialog::accept() {
    if (m_document.apply(std::move(m_prepared.changes)) == DocumentEdit::Refused) {
        return;
    }
    QDialog::accept();
}

}  // namespace korven
