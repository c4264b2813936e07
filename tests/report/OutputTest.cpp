// Saving the report pair, printing to PDF, and the help window.
#include "MockWindow.h"
#include "refdata/SettingsDir.h"
#include "report/HelpWindow.h"
#include "report/ReportCommands.h"
#include "report/ReportOutput.h"
#include "report/StructDiagram.h"
#include "units/Messages.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTreeWidget>

using namespace tubalon::report;
using mock::U;

namespace {

// The mock window with its page control, report box and paint area.
struct Form : mock::Window {
    QTabWidget* pages = new QTabWidget(&root);
    QWidget* calc = new QWidget;
    QWidget* structPage = new QWidget;
    QWidget* pipes = new QWidget;
    QWidget* reportPage = new QWidget;
    QTextEdit* box = new QTextEdit(reportPage);
    TStructureView* view = nullptr;
    QString current;
    int pageChanges = 0;

    Form() {
        pages->addTab(calc, U("计算界面"));
        pages->addTab(structPage, U("结构示意图"));
        pages->addTab(pipes, U("管道系列"));
        pages->addTab(reportPage, U("简易报表"));
        view = BuildStructurePage(structPage, [this] { BDrawStructClick(Context()); });
        QObject::connect(pages, &QTabWidget::currentChanged, [this] { ++pageChanges; });
        F("mD")->setText("3");
        F("dooD")->setText("0.057");
        F("WrD")->setText("1.25");
    }
    ReportContext Context() {
        ReportContext c;
        c.window = &root;
        c.pages = pages;
        c.structPage = structPage;
        c.reportPage = reportPage;
        c.box = box;
        c.view = view;
        c.statusText = [] { return U("进度：55.00%"); };
        c.currentFile = [this] { return current; };
        c.appDir = QStringLiteral("/opt/tubalon/bin/");
        return c;
    }
};

QString PdfText(const QString& pdf, int page = 0) {
    QProcess p;
    QStringList args;
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << "-layout" << pdf << "-";
    p.start("pdftotext", args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
int PdfPages(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(60000);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    QRegularExpression re("Pages:\\s+(\\d+)");
    return re.match(info).captured(1).toInt();
}
QString PdfTitle(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(60000);
    QRegularExpression re("Title:\\s+(\\S.*)\\n");
    return re.match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).trimmed();
}

} // namespace

class OutputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { tubalon::SetHeadlessMessages(true); }
    void cleanup() {
        SetSaveDialog({});
        SetPrintDialog({});
    }

