#include "editors/FileProperties.h"
#include "editors/ModuleMain.h"
#include "editors/frmBase.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileWriter.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"
#include "tests/support/ScriptedUi.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace korven;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T>
T* control(QWidget* dialog, const char* name) {
    T* w = dialog->findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr) {
        qFatal("no control %s", name);
    }
    return w;
}

}  // namespace

// A stock of one base and the current turn, edited in the two dialogs and saved, are all that
// changes in the file.
class TestBasePropertiesSave : public QObject {
    Q_OBJECT
private slots:
    void onlyTheEditedFieldsChange() {
        ResetEditingColours();
        fixtures::ScriptedUi ui;
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString original = dir.filePath(QStringLiteral("original.SAVE"));
        const QString copy = dir.filePath(QStringLiteral("SaveFile1.SAVE"));
        QVERIFY(QFile::copy(QStringLiteral(KORVEN_DEMO_SAVE), original));
        QVERIFY(QFile::copy(QStringLiteral(KORVEN_DEMO_SAVE), copy));

        auto model = std::make_unique<SaveFile>();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        OpenedSaveFile opened = OpenSaveFile(copy, LockMode::Normal, *model, status, messages);
        QCOMPARE(opened.outcome, OpenOutcome::Opened);
        int changes = 0;
        EditSession session{*model, [&changes] { ++changes; }, {}, {}, {}, copy};
        constexpr int kBase = 3;
        session.selection.record = kBase;
        const int32_t stock = model->Base[kBase].Stockpile[0][0];
        QCOMPARE(int(model->TurnInfo[0]), 25);  // 42/2/6

        {
            frmBase dialog(session);
            dialog.show();
            QVERIFY(!control<QPushButton>(&dialog, "CommandApply")->isEnabled());
            control<QLineEdit>(&dialog, "txtBichiku_0")->setText(QString::number(stock + 1));
            control<QPushButton>(&dialog, "CommandEnter")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        {
            FileProperties dialog(session);
            dialog.show();
            QLineEdit* turn = control<QLineEdit>(&dialog, "txtTurn_2");
            QCOMPARE(turn->text(), QStringLiteral("6"));
            turn->setText(QStringLiteral("7"));
            control<QPushButton>(&dialog, "CommandEnter")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(changes, 2);
        QVERIFY(ui.messages.empty());
        QVERIFY(WriteSaveFile(*model, *opened.handle, status, messages));
        opened.handle.reset();  // the tool below opens the file too

        const QByteArray before = readAll(original);
        const QByteArray after = readAll(copy);
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

        const QString cli = QStringLiteral(KORVEN_CLI);
        if (!QFileInfo::exists(cli)) {
            qInfo("korvenedit-cli is not built; the images were compared byte by byte");
            return;
        }
        QProcess diff;
        diff.start(cli, {QStringLiteral("diff"), original, copy});
        QVERIFY(diff.waitForFinished(60000));
        const QStringList lines =
            QString::fromUtf8(diff.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        const QStringList expected = {
            QStringLiteral("TurnInfo[0]: 25 -> 26"),
            QStringLiteral("Base[%1].Stockpile[0][0]: %2 -> %3").arg(kBase).arg(stock).arg(stock + 1),
        };
        QCOMPARE(lines, expected);
    }
};

QTEST_MAIN(TestBasePropertiesSave)
#include "test_base_properties_save.moc"
