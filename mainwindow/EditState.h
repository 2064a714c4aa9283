#pragma once

#include <QString>

// The window caption and the two title labels for the open file's state.
namespace korven::mainwindow {

struct EditStateTexts {
    QString caption;
    QString label1;
    QString label2;
};

EditStateTexts EditStateFor(const QString& path, bool readOnly, bool changed);

// The caption with no file open: the program title.
QString NoFileCaption();

}  // namespace korven::mainwindow
