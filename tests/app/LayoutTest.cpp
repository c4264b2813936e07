// The main window on a given screen (the offscreen screen of the test's configuration, its
// whole area standing for the available area beside a task bar): it opens inside the area,
// the case page scrolls where the area is small, every field and the status bar can be
// reached, the groups share a wide screen and the lists show names only. Leaves a screenshot
// of the water-water example per screen in TUBALON_SCREENSHOT_DIR.
#include "app/CalcTool.h"
#include "app/MyStatusBar.h"
#include "app/UnitMain.h"
#include "tests/support/ExampleScripts.h"
#include "tests/support/WindowSession.h"
#include "units/ComboBoxU.h"
#include "units/EditD.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

using namespace tubalon;
using tubalon::test::ScriptAssignments;

namespace {

QString ScreenName() {
    const QString n = qEnvironmentVariable("TUBALON_SCREEN_NAME");
    return n.isEmpty() ? QStringLiteral("screen") : n;
}

} // namespace

class LayoutTest : public QObject, WindowSession {
    Q_OBJECT

    QRect available;

    QScrollArea* CaseScroll() const { return qobject_cast<QScrollArea*>(w->TSCalc); }
    // The field's rectangle in the scroll area's viewport.
    QRect InViewport(const QWidget* f) const {
        QWidget* vp = CaseScroll()->viewport();
        return QRect(f->mapTo(vp, QPoint(0, 0)), f->size());
    }
    void ShowPlaced() {
        w->PlaceOnScreen(available);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QApplication::processEvents();
        QWidget* page = CaseScroll()->widget();
        qInfo("window %dx%d%s, case page wants %dx%d, needs %dx%d", w->width(), w->height(),
              w->isMaximized() ? " maximized" : "", page->sizeHint().width(),
              page->sizeHint().height(), page->minimumSizeHint().width(),
              page->minimumSizeHint().height());
    }

private slots:
    void initTestCase() {
        available = QGuiApplication::primaryScreen()->availableGeometry();
        qInfo("%s: available %dx%d logical pixels, device pixel ratio %.2f",
              qPrintable(ScreenName()), available.width(), available.height(),
              QGuiApplication::primaryScreen()->devicePixelRatio());
    }
    void init() { Start(); }
    void cleanup() { Stop(); }

    // Never larger than the area; maximized there when its groups do not fit, else at the
    // size they want (never below 1024 x 768).
    void opensInsideAvailableArea() {
        ShowPlaced();
        QVERIFY2(available.contains(w->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(w->frameGeometry().x())
                                .arg(w->frameGeometry().y())
                                .arg(w->frameGeometry().width())
                                .arg(w->frameGeometry().height())));
        const bool small = qEnvironmentVariable("TUBALON_EXPECT_MAXIMIZED") == "1";
        QCOMPARE(w->isMaximized(), small);
        if (!small) QVERIFY(w->width() >= 1024 && w->height() >= 768);
        QVERIFY(w->minimumSizeHint().width() <= available.width());
        QVERIFY(w->minimumSizeHint().height() <= available.height());
    }

    // Every field and list of the case page comes into view, by the scroll bars and when
    // the keyboard moves the focus there; the status bar is inside the window.
    void everyFieldAndStatusBarReachable() {
        ShowPlaced();
        QScrollArea* scroll = CaseScroll();
        QVERIFY(scroll);
        const QRect viewport = scroll->viewport()->rect();
        for (QWidget* c : w->TabChain()) {
            const QRect r(c->mapTo(scroll->widget(), QPoint(0, 0)), c->size());
            scroll->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 1,
                                  r.height() / 2 + 1);
            QVERIFY2(viewport.contains(InViewport(c)), qPrintable(c->objectName()));
        }
        // The keyboard scrolls the page to the field it moves to.
        for (const char* name : {"TaD", "QaD", "LaD", "WrD"}) {
            scroll->verticalScrollBar()->setValue(0);
            scroll->horizontalScrollBar()->setValue(0);
            w->Field(name)->setFocus();
            QVERIFY2(viewport.contains(InViewport(w->Field(name))), name);
        }
        QVERIFY(w->MyStatusBar1->isVisible());
        QVERIFY(w->rect().contains(w->MyStatusBar1->geometry()));
        QVERIFY(w->MyStatusBar1->ProgressBar()->isVisible());
    }

    // Fields keep a readable width, unit selectors are as wide as their names, and on a
    // wide screen the groups fill the width without stretching fields beyond use.
    void groupsShareTheWidth() {
        ShowPlaced();
        // Where the page has room for what it asks, a field shows the widest usual display
        // form; squeezed, it still shows eight digits.
        QWidget* page = CaseScroll()->widget();
        const bool room = CaseScroll()->viewport()->width() >= page->sizeHint().width();
        for (TEditD* f : w->NumericFields()) {
            QVERIFY2(f->width() >= 56 && f->width() <= 150, qPrintable(f->objectName()));
            QVERIFY2(f->fontMetrics().horizontalAdvance("0.1234567") <= f->width(),
                     qPrintable(f->objectName()));
            if (room)
                QVERIFY2(f->fontMetrics().horizontalAdvance("0.0001234568") <= f->width() - 4,
                         qPrintable(f->objectName()));
        }
        for (QComboBox* c : w->findChildren<QComboBox*>()) {
            if (!c->isVisibleTo(w)) continue;
            QVERIFY2(c->width() >= c->minimumSizeHint().width(), qPrintable(c->objectName()));
        }
        for (const char* g : {"GBShellParams", "GBShellProps", "GBTubeProps", "GBTubeParams"}) {
            auto* box = page->findChild<QWidget*>(g);
            QVERIFY(box);
            // Four columns of groups: each takes a fair share of the page.
            QVERIFY2(box->width() * 5 >= page->width(), g);
        }
        const int right = page->findChild<QWidget*>("GBInner")->geometry().right();
        QVERIFY(page->width() - right < 20);
    }

    // The water-water example: the summary with "总管长" is in view after scrolling to it.
    void screenshotOfFullCase() {
        ShowPlaced();
        const QStringList set = ScriptAssignments(QStringLiteral("water-water"));
        QVERIFY(set.size() > 15);
        QCOMPARE(SetControls(*w, set), QString());
        QVERIFY(!w->Field("LaD")->text().isEmpty());
        w->PCAll->setCurrentWidget(w->TSCalc);
        w->Field("LaD")->setFocus(); // scrolls to the summary where the page is small
        QApplication::processEvents();
        QVERIFY(CaseScroll()->viewport()->rect().contains(InViewport(w->Field("LaD"))));
        QVERIFY(
            CaseScroll()->viewport()->rect().contains(InViewport(w->findChild<QLabel*>("LaL"))));
        const QString dir = qEnvironmentVariable("TUBALON_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        QDir().mkpath(dir);
        const QString file = QDir(dir).filePath(ScreenName() + QStringLiteral(".png"));
        QVERIFY(w->grab().save(file));
        qInfo("screenshot: %s", qPrintable(file));
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
