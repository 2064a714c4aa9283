#include "editors/EditSession.h"

#include "document/OpenDocument.h"
#include "document/StepName.h"
#include "model/ModelDiff.h"

namespace korven {

EditSession::EditSession(OpenDocument& document, QString recordName, QString itemText, QString folder,
                         colours::LabelColours labels)
    : m_document(&document),
      m_copy(std::make_unique<SaveFile>(*document.model())),
      m_recordName(std::move(recordName)),
      file(*m_copy),
      selectedItemText(std::move(itemText)),
      gamePath(std::move(folder)),
      openFilePath(document.path()),
      labelColours(labels) {}

EditSession::EditSession(SaveFile& model, std::function<void()> committed, Selection selected,
                         QString itemText, QString folder, QString filePath)
    : m_committed(std::move(committed)),
      file(model),
      selection(selected),
      selectedItemText(std::move(itemText)),
      gamePath(std::move(folder)),
      openFilePath(std::move(filePath)) {}

EditSession::~EditSession() = default;

void EditSession::commit() {
    if (m_document == nullptr) {
        if (m_committed) {
            m_committed();
        }
        return;
    }
    if (!m_document->isOpen()) {
        return;
    }
    std::vector<FieldChange> changes = DiffModels(*m_document->model(), file);
    if (changes.empty()) {
        return;
    }
    QString name = StepName(m_recordName, changes);
    if (m_document->apply({std::move(name), std::move(changes)}) == DocumentEdit::Refused) {
        file = *m_document->model();
    }
}

}  // namespace korven
