// A yardstick of the korvenedit-cli process benchmark: the least a Qt command-line program
// pays to take in a JSON document. It starts, reads the file named by its argument, parses
// it with QJsonDocument (the parser apply uses) and quits; 1 when the file is not a JSON object.
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QFile file(QCoreApplication::arguments().value(1));
    if (!file.open(QIODevice::ReadOnly)) {
        return 1;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    return error.error == QJsonParseError::NoError && document.isObject() ? 0 : 1;
}
