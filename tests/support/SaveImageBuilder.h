#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Builds realistic, format-correct save images for tests and the demo save. It places every
// field by its absolute offset, independently of the loader's sequential reading, so the two
// check each other.
namespace korven::fixtures {

struct SaveImageOptions {
    QString saveName = QStringLiteral("ＳＡＶＥ１　昭和１７年　珊瑚海");
    qint64 aircraftBlockOffset = 3000;  // 0-based offset of the anchor
    int lastBaseIndex = 180;    // base named ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ; -1: none, 256 bases
    qint64 trailingBytes = 64;  // unknown data after the carrier block
    // The demo save keeps to the game's rules (ships within their class's steps, fuel and
    // firings, damage spread as in a campaign, carriers loaded, seaplanes only at bases with an
    // anchorage); without it the records hold the odd values the tests need.
    bool withinTheRules = false;
};

// The options of examples/SaveFile1.SAVE.
SaveImageOptions DemoSaveOptions();

class SaveImageBuilder {
public:
    explicit SaveImageBuilder(SaveImageOptions options = {});

    QByteArray build() const;

    // 0-based offsets of the image build() returns.
    qint64 saveNameLength() const;
    qint64 turnInfoOffset() const { return 9 + saveNameLength(); }
    qint64 scenarioTitleOffset() const { return 31 + saveNameLength(); }
    qint64 airDevelopmentOffset() const { return 52 + saveNameLength(); }
    qint64 scienceWeaponOffset() const { return 1904 + saveNameLength(); }
    qint64 aircrewSkillOffset() const { return 2176 + saveNameLength(); }
    qint64 aircraftTypeOffset(int i) const { return m_options.aircraftBlockOffset + 78 * i; }
    qint64 shipClassOffset(int i) const { return aircraftTypeOffset(176) + 40 * i; }
    qint64 baseOffset(int i) const { return shipClassOffset(253) + 168 * i; }
    int baseCount() const { return m_options.lastBaseIndex < 0 ? 256 : m_options.lastBaseIndex + 1; }
    qint64 shipOffset(int i) const { return baseOffset(baseCount()) + 26 * i; }
    qint64 carrierAirOffset(int i) const { return shipOffset(1200) + 14 * i; }
    qint64 endOfBlocks() const { return carrierAirOffset(120); }

    const SaveImageOptions& options() const { return m_options; }

private:
    SaveImageOptions m_options;
};

// Little helpers for tests that patch images.
void putInt16(QByteArray& image, qint64 offset, int16_t value);
void putInt32(QByteArray& image, qint64 offset, int32_t value);
int16_t getInt16(const QByteArray& image, qint64 offset);
void putText(QByteArray& image, qint64 offset, int width, const QString& text);  // code page 932, NUL padded

}  // namespace korven::fixtures
