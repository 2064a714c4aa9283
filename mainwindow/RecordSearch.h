#pragma once

#include "mainwindow/CategoryTree.h"
#include "model/RecordKey.h"
#include "model/SaveFile.h"

#include <QString>

#include <optional>
#include <vector>

// Finding records by name or number across every list of the tree. Names are matched as
// the list shows them, after folding away the differences a Japanese keyboard makes
// incidental: half- and full-width forms, hiragana and katakana, case, spaces, punctuation
// and symbols.
namespace korven::mainwindow {

// `text` in the form compared: NFKC (ﾊﾞ → バ, ９ → 9, Ａ → A), hiragana as katakana,
// case folded, without white space, punctuation or symbols.
QString SearchFold(const QString& text);

struct SearchEntry {
    RecordKey key;
    int node = 0;               // the tree node that lists it
    QString name;               // as the list shows it
    QString category;           // the node's captions from the top, e.g. 艦型／日本軍／巡洋艦
    std::optional<int> number;  // the record number, where the key has one

    friend bool operator==(const SearchEntry&, const SearchEntry&) = default;
};

class SearchIndex {
public:
    SearchIndex() = default;
    // Every row of every list the tree can show.
    static SearchIndex Build(const SaveFile& file, const CategoryTree& tree);

    // The entries whose name contains the query, or whose number is the query: exact names
    // first, then names that begin with it, then the rest, each in tree order. Nothing for
    // an empty query.
    std::vector<const SearchEntry*> find(const QString& query) const;

    std::size_t size() const { return m_entries.size(); }
    // The entry of a record; null when no list shows it.
    const SearchEntry* entryOf(const RecordKey& key) const;

private:
    std::vector<SearchEntry> m_entries;
    std::vector<QStringList> m_folded;  // per entry, the folded names it is found by
};

}  // namespace korven::mainwindow
