#include "tests/support/SaveReference.h"

#include "platform/Cp932.h"

#include <QRegularExpression>

namespace korven::fixtures {

std::optional<FieldSpot> SpotOf(const SaveImageBuilder& b, const QString& path) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^(\w+)\[(\d+)\](?:\.(\w+))?(?:\[(\d+)\])?(?:\[(\d+)\])?$)"));
    const QRegularExpressionMatch m = shape.match(path);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const QString table = m.captured(1);
    const QString field = m.captured(3);
    const int i = m.captured(2).toInt();
    const int j = m.captured(4).toInt();
    const int k = m.captured(5).toInt();
    auto u8 = [](qint64 at) { return FieldSpot{at, 1, false, false}; };
    auto i16 = [](qint64 at) { return FieldSpot{at, 2, true, false}; };
    auto text = [](qint64 at, int width) { return FieldSpot{at, width, false, true}; };
    auto i32 = [](qint64 at) { return FieldSpot{at, 4, true, false}; };
    if (table == u"AirDevelopment" && field.isEmpty() && i < 176) {
        return i16(b.airDevelopmentOffset() + 2 * i);
    }
    if (table == u"Base" && field == u"Stockpile" && i < b.baseCount() && j < 7 && k < 2) {
        return i32(b.baseOffset(i) + 24 + 4 * (2 * j + k));
    }
    if (table == u"AircrewSkill" && i < 5 && j < 2) {
        return u8(b.aircrewSkillOffset() + 2 * i + j);
    }
    if (table == u"ShipClass") {
        const qint64 at = b.shipClassOffset(i);
        if (field == u"Name")
            return text(at, 12);
        if (field == u"StepIndex")
            return u8(at + 14);
        if (field == u"Perf")
            return i16(at + 16 + 2 * j);
        if (field == u"Armor")
            return u8(at + 22 + j);
        if (field == u"Weapon")
            return u8(at + 26 + 4 * j + k);
        if (field == u"AircraftCapacity")
            return u8(at + 38);
    }
    if (table == u"Ship") {
        const qint64 at = b.shipOffset(i);
        if (field == u"Words")
            return i16(at + 2 * j);
        if (field == u"BusouKai")
            return u8(at + 14 + j);
        if (field == u"Bytes")
            return u8(at + 18 + j);
        if (field == u"Words2")
            return i16(at + 22 + 2 * j);
    }
    if (table == u"AircraftType") {
        const qint64 at = b.aircraftTypeOffset(i);
        const qint64 group = j == 0 ? at + 55 : at + 60 + 6 * (j - 1);
        if (field == u"Name")
            return text(at, 27);
        if (field == u"ShortName")
            return text(at + 27, 11);
        if (field == u"NumData")
            return u8(at + 42 + j);
        if (field == u"Flags")
            return u8(at + 52 + j);
        if (field == u"Kidou")
            return u8(group);
        if (field == u"Bomb")
            return u8(group + 1 + k);
        if (field == u"Kouzoku")
            return i16(j == 0 ? at + 58 : group + 4);
    }
    if (table == u"CarrierAir") {
        const qint64 at = b.carrierAirOffset(i);
        if (field == u"Key")
            return i16(at);
        if (field == u"Slots")
            return u8(at + 2 + 4 * j + k);
    }
    return std::nullopt;
}

bool Poke(QByteArray& image, const FieldSpot& spot, const QJsonValue& value) {
    if (spot.text) {
        const std::optional<QByteArray> bytes = cp932::encode(value.toString());
        if (!value.isString() || !bytes || bytes->size() > spot.size) {
            return false;
        }
        putText(image, spot.offset, spot.size, value.toString());
        return true;
    }
    const double number = value.toDouble();
    if (!value.isDouble() || number < double(spot.lowest()) || number > double(spot.highest())) {
        return false;
    }
    const auto n = static_cast<qint64>(number);
    for (int byte = 0; byte < spot.size; ++byte) {
        image[spot.offset + byte] = static_cast<char>((n >> (8 * byte)) & 0xFF);
    }
    return true;
}

qint64 PeekNumber(const QByteArray& image, const FieldSpot& spot) {
    qint64 n = 0;
    for (int byte = spot.size - 1; byte >= 0; --byte) {
        n = (n << 8) | static_cast<uint8_t>(image.at(spot.offset + byte));
    }
    return spot.isSigned && n > spot.highest() ? n - (qint64(1) << (8 * spot.size)) : n;
}

void SaveReference::put(const QString& file, const QByteArray& bytes) {
    disk[file] = bytes;
    everOnDisk.insert(bytes);
}

void SaveReference::opened(const QString& file, bool asReadOnly) {
    isOpen = true;
    readOnly = asReadOnly;
    path = file;
    loaded = disk.value(file);
    states = {loaded};
    index = savedIndex = 0;
    backedUp = false;
}

QString SaveReference::apply(const std::vector<FieldChange>& changes) {
    QByteArray next = current();
    for (const FieldChange& change : changes) {
        const std::optional<FieldSpot> spot = SpotOf(m_layout, change.path);
        if (!spot) {
            return QStringLiteral("the reference does not know %1").arg(change.path);
        }
        if (!spot->text && PeekNumber(next, *spot) != change.oldValue.toInteger(-1 << 30)) {
            return QStringLiteral("%1 holds %2, the change says %3")
                .arg(change.path)
                .arg(PeekNumber(next, *spot))
                .arg(change.oldValue.toVariant().toString());
        }
        if (!Poke(next, *spot, change.newValue)) {
            return QStringLiteral("%1 cannot hold %2")
                .arg(change.path, change.newValue.toVariant().toString());
        }
    }
    // A new step drops the steps after it, and with them a saved point among them.
    states.resize(static_cast<std::size_t>(index) + 1);
    if (savedIndex > index) {
        savedIndex = -1;
    }
    states.push_back(next);
    ++index;
    return {};
}

void SaveReference::saved() {
    put(path, current());
    loaded = current();
    savedIndex = index;
    backedUp = true;
}

void SaveReference::savedAs(const QString& file) {
    path = file;
    readOnly = false;
    saved();
}

void SaveReference::restored(const QByteArray& bytes) {
    put(path, bytes);
    opened(path, false);
    backedUp = true;
}

}  // namespace korven::fixtures
