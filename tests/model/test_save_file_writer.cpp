#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/RecordFields.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "tests/support/Recorders.h"
#include "tests/support/Results.h"
#include "tests/support/SaveImageBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#include <csignal>
#endif
#include <set>

using namespace Qt::StringLiterals;
using korven::LockedFile;
using korven::LockMode;
using korven::SaveFile;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;
namespace cp932 = korven::cp932;

class TestSaveFileWriter : public QObject {
    Q_OBJECT

private slots:
    void unchangedModelGivesSameImage_data();
    void unchangedModelGivesSameImage();
    void editsTouchOnlyTheirFields();
    void shortNameIsPaddedWithNul();
    void refusedTextLeavesFileAsItWas_data();
    void refusedTextLeavesFileAsItWas();
    void namesThatMoveTheBlocksAreRefused_data();
    void namesThatMoveTheBlocksAreRefused();
    void saveAsTargets_data();
    void saveAsTargets();
    void lastAircraftTypesAreNotWritten();
    void shipsFollowLastBase();
    void progressTexts();
    void editSurvivesReload();
    void restoredTextGivesOriginalBytes();
    void readOnlyHandleIsRefused();
#ifndef Q_OS_WIN
    void diskFailureLeavesFileAsItWas();
#endif
};

namespace {

using Patches = QList<QPair<qint64, QByteArray>>;

std::unique_ptr<SaveFile> loadImage(const QByteArray& image) {
    auto file = std::make_unique<SaveFile>();
    korven::fixtures::RecordingStatus status;
    korven::fixtures::RecordingMessages messages;
    if (!korven::LoadSaveFile(image, *file, status, messages)) {
        qWarning() << messages.texts();
        return nullptr;
    }
    return file;
}

QByteArray compose(const SaveFile& file) {
    korven::fixtures::RecordingStatus status;
    return korven::ComposeSaveImage(file, status).value_or(QByteArray("<refused>"));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
}

// A save file on disk, opened and loaded as the window does it.
struct OpenSave {
    explicit OpenSave(const QByteArray& image, LockMode mode = LockMode::Normal) {
        path = dir.filePath(u"SaveFile1.SAVE"_s);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(image) != image.size()) {
            qFatal("cannot write the test save");
        }
        out.close();
        korven::OpenedSaveFile opened = korven::OpenSaveFile(path, mode, *model, status, messages);
        handle = std::move(opened.handle);
        status.texts.clear();
    }
    bool write() { return korven::WriteSaveFile(*model, *handle, status, messages).ok(); }
    QStringList folder() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<SaveFile> model = std::make_unique<SaveFile>();
    std::unique_ptr<LockedFile> handle;
    korven::fixtures::RecordingStatus status;
    korven::fixtures::RecordingMessages messages;
};

QByteArray encoded(const QString& text) {
    return cp932::encode(text).value();
}

// Flips every byte of every integer field it is given, so each byte of an edited field differs.
struct FlipNumbers {
    int serial = 0;
    template <typename T>
    void operator()(const char*, T& value) {
        flip(value);
    }
    template <typename T>
    void flip(T& value) {
        if constexpr (std::is_integral_v<T>) {
            using U = std::make_unsigned_t<T>;
            U mask = 0;
            for (std::size_t i = 0; i < sizeof(T); ++i) {
                mask = static_cast<U>(mask << 8 | static_cast<U>(1 + serial % 127));
            }
            ++serial;
            value = static_cast<T>(static_cast<U>(value) ^ mask);
        } else if constexpr (
            requires {
                value.size();
                value[0];
            } &&
            !requires { value.text(); }) {
            for (auto& element : value) {
                flip(element);
            }
        }
    }
};

template <typename Record>
void flipAll(Record& record) {
    FlipNumbers flipper;
    korven::fields::forEach<Record>(flipper, record);
}

// Byte ranges (first and last offset, inclusive), e.g. the bytes a record's numbers occupy.
std::set<qint64> byteRanges(std::initializer_list<std::pair<qint64, qint64>> ranges) {
    std::set<qint64> bytes;
    for (const auto& [first, last] : ranges) {
        for (qint64 b = first; b <= last; ++b) {
            bytes.insert(b);
        }
    }
    return bytes;
}

void addRecord(std::set<qint64>& into, qint64 at, const std::set<qint64>& relative) {
    for (const qint64 r : relative) {
        into.insert(at + r);
    }
}

}  // namespace

