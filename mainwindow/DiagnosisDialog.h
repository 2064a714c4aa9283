#pragma once

#include "document/OpenDocument.h"
#include "mainwindow/DiagnosisModel.h"
#include "model/RecordKey.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeView;

namespace korven::mainwindow {

// The 診断 list: the open save's values that no dialog would accept, grouped by category. A
// double-clicked row opens its record's dialog over the list; 修正 repairs the selected rows as
// one step of the history. The list follows the document, so it never shows a repaired value.
class DiagnosisDialog : public QDialog {
    Q_OBJECT
public:
    DiagnosisDialog(OpenDocument& document, std::function<void(const RecordKey& key)> open, QWidget* owner);

    // Repairs the findings of the selected rows; a selected group stands for all its rows.
    void repairSelected();

private:
    void refresh();

    OpenDocument& m_document;
    std::function<void(const RecordKey& key)> m_open;
    DiagnosisModel* m_model;
    QLabel* m_summary;
    QTreeView* m_list;
    QPushButton* m_fix;
};

// Shows the list beside the main window, which stays usable (a player can save with it open);
// a second call brings the open list to the front.
void ShowDiagnosis(OpenDocument& document, std::function<void(const RecordKey& key)> open, QWidget* owner);

}  // namespace korven::mainwindow
