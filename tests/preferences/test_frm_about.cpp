#include "platform/ProgramInfo.h"
#include "preferences/frmAbout.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace korven;

namespace {

AboutInfo info(int major, int minor, int revision) {
    return AboutInfo{QStringLiteral("KorvenEdit"),
                     QStringLiteral("説明"),
                     QStringLiteral("コメント"),
                     QStringLiteral("Copyright (C) テスト"),
                     major,
                     minor,
                     revision};
}

QString labelText(QWidget& dialog, const char* name) {
    return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

}  // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void versionLine_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("line");
        QTest::newRow("minor below 10") << 1 << 5 << 3 << QStringLiteral("Version 1.05 rev3");
        QTest::newRow("minor 0") << 2 << 0 << 0 << QStringLiteral("Version 2.00 rev0");
        QTest::newRow("two-digit numbers") << 10 << 12 << 11 << QStringLiteral("Version 10.12 rev11");
    }
    void versionLine() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, line);
        frmAbout dialog(info(major, minor, revision));
        QCOMPARE(labelText(dialog, "lblVersion"), line);
    }

    void showsTheVersionInformation() {
        frmAbout dialog(info(1, 5, 3));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 KorvenEdit"));
        QCOMPARE(labelText(dialog, "lblTitle"), QStringLiteral("KorvenEdit"));
        QCOMPARE(labelText(dialog, "lblDescription"), QStringLiteral("説明"));
        QCOMPARE(labelText(dialog, "lblComments"), QStringLiteral("コメント"));
        QCOMPARE(labelText(dialog, "lblCopyright"), QStringLiteral("Copyright (C) テスト"));
        QCOMPARE(
            labelText(dialog, "lblDisclaimer"),
            QStringLiteral(
                "警告: "
                "このソフトは各人の責任で使用してください。このソフトを使用したためにセーブデータが壊れるな"
                "どしても、一切責任は取れません。"));
        const QStringList contact =
            dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtAddress"))->toPlainText().split(u'\n');
        QCOMPARE(contact.size(), 2);
        QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
    }

    void programVersionInformation() {
        const AboutInfo program = ProgramAboutInfo();
        QCOMPARE(program.title, program::title());
        QCOMPARE(program.minor, program::kMinor);
        frmAbout dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 ") + program::title());
        QCOMPARE(labelText(dialog, "lblVersion"), program::aboutVersion());
    }

    // The LGPL asks that the user learns which Qt the program uses and where its licence is.
    void namesQtItsLicenceAndTheNotices() {
        frmAbout dialog(info(1, 5, 3));
        const QString text = labelText(dialog, "lblQtLicence");
        QVERIFY2(text.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Lesser General Public License")));
        QVERIFY(text.contains(QStringLiteral("バージョン 3")));
#ifdef Q_OS_WIN
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/LICENSES");
        QVERIFY(text.endsWith(QDir::toNativeSeparators(folder)));
#else
        QVERIFY(text.endsWith(QStringLiteral("/usr/share/doc/korvenedit")));
#endif
    }

    void enterAndEscClose_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void enterAndEscClose() {
        QFETCH(int, key);
        QFETCH(int, result);
        frmAbout dialog(info(1, 5, 3));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
    }

    void okCloses() {
        frmAbout dialog(info(1, 5, 3));
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "test_frm_about.moc"
