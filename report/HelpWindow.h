// The help window: the user manual (Doc/Manual.html beside the program's folder) in a
// text browser with a bookmarks pane of its headings.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace tubalon::report {

struct Bookmark {
    QString title; // the heading's text as written in the file
    int level = 1;
    QString anchor;
};

// Headings h1..h4 of an HTML text; each gets an anchor inserted into `html`.
QList<Bookmark> ExtractBookmarks(QString& html);

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Loads the manual; raises tubalon::Error when the file cannot be read.
    void Open(const QString& path);
    // Goes to the bookmark of that title (exact, else with blanks trimmed on both sides).
    // Returns false and stays on the current page when there is none.
    bool GoToBookmark(const QString& title);

    const QList<Bookmark>& Bookmarks() const { return bookmarks_; }
    int CurrentBookmark() const { return current_; }
    QTextBrowser* Browser() const { return browser_; }
    QTreeWidget* Tree() const { return tree_; }
    QString Path() const { return path_; }

private:
    void Go(int index);
    QTextBrowser* browser_;
    QTreeWidget* tree_;
    QList<Bookmark> bookmarks_;
    QList<QTreeWidgetItem*> items_;
    QString path_;
    int current_ = -1;
};

// The manual's path for a program folder (with its trailing "/"): ../Doc/Manual.html.
QString ManualPath(const QString& appDir);

// The help command: opens (or reuses) the help window of `owner`, loads the manual and
// goes to the bookmark; a missing bookmark shows "Not Found". Errors are raised.
THelpWindow* ShowHelp(QWidget* owner, const QString& appDir, const QString& title);

} // namespace tubalon::report
