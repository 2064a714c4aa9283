#include "platform/SettingsStore.h"

#include <QSettings>

namespace korven {
namespace {

QString path(const QString& section, const QString& key) {
    return section + u'/' + key;
}

// An INI file on Linux; on Windows the registry, unless the process chose another default.
QSettings::Format storeFormat() {
#ifdef Q_OS_WIN
    return QSettings::defaultFormat();
#else
    return QSettings::IniFormat;
#endif
}

}  // namespace

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(storeFormat(), QSettings::UserScope,
                                             QStringLiteral("KorvenEdit"), QStringLiteral("KorvenEdit"))) {}

SettingsStore::~SettingsStore() = default;

std::optional<QString> SettingsStore::stored(const QString& section, const QString& key) const {
    const QVariant value = m_settings->value(path(section, key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString();
}

QString SettingsStore::text(const QString& section, const QString& key, const QString& fallback) const {
    return stored(section, key).value_or(fallback);
}

void SettingsStore::setText(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(path(section, key), value);
}

double SettingsStore::number(const QString& section, const QString& key, double fallback) const {
    bool ok = false;
    const double value = stored(section, key).value_or(QString()).trimmed().toDouble(&ok);
    return ok ? value : fallback;
}

void SettingsStore::setNumber(const QString& section, const QString& key, double value) {
    setText(section, key, QString::number(value, 'g', 10));
}

uint32_t SettingsStore::colour(const QString& section, const QString& key, uint32_t fallback) const {
    bool ok = false;
    const qlonglong value = stored(section, key).value_or(QString()).trimmed().toLongLong(&ok);
    // The store may hold the value as signed or unsigned 32-bit text.
    if (!ok || value < INT32_MIN || value > UINT32_MAX) {
        return fallback;
    }
    return static_cast<uint32_t>(value);
}

bool SettingsStore::flag(const QString& section, const QString& key, bool fallback) const {
    const std::optional<QString> value = stored(section, key);
    if (!value) {
        return fallback;
    }
    if (value->compare(u"True", Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (value->compare(u"False", Qt::CaseInsensitive) == 0) {
        return false;
    }
    return fallback;
}

void SettingsStore::setFlag(const QString& section, const QString& key, bool value) {
    setText(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void SettingsStore::sync() {
    m_settings->sync();
}

QString SettingsStore::location() const {
    return m_settings->fileName();
}

}  // namespace korven
