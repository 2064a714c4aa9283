#pragma once

#include "model/SaveFile.h"

#include <QString>

// PATH=VALUE assignments to the model, with the dump's names and index syntax:
// ShipClass[12].Perf[1]=30, Base[3].Stockpile[0][1]=500, ScienceWeapon[1][4].Need=12,
// AircraftType[5].Name=零式艦上戦闘機.
namespace korven::cli {

enum class AssignmentError {
    None,
    Syntax,        // not PATH=VALUE, or a malformed path
    UnknownField,  // no such name, or a record without a field name
    IndexCount,    // too few or too many indices for the field
    IndexRange,    // an index past the table
    NeverWritten,  // a field the writer never stores
    NotAnInteger,
    ValueRange,      // outside the field's width (u8, int16, int32)
    TextTooLong,     // longer than the field in code page 932
    TextUnmappable,  // a character with no code page 932 form
    MovesBlocks,     // the next load would find the blocks elsewhere (anchor, last base)
};

struct AssignmentResult {
    AssignmentError error = AssignmentError::None;
    QString message;  // for the user; names the assignment
    bool ok() const { return error == AssignmentError::None; }
};

// Checks one assignment against the model and stores the value when it is valid. A refused
// assignment leaves the model as it was. The block layout is not checked here.
AssignmentResult ApplyAssignment(SaveFile& model, const QString& assignment);

// Applies every assignment, then makes sure the image the writer would store loads back with
// the same block positions and last base: a base renamed to or from the last base's name, or a
// text that puts the anchor key earlier, would otherwise make the next load read the records
// from the wrong place. Names the first assignment that fails. On failure `model` is partly
// changed and must be thrown away.
AssignmentResult ApplyAssignments(SaveFile& model, const QStringList& assignments);

}  // namespace korven::cli