Q_DECLARE_METATYPE(SaveImageOptions)

void TestSaveFileWriter::unchangedModelGivesSameImage_data() {
    QTest::addColumn<SaveImageOptions>("options");
    QTest::addColumn<Patches>("patches");

    const SaveImageOptions demo;
    QTest::newRow("demo save") << demo << Patches{};
    SaveImageOptions o = demo;
    o.saveName.clear();
    QTest::newRow("no save name") << o << Patches{};
    o = demo;
    o.saveName = QString(127, QChar(u'艦')) + u"X"_s;
    QTest::newRow("255-byte save name") << o << Patches{};
    for (const int last : {0, 37, -1}) {
        o = demo;
        o.lastBaseIndex = last;
        QTest::addRow("last base %d", last) << o << Patches{};
    }
    o = demo;
    o.trailingBytes = 0;
    QTest::newRow("no trailing data") << o << Patches{};
    o = demo;
    o.trailingBytes = 5000;
    QTest::newRow("much trailing data") << o << Patches{};
    o = demo;
    o.aircraftBlockOffset = 28671;
    QTest::newRow("blocks at an odd offset") << o << Patches{};

    // Texts whose bytes do not survive decoding and encoding again, or hold bytes after a NUL.
    const SaveImageBuilder b(demo);
    QTest::newRow("duplicate forms and junk in texts")
        << demo
        << Patches{{9, QByteArray("\x87\x90\xFA\x4A\xED\x40", 6)},
                   {b.scenarioTitleOffset(), QByteArray("\x87\x90\x87\x9A\0junk\x81", 10)},
                   {b.aircraftTypeOffset(7), QByteArray("\xED\x40\xFA\x54\0\x87\x90", 7)},
                   {b.aircraftTypeOffset(7) + 27, QByteArray("\x87\x54\0\x01\x02", 5)},
                   {b.shipClassOffset(3), QByteArray("\x87\x90\x87\x90\0\xFF\xFE\xFD\x80\xA0\x81\x40", 12)},
                   {b.baseOffset(10), QByteArray("\xFA\x5B\x87\x9A\x81\xE6\0\0\0\0\0\x7F", 12)}};
    QTest::newRow("invalid sequences in texts")
        << demo
        << Patches{{b.shipClassOffset(4), QByteArray("\x85\x40\x80\xA0\xFD\0\0\0\0\0\0\x81", 12)},
                   {b.baseOffset(11), QByteArray("AB\x81", 3)}};
}

void TestSaveFileWriter::unchangedModelGivesSameImage() {
    QFETCH(SaveImageOptions, options);
    QFETCH(Patches, patches);
    QByteArray image = SaveImageBuilder(options).build();
    for (const auto& [offset, bytes] : patches) {
        image.replace(offset, bytes.size(), bytes);
    }

    const auto model = loadImage(image);
    QVERIFY(model);
    QCOMPARE(compose(*model), image);

    OpenSave save(image);
    QVERIFY(save.handle);
    QVERIFY(save.write());
    QCOMPARE(readFile(save.path), image);
}

