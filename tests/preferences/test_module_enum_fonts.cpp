#include "preferences/ModuleEnumFonts.h"

#include <QFontDatabase>
#include <QTest>

using namespace korven;

namespace {

FontDescription face(const char16_t* name, int charset, int type) {
    return FontDescription{QString::fromUtf16(name), charset, type};
}

}  // namespace

class TestModuleEnumFonts : public QObject {
    Q_OBJECT
private slots:
    void unpacksTheFilterWord_data() {
        QTest::addColumn<uint>("word");
        QTest::addColumn<int>("charset");
        QTest::addColumn<int>("types");
        QTest::addColumn<int>("orientations");
        QTest::newRow("options dialog") << uint(kOptionsFontFilter) << 128 << 4 << 1;
        QTest::newRow("zero masks mean all") << 0x00000080u << 128 << 7 << 3;
        QTest::newRow("vertical only, raster") << 0x02010000u << 0 << 1 << 2;
        // Bits 8..15 and 28..31 are not part of any field.
        QTest::newRow("stray bits") << 0xF102FF86u << 0x86 << 2 << 1;
    }
    void unpacksTheFilterWord() {
        QFETCH(uint, word);
        QFETCH(int, charset);
        QFETCH(int, types);
        QFETCH(int, orientations);
        const FontFilter filter = UnpackFontFilter(word);
        QCOMPARE(filter.charset, charset);
        QCOMPARE(filter.typeMask, types);
        QCOMPARE(filter.orientationMask, orientations);
    }

    void keepsOnlyWhatTheFilterAsks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("charset");
        QTest::addColumn<int>("type");
        QTest::addColumn<uint>("word");
        QTest::addColumn<bool>("kept");
        const uint options = kOptionsFontFilter;
        QTest::newRow("japanese truetype")
            << QStringLiteral("ＭＳ Ｐゴシック") << 128 << 4 << options << true;
        QTest::newRow("vertical face") << QStringLiteral("@ＭＳ Ｐゴシック") << 128 << 4 << options << false;
        QTest::newRow("other character set") << QStringLiteral("Arial") << 0 << 4 << options << false;
        QTest::newRow("japanese raster") << QStringLiteral("Terminal JP") << 128 << 1 << options << false;
        QTest::newRow("truetype on a device") << QStringLiteral("Printer JP") << 128 << 6 << options << true;
        QTest::newRow("vertical wanted") << QStringLiteral("@明朝") << 128 << 4 << 0x02000080u << true;
        QTest::newRow("horizontal not wanted") << QStringLiteral("明朝") << 128 << 4 << 0x02000080u << false;
        QTest::newRow("any type, any orientation")
            << QStringLiteral("@Terminal JP") << 128 << 1 << 0x00000080u << true;
    }
    void keepsOnlyWhatTheFilterAsks() {
        QFETCH(QString, name);
        QFETCH(int, charset);
        QFETCH(int, type);
        QFETCH(uint, word);
        QFETCH(bool, kept);
        QStringList names;
        QVERIFY(fontenum_proc(FontDescription{name, charset, type}, word, names));
        QCOMPARE(names, kept ? QStringList{name} : QStringList{});
    }

    void listsTheKeptNamesInTheirOrder() {
        const FontSource source = [] {
            return std::vector<FontDescription>{face(u"ＭＳ 明朝", 128, 4), face(u"@ＭＳ 明朝", 128, 4),
                                                face(u"Arial", 0, 4),       face(u"ＭＳ Ｐゴシック", 128, 4),
                                                face(u"Fixedsys", 128, 1),  face(u"ＭＳ ゴシック", 128, 4)};
        };
        QCOMPARE(EnumFontNames(source, kOptionsFontFilter),
                 (QStringList{QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐゴシック"),
                              QStringLiteral("ＭＳ ゴシック")}));
        QVERIFY(EnumFontNames([] { return std::vector<FontDescription>{}; }, kOptionsFontFilter).isEmpty());
    }

    void describesQtFamilies() {
        const FontDescription japanese = DescribeFamily(QStringLiteral("Noto Sans CJK JP"), true, true);
        QCOMPARE(japanese.charset, kShiftJisCharset);
        QCOMPARE(japanese.fontType, kTrueTypeFontType);
        const FontDescription bitmap = DescribeFamily(QStringLiteral("Fixed"), false, false);
        QCOMPARE(bitmap.charset, kAnsiCharset);
        QCOMPARE(bitmap.fontType, kRasterFontType);
    }

    void installedFontsAreScalableJapaneseHorizontalFaces() {
        const QStringList names = EnumFontNames(InstalledFonts(), kOptionsFontFilter);
        for (const QString& name : names) {
            QVERIFY2(!name.startsWith(u'@'), qPrintable(name));
            QVERIFY2(QFontDatabase::writingSystems(name).contains(QFontDatabase::Japanese), qPrintable(name));
            QVERIFY2(QFontDatabase::isScalable(name), qPrintable(name));
        }
        // Every installed family that covers Japanese and scales is listed.
        for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
            if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family) &&
                !family.startsWith(u'@')) {
                QVERIFY2(names.contains(family), qPrintable(family));
            }
        }
    }
};

QTEST_MAIN(TestModuleEnumFonts)
#include "test_module_enum_fonts.moc"
