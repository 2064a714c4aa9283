#include "mainwindow/HelpWindow.h"

#include "platform/Backups.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace korven::mainwindow {
namespace {

constexpr int kAnchorRole = Qt::UserRole;

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QString keywordFileOf(const QString& document) {
    const QFileInfo info(document);
    return info.path() + u'/' + info.completeBaseName() + QStringLiteral(".keywords");
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window),
      m_tabs(new QTabWidget(this)),
      m_contents(new QTreeWidget(this)),
      m_keyword(new QLineEdit(this)),
      m_keywords(new QListWidget(this)),
      m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("KorvenEdit ヘルプ"));
    m_tabs->setObjectName(QStringLiteral("tabHelp"));
    m_contents->setObjectName(QStringLiteral("tvwContents"));
    m_keyword->setObjectName(QStringLiteral("txtKeyword"));
    m_keywords->setObjectName(QStringLiteral("lstKeywords"));
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_contents->setAccessibleName(QStringLiteral("目次"));
    m_keyword->setAccessibleName(QStringLiteral("キーワード"));
    m_keywords->setAccessibleName(QStringLiteral("キーワード一覧"));
    m_browser->setAccessibleName(QStringLiteral("ヘルプ"));
    m_contents->setHeaderHidden(true);
    m_keyword->setPlaceholderText(QStringLiteral("キーワードを入力"));
    m_browser->setOpenExternalLinks(false);

    auto* index = new QWidget(this);
    auto* indexLayout = new QVBoxLayout(index);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    indexLayout->addWidget(m_keyword);
    indexLayout->addWidget(m_keywords);
    m_tabs->addTab(m_contents, QStringLiteral("目次"));
    m_tabs->addTab(index, QStringLiteral("キーワード"));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 560});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(820, 600);

    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { goTo(item->data(0, kAnchorRole).toString()); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { goTo(item->data(0, kAnchorRole).toString()); });
    connect(m_keyword, &QLineEdit::textChanged, this, &HelpWindow::filterKeywords);
    connect(m_keyword, &QLineEdit::returnPressed, this, [this] {
        if (m_keywords->count() > 0) {
            openKeyword(m_keywords->currentItem() ? m_keywords->currentItem() : m_keywords->item(0));
        }
    });
    connect(m_keywords, &QListWidget::itemActivated, this, &HelpWindow::openKeyword);
    connect(m_keywords, &QListWidget::itemDoubleClicked, this, &HelpWindow::openKeyword);
}

bool HelpWindow::load(const QString& file, const QString& settingsLocation) {
    QString html = readText(file);
    if (html.isEmpty()) {
        return false;
    }
    html.replace(QStringLiteral("{{settings}}"), settingsLocation.toHtmlEscaped());
    html.replace(QStringLiteral("{{backups}}"), BackupStore::defaultFolder().toHtmlEscaped());
    m_browser->setHtml(html);
    buildContents();

    m_index.clear();
    const QStringList lines = readText(keywordFileOf(file)).split(u'\n');
    for (const QString& line : lines) {
        const QStringList parts = line.trimmed().split(u'\t');
        if (parts.size() == 2 && !parts[0].isEmpty()) {
            m_index.push_back(Keyword{parts[0], parts[1]});
        }
    }
    // Every heading is a keyword too.
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        m_index.push_back(Keyword{(*it)->text(0), (*it)->data(0, kAnchorRole).toString()});
    }
    std::stable_sort(m_index.begin(), m_index.end(),
                     [](const Keyword& a, const Keyword& b) { return a.text < b.text; });
    // A heading that is also listed as a keyword for its own section appears once.
    m_index.erase(std::unique(m_index.begin(), m_index.end(),
                              [](const Keyword& a, const Keyword& b) {
                                  return a.text == b.text && a.anchor == b.anchor;
                              }),
                  m_index.end());
    filterKeywords(m_keyword->text());
    return true;
}

void HelpWindow::buildContents() {
    m_contents->clear();
    std::vector<QTreeWidgetItem*> open;  // the last item of each level
    const QTextDocument* document = m_browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2 || level > 3) {
            continue;  // the document title and plain paragraphs
        }
        QString anchor;
        for (auto it = block.begin(); !it.atEnd() && anchor.isEmpty(); ++it) {
            const QStringList names = it.fragment().charFormat().anchorNames();
            if (!names.isEmpty()) {
                anchor = names.constFirst();
            }
        }
        QTreeWidgetItem* item = nullptr;
        if (level == 2 || open.empty()) {
            item = new QTreeWidgetItem(m_contents);
            open = {item};
        } else {
            item = new QTreeWidgetItem(open.front());
        }
        item->setText(0, block.text().trimmed());
        item->setData(0, kAnchorRole, anchor);
    }
    m_contents->expandAll();
}

void HelpWindow::filterKeywords(const QString& text) {
    m_keywords->clear();
    for (const Keyword& keyword : m_index) {
        if (text.isEmpty() || keyword.text.contains(text, Qt::CaseInsensitive)) {
            auto* item = new QListWidgetItem(keyword.text, m_keywords);
            item->setData(kAnchorRole, keyword.anchor);
        }
    }
    if (m_keywords->count() > 0) {
        m_keywords->setCurrentRow(0);
    }
}

void HelpWindow::goTo(const QString& anchor) {
    if (anchor.isEmpty()) {
        return;
    }
    m_anchor = anchor;
    m_browser->scrollToAnchor(anchor);
}

void HelpWindow::openKeyword(QListWidgetItem* item) {
    if (item != nullptr) {
        goTo(item->data(kAnchorRole).toString());
    }
}

void HelpWindow::showContents() {
    m_tabs->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
    m_contents->setFocus();
}

void HelpWindow::showTopic(const QString& anchor) {
    showContents();
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if (!anchor.isEmpty() && (*it)->data(0, kAnchorRole).toString() == anchor) {
            m_contents->setCurrentItem(*it);
            goTo(anchor);
            return;
        }
    }
    m_browser->moveCursor(QTextCursor::Start);
}

void HelpWindow::showSearch() {
    m_tabs->setCurrentIndex(1);
    show();
    raise();
    activateWindow();
    m_keyword->setFocus();
    m_keyword->selectAll();
}

}  // namespace korven::mainwindow
