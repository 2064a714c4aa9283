#include "editors/FileProperties.h"

#include "editors/EditRules.h"
#include "editors/EditorTexts.h"
#include "editors/ModuleMain.h"
#include "model/RecordFields.h"
#include "model/TurnCalendar.h"
#include "platform/ControlAccess.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korven {

QString scenarioLine(qint64 number, const QString& title) {
    QString digits = QString::number(number);
    for (QChar& ch : digits) {
        if (ch >= u'0' && ch <= u'9') {
            ch = QChar(char16_t(u'０' + (ch.unicode() - u'0')));
        }
    }
    return texts::fileProperties::scenario() + digits + texts::fileProperties::scenarioSeparator() + title;
}

int phasePosition(qint64 code) {
    return code >= 0 && code < kPhaseCount ? static_cast<int>(code) : -1;
}

int16_t phaseToStore(int position, int16_t storedCode) {
    return position >= 0 && position < kPhaseCount ? static_cast<int16_t>(position) : storedCode;
}

FileProperties::FileProperties(EditSession& session, QWidget* parent) : EditDialog(session, parent) {
    setObjectName(QStringLiteral("FileProperties"));
    setWindowTitle(texts::fileProperties::caption());

    m_txtFileName = makeBox(QStringLiteral("txtFileName"));
    m_txtSaveName = makeBox(QStringLiteral("txtSaveName"));
    m_txtShinario = makeBox(QStringLiteral("txtShinario"));
    for (QLineEdit* shown : {m_txtFileName, m_txtSaveName, m_txtShinario}) {
        shown->setEnabled(false);
    }
    // A list only: typed text could never be a phase code.
    m_cbFeise = makeCombo(QStringLiteral("cbFeise"));
    m_cbFeise->setEditable(false);
    m_txtFeise = makeNumberBox(QStringLiteral("txtFeise"), 5);
    for (int i = 0; i < kTurnBoxes; ++i) {
        m_txtTurn[i] = makeNumberBox(indexedName("txtTurn", i), 5);
        m_txtTurn[i]->setEnabled(i < 3 || i > 5);
    }

    connect(m_cbFeise, &QComboBox::currentIndexChanged, this, &FileProperties::phaseSelected);
    connect(m_txtFeise, &QLineEdit::textChanged, this, [this] {
        markChanged(m_txtFeise, qint64(m_session.file.TurnInfo[TurnInfoWord::OperationPhaseNumber]));
    });
    for (int i = 0; i < 3; ++i) {
        connect(m_txtTurn[i], &QLineEdit::textChanged, this, [this, i] {
            const Turn stored = turnFromCounter(m_session.file.TurnInfo[TurnInfoWord::CurrentTurn]);
            const int part = i == 0 ? stored.year : i == 1 ? stored.month : stored.turn;
            markChanged(m_txtTurn[i], qint64(part));
        });
    }
    for (int i = 6; i < kTurnBoxes; ++i) {
        connect(m_txtTurn[i], &QLineEdit::textChanged, this,
                [this, i] { markChanged(m_txtTurn[i], qint64(m_session.file.TurnInfo[i])); });
    }

    addLeaveCheck(m_txtFeise, [this] { return correctBox(m_txtFeise, kOperationNumber); });
    for (int i : {0, 1, 2, 6, 7, 8}) {
        addLeaveCheck(m_txtTurn[i], [this, i] {
            // The bounds follow the other boxes as they are now.
            return correctBox(m_txtTurn[i], *turnBoxBounds(i, turnBoxes()));
        });
    }

    EditButtonCaptions captions;
    captions.undo = texts::fileProperties::undo();
    captions.enter = texts::fileProperties::enter();
    captions.cancel = texts::fileProperties::cancel();
    createStandardButtons(captions);
    buildLayout();

    ApplyLabelStyle(this, m_session.labelColours);
    keepDisabledBoxesLegible();
    {
        const QSignalBlocker blocker(m_cbFeise);
        m_cbFeise->clear();
        m_cbFeise->addItems(phaseNames());
    }
    LoadControls();
}