void TestSaveFileWriter::editsTouchOnlyTheirFields() {
    SaveImageOptions options;
    options.lastBaseIndex = 37;
    const SaveImageBuilder b(options);
    const QByteArray image = b.build();
    const auto model = loadImage(image);
    QVERIFY(model);
    const qint64 L = b.saveNameLength();

    std::set<qint64> expected;
    FlipNumbers header;
    for (auto& value : model->TurnInfo) {
        header.flip(value);
    }
    for (auto& value : model->AirDevelopment) {
        header.flip(value);
    }
    for (auto& line : model->ScienceWeapon) {
        for (auto& entry : line) {
            header.flip(entry.Leave);
            header.flip(entry.Need);
        }
    }
    header.flip(model->AircrewSkill);
    addRecord(expected, 0, byteRanges({{9 + L, 30 + L}, {52 + L, 52 + L + 2 * 170 - 1}}));
    addRecord(expected, 0, byteRanges({{1904 + L, 1975 + L}, {2176 + L, 2185 + L}}));

    const auto aircraftBytes = byteRanges({{38, 62}, {64, 68}, {70, 74}, {76, 77}});
    for (const int i : {0, 1, 169, 170, 175}) {
        flipAll(model->AircraftType[i]);
        if (i < 170) {
            addRecord(expected, b.aircraftTypeOffset(i), aircraftBytes);
        }
    }
    const auto shipClassBytes = byteRanges({{12, 14}, {16, 38}});
    for (const int i : {0, 100, 252}) {
        flipAll(model->ShipClass[i]);
        addRecord(expected, b.shipClassOffset(i), shipClassBytes);
    }
    const auto baseBytes = byteRanges({{12, 167}});
    for (const int i : {0, 36, 37, 38, 255}) {
        flipAll(model->Base[i]);
        if (i <= 37) {
            addRecord(expected, b.baseOffset(i), baseBytes);
        }
    }
    for (const int j : {0, 499, 500, 1199}) {
        flipAll(model->Ship[j]);
        addRecord(expected, b.shipOffset(j), byteRanges({{0, 25}}));
    }
    for (const int c : {0, 119}) {
        flipAll(model->CarrierAir[c]);
        addRecord(expected, b.carrierAirOffset(c), byteRanges({{0, 13}}));
    }

    const QByteArray written = compose(*model);
    QCOMPARE(written.size(), image.size());
    std::set<qint64> changed;
    for (qint64 i = 0; i < image.size(); ++i) {
        if (written[i] != image[i]) {
            changed.insert(i);
        }
    }
    std::vector<qint64> unexpected;
    std::set_difference(changed.begin(), changed.end(), expected.begin(), expected.end(),
                        std::back_inserter(unexpected));
    std::vector<qint64> missing;
    std::set_difference(expected.begin(), expected.end(), changed.begin(), changed.end(),
                        std::back_inserter(missing));
    QVERIFY2(unexpected.empty(),
             qPrintable(u"changed at offset %1"_s.arg(unexpected.empty() ? 0 : unexpected[0])));
    QVERIFY2(missing.empty(),
             qPrintable(u"not written at offset %1"_s.arg(missing.empty() ? 0 : missing[0])));

    // Read back, the written records hold the edited values.
    const auto reloaded = loadImage(written);
    QVERIFY(reloaded);
    QCOMPARE(reloaded->TurnInfo, model->TurnInfo);
    QCOMPARE(reloaded->AirDevelopment[169], model->AirDevelopment[169]);
    QCOMPARE(reloaded->AirDevelopment[170],
             int16_t(korven::fixtures::getInt16(image, b.airDevelopmentOffset() + 340)));
    QCOMPARE(reloaded->AircrewSkill, model->AircrewSkill);
    auto same = [](const char* name, const auto& x, const auto& y) {
        if constexpr (requires { x.text(); }) {
            QVERIFY2(x.text() == y.text(), name);
        } else {
            QVERIFY2(x == y, name);
        }
    };
    korven::fields::forEach<korven::AircraftTypeRecord>(same, reloaded->AircraftType[169],
                                                        model->AircraftType[169]);
    korven::fields::forEach<korven::ShipClassRecord>(same, reloaded->ShipClass[252], model->ShipClass[252]);
    korven::fields::forEach<korven::BaseRecord>(same, reloaded->Base[37], model->Base[37]);
    korven::fields::forEach<korven::ShipRecord>(same, reloaded->Ship[1199], model->Ship[1199]);
    korven::fields::forEach<korven::CarrierAirRecord>(same, reloaded->CarrierAir[119],
                                                      model->CarrierAir[119]);
}

void TestSaveFileWriter::shortNameIsPaddedWithNul() {
    const SaveImageBuilder b;
    QByteArray image = b.build();
    image.replace(b.shipClassOffset(2), 12, QByteArray("ABCDEFGHIJKL"));
    image.replace(b.baseOffset(4), 12, QByteArray("AB\0junkjunk!", 12));
    const auto model = loadImage(image);
    QVERIFY(model);

    model->ShipClass[2].Name.setText(u"伊勢"_s);
    model->ShipClass[3].Name.setText(u"ｲﾝﾃﾞｨﾍﾟﾝﾃﾞﾝｽ"_s);  // exactly 12 bytes, no NUL
    model->Base[4].Name.setText(u"ABC"_s);
    const QByteArray written = compose(*model);
    QCOMPARE(written.mid(b.shipClassOffset(2), 12), encoded(u"伊勢"_s) + QByteArray(8, '\0'));
    QByteArray expected = image;
    expected.replace(b.shipClassOffset(2), 12, QByteArray("\x88\xC9\x90\xA8\0\0\0\0\0\0\0\0", 12));
    expected.replace(b.shipClassOffset(3), 12, encoded(u"ｲﾝﾃﾞｨﾍﾟﾝﾃﾞﾝｽ"_s));
    expected.replace(b.baseOffset(4), 12, QByteArray("ABC\0\0\0\0\0\0\0\0\0", 12));
    QCOMPARE(written, expected);
}

