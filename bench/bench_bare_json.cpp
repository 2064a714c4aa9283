// A yardstick of the korvenedit-cli process benchmark: the least a Qt command-line program
// pays to take in a JSON document. It starts, reads the file named by its argument, parses
// it as apply does and quits; 1 when the file is not a JSON object.
#include <QCoreApplication>
#include <QFile>

#include <rapidjson/document.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QFile file(QCoreApplication::arguments().value(1));
    if (!file.open(QIODevice::ReadOnly)) {
        return 1;
    }
    const QByteArray bytes = file.readAll();
    rapidjson::Document document;
    document.Parse<rapidjson::kParseIterativeFlag>(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return !document.HasParseError() && document.IsObject() ? 0 : 1;
}
