#include "mainwindow/RecordSearch.h"

#include "mainwindow/RecordRows.h"

#include <algorithm>
#include <array>

namespace korven::mainwindow {
namespace {

constexpr char16_t kFirstHiragana = u'\u3041';
constexpr char16_t kLastHiragana = u'\u3096';
constexpr char16_t kKatakanaOffset = 0x60;

QString categoryOf(const CategoryTree& tree, const TreeNode& node) {
    QStringList captions;
    for (const TreeNode* n = &node; n != nullptr; n = tree.parentOf(*n)) {
        captions.prepend(n->caption);
    }
    return captions.join(u'／');
}

}  // namespace

QString SearchFold(const QString& text) {
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    QString result;
    result.reserve(folded.size());
    for (const QChar c : folded) {
        // Ｐ－５１ is P-51, P51 or P 51 to whoever types it.
        if (c.isSpace() || c.isPunct() || c.isSymbol()) {
            continue;
        }
        const char16_t u = c.unicode();
        result.append(u >= kFirstHiragana && u <= kLastHiragana
                          ? QChar(static_cast<char16_t>(u + kKatakanaOffset))
                          : c);
    }
    return result;
}

SearchIndex SearchIndex::Build(const SaveFile& file, const CategoryTree& tree) {
    SearchIndex index;
    for (const TreeNode& node : tree.nodes) {
        const NodeList list =
            ListForNode(FactsOf(tree, node.index), tree.fixedNodeCount, tree.firstAreaIndex);
        if (list.kind == ListKind::Clear) {
            continue;
        }
        const QString category = categoryOf(tree, node);
        for (RecordRow& row : BuildRows(file, list)) {
            QStringList folded{SearchFold(row.text)};
            // Aircraft are known by their short name as well.
            if (list.kind == ListKind::Air && !row.subItems.isEmpty()) {
                folded.append(SearchFold(row.subItems.first()));
            }
            index.m_entries.push_back(
                SearchEntry{row.key, node.index, std::move(row.text), category, row.key.number()});
            index.m_folded.push_back(std::move(folded));
        }
    }
    return index;
}

const SearchEntry* SearchIndex::entryOf(const RecordKey& key) const {
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&key](const SearchEntry& entry) { return entry.key == key; });
    return found != m_entries.end() ? &*found : nullptr;
}

std::vector<const SearchEntry*> SearchIndex::find(const QString& query) const {
    const QString folded = SearchFold(query);
    if (folded.isEmpty()) {
        return {};
    }
    bool isNumber = false;
    const int number = folded.toInt(&isNumber);
    enum Rank { Exact, Prefix, Contains, Ranks };
    std::array<std::vector<const SearchEntry*>, Ranks> ranked;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        std::optional<Rank> best;
        for (const QString& name : m_folded[i]) {
            const Rank rank = name == folded            ? Exact
                              : name.startsWith(folded) ? Prefix
                              : name.contains(folded)   ? Contains
                                                        : Ranks;
            if (rank != Ranks && (!best || rank < *best)) {
                best = rank;
            }
        }
        if (!best && isNumber && m_entries[i].number == number) {
            best = Exact;
        }
        if (best) {
            ranked[*best].push_back(&m_entries[i]);
        }
    }
    std::vector<const SearchEntry*> hits;
    for (const auto& rank : ranked) {
        hits.insert(hits.end(), rank.begin(), rank.end());
    }
    return hits;
}

}  // namespace korven::mainwindow
