#pragma once

#include "model/SaveFile.h"

#include <QJsonValue>
#include <QString>

#include <vector>

// The model as a tree of named values in file order, keyed by the format's names: what the
// command-line tool dumps, and what two files are compared by field by field.
namespace korven {

struct ModelMember;

struct ModelNode {
    enum class Kind { Leaf, Array, Object };
    Kind kind = Kind::Leaf;
    QJsonValue leaf;  // an integer or a text (as seen: before the first NUL)
    std::vector<ModelNode> items;
    std::vector<ModelMember> members;  // QJsonObject would sort them
};

struct ModelMember {
    QString name;
    ModelNode node;
};

// Every field of the model; bases 0..LastBaseIndex only. Given `other`, a record or top-level
// field equal to the same one of `other` is left an empty object, and a table equal in every
// record an empty array: a diff against `other` has nothing to find in them, and building the
// trees is most of the diff's time.
ModelNode BuildModelTree(const SaveFile& model, const SaveFile* other = nullptr);

struct ModelValue {
    QString path;  // e.g. Base[3].Stockpile[0][1]
    QJsonValue value;
};

// The leaves of the tree in file order.
std::vector<ModelValue> FlattenModel(const SaveFile& model);

// A value as a person reads it: numbers in decimal, texts quoted as JSON strings.
QString FormatValue(const QJsonValue& value);

}  // namespace korven
