#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

namespace korven {

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

// The about box: title, version line, description, comments, copyright, the disclaimer, the Qt
// version with its licence, and the contact lines. OK is both the default and the cancel button.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const AboutInfo& info = ProgramAboutInfo(), QWidget* parent = nullptr);
};

void ShowAboutBox(QWidget* owner);

}  // namespace korven
