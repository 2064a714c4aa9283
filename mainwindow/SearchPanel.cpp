#include "mainwindow/SearchPanel.h"

#include "mainwindow/MainWindowTexts.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace korven::mainwindow {

// The matches as rows: name, category, number.
class SearchResultsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setHits(const std::vector<const SearchEntry*>& hits) {
        beginResetModel();
        m_hits.clear();
        m_hits.reserve(hits.size());
        for (const SearchEntry* hit : hits) {
            m_hits.push_back(*hit);
        }
        endResetModel();
    }
    const SearchEntry* hit(int row) const {
        return row >= 0 && row < rowCount() ? &m_hits[static_cast<std::size_t>(row)] : nullptr;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_hits.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override {
        const SearchEntry* entry = hit(index.row());
        if (entry == nullptr || role != Qt::DisplayRole) {
            return {};
        }
        return text(*entry, index.column());
    }
    static QString text(const SearchEntry& entry, int column) {
        switch (column) {
            case 0:
                return entry.name;
            case 1:
                return entry.category;
            default:
                return entry.number ? QString::number(*entry.number) : QString();
        }
    }
    // The texts of a column that may be its widest: each category once, the longest numbers.
    QStringList widestCandidates(int column) const {
        QSet<QString> texts;
        qsizetype longest = 0;
        for (const SearchEntry& entry : m_hits) {
            const QString& shown = *texts.insert(text(entry, column));
            longest = std::max(longest, shown.size());
        }
        QStringList candidates;
        for (const QString& shown : texts) {
            if (column == 1 || shown.size() == longest) {
                candidates.append(shown);
            }
        }
        return candidates;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        switch (section) {
            case 0:
                return texts::searchColumnName();
            case 1:
                return texts::searchColumnCategory();
            default:
                return texts::searchColumnNumber();
        }
    }

private:
    std::vector<SearchEntry> m_hits;
};

namespace {

constexpr int kResultLines = 8;

}  // namespace

SearchPanel::SearchPanel(QWidget* parent)
    : QWidget(parent),
      m_box(new QLineEdit(this)),
      m_count(new QLabel(this)),
      m_results(new QTreeView(this)),
      m_model(new SearchResultsModel(this)) {
    m_box->setObjectName(QStringLiteral("txtSearch"));
    // A placeholder is not a name: a screen reader would say nothing for the empty box.
    m_box->setAccessibleName(texts::searchBoxName());
    m_box->setPlaceholderText(texts::searchPlaceholder());
    m_box->setClearButtonEnabled(true);
    m_box->setAcceptDrops(false);  // a dropped save opens in the window, not as text here
    m_box->installEventFilter(this);
    m_count->setObjectName(QStringLiteral("lblSearchCount"));
    m_results->setObjectName(QStringLiteral("lstSearch"));
    m_results->setAccessibleName(texts::searchResultsName());
    m_results->setModel(m_model);
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setItemsExpandable(false);
    m_results->setAllColumnsShowFocus(true);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->header()->setStretchLastSection(false);
    m_results->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_results->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    m_results->header()->setSectionResizeMode(2, QHeaderView::Fixed);
    m_results->installEventFilter(this);
    m_results->hide();

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_box, 1);
    row->addWidget(m_count);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 2);
    column->setSpacing(2);
    column->addLayout(row);
    column->addWidget(m_results, 1);

    connect(m_box, &QLineEdit::textChanged, this, &SearchPanel::search);
    connect(m_results->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (const SearchEntry* hit = m_model->hit(current.row())) {
                    emit hitChosen(*hit);
                }
            });
    connect(m_results, &QAbstractItemView::doubleClicked, this, &SearchPanel::activateCurrent);
    setFileOpen(false);
}

void SearchPanel::setIndexSource(std::function<SearchIndex()> build) {
    m_build = std::move(build);
    invalidate();
}

void SearchPanel::invalidate() {
    m_index.reset();
    if (!m_box->text().isEmpty()) {
        search();
    }
}

void SearchPanel::setFileOpen(bool open) {
    if (!open) {
        m_box->clear();
    }
    m_box->setEnabled(open);
    invalidate();
}

void SearchPanel::focusBox() {
    m_box->setFocus(Qt::ShortcutFocusReason);
    m_box->selectAll();
}

int SearchPanel::neededHeight() const {
    const QMargins margins = layout()->contentsMargins();
    int height = m_box->sizeHint().height() + margins.top() + margins.bottom();
    if (!m_results->isHidden()) {
        const int line = m_results->fontMetrics().height() + 4;
        height += layout()->spacing() + m_results->header()->sizeHint().height() + kResultLines * line +
                  2 * m_results->frameWidth();
    }
    return height;
}

std::size_t SearchPanel::hitCount() const {
    return static_cast<std::size_t>(m_model->rowCount());
}

const SearchIndex& SearchPanel::index() {
    if (!m_index) {
        m_index = m_build ? m_build() : SearchIndex{};
    }
    return *m_index;
}

void SearchPanel::search() {
    const bool wasShown = !m_results->isHidden();
    const QString query = m_box->text();
    const std::optional<SearchEntry> before =
        m_results->currentIndex().isValid() ? currentHit() : std::nullopt;
    m_model->setHits(query.isEmpty() ? std::vector<const SearchEntry*>{} : index().find(query));
    fitColumn(1);
    fitColumn(2);
    // The same match stays current when the records change under it, without showing it again.
    for (int row = 0; before && row < m_model->rowCount(); ++row) {
        if (m_model->hit(row)->key == before->key) {
            const QSignalBlocker blocker(m_results->selectionModel());
            m_results->setCurrentIndex(m_model->index(row, 0));
            break;
        }
    }
    const int hits = m_model->rowCount();
    m_count->setText(query.isEmpty() ? QString()
                     : hits == 0     ? texts::searchNothingFound()
                                     : texts::rowCount(hits));
    m_results->setVisible(!query.isEmpty());
    if (wasShown != !m_results->isHidden()) {
        emit neededHeightChanged();
    }
}

// Sizing by contents would ask the view for the size of every row, most of the time of a
// keystroke that matches hundreds of records; the widest texts are among a few candidates.
void SearchPanel::fitColumn(int column) {
    const QFontMetrics metrics = m_results->fontMetrics();
    // The delegate sets an item's text between two focus-frame margins.
    const int margin =
        2 * (m_results->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_results) + 1);
    int width = m_results->header()->sectionSizeHint(column);
    for (const QString& text : m_model->widestCandidates(column)) {
        width = std::max(width, metrics.horizontalAdvance(text) + margin);
    }
    m_results->header()->resizeSection(column, width);
}

std::optional<SearchEntry> SearchPanel::currentHit() const {
    const QModelIndex current = m_results->currentIndex();
    const SearchEntry* hit = m_model->hit(current.isValid() ? current.row() : 0);
    return hit ? std::optional<SearchEntry>(*hit) : std::nullopt;
}

void SearchPanel::activateCurrent() {
    if (const std::optional<SearchEntry> hit = currentHit()) {
        emit hitChosen(*hit);
        emit hitActivated(*hit);
    }
}

bool SearchPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        activateCurrent();
        return true;
    }
    if (key == Qt::Key_Escape) {
        m_box->clear();
        m_box->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (watched == m_box && key == Qt::Key_Down && m_model->rowCount() > 0) {
        m_results->setFocus(Qt::TabFocusReason);
        m_results->setCurrentIndex(m_model->index(0, 0));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace korven::mainwindow
