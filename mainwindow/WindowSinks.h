#pragma once

#include "platform/Sinks.h"
#include "platform/UiServices.h"

#include <QLabel>

// How the main window takes the core's progress texts and messages.
namespace korven::mainwindow {

// Progress texts go to a status bar panel and are painted at once, as loading and saving block
// the loop.
class StatusPanel : public StatusSink {
public:
    explicit StatusPanel(QLabel* panel) : m_panel(panel) {}
    void showStatus(const QString& text) override {
        m_panel->setText(text);
        m_panel->repaint();
    }

private:
    QLabel* m_panel;
};

// The document tells the user through whichever services are installed at the time.
class UiMessages : public MessageSink {
public:
    MessageAnswer show(const Message& message) override { return ui().show(message); }
};

}  // namespace korven::mainwindow
