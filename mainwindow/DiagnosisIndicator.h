#pragma once

#include <QLabel>

namespace korven {

class FileCommands;
class OpenDocument;

namespace mainwindow {

// The status bar's "診断: N 件": how many values of the open save no dialog would accept, kept
// up to date as the file opens, is restored from a backup or is edited. Empty for a clean save
// and without a file; it never interrupts.
class DiagnosisIndicator : public QLabel {
    Q_OBJECT
public:
    DiagnosisIndicator(const OpenDocument& document, const FileCommands& files, QWidget* parent);

private:
    void refresh();

    const OpenDocument& m_document;
};

}  // namespace mainwindow
}  // namespace korven
