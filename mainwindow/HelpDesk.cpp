#include "mainwindow/HelpDesk.h"

#include "mainwindow/HelpTopics.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/MainWindowTexts.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QKeyEvent>

namespace korven::mainwindow {

HelpDesk::HelpDesk(QWidget* window, QString helpFile, QString settingsLocation)
    : QObject(window),
      m_window(window),
      m_helpFile(std::move(helpFile)),
      m_settingsLocation(std::move(settingsLocation)) {
    // F1 opens the help at the topic of whichever window is in front, modal dialogs included.
    qApp->installEventFilter(this);
}

void HelpDesk::setHelpFile(const QString& file) {
    m_helpFile = file;
    delete m_viewer;
    m_viewer = nullptr;
}

void HelpDesk::showContents() {
    show(false);
}

void HelpDesk::showSearch() {
    show(true);
}

void HelpDesk::closeViewer() {
    if (m_viewer != nullptr) {
        m_viewer->close();
    }
}

bool HelpDesk::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        showForFrontWindow();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void HelpDesk::show(bool search) {
    if (m_viewer == nullptr) {
        m_viewer = load(m_window);
    }
    if (m_viewer == nullptr) {
        return;
    }
    if (search) {
        m_viewer->showSearch();
    } else {
        m_viewer->showContents();
    }
}

HelpWindow* HelpDesk::load(QWidget* owner) {
    if (m_helpFile.isEmpty()) {
        ui().show(Message(texts::noHelp(), MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok,
                          m_window->windowTitle()));
        return nullptr;
    }
    auto* help = new HelpWindow(owner);
    if (!help->load(m_helpFile, m_settingsLocation)) {
        delete help;
        ui().show(Message(texts::helpFileMissing(m_helpFile), MessageIcon::Error));
        return nullptr;
    }
    return help;
}

void HelpDesk::showForFrontWindow() {
    if (qobject_cast<HelpWindow*>(QApplication::activeWindow()) != nullptr) {
        return;  // the help is in front already
    }
    // A message box or file dialog in front belongs to the window that opened it.
    QWidget* front = QApplication::activeModalWidget();
    QString topic;
    for (QWidget* w = front; w != nullptr && topic.isEmpty(); w = w->parentWidget()) {
        topic = HelpTopicFor(w->window()->objectName());
    }
    if (front == nullptr) {
        topic = HelpTopicFor(m_window->objectName());
        show(false);
        if (m_viewer != nullptr) {
            m_viewer->showTopic(topic);
        }
        return;
    }
    // A modal window blocks every window but its own, so it gets a help viewer of its own,
    // which closes with it.
    auto* help = front->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (help == nullptr) {
        help = load(front);
    }
    if (help != nullptr) {
        help->showTopic(topic);
    }
}

}  // namespace korven::mainwindow
