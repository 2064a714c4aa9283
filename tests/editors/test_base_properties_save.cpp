#include "editors/FileProperties.h"
#include "editors/frmBase.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/ScriptedUi.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace korven;
using namespace korven::testing;

// A stock of one base and the current turn, edited in the two dialogs and saved, are all that
// changes in the file.
class TestBasePropertiesSave : public QObject {
    Q_OBJECT
private slots:
    void onlyTheEditedFieldsChange() {
        fixtures::ScriptedUi ui;
        OpenedDemoSave demo(QStringLiteral(KORVEN_DEMO_SAVE));
        QVERIFY(demo.dir.isValid());
        QCOMPARE(demo.opened.outcome, OpenOutcome::Opened);
        const SaveFile& model = *demo.file;
        constexpr int kBase = 3;
        demo.session.selection.record = kBase;
        const int32_t stock = model.Base[kBase].Stockpile[0][0];
        QCOMPARE(int(model.TurnInfo[0]), 25);  // 42/2/6

        {
            frmBase dialog(demo.session);
            dialog.show();
            QVERIFY(!button(dialog, "CommandApply")->isEnabled());
            box(dialog, "txtBichiku_0")->setText(QString::number(stock + 1));
            button(dialog, "CommandEnter")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        {
            FileProperties dialog(demo.session);
            dialog.show();
            QLineEdit* turn = box(dialog, "txtTurn_2");
            QCOMPARE(turn->text(), QStringLiteral("6"));
            turn->setText(QStringLiteral("7"));
            button(dialog, "CommandEnter")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(demo.fileChanges, 2);
        QVERIFY(ui.messages.empty());
        QVERIFY(demo.save());  // closes the file, which the tool below opens too

        const QByteArray before = readAll(demo.original);
        const QByteArray after = readAll(demo.copy);
        QCOMPARE(after.size(), before.size());
        const fixtures::SaveImageBuilder layout;
        const qint64 stockAt = layout.baseOffset(kBase) + 24;
        const qint64 turnAt = layout.turnInfoOffset();
        QList<qint64> differing;
        for (qint64 i = 0; i < before.size(); ++i) {
            if (before[i] != after[i]) {
                differing.append(i);
            }
        }
        QVERIFY(!differing.isEmpty());
        for (qint64 at : differing) {
            QVERIFY2((at >= stockAt && at < stockAt + 4) || (at >= turnAt && at < turnAt + 2),
                     qPrintable(QString::number(at)));
        }
        QCOMPARE(int(fixtures::getInt16(after, turnAt)), 26);

        const QString cli = cliTool();
        if (cli.isEmpty()) {
            qInfo("korvenedit-cli is not built; the images were compared byte by byte");
            return;
        }
        const std::optional<QStringList> lines = cliDiff(cli, demo.original, demo.copy);
        QVERIFY(lines);
        const QStringList expected = {
            QStringLiteral("TurnInfo[0]: 25 -> 26"),
            QStringLiteral("Base[%1].Stockpile[0][0]: %2 -> %3").arg(kBase).arg(stock).arg(stock + 1),
        };
        QCOMPARE(*lines, expected);
    }
};

QTEST_MAIN(TestBasePropertiesSave)
#include "test_base_properties_save.moc"
