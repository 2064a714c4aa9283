#pragma once

#include "mainwindow/RecordSearch.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QTreeView;

namespace korven::mainwindow {

class SearchResultsModel;

// The search box above the record list and, while it holds a query, the matches below it.
// Moving through the matches reports each as chosen; Enter or a double-click reports it as
// activated; Escape clears the query.
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchPanel(QWidget* parent);

    // Where the index comes from; it is built on the first search after invalidate().
    void setIndexSource(std::function<SearchIndex()> build);
    // The records changed: the next search rebuilds the index, and the matches shown are
    // searched again.
    void invalidate();
    // No file: the box is emptied and disabled.
    void setFileOpen(bool open);
    void focusBox();

    // The height the panel needs: the box, plus the matches while a query is typed.
    int neededHeight() const;
    std::size_t hitCount() const;

signals:
    void hitChosen(const korven::mainwindow::SearchEntry& hit);
    void hitActivated(const korven::mainwindow::SearchEntry& hit);
    void neededHeightChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search();
    void fitColumn(int column);
    const SearchIndex& index();
    std::optional<SearchEntry> currentHit() const;
    void activateCurrent();

    std::function<SearchIndex()> m_build;
    std::optional<SearchIndex> m_index;
    QLineEdit* m_box;
    QLabel* m_count;
    QTreeView* m_results;
    SearchResultsModel* m_model;
};

}  // namespace korven::mainwindow
