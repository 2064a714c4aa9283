#pragma once

#include <QSettings>
#include <QString>

namespace korven::fixtures {

// Keeps a test's settings in `folder`: an INI file there, never the user's own, nor the
// registry on Windows, where every test process would share one store.
inline void IsolateSettings(const QString& folder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    QSettings::setDefaultFormat(QSettings::IniFormat);
}

}  // namespace korven::fixtures
