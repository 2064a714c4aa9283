#include "editors/Colours.h"
#include "editors/EditDialog.h"
#include "editors/GamePictures.h"
#include "editors/ModuleMain.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/ScriptedUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace korven;
using namespace korven::testing;

namespace {

// An edit dialog with only its buttons, to mark controls on.
class MarkingDialog : public EditDialog {
public:
    explicit MarkingDialog(EditSession& session) : EditDialog(session, nullptr) { createStandardButtons(); }
    using EditDialog::m_loading;
    using EditDialog::markChanged;

protected:
    void LoadControls() override {}
    void StoreControls() override {}
};

struct Dialog {
    std::unique_ptr<SaveFile> file = std::make_unique<SaveFile>();
    EditSession session{*file, [] {}};
    MarkingDialog dialog{session};
    QPushButton* apply = dialog.applyButton();
    QPushButton* undo = dialog.undoButton();
};

}  // namespace

class TestModuleMain : public QObject {
    Q_OBJECT
private slots:
    void numericInputBeepsAndMovesCaret() {
        fixtures::ScriptedUi ui;
        QLineEdit box;
        box.setText(QStringLiteral("12a3"));
        box.setCursorPosition(1);
        bool changed = txtNumInput(&box, 999, 0);
        QCOMPARE(box.text(), QStringLiteral("123"));
        QVERIFY(changed);
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(box.cursorPosition(), 3);
        changed = txtNumInput(&box, 999, 0);
        QVERIFY(!changed);
        QCOMPARE(ui.beeps, 1);
    }

    void byteLimitBeeps() {
        fixtures::ScriptedUi ui;
        QLineEdit box;
        box.setText(QStringLiteral("ABCDEFGHI零"));
        LimitTextBytes(&box, 10);
        QCOMPARE(box.text(), QStringLiteral("ABCDEFGHI"));
        QCOMPARE(ui.beeps, 1);
    }

    void markingPaintsAndEnablesButUndoesNothing() {
        Dialog d;
        auto* box = new QLineEdit(QStringLiteral("30"), &d.dialog);
        d.dialog.markChanged(box, qint64(30));
        QCOMPARE(backColor(box), colours::kWindowBackground);
        QVERIFY(!d.apply->isEnabled());
        box->setText(QStringLiteral("31"));
        d.dialog.markChanged(box, qint64(30));
        QCOMPARE(backColor(box), colours::kPureGreen);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(0, 255, 0));
        QVERIFY(d.apply->isEnabled() && d.undo->isEnabled());
        // Back to the stored value: unmarked, the buttons stay enabled.
        box->setText(QStringLiteral("30"));
        d.dialog.markChanged(box, qint64(30));
        QCOMPARE(backColor(box), colours::kWindowBackground);
        QVERIFY(d.apply->isEnabled());
    }

    void markingCombosAndChecks() {
        Dialog d;
        auto* combo = new QComboBox(&d.dialog);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        combo->setCurrentIndex(1);
        d.dialog.markChanged(combo, qint64(1));
        QCOMPARE(backColor(combo), colours::kWindowBackground);
        auto* check = new QCheckBox(&d.dialog);
        d.dialog.markChanged(check, qint64(1));
        QCOMPARE(backColor(check), colours::kPureGreen);
        d.dialog.markChanged(check, rules::StoredValue{});
        QCOMPARE(backColor(check), colours::kWindowBackground);
    }

    // Derived values sit in disabled boxes; their marks must show there too.
    void disabledBoxesShowTheirMarks() {
        Dialog d;
        auto* box = new QLineEdit(QStringLiteral("1"), &d.dialog);
        box->setEnabled(false);
        d.dialog.markChanged(box, qint64(2));
        QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 255, 0));
        d.dialog.markChanged(box, rules::StoredValue{});
        QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Base),
                 QApplication::palette(box).color(QPalette::Disabled, QPalette::Base));
        QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base),
                 QApplication::palette(box).color(QPalette::Active, QPalette::Base));
    }

    void loadingGuardSuppressesMarking() {
        Dialog d;
        auto* box = new QLineEdit(QStringLiteral("1"), &d.dialog);
        d.dialog.m_loading = true;
        d.dialog.markChanged(box, qint64(2));
        d.dialog.m_loading = false;
        QVERIFY(!box->property(kBackColorProperty).isValid());
        QVERIFY(!d.apply->isEnabled());
    }

    void labelStyle() {
        QDialog dialog;
        auto* classValue = new QLineEdit(&dialog);
        classValue->setProperty(kForeColorProperty, colours::kHighlight);
        auto* plain = new QLabel(QStringLiteral("燃料"), &dialog);
        auto* tagged = new QLabel(QStringLiteral("!"), &dialog);
        tagged->setProperty(kTagProperty, QStringLiteral("!"));
        ApplyLabelStyle(&dialog, colours::LabelColours{colours::kHighlightText, 0x00112233});
        QVERIFY(classValue->font().italic());
        QCOMPARE(backColor(plain), 0x00112233u);
        QCOMPARE(plain->palette().color(QPalette::Window), QColor(0x33, 0x22, 0x11));
        QVERIFY(!tagged->property(kBackColorProperty).isValid());
        QVERIFY(!plain->font().italic());
    }

    void fileExists() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ship12.bmp"));
        QVERIFY(!FileExists(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(FileExists(path));
        QVERIFY(FileExists(path + u'\\'));
        QVERIFY(!FileExists(dir.path()));
        QVERIFY(!FileExists(QString()));
    }

    void picturesIgnoreCase() {
#ifdef Q_OS_WIN
        constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseInsensitive;
#else
        constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseSensitive;
#endif
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        QVERIFY(FindGamePicture(folder, QStringLiteral("ship12.bmp")).isEmpty());
        QFile file(folder + QStringLiteral("SHIP12.BMP"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // Windows finds the file under the asked name itself; elsewhere the folder is searched.
        QCOMPARE(FindGamePicture(folder, QStringLiteral("ship12.bmp"))
                     .compare(folder + QStringLiteral("SHIP12.BMP"), fileNameCase),
                 0);
        QVERIFY(FindGamePicture(folder, QStringLiteral("ship1.bmp")).isEmpty());
        QVERIFY(FindGamePicture(QString(), QStringLiteral("ship12.bmp")).isEmpty());
    }
};

QTEST_MAIN(TestModuleMain)
#include "test_module_main.moc"
