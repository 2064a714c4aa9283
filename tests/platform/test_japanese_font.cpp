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
    // Rows: the installed families, those of them that hold Japanese, the choice, and the
    // families that had to be asked about (each answer can load a family's fonts).
    void choosesAScreenGothicFirst_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("japanese");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("asked");
        const QStringList linux{u"DejaVu Sans"_s, u"IPAGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s,
                                u"Noto Sans CJK KR"_s};
        QTest::newRow("Noto over IPA, asking about Noto only")
            << linux
            << QStringList{u"IPAGothic"_s, u"IPAPGothic"_s, u"Noto Sans CJK JP"_s, u"Noto Sans CJK KR"_s}
            << u"Noto Sans CJK JP"_s << QStringList{u"Noto Sans CJK JP"_s};
        QTest::newRow("proportional IPA first")
            << QStringList{u"IPAGothic"_s, u"IPAPGothic"_s} << QStringList{u"IPAGothic"_s, u"IPAPGothic"_s}
            << u"IPAPGothic"_s << QStringList{u"IPAPGothic"_s};
        QTest::newRow("Windows, names in another case")
            << QStringList{u"Arial"_s, u"MS Mincho"_s, u"ms ui gothic"_s, u"Meiryo UI"_s}
            << QStringList{u"MS Mincho"_s, u"ms ui gothic"_s, u"Meiryo UI"_s} << u"Meiryo UI"_s
            << QStringList{u"Meiryo UI"_s};
        QTest::newRow("a known name without Japanese is passed over")
            << QStringList{u"Arial"_s, u"Meiryo UI"_s, u"Some Mincho"_s} << QStringList{u"Some Mincho"_s}
            << u"Some Mincho"_s << QStringList{u"Meiryo UI"_s, u"Arial"_s, u"Meiryo UI"_s, u"Some Mincho"_s};
        QTest::newRow("an unknown family after Latin ones")
            << QStringList{u"Arial"_s, u"Some Mincho"_s, u"Tahoma"_s} << QStringList{u"Some Mincho"_s}
            << u"Some Mincho"_s << QStringList{u"Arial"_s, u"Some Mincho"_s};
        QTest::newRow("no Japanese at all") << QStringList{u"Arial"_s, u"Tahoma"_s} << QStringList{}
                                            << QString() << QStringList{u"Arial"_s, u"Tahoma"_s};
        QTest::newRow("none") << QStringList{} << QStringList{} << QString() << QStringList{};
    }

    void choosesAScreenGothicFirst() {
        QFETCH(QStringList, installed);
        QFETCH(QStringList, japanese);
        QStringList asked;
        const QString chosen = ChooseJapaneseFamily(installed, [&](const QString& family) {
            asked << family;
            return japanese.contains(family, Qt::CaseInsensitive);
        });
        QTEST(chosen, "chosen");
        QTEST(asked, "asked");
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
