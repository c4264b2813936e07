#include "report/HelpWindow.h"

#include "units/Errors.h"
#include "units/Messages.h"
#include "units/TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tubalon::report {

namespace {
QString PlainOf(const QString& htmlFragment) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString t = htmlFragment;
    t.remove(tag);
    t.replace(QRegularExpression(QStringLiteral("[\\r\\n]+")), QStringLiteral(" "));
    t.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return t;
}
} // namespace

QList<Bookmark> ExtractBookmarks(QString& html) {
    static const QRegularExpression heading(QStringLiteral("<h([1-4])(\\s[^>]*)?>(.*?)</h\\1\\s*>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    QList<Bookmark> out;
    QString result;
    qsizetype last = 0;
    auto it = heading.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        Bookmark b;
        b.level = m.captured(1).toInt();
        b.title = PlainOf(m.captured(3));
        b.anchor = QStringLiteral("bm%1").arg(out.size());
        out << b;
        const qsizetype innerStart = m.capturedStart(3);
        result += html.mid(last, innerStart - last);
        result += QStringLiteral("<a name=\"%1\"></a>").arg(b.anchor);
        last = innerStart;
    }
    result += html.mid(last);
    html = result;
    return out;
}

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser), tree_(new QTreeWidget) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tubalon 帮助"));
    tree_->setObjectName(QStringLiteral("HelpBookmarks"));
    tree_->setHeaderLabel(QStringLiteral("书签"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* split = new QSplitter(this);
    split->addWidget(tree_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 3);
    split->setSizes({240, 720});
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(split);
    resize(960, 700);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const int i = static_cast<int>(items_.indexOf(item));
        if (i >= 0) Go(i);
    });
}

void THelpWindow::Open(const QString& path) {
    // A regular file of bounded size only: a FIFO there must not freeze the window.
    QString html = QString::fromUtf8(ReadBoundedFile(path, kMaxDataFileBytes));
    bookmarks_ = ExtractBookmarks(html);
    path_ = path;
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->setHtml(html);
    tree_->clear();
    items_.clear();
    QList<QTreeWidgetItem*> parents;
    for (const Bookmark& b : bookmarks_) {
        while (!parents.isEmpty() && parents.size() >= b.level)
            parents.removeLast();
        auto* item =
            parents.isEmpty() ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parents.last());
        item->setText(0, b.title.trimmed());
        items_ << item;
        while (parents.size() < b.level - 1)
            parents << item; // a skipped level nests under this one
        parents << item;
    }
    tree_->expandToDepth(0);
    current_ = -1;
}

bool THelpWindow::GoToBookmark(const QString& title) {
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < bookmarks_.size(); ++i) {
            const bool hit = pass == 0 ? bookmarks_[i].title == title
                                       : bookmarks_[i].title.trimmed() == title.trimmed();
            if (hit) {
                Go(i);
                return true;
            }
        }
    }
    return false;
}

void THelpWindow::Go(int index) {
    current_ = index;
    browser_->scrollToAnchor(bookmarks_[index].anchor);
    tree_->setCurrentItem(items_[index]);
}

QString ManualPath(const QString& appDir) {
    return QDir::cleanPath(appDir + QStringLiteral("../Doc/Manual.html"));
}

THelpWindow* ShowHelp(QWidget* owner, const QString& appDir, const QString& title) {
    THelpWindow* w = owner ? owner->findChild<THelpWindow*>(QStringLiteral("HelpWindow"),
                                                            Qt::FindDirectChildrenOnly)
                           : nullptr;
    if (!w) w = new THelpWindow(owner);
    const QString path = ManualPath(appDir);
    if (w->Path() != path || !QFileInfo::exists(path)) w->Open(path);
    w->show();
    w->raise();
    w->activateWindow();
    if (!w->GoToBookmark(title))
        ShowMessage(owner, MsgKind::Information, QStringLiteral("Tubalon"),
                    QStringLiteral("Not Found"));
    return w;
}

} // namespace tubalon::report
