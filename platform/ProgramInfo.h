#pragma once

#include <QString>

// The program's version information: shown by the about box, written to the settings at
// exit, and the title that names the settings store.
namespace korven::program {

inline constexpr int kMajor = KORVEN_VERSION_MAJOR;
inline constexpr int kMinor = KORVEN_VERSION_MINOR;
inline constexpr int kRevision = KORVEN_VERSION_PATCH;

inline QString title() {
    return QStringLiteral("KorvenEdit");
}
inline QString description() {
    return QStringLiteral("ヴァルゾン セーブデータエディタ");
}
inline QString comments() {
    return QStringLiteral("ヴァルゾン（Windows 95版）のセーブファイルを編集します。");
}
inline QString copyright() {
    return QStringLiteral("Copyright (C) 2026 KorvenEdit の開発者");
}

// Where the licence texts of the program and of what it ships with are: the LICENSES folder
// beside the program on Windows, the package's documentation folder elsewhere.
QString noticesFolder();

// "1.05 Rev3": major, ".", minor with two digits, " Rev", revision.
QString settingsVersion(int major = kMajor, int minor = kMinor, int revision = kRevision);
// "Version 1.05 rev3".
QString aboutVersion(int major = kMajor, int minor = kMinor, int revision = kRevision);

}  // namespace korven::program
