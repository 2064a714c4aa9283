#pragma once

#include <QByteArray>
#include <QString>

#include <rapidjson/document.h>

#include <vector>

// The EDITS argument of apply: a JSON document in the dump's shape, or assignments one per
// line. UTF-8 only, with or without a byte-order mark, with LF or CR LF line ends.
namespace korven::cli {

// The largest edits file or standard input read, as large as a save may be.
inline constexpr qsizetype kEditsLimit = qsizetype(256) << 20;

struct EditLine {
    qsizetype number = 0;  // 1-based
    QString assignment;    // from an edits file: raw data of EditsInput::text, not a copy
};

struct EditsInput {
    enum class Kind { Json, Assignments };
    Kind kind = Kind::Assignments;
    rapidjson::Document json;     // an object, when kind is Json
    std::vector<EditLine> lines;  // without blank lines and # comments
    QString error;                // why the input was refused; empty when it was read
    // The assignments' text, which `lines` and every copy of them refer to: the input must
    // outlive them. An edits file may hold 100 000 lines, and copying each cost a tenth of
    // applying it.
    QString text;
};

EditsInput ParseEdits(const QByteArray& bytes);

}  // namespace korven::cli
