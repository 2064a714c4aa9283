#pragma once

#include "model/ModelDiff.h"
#include "tests/support/SaveImageBuilder.h"

#include <QByteArray>
#include <QJsonValue>
#include <QMap>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

// A deliberately simple picture of what a player should see, kept without the program's engine:
// whole images of the file, one per point of the edit history, and what each path on disk holds.
// Fields are placed by the builder's own offsets, never by the loader's layout.
namespace korven::fixtures {

struct FieldSpot {
    qint64 offset = 0;
    int size = 1;  // bytes; a text's width
    bool isSigned = false;
    bool text = false;
    qint64 lowest() const { return isSigned ? -(qint64(1) << (8 * size - 1)) : 0; }
    qint64 highest() const {
        return isSigned ? (qint64(1) << (8 * size - 1)) - 1 : (qint64(1) << (8 * size)) - 1;
    }
};

// Where the field named by `path` lies in an image `layout` built; nothing for a path this
// reference does not know (the test then says so rather than guess).
std::optional<FieldSpot> SpotOf(const SaveImageBuilder& layout, const QString& path);
// Stores a little-endian number, or a text in code page 932 padded with NULs. False when the
// value does not fit.
bool Poke(QByteArray& image, const FieldSpot& spot, const QJsonValue& value);
qint64 PeekNumber(const QByteArray& image, const FieldSpot& spot);

class SaveReference {
public:
    explicit SaveReference(const SaveImageBuilder& layout) : m_layout(layout) {}

    // What each save path holds, and every content any of them ever held: what a backup may be.
    QMap<QString, QByteArray> disk;
    QSet<QByteArray> everOnDisk;

    bool isOpen = false;
    bool readOnly = false;
    QString path;                    // the open file, or the last one open
    std::vector<QByteArray> states;  // the image at each point of the history
    int index = 0;
    int savedIndex = 0;     // -1 once the history no longer reaches the saved point
    QByteArray loaded;      // the file as last opened or saved
    bool backedUp = false;  // the open file was kept in the backups since it was opened

    const QByteArray& current() const { return states[static_cast<std::size_t>(index)]; }
    bool changed() const { return isOpen && index != savedIndex; }

    void put(const QString& file, const QByteArray& bytes);
    void opened(const QString& file, bool asReadOnly);
    void closed() { isOpen = false; }
    // Pokes each change into the current image as a new point of the history; an empty result,
    // or why the change does not match this reference.
    QString apply(const std::vector<FieldChange>& changes);
    void moveTo(int point) { index = point; }
    void saved();
    void savedAs(const QString& file);
    void restored(const QByteArray& bytes);

private:
    SaveImageBuilder m_layout;
};

}  // namespace korven::fixtures
