#include "platform/QtTranslation.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

// Qt's own windows, as the program shows them once the translation is installed: the real
// file dialogs, message box buttons and a text box's context menu, not the test seam.
class TestQtTranslation : public QObject {
    Q_OBJECT

private slots:
    void missingFileIsNoError();
    void programFolderComesFirst();
    void fileDialogs_data();
    void fileDialogs();
    void overwriteQuestion();
    void messageBoxButtons();
    void textBoxContextMenu();
    void japaneseDatesAndNumbers();

private:
    static QString systemFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }
    // Where the translation is found in this build: Qt's own folder on Linux, beside the
    // program on Windows, as in the zip.
    static QString translationSource() {
#ifdef Q_OS_WIN
        return QCoreApplication::applicationDirPath() + u"/translations"_s;
#else
        return systemFolder();
#endif
    }
    static QStringList texts(const QList<QPushButton*>& buttons) {
        QStringList result;
        for (const QPushButton* button : buttons) {
            result.append(button->text());
        }
        result.sort();
        return result;
    }
};

void TestQtTranslation::missingFileIsNoError() {
    const QTemporaryDir empty;
    QVERIFY(korven::InstallQtTranslation({empty.path()}).isEmpty());
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Yes"_s);
}

void TestQtTranslation::programFolderComesFirst() {
    const QStringList folders = korven::QtTranslationFolders();
    QCOMPARE(folders,
             QStringList({QCoreApplication::applicationDirPath() + u"/translations"_s, systemFolder()}));

    // A copy beside the program wins over Qt's own; a folder without one is passed over.
    const QTemporaryDir empty;
    const QTemporaryDir shipped;
    QVERIFY(QFile::copy(translationSource() + u"/qtbase_ja.qm"_s, shipped.filePath(u"qtbase_ja.qm"_s)));
    QCOMPARE(korven::InstallQtTranslation({empty.path(), shipped.path(), translationSource()}),
             shipped.filePath(u"qtbase_ja.qm"_s));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"はい(&Y)"_s);
}

void TestQtTranslation::fileDialogs_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("open") << int(QFileDialog::ExistingFile)
                          << QStringList{u"アドレス:"_s, u"ファイル名(&N):"_s, u"ファイルの種類:"_s}
                          << QStringList{u"キャンセル"_s, u"開く(&O)"_s};
    QTest::newRow("folder browser") << int(QFileDialog::Directory)
                                    << QStringList{u"アドレス:"_s, u"ディレクトリ:"_s, u"ファイルの種類:"_s}
                                    << QStringList{u"キャンセル"_s, u"選択(&C)"_s};
}

void TestQtTranslation::fileDialogs() {
    QFETCH(int, mode);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, buttons);
    QFileDialog dialog(nullptr, u"開く"_s, QDir::tempPath(),
                       u"セーブファイル (*.SAVE);;全てのファイル (*.*)"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(static_cast<QFileDialog::FileMode>(mode));
    dialog.show();
    QStringList shown;
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
        const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY2(label != nullptr, name);
        shown.append(label->text());
    }
    QCOMPARE(shown, labels);
    QCOMPARE(texts(dialog.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>()), buttons);
}

void TestQtTranslation::overwriteQuestion() {
    const QTemporaryDir folder;
    const QString existing = folder.filePath(u"SaveFile1.SAVE"_s);
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QFileDialog dialog(nullptr, u"名前を付けて保存"_s, folder.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(existing);
    dialog.show();
    QString question;
    QStringList answers;
    QTimer::singleShot(0, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            question = box->text();
            answers = texts(box->findChildren<QPushButton*>());
            box->reject();
        }
    });
    QMetaObject::invokeMethod(&dialog, "accept");
    QCOMPARE(question, u"SaveFile1.SAVE は既に存在します。\n置き換えますか?"_s);
    QCOMPARE(answers, QStringList({u"いいえ(&N)"_s, u"はい(&Y)"_s}));
}

void TestQtTranslation::messageBoxButtons() {
    QMessageBox box(QMessageBox::Question, u"KorvenEdit"_s, u"保存しますか?"_s,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), u"はい(&Y)"_s);
    QCOMPARE(box.button(QMessageBox::No)->text(), u"いいえ(&N)"_s);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), u"キャンセル"_s);
}

void TestQtTranslation::textBoxContextMenu() {
    QLineEdit box;
    box.setText(u"赤城"_s);
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            captions.append(action->text().section(u'\t', 0, 0));
        }
    }
    QCOMPARE(captions, QStringList({u"元に戻す(&U)"_s, u"やり直す(&R)"_s, u"切り取り(&T)"_s, u"コピー(&C)"_s,
                                    u"貼り付け(&P)"_s, u"削除"_s, u"すべてを選択"_s}));
}

// Whatever the system's locale: the test runs under the build machine's.
void TestQtTranslation::japaneseDatesAndNumbers() {
    korven::UseJapaneseLocale();
    QCOMPARE(QLocale().toString(QDate(2026, 12, 9), QLocale::LongFormat), u"2026年12月9日水曜日"_s);
    QCOMPARE(QLocale().dayName(1, QLocale::ShortFormat), u"月"_s);
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestQtTranslation)
#include "test_qt_translation.moc"
