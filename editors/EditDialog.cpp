#include "editors/EditDialog.h"

#include "editors/Colours.h"
#include "editors/GamePictures.h"
#include "editors/ModuleMain.h"
#include "platform/ControlAccess.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace korven {

QString indexedName(const char* name, std::size_t index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

void alignRight(std::span<QLineEdit* const> boxes) {
    for (QLineEdit* box : boxes) {
        box->setAlignment(Qt::AlignRight);
    }
}

void alignRight(std::initializer_list<QLineEdit*> boxes) {
    alignRight(std::span<QLineEdit* const>(boxes.begin(), boxes.size()));
}

bool LeavesBox(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) {
        return false;
    }
    switch (static_cast<const QFocusEvent*>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            return true;
        default:
            return false;
    }
}

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
        for (QPushButton* button : {m_enter, m_apply, m_undo, m_cancel}) {
            if (button != nullptr && button->objectName() == name) {
                layout->addWidget(button);
            }
        }
    }
}

QHBoxLayout* EditDialog::buttonRow(const QStringList& order) const {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    addButtons(row, order);
    return row;
}

void EditDialog::checkFocusedBoxOnCancel() {
    disconnect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (checkFocusedBox()) {
            reject();
        }
    });
}

QLineEdit* EditDialog::makeBox(const QString& name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    return box;
}

QComboBox* EditDialog::makeCombo(const QString& name) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    return combo;
}

QLineEdit* EditDialog::makeNumberBox(const QString& name, int digits) {
    QLineEdit* box = makeBox(name);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 14);
    return box;
}

QLineEdit* EditDialog::makeSizedBox(const QString& name, int characters, bool editable, bool highlighted) {
    QLineEdit* box = makeBox(name);
    box->setEnabled(editable);
    if (highlighted) {
        box->setProperty(kForeColorProperty, colours::kHighlight);
    }
    QFont face = box->font();
    face.setItalic(true);
    const QFontMetrics metrics(face);
    // Half the width of a double-byte character per half-width character, plus the frame.
    const int width = metrics.horizontalAdvance(QString(characters, QChar(0x6F22))) / 2;
    box->setFixedWidth(std::max(width, metrics.horizontalAdvance(QStringLiteral("00"))) + 16);
    return box;
}

QLineEdit* EditDialog::makeTitleBox(const QString& name, int characters, bool editable) {
    QLineEdit* box = makeSizedBox(name, characters, editable);
    QFont font = box->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    box->setFont(font);
    box->setMaximumWidth(QWIDGETSIZE_MAX);
    return box;
}

QLabel* EditDialog::makeFieldLabel(const QString& text, const QString& name, int margin) {
    auto* label = new QLabel(text, this);
    if (!name.isEmpty()) {
        label->setObjectName(name);
    }
    label->setMargin(margin);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* EditDialog::makePlainLabel(const QString& text, const QString& name, int margin) {
    QLabel* label = makeFieldLabel(text, name, margin);
    label->setProperty(kTagProperty, QStringLiteral("!"));
    return label;
}

QLabel* EditDialog::makePictureFrame(const QString& name, QSize designed) {
    auto* frame = new QLabel(this);
    frame->setObjectName(name);
    frame->setProperty(kTagProperty, QStringLiteral("!"));
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    frame->setAlignment(Qt::AlignCenter);
    frame->setMinimumSize(designed);
    return frame;
}

QHBoxLayout* EditDialog::besidePicture(QLayout* header, QLabel* frame) {
    auto* column = new QVBoxLayout;
    column->addLayout(header);
    column->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addLayout(column);
    row->addWidget(frame, 1);
    return row;
}

void EditDialog::showGamePicture(QLabel* frame, const QString& fileName) {
    const QString path = FindGamePicture(m_session.gamePath, fileName);
    if (path.isEmpty()) {
        return;
    }
    const QPixmap picture = ui().loadPicture(path);
    if (picture.isNull()) {
        return;
    }
    const QSize largest = frame->minimumSize() * 2;
    const bool tooLarge = picture.width() > largest.width() || picture.height() > largest.height();
    frame->setPixmap(tooLarge ? picture.scaled(largest, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              : picture);
}

void EditDialog::keepDisabledBoxesLegible() {
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        showWholeTextWhenCut(box);
        if (box->property(kForeColorProperty).toUInt() == colours::kHighlight) {
            continue;
        }
        QPalette palette = box->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        box->setPalette(palette);
    }
    for (QComboBox* combo : findChildren<QComboBox*>()) {
        if (combo->property(kForeColorProperty).toUInt() == colours::kHighlight) {
            continue;
        }
        QPalette palette = combo->palette();
        palette.setColor(QPalette::Disabled, QPalette::ButtonText,
                         palette.color(QPalette::Active, QPalette::ButtonText));
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        combo->setPalette(palette);
    }
}

QLabel* EditDialog::makeLabelFor(QWidget* control, const QString& text, const QString& name, int margin) {
    QLabel* label = makeFieldLabel(text, name, margin);
    labelControl(label, control);
    return label;
}

void EditDialog::clearMarks() {
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w)) {
            markChanged(w, rules::StoredValue{});
        }
    }
}

void EditDialog::addLeaveCheck(QLineEdit* box, std::function<bool()> corrects) {
    m_leaveChecks.emplace_back(box, std::move(corrects));
    box->installEventFilter(this);
}

bool EditDialog::focusedBoxPasses() {
    QWidget* focused = focusWidget();
    for (const auto& [box, corrects] : m_leaveChecks) {
        if (box == focused) {
            return !corrects();
        }
    }
    return true;
}

bool EditDialog::eventFilter(QObject* watched, QEvent* event) {
    if (m_refocusing || !isVisible() || !LeavesBox(event)) {
        return QDialog::eventFilter(watched, event);
    }
    for (const auto& [box, corrects] : m_leaveChecks) {
        if (box == watched && corrects()) {
            // Taking the focus back sends the control that just got it a focus-out of its own;
            // that one must not run its check.
            m_refocusing = true;
            box->setFocus(Qt::OtherFocusReason);
            m_refocusing = false;
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool EditDialog::focusNextPrevChild(bool next) {
    // Tab is checked before the focus moves, so a corrected box never loses it.
    if (!focusedBoxPasses()) {
        return true;
    }
    return QDialog::focusNextPrevChild(next);
}

void EditDialog::markChanged(QWidget* control, const rules::StoredValue& stored) {
    if (m_loading) {
        return;
    }
    const std::optional<bool> unchanged = ShowsStored(control, stored);
    if (!unchanged) {
        return;
    }
    SetBackColor(control, *unchanged ? colours::kUnchanged : colours::kChanged);
    if (!*unchanged) {
        enableApplyUndo();
    }
}

void EditDialog::enableApplyUndo() {
    if (m_apply != nullptr) {
        m_apply->setEnabled(true);
    }
    if (m_undo != nullptr) {
        m_undo->setEnabled(true);
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
    m_session.commit();
    undoEdits();
}

void EditDialog::enterEdits() {
    if (!checkFocusedBox()) {
        return;
    }
    if (m_apply->isEnabled()) {
        StoreControls();
        m_session.commit();
    }
    accept();
}

}  // namespace korven