void TestSaveFileWriter::refusedTextLeavesFileAsItWas_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("ship-class name of 13 bytes") << 0;
    QTest::newRow("hangul in a base name") << 1;
    QTest::newRow("aircraft name of 28 bytes") << 2;
    QTest::newRow("emoji in a short name") << 3;
    QTest::newRow("scenario title of 22 bytes") << 4;
    QTest::newRow("last ship class, 13 bytes") << 5;
}

void TestSaveFileWriter::refusedTextLeavesFileAsItWas() {
    QFETCH(int, which);
    const QByteArray image = SaveImageBuilder().build();
    OpenSave save(image);
    QVERIFY(save.handle);
    SaveFile& m = *save.model;
    m.Ship[10].Words[6] = 999;  // an edit before the bad one, which must not reach the disk either
    switch (which) {
        case 0:
            m.ShipClass[5].Name.setText(u"伊勢伊勢伊勢ｱ"_s);
            break;
        case 1:
            m.Base[9].Name.setText(u"한국"_s);
            break;
        case 2:
            m.AircraftType[12].Name.setText(QString(14, QChar(u'零')));
            break;
        case 3:
            m.AircraftType[0].ShortName.setText(u"艦戦😀"_s);
            break;
        case 4:
            m.ScenarioTitle.setText(QString(11, QChar(u'題')));
            break;
        default:
            m.ShipClass[252].Name.setText(u"ABCDEFGHIJKLM"_s);
            break;
    }

    QVERIFY(!save.write());
    QCOMPARE(save.messages.shown.size(), std::size_t(1));
    const korven::Message& shown = save.messages.shown.front();
    QCOMPARE(shown.text, u"データ書き込みエラー"_s);
    QCOMPARE(shown.icon, korven::MessageIcon::Error);
    QCOMPARE(shown.buttons, korven::MessageButtons::Ok);
    QVERIFY(!save.status.texts.contains(u"書き込み完了"_s));
    QCOMPARE(readFile(save.path), image);
    QCOMPARE(save.folder(), QStringList{u"SaveFile1.SAVE"_s});
    QCOMPARE(m.image, image);
    // Still open and locked.
    QVERIFY(!LockedFile::open(save.path, LockMode::ReadOnly));
}

void TestSaveFileWriter::namesThatMoveTheBlocksAreRefused_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("aircraft type 0 renamed") << 0;
    QTest::newRow("last base renamed") << 1;
    QTest::newRow("an earlier base named like the last") << 2;
}

