#include "editors/FileProperties.h"

#include "editors/EditRules.h"
#include "editors/EditorTexts.h"
#include "editors/FieldForm.h"
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

using namespace Qt::StringLiterals;

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

    const FieldForm form(*this, formCells(), kLabelMargin);
    form.grid()->setHorizontalSpacing(4);
    form.grid()->setColumnStretch(7, 1);
    m_txtFileName = form.box(u"txtFileName"_s);
    m_txtSaveName = form.box(u"txtSaveName"_s);
    m_txtShinario = form.box(u"txtShinario"_s);
    m_cbFeise = form.combo(u"cbFeise"_s);
    m_txtFeise = form.box(u"txtFeise"_s);
    for (int i = 0; i < kTurnBoxes; ++i) {
        m_txtTurn[i] = form.box(indexedName("txtTurn", i));
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

    auto* root = new QVBoxLayout(this);
    root->addLayout(form.grid());
    root->addSpacing(8);
    root->addLayout(buttonRow({QStringLiteral("CommandUndo"), QStringLiteral("CommandEnter"),
                               QStringLiteral("CommandCancel"), QStringLiteral("CommandApply")}));
    root->setSizeConstraint(QLayout::SetFixedSize);
    chainTabOrder(form.tabOrder() +
                  QList<QWidget*>{undoButton(), enterButton(), cancelButton(), applyButton()});

    ApplyLabelStyle(this, m_session.labelColours);
    keepDisabledBoxesLegible();
    {
        const QSignalBlocker blocker(m_cbFeise);
        m_cbFeise->clear();
        m_cbFeise->addItems(phaseNames());
    }
    LoadControls();
}

std::vector<FormCell> FileProperties::formCells() {
    using Kind = FormCell::Kind;
    namespace fp = texts::fileProperties;
    std::vector<FormCell> cells;
    int row = 0;
    auto shown = [&](const QString& label, const QString& text, const QString& box, int minimumWidth = 0) {
        cells.push_back({.kind = Kind::Caption, .name = label, .row = row, .text = text, .buddy = box});
        cells.push_back({.name = box,
                         .row = row,
                         .column = 1,
                         .columnSpan = 7,
                         .minimumWidth = minimumWidth,
                         .shownOnly = true});
        ++row;
    };
    // The year box is named by the row's label; each box also by the row and its unit.
    auto turnRow = [&](const QString& label, const QString& text, int first, bool editable) {
        cells.push_back({.kind = Kind::Caption,
                         .name = label,
                         .row = row,
                         .text = text,
                         .buddy = indexedName("txtTurn", first)});
        const QString units[] = {fp::year(), fp::month(), texts::edit::turns()};
        for (int k = 0; k < 3; ++k) {
            cells.push_back({.name = indexedName("txtTurn", first + k),
                             .row = row,
                             .column = 1 + 2 * k,
                             .spoken = rowAndColumnName(text, units[k]),
                             .digits = 5,
                             .shownOnly = !editable});
            cells.push_back({.kind = Kind::Unit,
                             .name = indexedName("lblTurnUnit", first + k),
                             .row = row,
                             .column = 2 + 2 * k,
                             .text = units[k]});
        }
        ++row;
    };
    shown(u"lblFileName"_s, fp::fileName(), u"txtFileName"_s, 420);
    shown(u"lblSaveName"_s, fp::saveName(), u"txtSaveName"_s);
    shown(u"lblShinario"_s, fp::scenarioName(), u"txtShinario"_s);
    turnRow(u"lblGenzaiTurn"_s, fp::currentTurn(), 0, true);
    // A list only: typed text could never be a phase code.
    cells.push_back({.kind = Kind::Caption,
                     .name = u"lblFeise"_s,
                     .row = row,
                     .text = fp::currentPhase(),
                     .buddy = u"cbFeise"_s});
    cells.push_back({.kind = Kind::List, .name = u"cbFeise"_s, .row = row, .column = 1, .columnSpan = 3});
    cells.push_back({.name = u"txtFeise"_s,
                     .row = row,
                     .column = 5,
                     .spoken = rowAndColumnName(fp::currentPhase(), phaseNames().value(kOperationPhase)),
                     .digits = 5});
    ++row;
    turnRow(u"lblKaishiTurn"_s, fp::startTurn(), 3, false);
    turnRow(u"lblSyuuryouTurn"_s, fp::endTurn(), 6, true);
    return cells;
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
