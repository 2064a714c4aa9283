#pragma once

#include "document/BatchEdit.h"
#include "mainwindow/ChangeRows.h"

#include <QDialog>

#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace korven {

class OpenDocument;
class RecordBrowser;

// One field of the selected records changed by one operation: the change set is previewed in
// the change view's list as the choices change, and OK applies the ticked rows of it as one
// step of the history.
class BatchEditDialog : public QDialog {
    Q_OBJECT
public:
    BatchEditDialog(OpenDocument& document, std::vector<RecordKey> records, QWidget* owner);

    void accept() override;

private:
    void preview();
    // The summary and OK as the preview's ticks stand.
    void followTicks();
    // The changes of the ticked rows, named by the records they change.
    ChangeSet tickedChanges() const;
    void saveAsRecipe();

    OpenDocument& m_document;
    std::vector<RecordKey> m_records;
    batch::Outcome m_outcome;
    qint64 m_operand = 0;                       // the value as typed, once it is a whole number
    std::vector<mainwindow::ChangeRow> m_rows;  // the preview's rows, one per change
    QString m_prepared;                         // what the choices lead to
    bool m_ready = false;                       // OK may be pressed
    QComboBox* m_field;
    QComboBox* m_operation;
    QLineEdit* m_value;
    QLabel* m_summary;
    QTreeWidget* m_list;
    QPushButton* m_ok;
    QPushButton* m_saveRecipe = nullptr;
};

// `action` runs the batch edit on the rows selected in the browser's list, and is enabled
// while a file is open and rows are selected.
void ConnectBatchEdit(QAction* action, OpenDocument& document, RecordBrowser& browser, QWidget* owner);

}  // namespace korven