void TestSaveFileWriter::namesThatMoveTheBlocksAreRefused() {
    QFETCH(int, which);
    const QByteArray image = SaveImageBuilder().build();
    OpenSave save(image);
    QVERIFY(save.handle);
    SaveFile& m = *save.model;
    switch (which) {
        case 0:
            m.AircraftType[0].Name.setText(u"九六式艦戦"_s);
            break;
        case 1:
            m.Base[m.LastBaseIndex].Name.setText(u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｷ"_s);
            break;
        default:
            m.Base[20].Name.setText(u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"_s);
            break;
    }
    QVERIFY(!save.write());
    QCOMPARE(save.messages.texts(), QStringList{korven::texts::layoutWouldMove()});
    QCOMPARE(save.messages.shown.front().icon, korven::MessageIcon::Error);
    QCOMPARE(readFile(save.path), image);
}

void TestSaveFileWriter::saveAsTargets_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("a new file") << u"new"_s;
    QTest::newRow("an existing file") << u"existing"_s;
    QTest::newRow("a file another editor holds") << u"held"_s;
    QTest::newRow("an edit that moves the blocks") << u"moves"_s;
}

void TestSaveFileWriter::saveAsTargets() {
    QFETCH(QString, target);
    const QByteArray image = SaveImageBuilder().build();
    OpenSave save(image);
    QVERIFY(save.handle);
    save.model->ShipClass[12].Perf[1] = 31;
    const QString path = save.dir.filePath(u"SaveFile2.SAVE"_s);
    const QByteArray previous("KVSAVE the file that was there");
    std::unique_ptr<LockedFile> other;
    if (target != u"new" && target != u"moves") {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(previous);
        out.close();
        if (target == u"held") {
            other = korven::fixtures::orNull(LockedFile::open(path, LockMode::ReadOnly));
        }
    }
    if (target == u"moves") {
        save.model->AircraftType[0].Name.setText(u"九六式艦戦"_s);
    }
    const korven::BackupStore backups(save.dir.filePath(u"backups"_s));
    const korven::Result<korven::SavedAs, korven::Reported> saved =
        korven::WriteSaveFileAs(*save.model, path, backups, save.status, save.messages);

    if (target == u"held" || target == u"moves") {
        QVERIFY(!saved);
        QCOMPARE(
            save.messages.texts(),
            QStringList{target == u"held" ? korven::texts::cannotOpen() +
                                                u"\r\n原因: ほかのプログラムがファイルをロックしています。"_s
                                          : korven::texts::layoutWouldMove()});
        if (target == u"held") {
            QCOMPARE(readFile(path), previous);
        } else {
            QVERIFY(!QFileInfo::exists(path));
        }
        QCOMPARE(readFile(save.path), image);
        return;
    }
    QVERIFY(saved.ok());
    QVERIFY(save.messages.shown.empty());
    QCOMPARE(korven::fixtures::getInt16(readFile(path), SaveImageBuilder().shipClassOffset(12) + 18), 31);
    QCOMPARE(readFile(save.path), image);
    QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));  // the copy is now the locked file
    QCOMPARE(saved->backup.has_value(), target == u"existing");
    if (saved->backup) {
        QCOMPARE(readFile(*saved->backup), previous);
    }
}

void TestSaveFileWriter::lastAircraftTypesAreNotWritten() {
    const SaveImageBuilder b;
    const QByteArray image = b.build();
    const auto model = loadImage(image);
    QVERIFY(model);
    model->AircraftType[170].Name.setText(u"新型機"_s);
    model->AircraftType[170].Kind[0] = 5;
    model->AircraftType[170].Kouzoku[3] = 1234;
    model->AircraftType[175].ShortName.setText(u"한"_s);  // not written, so not refused either
    model->AirDevelopment[170] = 77;
    model->AirDevelopment[175] = 77;
    model->AircraftType[169].Kouzoku[3] = 4321;
    model->AirDevelopment[169] = 66;

    const QByteArray written = compose(*model);
    QCOMPARE(written.mid(b.aircraftTypeOffset(170)), image.mid(b.aircraftTypeOffset(170)));
    QCOMPARE(written.mid(b.airDevelopmentOffset() + 340, 12), image.mid(b.airDevelopmentOffset() + 340, 12));
    QCOMPARE(korven::fixtures::getInt16(written, b.aircraftTypeOffset(169) + 76), int16_t(4321));
    QCOMPARE(korven::fixtures::getInt16(written, b.airDevelopmentOffset() + 338), int16_t(66));
}

void TestSaveFileWriter::shipsFollowLastBase() {
    SaveImageOptions options;
    options.lastBaseIndex = 37;
    const SaveImageBuilder b(options);
    const QByteArray image = b.build();
    const auto model = loadImage(image);
    QVERIFY(model);
    QCOMPARE(int(model->LastBaseIndex), 37);
    model->Base[37].Airfield = 0x1357;
    model->Ship[0].Words[0] = 0x2468;
    model->Base[38].Region = 99;  // past the last base: nowhere in the file

    const QByteArray written = compose(*model);
    QCOMPARE(b.shipOffset(0), b.baseOffset(0) + 38 * 168);
    QCOMPARE(korven::fixtures::getInt16(written, b.baseOffset(37) + 80), int16_t(0x1357));
    QCOMPARE(korven::fixtures::getInt16(written, b.baseOffset(0) + 38 * 168), int16_t(0x2468));
    QCOMPARE(written.mid(b.shipOffset(0) + 2), image.mid(b.shipOffset(0) + 2));
}