void FileProperties::buildLayout() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    int row = 0;
    auto line = [&](const QString& name, const QString& text, QWidget* control) {
        grid->addWidget(makeLabelFor(control, text, name), row, 0);
        grid->addWidget(control, row, 1, 1, 7);
        ++row;
    };
    line(QStringLiteral("lblFileName"), texts::fileProperties::fileName(), m_txtFileName);
    line(QStringLiteral("lblSaveName"), texts::fileProperties::saveName(), m_txtSaveName);
    line(QStringLiteral("lblShinario"), texts::fileProperties::scenarioName(), m_txtShinario);
    auto turnRow = [&](const QString& name, const QString& text, int first) {
        grid->addWidget(makeLabelFor(m_txtTurn[first], text, name), row, 0);
        const QStringList units = {texts::fileProperties::year(), texts::fileProperties::month(),
                                   texts::edit::turns()};
        for (int k = 0; k < 3; ++k) {
            // The year box is named by the row's label; each box by the row and its unit.
            m_txtTurn[first + k]->setAccessibleName(rowAndColumnName(text, units[k]));
            grid->addWidget(m_txtTurn[first + k], row, 1 + 2 * k);
            grid->addWidget(makePlainLabel(units[k], indexedName("lblTurnUnit", first + k)), row, 2 + 2 * k);
        }
        ++row;
    };
    turnRow(QStringLiteral("lblGenzaiTurn"), texts::fileProperties::currentTurn(), 0);
    grid->addWidget(
        makeLabelFor(m_cbFeise, texts::fileProperties::currentPhase(), QStringLiteral("lblFeise")), row, 0);
    m_txtFeise->setAccessibleName(
        rowAndColumnName(texts::fileProperties::currentPhase(), phaseNames().value(kOperationPhase)));
    grid->addWidget(m_cbFeise, row, 1, 1, 3);
    grid->addWidget(m_txtFeise, row, 5);
    ++row;
    turnRow(QStringLiteral("lblKaishiTurn"), texts::fileProperties::startTurn(), 3);
    turnRow(QStringLiteral("lblSyuuryouTurn"), texts::fileProperties::endTurn(), 6);
    grid->setColumnStretch(7, 1);
    m_txtFileName->setMinimumWidth(420);

    auto* root = new QVBoxLayout(this);
    root->addLayout(grid);
    root->addSpacing(8);
    root->addLayout(buttonRow({QStringLiteral("CommandUndo"), QStringLiteral("CommandEnter"),
                               QStringLiteral("CommandCancel"), QStringLiteral("CommandApply")}));
    root->setSizeConstraint(QLayout::SetFixedSize);

    chainTabOrder({m_txtTurn[0], m_txtTurn[1], m_txtTurn[2], m_cbFeise, m_txtFeise, m_txtTurn[6],
                   m_txtTurn[7], m_txtTurn[8], undoButton(), enterButton(), cancelButton(), applyButton()});
}

TurnBoxes FileProperties::turnBoxes() const {
    auto v = [this](int i) { return boxValue(m_txtTurn[i]); };
    return TurnBoxes{v(0), v(1), v(2), v(3), v(4), v(5), v(6), v(7), v(8)};
}

bool FileProperties::correctBox(QLineEdit* box, const LeaveBounds& bounds) {
    if (!correctionOnLeave(box->text(), bounds)) {
        return false;
    }
    txtNumInput(box, bounds.maximum, bounds.minimum);
    return true;
}

void FileProperties::phaseSelected() {
    m_txtFeise->setEnabled(m_cbFeise->currentIndex() == kOperationPhase);
    markChanged(m_cbFeise, qint64(phasePosition(m_session.file.TurnInfo[TurnInfoWord::Phase])));
}

void FileProperties::LoadControls() {
    const SaveFile& file = m_session.file;
    const std::array<int16_t, 11>& info = file.TurnInfo;
    m_txtFileName->setText(QDir::toNativeSeparators(m_session.openFilePath));
    m_txtFileName->setCursorPosition(0);
    m_txtSaveName->setText(file.saveNameText());
    m_txtShinario->setText(scenarioLine(info[2], file.ScenarioTitle.text()));
    {
        const QSignalBlocker blocker(m_cbFeise);
        m_cbFeise->setCurrentIndex(phasePosition(info[1]));
    }
    phaseSelected();
    m_txtFeise->setText(QString::number(info[9]));
    const Turn current = turnFromCounter(info[0]);
    m_txtTurn[0]->setText(QString::number(current.year));
    m_txtTurn[1]->setText(QString::number(current.month));
    m_txtTurn[2]->setText(QString::number(current.turn));
    for (int i = 3; i < kTurnBoxes; ++i) {
        m_txtTurn[i]->setText(QString::number(info[i]));
    }
}

void FileProperties::StoreControls() {
    std::array<int16_t, 11>& info = m_session.file.TurnInfo;
    info[1] = phaseToStore(m_cbFeise->currentIndex(), info[1]);
    info[9] = rules::fitted<int16_t>(boxValue(m_txtFeise));  // also while the box is disabled
    const TurnBoxes v = turnBoxes();
    info[0] = counterToStore(v.Y, v.M, v.T);
    for (int i = 3; i < kTurnBoxes; ++i) {
        info[i] = rules::fitted<int16_t>(boxValue(m_txtTurn[i]));
    }
}

void ShowFileProperties(EditSession& session, QWidget* owner) {
    FileProperties dialog(session, owner);
    dialog.exec();
}

}  // namespace korven
