#include "editors/EditDialog.h"

#include "editors/ModuleMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace korven {

EditDialog::EditDialog(EditSession& session, QWidget* parent) : QDialog(parent), m_session(session) {
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void EditDialog::createStandardButtons(const EditButtonCaptions& captions, bool withUndo, bool applyVisible) {
    auto make = [this](const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        // A click must not take the focus: the focused box is checked before the command runs.
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    m_enter = make(QStringLiteral("CommandEnter"), captions.enter);
    m_apply = make(QStringLiteral("CommandApply"), captions.apply);
    m_apply->setEnabled(false);
    m_apply->setVisible(applyVisible);
    if (withUndo) {
        m_undo = make(QStringLiteral("CommandUndo"), captions.undo);
        m_undo->setEnabled(false);
        connect(m_undo, &QPushButton::clicked, this, &EditDialog::undoEdits);
    }
    m_cancel = make(QStringLiteral("CommandCancel"), captions.cancel);
    connect(m_enter, &QPushButton::clicked, this, &EditDialog::enterEdits);
    connect(m_apply, &QPushButton::clicked, this, &EditDialog::applyEdits);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void EditDialog::addButtons(QHBoxLayout* layout, const QStringList& order) const {
    for (const QString& name : order) {
        if (auto* button = findChild<QPushButton*>(name)) {
            layout->addWidget(button);
        }
    }
}

void EditDialog::clearMarks() {
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w)) {
            MarkChanged(this, w, rules::StoredValue{});
        }
    }
}

void EditDialog::undoEdits() {
    LoadControls();
    clearMarks();
    m_apply->setEnabled(false);
    if (m_undo != nullptr) {
        m_undo->setEnabled(false);
    }
}

void EditDialog::applyEdits() {
    if (!checkFocusedBox()) {
        return;
    }
    StoreControls();
    m_session.markFileChanged();
    undoEdits();
}

void EditDialog::enterEdits() {
    if (!checkFocusedBox()) {
        return;
    }
    if (m_apply->isEnabled()) {
        StoreControls();
        m_session.markFileChanged();
    }
    accept();
}

}  // namespace korven