    void proposedNames_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("doc");
        QTest::addColumn<QString>("bmp");
        QTest::newRow("case file") << "D:\\cases\\pump.cdp"
                                   << "D:\\cases\\pump.doc"
                                   << "D:\\cases\\pump.bmp";
        QTest::newRow("no case yet") << ""
                                     << ".doc"
                                     << ".bmp";
        QTest::newRow("dot in a folder") << "/home/a.b/case"
                                         << "/home/a.b/case.doc"
                                         << "/home/a.b/case.bmp";
        QTest::newRow("two dots") << "/x/pump.v2.cdp"
                                  << "/x/pump.v2.doc"
                                  << "/x/pump.v2.bmp";
    }
    void proposedNames() {
        QFETCH(QString, current);
        QFETCH(QString, doc);
        QFETCH(QString, bmp);
        QCOMPARE(ProposedReportName(current), doc);
        QCOMPARE(BitmapPathFor(doc), bmp);
    }

    void reportShowsItsPageAndReplacesTheText() {
        Form f;
        f.pages->setCurrentWidget(f.calc);
        QVERIFY(SBRSimpleClick(f.Context()));
        QVERIFY(SBRSimpleClick(f.Context()));
        QCOMPARE(f.pages->currentWidget(), f.reportPage);
        QCOMPARE(f.box->toPlainText().count(U("Tubalon 计算报告")), 1);
        QVERIFY(f.box->toPlainText().contains(U("进度：55.00%")));
    }

    void saveWritesThePairAndReturnsToThePage() {
        Form f;
        QTemporaryDir dir;
        f.current = dir.filePath("pump.cdp");
        SBRSimpleClick(f.Context());
        QString proposed, folder;
        SetSaveDialog([&](QWidget*, const QString& p, const QString& d) {
            proposed = p;
            folder = d;
            return p;
        });
        const int before = f.pageChanges;
        QVERIFY(SBRSaveClick(f.Context()));
        QCOMPARE(proposed, dir.filePath("pump.doc"));
        // The program's folder above is not there to take files: the documents folder is.
        QCOMPARE(folder, tubalon::SaveFolder(QStringLiteral("/opt/tubalon/bin/")));
        QVERIFY(folder != QStringLiteral("/opt/tubalon/bin/../"));
        QCOMPARE(f.pages->currentWidget(), f.reportPage);
        QCOMPARE(f.pageChanges, before); // the page control's change handler does not run
        QFile doc(dir.filePath("pump.doc"));
        QVERIFY(doc.open(QIODevice::ReadOnly));
        QVERIFY(doc.readAll().startsWith("{\\rtf1"));
        QImage bmp(dir.filePath("pump.bmp"), "BMP");
        QCOMPARE(bmp.size(), QSize(409, 409));
        QCOMPARE(bmp.convertToFormat(QImage::Format_RGB32), f.view->Image());
        // The bitmap is replaced without asking.
        f.F("mD")->setText("1");
        QVERIFY(SBRSaveClick(f.Context()));
        QImage again(dir.filePath("pump.bmp"), "BMP");
        QCOMPARE(again.convertToFormat(QImage::Format_RGB32), f.view->Image());
        QVERIFY(again != bmp);
    }

    void cancelWritesNothing() {
        Form f;
        QTemporaryDir dir;
        f.current = dir.filePath("pump.cdp");
        SetSaveDialog([](QWidget*, const QString&, const QString&) { return QString(); });
        QVERIFY(SBRSaveClick(f.Context()));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void unwritableReportWritesNoBitmap() {
        Form f;
        QTemporaryDir dir;
        const QString path = dir.filePath("missing/pump.doc");
        SetSaveDialog([&](QWidget*, const QString&, const QString&) { return path; });
        const int shown = tubalon::MessagesShown();
        QVERIFY(!SBRSaveClick(f.Context()));
        QCOMPARE(tubalon::MessagesShown(), shown + 1);
        QVERIFY(!QFile::exists(dir.filePath("missing/pump.bmp")));
    }

    void diagramButtonAndErrors() {
        Form f;
        auto* button = f.root.findChild<QPushButton*>("BDrawStruct");
        QVERIFY(button);
        QCOMPARE(button->text(), U("结构示意图"));
        QCOMPARE(f.view->size(), QSize(409, 409));
        QCOMPARE(f.view->objectName(), QStringLiteral("StructDiagram"));
        button->click();
        QImage expected;
        DrawDiagram(expected, Shape::Straight, 3, 0.057);
        QCOMPARE(f.view->Image(), expected);
        // Helical shape.
        f.Get<QComboBox>("ShapeD")->setCurrentIndex(1);
        button->click();
        DrawDiagram(expected, Shape::Helical, 3, 0.057);
        QCOMPARE(f.view->Image(), expected);
        // An empty field leaves the area blank without a message.
        const int shown = tubalon::MessagesShown();
        f.F("dooD")->clear();
        button->click();
        QCOMPARE(tubalon::MessagesShown(), shown);
        QImage white(409, 409, QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(f.view->Image(), white);
        // A diameter of zero divides by zero: the message is shown, nothing is drawn.
        f.F("dooD")->setText("0");
        QVERIFY(!BDrawStructClick(f.Context()));
        QCOMPARE(tubalon::MessagesShown(), shown + 1);
        QCOMPARE(f.view->Image(), white);
        f.F("dooD")->setText("abc");
        QVERIFY(!BDrawStructClick(f.Context()));
    }

    void printReportToPdf() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("poppler-utils missing");
        Form f;
        SBRSimpleClick(f.Context());
        // Long enough for three pages.
        QTextCursor c(f.box->document());
        c.movePosition(QTextCursor::End);
        for (int i = 0; i < 120; ++i)
            c.insertText(QStringLiteral("\n        line %1").arg(i));
        QTemporaryDir dir;
        const QString pdf = dir.filePath("rep.pdf");
        QString job;
        SetPrintDialog([&](QWidget*, QPrinter& p) {
            job = p.docName();
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            p.setPageSize(QPageSize(QPageSize::A4));
            return true;
        });
        QVERIFY(SBRPrintRepClick(f.Context()));
        QCOMPARE(job, U("计算报表"));
        QCOMPARE(PdfTitle(pdf), U("计算报表"));
        QVERIFY(PdfPages(pdf) >= 3);
        const QString first = PdfText(pdf, 1);
        QVERIFY2(first.contains(U("Tubalon 计算报告")), qPrintable(first));
        QVERIFY(first.contains(U("质量流量")));
        QVERIFY(first.contains("1.2500"));
        const QString all = PdfText(pdf);
        QVERIFY(all.contains("line 0"));
        QVERIFY(all.contains("line 119"));
        // Every line once: the pages do not repeat or drop lines at their edges.
        for (int i = 0; i < 120; ++i)
            QCOMPARE(all.count(QRegularExpression(QStringLiteral("\\bline %1\\b").arg(i))), 1);
    }

    void pageRectangleMargins() {
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        const QRect r = ReportPageRect(p);
        const int dpi = p.resolution();
        QCOMPARE(r.left(), dpi);
        QCOMPARE(r.top(), Nearest(0.7 * dpi));
        const QRect paper = p.paperRect(QPrinter::DevicePixel).toRect();
        QCOMPARE(r.left() + r.width(), paper.width() - dpi);
        QCOMPARE(r.top() + r.height(), paper.height() - Nearest(0.7 * dpi));
        // With an unprintable border the rectangle moves by the printer's offsets.
        p.setPageMargins(QMarginsF(10, 5, 10, 5), QPageLayout::Millimeter);
        const QRect page = p.pageRect(QPrinter::DevicePixel).toRect();
        const QRect r2 = ReportPageRect(p);
        QCOMPARE(r2.left(), dpi - (page.left() - paper.left()));
        QCOMPARE(r2.top(), Nearest(0.7 * dpi) - (page.top() - paper.top()));
    }

    void emptyReportStillPrintsAJob() {
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) QSKIP("poppler-utils missing");
        Form f;
        QTemporaryDir dir;
        const QString pdf = dir.filePath("empty.pdf");
        SetPrintDialog([&](QWidget*, QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        });
        QVERIFY(SBRPrintRepClick(f.Context()));
        QCOMPARE(PdfPages(pdf), 1);
        QCOMPARE(PdfTitle(pdf), U("计算报表"));
    }

    void cancelledPrintSendsNothing() {
        Form f;
        QTemporaryDir dir;
        SetPrintDialog([&](QWidget*, QPrinter& p) {
            p.setOutputFileName(dir.filePath("x.pdf"));
            return false;
        });
        QVERIFY(SBRPrintRepClick(f.Context()));
        QVERIFY(!QFile::exists(dir.filePath("x.pdf")));
    }

    void printDiagramOnItsOwnPage() {
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) QSKIP("poppler-utils missing");
        Form f;
        QTemporaryDir dir;
        const QString pdf = dir.filePath("struct.pdf");
        SetPrintDialog([&](QWidget*, QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        });
        QVERIFY(SBRPrintStructClick(f.Context()));
        QCOMPARE(PdfPages(pdf), 1);
        // Drawn before printing, as the button would.
        QImage expected;
        DrawDiagram(expected, Shape::Straight, 3, 0.057);
        QCOMPARE(f.view->Image(), expected);
    }

    void helpWindow() {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("bin");
        QDir(dir.path()).mkpath("Doc");
        QFile m(dir.filePath("Doc/Manual.html"));
        QVERIFY(m.open(QIODevice::WriteOnly));
        QByteArray html = "<html><body><h1>" + U("第一章 系统安装 ").toUtf8() + "</h1>";
        for (int i = 0; i < 60; ++i)
            html += "<p>text " + QByteArray::number(i) + "</p>";
        html += "<h2>" + U("质量流量 ").toUtf8() + "</h2>";
        for (int i = 0; i < 60; ++i)
            html += "<p>more " + QByteArray::number(i) + "</p>";
        html += "<h3 class=\"x\">" + U("密度").toUtf8() +
                " &amp; <b>X</b></h3><p>end</p></body></html>";
        m.write(html);
        m.close();
        QWidget owner;
        const QString appDir = dir.filePath("bin") + "/";
        QCOMPARE(ManualPath(appDir), dir.filePath("Doc/Manual.html"));

        const int shown = tubalon::MessagesShown();
        THelpWindow* w = ShowHelp(&owner, appDir, U("第一章 系统安装 "));
        QCOMPARE(tubalon::MessagesShown(), shown);
        QCOMPARE(w->windowTitle(), U("Tubalon 帮助"));
        QCOMPARE(w->Bookmarks().size(), 3);
        QCOMPARE(w->Bookmarks()[1].title, U("质量流量 "));
        QCOMPARE(w->Bookmarks()[2].title, U("密度 & X"));
        QCOMPARE(w->Bookmarks()[2].level, 3);
        QCOMPARE(w->CurrentBookmark(), 0);
        QCOMPARE(w->Tree()->topLevelItemCount(), 1);

        THelpWindow* again = ShowHelp(&owner, appDir, U("质量流量 "));
        QCOMPARE(again, w);
        QCOMPARE(w->CurrentBookmark(), 1);
        QVERIFY(w->Browser()->verticalScrollBar()->value() > 0);
        QCOMPARE(w->Tree()->currentItem()->text(0), U("质量流量"));

        const int at = w->Browser()->verticalScrollBar()->value();
        ShowHelp(&owner, appDir, U("没有这个 "));
        QCOMPARE(tubalon::MessagesShown(), shown + 1);
        QCOMPARE(w->CurrentBookmark(), 1);
        QCOMPARE(w->Browser()->verticalScrollBar()->value(), at);

        // A missing manual is an error of its own.
        ReportContext c;
        c.window = &owner;
        c.appDir = dir.filePath("nowhere/bin/");
        QVERIFY(!ShowHelpAt(c, U("质量流量 ")));
    }
};

QTEST_MAIN(OutputTest)
#include "OutputTest.moc"
