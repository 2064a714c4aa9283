#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

namespace korven {

namespace texts::about {
inline QString captionPrefix() {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 ");
}
inline QString disclaimer() {
    return QStringLiteral(
        "警告: "
        "このソフトは各人の責任で使用してください。このソフトを使用したためにセーブデータが壊れるなどしても、"
        "一切責任は取れません。");
}
inline QString homepage() {
    return QStringLiteral("ホームページ: https://korvenedit.example.org/");
}
inline QString mail() {
    return QStringLiteral("E-mail: korvenedit@example.jp");
}
inline QString ok() {
    return QStringLiteral("OK");
}
}  // namespace texts::about

// What the about box shows from the program's version information.
struct AboutInfo {
    QString title;
    QString description;
    QString comments;
    QString copyright;
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version information of this build.
AboutInfo ProgramAboutInfo();

// The program's icon (a resource of this library).
QIcon ProgramIcon();

// The about box: title, version line, description, comments, copyright, the disclaimer and
// the contact lines. OK is both the default and the cancel button.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const AboutInfo& info = ProgramAboutInfo(), QWidget* parent = nullptr);
};

void ShowAboutBox(QWidget* owner);

}  // namespace korven
