#include "report/ReportCommands.h"

#include "refdata/SettingsDir.h"
#include "report/HelpWindow.h"
#include "report/ReportOutput.h"
#include "report/ReportText.h"
#include "report/RtfWriter.h"
#include "report/StructDiagram.h"
#include "units/Messages.h"

#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tubalon::report {

namespace {
// Shows a page by program: the page control's change handler does not run.
void ShowPage(QTabWidget* pages, QWidget* page) {
    if (!pages || !page) return;
    const QSignalBlocker block(pages);
    pages->setCurrentWidget(page);
}

struct PageRestorer {
    QTabWidget* pages;
    QWidget* page;
    ~PageRestorer() { ShowPage(pages, page); }
};

void Draw(const ReportContext& ctx) {
    if (ctx.window && ctx.view) DrawStructure(*ctx.window, *ctx.view);
}
} // namespace

TStructureView* BuildStructurePage(QWidget* page, const std::function<void()>& onDraw) {
    auto* lay = qobject_cast<QVBoxLayout*>(page->layout());
    if (!lay) lay = new QVBoxLayout(page);
    auto* view = new TStructureView(page);
    auto* button = new QPushButton(QStringLiteral("结构示意图"), page);
    button->setObjectName(QStringLiteral("BDrawStruct"));
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QPushButton::clicked, page, [onDraw] {
        if (onDraw) onDraw();
    });
    lay->addWidget(view, 0, Qt::AlignLeft | Qt::AlignTop);
    lay->addWidget(button, 0, Qt::AlignLeft);
    lay->addStretch(1);
    return view;
}

bool SBRSimpleClick(const ReportContext& ctx) {
    return GuardHandler(ctx.window, [&] {
        ShowPage(ctx.pages, ctx.reportPage);
        if (!ctx.window || !ctx.box) return;
        FillBox(*ctx.box, BuildReport(*ctx.window, ctx.statusText ? ctx.statusText() : QString(),
                                      {ctx.currentFile ? ctx.currentFile() : QString(), {}},
                                      ctx.flow ? ctx.flow() : ReportFlow()));
    });
}

bool BDrawStructClick(const ReportContext& ctx) {
    return GuardHandler(ctx.window, [&] { Draw(ctx); });
}

std::unique_ptr<QTextDocument> ReportToCarry(const ReportContext& ctx) {
    QImage diagram;
    try {
        Draw(ctx);
        if (ctx.view && !IsBlank(ctx.view->Image())) diagram = ctx.view->Image();
    } catch (const std::exception&) {
        // A diagram that cannot be drawn leaves the report without one.
    }
    return WithDiagram(*ctx.box->document(), diagram);
}

void WriteReportFiles(const ReportContext& ctx, const QString& path) {
    const PageRestorer restore{ctx.pages, ctx.pages ? ctx.pages->currentWidget() : nullptr};
    ShowPage(ctx.pages, ctx.structPage);
    SaveRtf(*ReportToCarry(ctx), path);
    Draw(ctx);
    if (ctx.view) SaveBitmap(ctx.view->Image(), BitmapPathFor(path));
}

bool SBRSaveClick(const ReportContext& ctx) {
    return GuardHandler(ctx.window, [&] {
        if (!ctx.box) return;
        const QString proposed =
            ProposedReportName(ctx.currentFile ? ctx.currentFile() : QString());
        const QString path = RunSaveDialog(ctx.window, proposed, SaveFolder(ctx.appDir));
        if (path.isEmpty()) return;
        WriteReportFiles(ctx, path);
    });
}

bool SBRPrintRepClick(const ReportContext& ctx) {
    return GuardHandler(ctx.window, [&] {
        if (!ctx.box) return;
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setDocName(QStringLiteral("计算报表"));
        if (!RunPrintDialog(ctx.window, printer)) return;
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setDocName(QStringLiteral("计算报表"));
        PrintDocument(printer, *ReportToCarry(ctx));
    });
}

bool SBRPrintStructClick(const ReportContext& ctx) {
    return GuardHandler(ctx.window, [&] {
        if (!ctx.view) return;
        Draw(ctx);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setDocName(QStringLiteral("结构示意图"));
        if (!RunPrintDialog(ctx.window, printer)) return;
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setDocName(QStringLiteral("结构示意图"));
        PrintImage(printer, ctx.view->Image());
    });
}

bool ShowHelpAt(const ReportContext& ctx, const QString& bookmarkTitle) {
    return GuardHandler(ctx.window, [&] { ShowHelp(ctx.window, ctx.appDir, bookmarkTitle); });
}

} // namespace tubalon::report

namespace tubalon::report {

QString ReportTextOf(const QWidget& window, const QString& statusText, const ReportHead& head,
                     const ReportFlow& flow) {
    return PlainText(BuildReport(window, statusText, head, flow));
}

void WriteDiagramFile(const QWidget& window, const QString& path) {
    TStructureView view;
    DrawStructure(window, view);
    SaveBitmap(view.Image(), path);
}

} // namespace tubalon::report
