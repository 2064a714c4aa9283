#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace korven::mainwindow {

class HelpWindow;

// The program's help for `window`: its contents and search, and F1 anywhere in the program,
// which opens the topic of whichever window is in front.
class HelpDesk : public QObject {
    Q_OBJECT
public:
    // `settingsLocation` is where the viewer keeps its own settings.
    HelpDesk(QWidget* window, QString helpFile, QString settingsLocation);

    void setHelpFile(const QString& file);
    void showContents();
    void showSearch();
    // The main window closes: its viewer goes with it.
    void closeViewer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(bool search);
    // A help viewer owned by `owner` with the help document loaded; null (after a message) when
    // there is no help file or it cannot be read.
    HelpWindow* load(QWidget* owner);
    void showForFrontWindow();

    QWidget* m_window;
    QString m_helpFile;
    QString m_settingsLocation;
    HelpWindow* m_viewer = nullptr;
};

}  // namespace korven::mainwindow
