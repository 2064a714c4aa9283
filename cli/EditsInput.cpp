#include "cli/EditsInput.h"

#include "cli/CliTexts.h"

#include <QStringDecoder>

#include <algorithm>

namespace korven::cli {
namespace {

EditsInput refused(QString error) {
    EditsInput input;
    input.error = std::move(error);
    return input;
}

// The parser reports a byte offset; people count lines and characters.
EditsInput jsonError(const QByteArray& bytes, const rapidjson::Document& document) {
    const QByteArray before = bytes.left(static_cast<qsizetype>(document.GetErrorOffset()));
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = QString::fromUtf8(before.mid(lineStart)).size() + 1;
    return refused(texts::jsonSyntax(line, column, texts::jsonSyntaxReason(document.GetParseError())));
}

// A JSON document starts with a brace after blanks. Only ASCII blanks are passed over: JSON
// allows no others, so a file that starts with another is refused either way.
bool looksLikeJson(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\v' && c != '\f') {
            return c == '{';
        }
    }
    return false;
}

// Splits the text into lines without copying it line by line twice: a dump-sized edits file
// holds tens of thousands of them.
EditsInput assignmentLines(const QString& text) {
    EditsInput input;
    input.text = text;
    // Room for every line at once: growing would move tens of thousands of them into fresh
    // memory again and again. (Counted over plain UTF-16 units, which the compiler vectorises.)
    const QStringView all(text);
    input.lines.reserve(
        static_cast<std::size_t>(std::count(all.utf16(), all.utf16() + all.size(), u'\n') + 1));
    qsizetype number = 0;
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            end = text.size();
        }
        ++number;
        QStringView line = QStringView(text).sliced(start, end - start);
        start = end + 1;
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const QStringView content = line.trimmed();
        if (content.isEmpty() || content.startsWith(u'#')) {
            continue;
        }
        // Leading blanks are layout; trailing ones may belong to a text value.
        const qsizetype indent = content.data() - line.data();
        const QStringView kept = line.sliced(indent);
        input.lines.push_back({number, QString::fromRawData(kept.data(), kept.size())});
    }
    if (input.lines.empty()) {
        return refused(texts::noEdits());
    }
    return input;
}

}  // namespace

EditsInput ParseEdits(const QByteArray& raw) {
    const QByteArray bytes = raw.startsWith("\xEF\xBB\xBF") ? raw.sliced(3) : raw;
    // No text file holds one, and a name would end at it unseen.
    if (bytes.contains('\0')) {
        return refused(texts::nulInEdits());
    }
    if (looksLikeJson(bytes)) {
        // Checked without decoding: a dump is megabytes, and the parser reads the bytes itself.
        if (!bytes.isValidUtf8()) {
            return refused(texts::notUtf8());
        }
        // Iterative: a document nested a million deep must not exhaust the stack. Integers are
        // read exactly either way; the full-precision reading of other numbers is left off, as
        // it counts the leading zeros of zero (undefined) on some inputs.
        EditsInput input;
        input.json.Parse<rapidjson::kParseIterativeFlag>(bytes.constData(),
                                                         static_cast<std::size_t>(bytes.size()));
        if (input.json.HasParseError()) {
            return jsonError(bytes, input.json);
        }
        input.kind = EditsInput::Kind::Json;
        return input;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return refused(texts::notUtf8());
    }
    return assignmentLines(text);
}

}  // namespace korven::cli
