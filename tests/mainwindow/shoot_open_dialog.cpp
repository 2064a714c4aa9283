// Saves a picture of the open-file dialog as File › 開く shows it, with Qt's Japanese texts,
// for the README: shoot_open_dialog OUTPUT (run under a display, e.g. Xvfb, in the folder the
// dialog should show).
#include "mainwindow/frmMain.h"
#include "platform/QtTranslation.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: shoot_open_dialog OUTPUT\n", stderr);
        return 2;
    }
    korven::InstallQtTranslation();
    korven::UseJapaneseLocale();
    korven::frmMain window;
    window.show();
    const QString output = QString::fromLocal8Bit(argv[1]);
    bool saved = false;
    // The dialog runs modally inside the command, so it is looked for from the event loop.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !QTest::qWaitForWindowExposed(dialog)) {
            return;
        }
        poll.stop();
        QTest::qWait(200);  // the folder's file list fills in the background
        saved = dialog->grab().save(output);
        dialog->reject();
    });
    poll.start(50);
    window.findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
    if (!saved) {
        std::fputs("the open-file dialog was not saved\n", stderr);
        return 1;
    }
    return 0;
}
