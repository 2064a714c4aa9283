#include "tests/support/SaveImageBuilder.h"

#include "catalogue/MaxStepTable.h"
#include "platform/Cp932.h"
#include "tests/support/DemoNames.h"

#include <algorithm>
#include <array>
#include <vector>

namespace korven::fixtures {
namespace {

// A fixed-seed generator, so every build gives the same bytes.
class Random {
public:
    uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int range(int low, int high) {
        return low + static_cast<int>(next() % static_cast<uint32_t>(high - low + 1));
    }
    uint8_t byte() { return static_cast<uint8_t>(next() & 0xFF); }

private:
    uint32_t m_state = 0x4B56u;
};

QByteArray encodeFitting(const QString& text, int width) {
    QByteArray bytes;
    for (const QChar ch : text) {
        const QByteArray one = cp932::encode(QStringView(&ch, 1)).value_or(QByteArray("?"));
        if (bytes.size() + one.size() > width) {
            break;
        }
        bytes += one;
    }
    return bytes;
}

class Image {
public:
    explicit Image(qint64 size) : m_bytes(size, '\0') {}

    void fillRandom(qint64 from, qint64 to, Random& random) {
        for (qint64 i = from; i < to; ++i) {
            m_bytes[i] = static_cast<char>(random.byte());
        }
    }
    void u8(qint64 offset, int value) { m_bytes[offset] = static_cast<char>(value & 0xFF); }
    void i16(qint64 offset, int value) { putInt16(m_bytes, offset, static_cast<int16_t>(value)); }
    void i32(qint64 offset, int32_t value) { putInt32(m_bytes, offset, value); }
    void raw(qint64 offset, const QByteArray& data) { m_bytes.replace(offset, data.size(), data); }
    int u8At(qint64 offset) const { return static_cast<unsigned char>(m_bytes[offset]); }
    int i16At(qint64 offset) const { return getInt16(m_bytes, offset); }
    // A NUL-padded text; `junk` bytes after the first NUL imitate what the game leaves there.
    void text(qint64 offset, int width, const QString& value, const QByteArray& junk = {}) {
        QByteArray bytes = encodeFitting(value, width);
        bytes.append(QByteArray(width - bytes.size(), '\0'));
        for (qsizetype i = 0; i < junk.size() && encodeFitting(value, width).size() + 1 + i < width; ++i) {
            bytes[encodeFitting(value, width).size() + 1 + i] = junk[i];
        }
        raw(offset, bytes);
    }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

constexpr int kCarrierTypes = 3;  // ship types 0..3 carry aircraft

void buildHeader(Image& image, const SaveImageBuilder& b, const QByteArray& saveName, Random& random) {
    image.raw(0, QByteArray("KVSAVE"));
    image.u8(6, 0x5A);
    image.u8(7, 0xA5);
    image.u8(8, static_cast<int>(saveName.size()));
    image.raw(9, saveName);
    const std::array<int, 11> turnInfo = {25, 4, 3, 41, 12, 1, 45, 8, 5, 12, 7};
    for (std::size_t i = 0; i < turnInfo.size(); ++i) {
        image.i16(b.turnInfoOffset() + 2 * static_cast<qint64>(i), turnInfo[i]);
    }
    image.text(b.scenarioTitleOffset(), 21, QStringLiteral("南方資源地帯攻略"), QByteArray("\x01\x7F"));
    for (int d = 0; d < 176; ++d) {
        const int value = d % 5 == 0 ? 0 : d % 11 == 0 ? -1 : random.range(1, 60);
        image.i16(b.airDevelopmentOffset() + 2 * d, value);
    }
    image.fillRandom(b.airDevelopmentOffset() + 352, b.scienceWeaponOffset(), random);
    for (int e = 0; e < 18; ++e) {
        const int need = e == 4 ? 7 : 10 * (e % 6 + 2);
        const int leave = e % 6 == 0 ? 0 : std::max(0, need - e % 6 * 3);
        image.i16(b.scienceWeaponOffset() + 4 * e, leave);
        image.i16(b.scienceWeaponOffset() + 4 * e + 2, need);
    }
    image.fillRandom(b.scienceWeaponOffset() + 72, b.aircrewSkillOffset(), random);
    for (int i = 0; i < 10; ++i) {
        image.u8(b.aircrewSkillOffset() + i, 40 + 5 * i);
    }
    image.fillRandom(b.aircrewSkillOffset() + 10, b.options().aircraftBlockOffset, random);
}

void buildAircraft(Image& image, const SaveImageBuilder& b, Random& random) {
    const auto& demo = demoAircraft();
    for (int i = 0; i < 176; ++i) {
        const qint64 at = b.aircraftTypeOffset(i);
        const bool listed = i < static_cast<int>(demo.size());
        const DemoAircraft a =
            listed
                ? demo[i]
                : DemoAircraft{QStringLiteral("試作機%1").arg(i - 169), QStringLiteral("試作"), 0, 0, 1, 0};
        image.text(at, 27, a.name, i % 17 == 3 ? QByteArray("\x20\x81") : QByteArray());
        if (i == 172) {
            image.raw(at + 27, QByteArray("\x87\x90\x8A\xEE\x00\x00\x00\x00\x00\x00\x00", 11));  // NEC row 13
        } else {
            image.text(at + 27, 11, a.shortName);
        }
        image.u8(at + 38, a.nation);
        image.u8(at + 39, a.model);
        image.u8(at + 40, a.basing);
        image.u8(at + 41, a.operation);
        for (int k = 0; k < 10; ++k) {
            image.u8(at + 42 + k, random.range(1, 99));
        }
        for (int k = 0; k < 3; ++k) {
            image.u8(at + 52 + k, random.range(0, 1));
        }
        for (int k = 0; k < 4; ++k) {
            const qint64 group = k == 0 ? at + 55 : at + 60 + 6 * (k - 1);
            const bool armed = a.operation != 0 || k == 0;
            image.u8(group, random.range(20, 80));
            // A kind the bomb list offers: 魚雷, 小型, 中型, 大型, or 255 for なし.
            const int kind = armed ? random.range(0, 4) : 255;
            image.u8(group + 1, kind < 4 ? kind : 255);
            image.u8(group + 2, armed ? random.range(1, 4) : 0);
            if (k >= 1) {
                image.u8(group + 3, 0xC0 + k);  // padding the writer must keep
            }
            image.i16(k == 0 ? at + 58 : group + 4, random.range(300, 3000));
        }
    }
}

void buildShipClasses(Image& image, const SaveImageBuilder& b, Random& random) {
    const auto& demo = demoShipClasses();
    for (int i = 0; i < 253; ++i) {
        const qint64 at = b.shipClassOffset(i);
        image.u8(at + 15, 0xE0 + i % 16);
        image.u8(at + 39, 0xF0 + i % 16);
        if (i >= static_cast<int>(demo.size())) {
            continue;  // an empty slot: its name begins with NUL
        }
        const DemoShipClass& c = demo[i];
        const bool carrier = c.shipType <= kCarrierTypes;
        image.text(at, 12, c.name);
        image.u8(at + 12, c.nation);
        image.u8(at + 13, c.shipType);
        image.u8(at + 14, (i * 7) % 155);
        image.i16(at + 16, random.range(4, 40));
        image.i16(at + 18, random.range(12, 35));
        image.i16(at + 20, random.range(1000, 8000));
        image.u8(at + 22, random.range(1, 20));
        image.u8(at + 23, random.range(0, 255));
        image.u8(at + 24, random.range(0, 99));
        image.u8(at + 25, random.range(0, 99));
        for (int m = 0; m < 4; ++m) {
            const bool mounted = m < 2 + i % 3;
            image.u8(at + 26 + m, mounted ? random.range(0, 25) : 255);
            image.u8(at + 30 + m, mounted ? random.range(1, 12) : 0);
            image.u8(at + 34 + m, mounted ? random.range(1, 9) : 0);
        }
        image.u8(at + 38, carrier ? random.range(20, 84) : c.shipType <= 11 ? random.range(0, 3) : 0);
    }
}

constexpr int kSeaplaneModel = 3;

// Aircraft types of one side, for the base slots and carriers.
std::vector<int> aircraftOfSide(bool japanese, bool carrierBorne, bool seaplanes = true) {
    std::vector<int> result;
    const auto& demo = demoAircraft();
    for (int i = 0; i < static_cast<int>(demo.size()); ++i) {
        if ((demo[i].nation <= 1) == japanese && (!carrierBorne || demo[i].basing == 0) &&
            (seaplanes || demo[i].model != kSeaplaneModel)) {
            result.push_back(i);
        }
    }
    return result;
}

void buildBases(Image& image, const SaveImageBuilder& b, Random& random) {
    const QStringList& names = demoBaseNames();
    for (int i = 0; i < b.baseCount(); ++i) {
        const qint64 at = b.baseOffset(i);
        const bool last = i == b.options().lastBaseIndex;
        image.text(at, 12, last ? QStringLiteral("ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ") : names[i]);
        const int region = last ? 17 : i % 18;
        const int owner = region <= 7 ? 0 : region == 8 ? 2 : (i % 3 == 0 ? 0 : 1);
        image.u8(at + 12, random.byte());
        image.u8(at + 13, region);
        image.u8(at + 14, random.range(0, 5));
        image.u8(at + 15, random.range(0, 4));
        image.i16(at + 16, i % 4 == 0 ? random.range(0, 2) : 255);
        image.i16(at + 18, i % 4 == 0 ? random.range(10, 900) : 0);
        image.i16(at + 20, i % 5 == 0 ? random.range(0, 6) : 255);
        image.i16(at + 22, i % 5 == 0 ? random.range(1, 300) : 0);
        for (int s = 0; s < 14; ++s) {
            image.i32(at + 24 + 4 * s, random.range(0, 600000));
        }
        image.i16(at + 80, random.range(0, 300));
        image.i16(at + 82, random.range(0, 200));
        image.u8(at + 84, random.range(30, 100));
        image.u8(at + 85, random.range(0, 3));
        image.u8(at + 86, owner);
        image.u8(at + 87, random.byte());
        // The anchorage comes last in the record but decides whether seaplanes may be based.
        const bool rules = b.options().withinTheRules;
        const int anchorage = rules ? random.range(0, 3) : 0;
        const std::vector<int> aircraft = aircraftOfSide(owner == 0, false, !rules || anchorage > 0);
        for (int k = 0; k < 8; ++k) {
            const bool used = k < i % 5;
            image.u8(at + 88 + k,
                     used ? aircraft[static_cast<std::size_t>(random.next() % aircraft.size())] : 255);
            image.i16(at + 96 + 2 * k, used ? random.range(1, 60) : 0);
            image.i16(at + 112 + 2 * k, used ? random.range(0, 30) : 0);
        }
        for (int u = 0; u < 10; ++u) {
            image.i16(at + 128 + 2 * u, random.range(0, 40));
        }
        image.i16(at + 148, rules ? anchorage : random.range(0, 3));
        image.fillRandom(at + 150, at + 168, random);
    }
}

struct ShipPlan {
    int nameNumber;
    int shipClass;
};

// Name numbers that cover every naming rule, each on a class of a fitting type.
ShipPlan planShip(int j, const std::vector<int>& japanese, const std::vector<int>& allied) {
    auto pick = [](const std::vector<int>& classes, int n) {
        return classes[static_cast<std::size_t>(n) % classes.size()];
    };
    if (j < 500) {
        if (j % 10 == 9) {
            return {-1, 0};
        }
        if (j < 260)
            return {j, pick(japanese, j)};
        if (j < 300)
            return {10000 + j - 259, j % 2 == 0 ? 38 : 39};
        if (j < 340)
            return {12000 + j - 299, 33};
        if (j < 380)
            return {13000 + j - 339, j % 2 == 0 ? 35 : 36};
        if (j < 400)
            return {14000 + j - 379, 37};
        if (j < 442)
            return {j, pick(japanese, j)};
        if (j == 442)
            return {1300, pick(japanese, j)};  // beyond the name table
        return {-1, 0};
    }
    if (j < 800)
        return {j - 500, pick(allied, j)};
    if (j < 900)
        return {11000 + j - 799, 51};
    if (j < 950)
        return {15000 + j - 899, pick(allied, j)};
    return {-1, 0};
}

// A ship as a campaign leaves it: steps, fuel and firings within its class's, most ships sound,
// some damaged and a few badly, seaplanes within what the class carries.
void buildShipWithinTheRules(Image& image, const SaveImageBuilder& b, qint64 at, int shipClass,
                             Random& random) {
    const qint64 c = b.shipClassOffset(shipClass);
    const int upper = image.i16At(c + 16);
    const int lower = catalogue::StepTable().at(image.u8At(c + 14)).value_or(0);
    const int roll = random.range(0, 99);
    const int left = roll < 72   ? random.range(90, 100)  // 通常
                     : roll < 86 ? random.range(78, 87)   // 小破
                     : roll < 95 ? random.range(52, 74)   // 中破
                                 : random.range(10, 48);  // 大破
    auto part = [left](int whole) { return (whole * left + 50) / 100; };
    image.i16(at + 8, part(lower));
    image.i16(at + 10, part(upper));
    const int fuel = image.i16At(c + 20);
    image.i16(at + 12, random.range(fuel * 2 / 5, fuel));
    for (int m = 0; m < 4; ++m) {
        const int firings = image.u8At(c + 34 + m);
        image.u8(at + 14 + m, random.range(firings / 2, firings));
    }
    image.u8(at + 18, random.byte());
    const int shipType = image.u8At(c + 13);
    const bool seaplanes = (shipType >= 4 && shipType <= 11) || shipType == 15;
    const int capacity = seaplanes ? image.u8At(c + 38) : 0;
    const int first = random.range(0, capacity);
    image.u8(at + 19, first);
    image.u8(at + 20, random.range(0, capacity - first));
    image.u8(at + 21, random.byte());
    image.i16(at + 22, random.range(0, 9));
    image.i16(at + 24, shipType >= 17 ? random.range(0, 500) : 0);
}

// A carrier's air group: most of what the class can carry, in three slots.
void buildCarrierSlotsWithinTheRules(Image& image, qint64 at, int capacity, const std::vector<int>& aircraft,
                                     Random& random) {
    const int total = random.range(capacity * 3 / 4, capacity);
    const int shares[3] = {total * 4 / 10, total * 3 / 10, total - total * 4 / 10 - total * 3 / 10};
    for (int s = 0; s < 4; ++s) {
        const bool filled = s < 3;
        const int share = filled ? shares[s] : 0;
        image.u8(at + 2 + s,
                 filled ? aircraft[static_cast<std::size_t>(random.next() % aircraft.size())] : 255);
        image.u8(at + 6 + s, share * 4 / 5);
        image.u8(at + 10 + s, share - share * 4 / 5);
    }
}

void buildShipsAndCarriers(Image& image, const SaveImageBuilder& b, Random& random) {
    const bool rules = b.options().withinTheRules;
    const auto& classes = demoShipClasses();
    std::vector<int> japanese;
    std::vector<int> allied;
    for (int c = 0; c < static_cast<int>(classes.size()); ++c) {
        (classes[c].nation == 0 ? japanese : allied).push_back(c);
    }
    std::vector<int> carriers;
    for (int j = 0; j < 1200; ++j) {
        const qint64 at = b.shipOffset(j);
        const ShipPlan plan = planShip(j, japanese, allied);
        image.i16(at, random.range(0, 200));
        image.i16(at + 2, random.range(0, 9));
        image.i16(at + 4, plan.nameNumber);
        image.i16(at + 6, plan.shipClass);
        if (plan.nameNumber == -1) {
            continue;
        }
        if (rules) {
            buildShipWithinTheRules(image, b, at, plan.shipClass, random);
            if (classes[plan.shipClass].shipType <= kCarrierTypes && carriers.size() < 120) {
                carriers.push_back(j);
            }
            continue;
        }
        image.i16(at + 8, random.range(0, 8));
        image.i16(at + 10, random.range(0, 4));
        image.i16(at + 12, random.range(100, 1000));
        for (int m = 0; m < 4; ++m) {
            image.u8(at + 14 + m, random.range(0, 9));
        }
        image.u8(at + 18, random.byte());
        image.u8(at + 19, random.range(0, 10));
        image.u8(at + 20, random.range(0, 10));
        image.u8(at + 21, random.byte());
        image.i16(at + 22, random.range(0, 9));
        image.i16(at + 24, classes[plan.shipClass].shipType >= 17 ? random.range(0, 500) : 0);
        if (classes[plan.shipClass].shipType <= kCarrierTypes && carriers.size() < 100) {
            carriers.push_back(j);
        }
    }
    for (int c = 0; c < 120; ++c) {
        const qint64 at = b.carrierAirOffset(c);
        const bool used = c < static_cast<int>(carriers.size());
        image.i16(at, used ? carriers[c] : -1);
        const std::vector<int> aircraft = aircraftOfSide(used && carriers[c] < 500, true);
        if (used && rules) {
            const int shipClass = image.i16At(b.shipOffset(carriers[c]) + 6);
            buildCarrierSlotsWithinTheRules(image, at, image.u8At(b.shipClassOffset(shipClass) + 38),
                                            aircraft, random);
            continue;
        }
        for (int s = 0; s < 4; ++s) {
            const bool filled = used && s < 3;
            image.u8(at + 2 + s,
                     filled ? aircraft[static_cast<std::size_t>(random.next() % aircraft.size())] : 255);
            image.u8(at + 6 + s, filled ? random.range(6, 27) : 0);
            image.u8(at + 10 + s, filled ? random.range(0, 9) : 0);
        }
    }
}

}  // namespace

SaveImageOptions DemoSaveOptions() {
    SaveImageOptions options;
    options.withinTheRules = true;
    return options;
}

SaveImageBuilder::SaveImageBuilder(SaveImageOptions options) : m_options(std::move(options)) {}

qint64 SaveImageBuilder::saveNameLength() const {
    return encodeFitting(m_options.saveName, 255).size();
}

QByteArray SaveImageBuilder::build() const {
    Random random;
    Image image(endOfBlocks() + m_options.trailingBytes);
    buildHeader(image, *this, encodeFitting(m_options.saveName, 255), random);
    buildAircraft(image, *this, random);
    buildShipClasses(image, *this, random);
    buildBases(image, *this, random);
    buildShipsAndCarriers(image, *this, random);
    image.fillRandom(endOfBlocks(), endOfBlocks() + m_options.trailingBytes, random);
    return image.take();
}

void putInt16(QByteArray& image, qint64 offset, int16_t value) {
    image[offset] = static_cast<char>(value & 0xFF);
    image[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void putInt32(QByteArray& image, qint64 offset, int32_t value) {
    for (int i = 0; i < 4; ++i) {
        image[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

int16_t getInt16(const QByteArray& image, qint64 offset) {
    return static_cast<int16_t>(static_cast<unsigned char>(image[offset]) |
                                static_cast<unsigned char>(image[offset + 1]) << 8);
}

void putText(QByteArray& image, qint64 offset, int width, const QString& text) {
    QByteArray bytes = encodeFitting(text, width);
    bytes.append(QByteArray(width - bytes.size(), '\0'));
    image.replace(offset, width, bytes);
}

}  // namespace korven::fixtures
