#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace korven::mainwindow {

// The program's help viewer: the document on the right, a contents tab (the document's
// headings) and a keyword tab with a search field on the left.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Loads an HTML document and the keyword list beside it (same name, suffix ".keywords":
    // one "keyword<TAB>anchor" per line). The text {{settings}} in the document becomes
    // `settingsLocation`. False when the document cannot be read.
    bool load(const QString& file, const QString& settingsLocation);

    void showContents();
    void showSearch();
    // The contents with the section `anchor` shown and selected; the start of the document
    // for an empty or unknown anchor.
    void showTopic(const QString& anchor);

    // The anchor last shown through the contents or the keyword list.
    QString currentAnchor() const { return m_anchor; }

private:
    void buildContents();
    void filterKeywords(const QString& text);
    void goTo(const QString& anchor);
    void openKeyword(QListWidgetItem* item);

    QTabWidget* m_tabs;
    QTreeWidget* m_contents;
    QLineEdit* m_keyword;
    QListWidget* m_keywords;
    QTextBrowser* m_browser;
    struct Keyword {
        QString text;
        QString anchor;
    };
    std::vector<Keyword> m_index;
    QString m_anchor;
};

}  // namespace korven::mainwindow