void TestSaveFileWriter::progressTexts() {
    OpenSave save(SaveImageBuilder().build());
    QVERIFY(save.handle);
    QVERIFY(save.write());
    QCOMPARE(save.status.texts,
             (QStringList{u"ターンデータを書き込んでいます"_s, u"航空機データを書き込んでいます"_s,
                          u"艦船データを書き込んでいます"_s, u"基地データを書き込んでいます"_s,
                          u"個艦データを書き込んでいます"_s, u"空母搭載機データを書き込んでいます"_s,
                          u"書き込み完了"_s}));
    QVERIFY(save.messages.shown.empty());
}

void TestSaveFileWriter::editSurvivesReload() {
    OpenSave save(SaveImageBuilder().build());
    QVERIFY(save.handle);
    save.model->ShipClass[6].Name.setText(u"天城型"_s);
    save.model->Base[180].Stockpile[6][1] = -123456789;
    save.model->TurnInfo[0] = 77;
    QVERIFY(save.write());
    // A second save through the same handle lands too.
    save.model->Ship[1199].Words2[1] = 31000;
    QVERIFY(save.write());
    save.handle.reset();

    auto again = std::make_unique<SaveFile>();
    korven::fixtures::RecordingStatus status;
    korven::fixtures::RecordingMessages messages;
    const korven::OpenedSaveFile reopened =
        korven::OpenSaveFile(save.path, LockMode::ReadOnly, *again, status, messages);
    QCOMPARE(reopened.outcome, korven::OpenOutcome::Opened);
    QCOMPARE(again->ShipClass[6].Name.text(), u"天城型"_s);
    QVERIFY(!again->ShipClass[6].Name.isEdited());
    QCOMPARE(again->Base[180].Stockpile[6][1], -123456789);
    QCOMPARE(again->TurnInfo[0], int16_t(77));
    QCOMPARE(again->Ship[1199].Words2[1], int16_t(31000));
    QCOMPARE(again->image, readFile(save.path));
}

void TestSaveFileWriter::restoredTextGivesOriginalBytes() {
    const SaveImageBuilder b;
    QByteArray image = b.build();
    image.replace(b.shipClassOffset(8), 12, QByteArray("\x87\x90\x88\xC9\0junk!!!", 12));
    const auto model = loadImage(image);
    QVERIFY(model);
    auto& name = model->ShipClass[8].Name;
    const QString original = name.text();
    QCOMPARE(original, u"≒伊"_s);
    name.setText(u"X"_s);
    QVERIFY(name.isEdited());
    QCOMPARE(compose(*model).mid(b.shipClassOffset(8), 12), QByteArray("X\0\0\0\0\0\0\0\0\0\0\0", 12));
    name.setText(original);
    QVERIFY(!name.isEdited());
    QCOMPARE(compose(*model), image);
}

void TestSaveFileWriter::readOnlyHandleIsRefused() {
    const QByteArray image = SaveImageBuilder().build();
    OpenSave save(image, LockMode::ReadOnly);
    QVERIFY(save.handle);
    save.model->TurnInfo[0] = 5;
    QVERIFY(!save.write());
    QCOMPARE(save.messages.texts(),
             QStringList{u"データ書き込みエラー\r\n原因: ファイルが読み取り専用になっています。"_s});
    QCOMPARE(readFile(save.path), image);
}

#ifndef Q_OS_WIN  // a file-size limit is POSIX; test_locked_file has the Windows counterpart
void TestSaveFileWriter::diskFailureLeavesFileAsItWas() {
    // A file-size limit smaller than the save makes the write fail part way, as a full disk.
    const QByteArray image = SaveImageBuilder().build();
    OpenSave save(image);
    QVERIFY(save.handle);
    save.model->Base[0].Airfield = 7;

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = save.write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QCOMPARE(save.messages.texts(),
             QStringList{u"データ書き込みエラー\r\n原因: ディスクの空き容量が足りません。"_s});
    QCOMPARE(save.messages.shown.front().icon, korven::MessageIcon::Error);
    QCOMPARE(readFile(save.path), image);
    QCOMPARE(save.folder(), QStringList{u"SaveFile1.SAVE"_s});
    QCOMPARE(save.model->image, image);
    // The same save goes through once the disk has room again.
    QVERIFY(save.write());
    QCOMPARE(korven::fixtures::getInt16(readFile(save.path), SaveImageBuilder().baseOffset(0) + 80),
             int16_t(7));
}
#endif

QTEST_GUILESS_MAIN(TestSaveFileWriter)
#include "test_save_file_writer.moc"
