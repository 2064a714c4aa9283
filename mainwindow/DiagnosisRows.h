#pragma once

#include "model/SaveFile.h"
#include "model/SaveRules.h"

#include <QString>

#include <vector>

// The rows of the 診断 list: the values of the open save that no dialog would accept, grouped
// by the tree's category, each with the record's name as the list shows it and the field's
// label as the dialogs show it.
namespace korven::mainwindow {

struct DiagnosisRow {
    QString record;
    QString field;
    QString value;
    QString reason;
    QString fix;  // the value a repair would store, or a dash where none is obviously right
    QString path;
    rules::Finding finding;
};

struct DiagnosisGroup {
    QString category;
    std::vector<DiagnosisRow> rows;
};

// Groups in the order their first finding comes in the file; rows in file order.
std::vector<DiagnosisGroup> DiagnosisGroups(const std::vector<rules::Finding>& findings,
                                            const SaveFile& file);

// The status bar's "診断: N 件"; empty when nothing was found.
QString DiagnosisStatus(std::size_t findings);

}  // namespace korven::mainwindow
