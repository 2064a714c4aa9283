#pragma once

#include <QString>
#include <QStringList>

namespace korven {
class SettingsStore;
}

// The saves opened last, newest first, as the File menu lists them. They are kept in the
// settings under a section of their own ("RecentFiles", keys "File1" to "File8").
namespace korven::mainwindow {

// True when both paths name the same file (through links where both exist).
bool SamePath(const QString& a, const QString& b);

class RecentFiles {
public:
    static constexpr int kMaximum = 8;

    static RecentFiles Read(const SettingsStore& settings);
    void write(SettingsStore& settings) const;

    // `path` becomes the newest entry; an older entry for the same file goes, and the oldest
    // falls off beyond the maximum.
    void add(const QString& path);
    void remove(const QString& path);

    const QStringList& paths() const { return m_paths; }
    // Where the open dialog starts: the folder of the newest entry, empty when there is none
    // or it no longer exists.
    QString lastFolder() const;

private:
    QStringList m_paths;
};

}  // namespace korven::mainwindow
