#include "tests/support/SaveImageBuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

// Writes the demo save to the path given on the command line.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: make_example_save OUTPUT\n";
        return 2;
    }
    QFile out(args[1]);
    const QByteArray image = korven::fixtures::SaveImageBuilder(korven::fixtures::DemoSaveOptions()).build();
    if (!out.open(QIODevice::WriteOnly) || out.write(image) != image.size()) {
        QTextStream(stderr) << "cannot write " << args[1] << "\n";
        return 1;
    }
    return 0;
}
