#pragma once

#include "document/BatchEdit.h"

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
// the change view's list as the choices change, and OK applies it as one step of the history.
class BatchEditDialog : public QDialog {
    Q_OBJECT
public:
    BatchEditDialog(OpenDocument& document, std::vector<RecordKey> records, QWidget* owner);

    void accept() override;

private:
    void preview();
    void saveAsRecipe();

    OpenDocument& m_document;
    std::vector<RecordKey> m_records;
    batch::Outcome m_outcome;
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
