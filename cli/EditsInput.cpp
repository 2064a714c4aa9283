#include "cli/EditsInput.h"

#include "cli/CliTexts.h"

#include <QJsonDocument>
#include <QStringDecoder>

namespace korven::cli {
namespace {

EditsInput refused(QString error) {
    EditsInput input;
    input.error = std::move(error);
    return input;
}

// QJsonDocument reports a byte offset; people count lines and characters.
EditsInput jsonError(const QByteArray& bytes, const QJsonParseError& error) {
    const QByteArray before = bytes.left(error.offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = QString::fromUtf8(before.mid(lineStart)).size() + 1;
    return refused(texts::jsonSyntax(line, column, error.errorString()));
}

}  // namespace

EditsInput ParseEdits(const QByteArray& raw) {
    const QByteArray bytes = raw.startsWith("\xEF\xBB\xBF") ? raw.mid(3) : raw;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return refused(texts::notUtf8());
    }
    if (text.trimmed().startsWith(u'{')) {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
        if (error.error != QJsonParseError::NoError) {
            return jsonError(bytes, error);
        }
        EditsInput input;
        input.kind = EditsInput::Kind::Json;
        input.json = document.object();
        return input;
    }
    EditsInput input;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringView line = lines[i];
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const QStringView content = line.trimmed();
        if (content.isEmpty() || content.startsWith(u'#')) {
            continue;
        }
        // Leading blanks are layout; trailing ones may belong to a text value.
        const qsizetype indent = line.indexOf(content.front());
        input.lines.push_back({i + 1, line.mid(indent).toString()});
    }
    if (input.lines.empty()) {
        return refused(texts::noEdits());
    }
    return input;
}

}  // namespace korven::cli
