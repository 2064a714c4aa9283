// The yardstick of the start-up benchmark: a bare QMainWindow program that quits as soon as
// its window is up, as korvenedit does under KORVENEDIT_QUIT_WHEN_SHOWN. With the argument
// "label" the window shows one Japanese label, so the font system starts as well.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    if (QCoreApplication::arguments().contains(QStringLiteral("label"))) {
        window.setCentralWidget(new QLabel(QStringLiteral("ファイルが読み込まれていません"), &window));
    }
    window.resize(533, 300);
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
