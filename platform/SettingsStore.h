#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class QSettings;

namespace korven {

// The per-user settings under the application name "KorvenEdit", addressed by section and
// key, all values text: numbers as decimal text, Booleans as the words True and False. A
// stored text that is not a number where one is expected counts as absent.
class SettingsStore {
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString text(const QString& section, const QString& key, const QString& fallback = {}) const;
    void setText(const QString& section, const QString& key, const QString& value);

    double number(const QString& section, const QString& key, double fallback) const;
    void setNumber(const QString& section, const QString& key, double value);

    // A 32-bit colour value (decimal text, as the settings keep it).
    uint32_t colour(const QString& section, const QString& key, uint32_t fallback) const;

    bool flag(const QString& section, const QString& key, bool fallback) const;
    void setFlag(const QString& section, const QString& key, bool value);

    void sync();
    // The file behind the store (for the help and the README).
    QString location() const;

private:
    std::optional<QString> stored(const QString& section, const QString& key) const;
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace korven
