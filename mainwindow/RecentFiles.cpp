#include "mainwindow/RecentFiles.h"

#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace korven::mainwindow {
namespace {

const QString kSection = QStringLiteral("RecentFiles");

QString keyOf(int number) {
    return QStringLiteral("File%1").arg(number);
}

}  // namespace

bool SamePath(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists()) {
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    }
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

RecentFiles RecentFiles::Read(const SettingsStore& settings) {
    RecentFiles recent;
    for (int number = kMaximum; number >= 1; --number) {
        const QString path = settings.text(kSection, keyOf(number));
        if (!path.isEmpty()) {
            recent.add(path);
        }
    }
    return recent;
}

void RecentFiles::write(SettingsStore& settings) const {
    // Most starts open the newest file again, which changes nothing: then no settings file is
    // written and flushed to disk before the window is up.
    bool unchanged = true;
    for (int number = 1; number <= kMaximum && unchanged; ++number) {
        unchanged = settings.text(kSection, keyOf(number)) == m_paths.value(number - 1);
    }
    if (unchanged) {
        return;
    }
    for (int number = 1; number <= kMaximum; ++number) {
        settings.setText(kSection, keyOf(number), m_paths.value(number - 1));
    }
    settings.sync();
}

void RecentFiles::add(const QString& path) {
    remove(path);
    m_paths.prepend(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    while (m_paths.size() > kMaximum) {
        m_paths.removeLast();
    }
}

void RecentFiles::remove(const QString& path) {
    m_paths.removeIf([&](const QString& entry) { return SamePath(entry, path); });
}

QString RecentFiles::lastFolder() const {
    if (m_paths.isEmpty()) {
        return {};
    }
    const QDir folder = QFileInfo(m_paths.first()).absoluteDir();
    return folder.exists() ? folder.path() : QString();
}

}  // namespace korven::mainwindow
