#pragma once

#include "editors/Colours.h"
#include "model/SaveFile.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace korven {

class OpenDocument;

// The record an editor opens with, set by the record list.
struct Selection {
    int16_t record = 0;   // ship class, aircraft type, base or aircrew entry
    int16_t ship = -1;    // individual ship; -1 when a ship class itself is edited
    int16_t target1 = 0;  // science weapons: class and entry
    int16_t target2 = 0;
};

// What an edit dialog works on. The dialog stores into `file` and then calls commit(), which
// hands on what the store changed.
class EditSession {
public:
    // Over the open document, which owns all of it: `file` is a copy of its model, and commit()
    // applies the fields in which the copy differs as one step of the document's history, named
    // after `recordName`.
    EditSession(OpenDocument& document, QString recordName, QString itemText, QString folder,
                colours::LabelColours labels = {});
    // Over a model without a document (a dialog shown on its own): stores go straight into
    // `model`, and commit() only calls `committed`.
    EditSession(SaveFile& model, std::function<void()> committed, Selection selected = {},
                QString itemText = {}, QString folder = {}, QString filePath = {});
    ~EditSession();
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    // Every store calls it. A change the document refuses (it tells the user why) is taken back
    // from `file` as well, so the dialog shows the model as it stays.
    void commit();

private:
    OpenDocument* m_document = nullptr;
    std::unique_ptr<SaveFile> m_copy;
    std::function<void()> m_committed;
    QString m_recordName;

public:
    SaveFile& file;
    Selection selection;
    QString selectedItemText;  // the text of the list row the dialog was opened from
    QString gamePath;          // the game folder, ending in the separator when set
    QString openFilePath;
    colours::LabelColours labelColours;
};

}  // namespace korven
