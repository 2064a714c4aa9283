#pragma once

#include "document/OpenDocument.h"
#include "mainwindow/DiagnosisModel.h"
#include "model/RecordKey.h"

#include <QDialog>
#include <QFutureWatcher>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QTreeView;

namespace korven::mainwindow {

// The 診断 list: the open save's values that no dialog would accept, grouped by category. A
// double-clicked row opens its record's dialog over the list; 修正 repairs the selected rows as
// one step of the history. The list follows the document, so it never shows a repaired value;
// each check runs off the window's thread on a copy of the save.
class DiagnosisDialog : public QDialog {
    Q_OBJECT
public:
    DiagnosisDialog(OpenDocument& document, std::function<void(const RecordKey& key)> open, QWidget* owner);

    // Repairs the findings of the selected rows; a selected group stands for all its rows.
    void repairSelected();

private:
    using Check = QFutureWatcher<std::vector<rules::Finding>>;

    void refresh();
    void showChecked(std::shared_ptr<const SaveFile> checked, std::vector<rules::Finding> findings);
    void followSelection();

    OpenDocument& m_document;
    std::function<void(const RecordKey& key)> m_open;
    DiagnosisModel* m_model;
    QLabel* m_summary;
    QTreeView* m_list;
    QPushButton* m_fix;
    std::unique_ptr<Check> m_check;             // the check under way, if any
    std::shared_ptr<const SaveFile> m_checked;  // the copy the rows are named from
};

// Shows the list beside the main window, which stays usable (a player can save with it open);
// a second call brings the open list to the front.
void ShowDiagnosis(OpenDocument& document, std::function<void(const RecordKey& key)> open, QWidget* owner);

}  // namespace korven::mainwindow
