#include "platform/JapaneseFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

using namespace korven;
using namespace Qt::StringLiterals;

class TestJapaneseFont : public QObject {
    Q_OBJECT
private slots:
    void choosesAScreenGothicFirst_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Noto over IPA")
            << QStringList{u"IPAGothic"_s, u"Noto Sans CJK JP"_s} << u"Noto Sans CJK JP"_s;
        QTest::newRow("proportional IPA first")
            << QStringList{u"IPAGothic"_s, u"IPAPGothic"_s} << u"IPAPGothic"_s;
        QTest::newRow("Windows") << QStringList{u"MS Mincho"_s, u"ms ui gothic"_s, u"Meiryo UI"_s}
                                 << u"Meiryo UI"_s;
        QTest::newRow("an unknown family") << QStringList{u"Some Mincho"_s} << u"Some Mincho"_s;
        QTest::newRow("none") << QStringList{} << QString();
    }

    void choosesAScreenGothicFirst() {
        QFETCH(QStringList, installed);
        QTEST(ChooseJapaneseFamily(installed), "chosen");
    }

    // The build installs a Japanese font, so the application font ends up with one.
    void applicationFontHoldsJapanese() {
        QVERIFY(!QFontDatabase::families(QFontDatabase::Japanese).isEmpty());
        const int size = QApplication::font().pointSize();
        UseJapaneseApplicationFont();
        const QFontInfo used(QApplication::font());
        QVERIFY2(QFontDatabase::writingSystems(used.family()).contains(QFontDatabase::Japanese),
                 qPrintable(used.family()));
        QCOMPARE(QApplication::font().pointSize(), size);
    }
};

QTEST_MAIN(TestJapaneseFont)
#include "test_japanese_font.moc"
