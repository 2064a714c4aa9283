#include "mainwindow/DiagnosisIndicator.h"

#include "document/OpenDocument.h"
#include "mainwindow/DiagnosisRows.h"
#include "mainwindow/FileCommands.h"
#include "model/SaveRules.h"

namespace korven::mainwindow {

DiagnosisIndicator::DiagnosisIndicator(const OpenDocument& document, const FileCommands& files,
                                       QWidget* parent)
    : QLabel(parent), m_document(document) {
    setObjectName(QStringLiteral("lblDiagnosis"));
    connect(&document, &OpenDocument::changed, this, &DiagnosisIndicator::refresh);
    connect(&files, &FileCommands::opened, this, &DiagnosisIndicator::refresh);
    connect(&files, &FileCommands::closed, this, &DiagnosisIndicator::refresh);
    connect(&files, &FileCommands::backupRestored, this, &DiagnosisIndicator::refresh);
}

void DiagnosisIndicator::refresh() {
    const SaveFile* model = m_document.model();
    setText(model ? DiagnosisStatus(rules::CountFindings(*model)) : QString());
}

}  // namespace korven::mainwindow
