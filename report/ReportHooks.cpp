#include "report/ReportHooks.h"

#include "app/MyStatusBar.h"
#include "app/UnitMain.h"
#include "report/StructDiagram.h"

#include <QTabWidget>

namespace tubalon::report {

namespace {
QString StatusOf(TFormTubalon& w) {
    return w.MyStatusBar1 ? w.MyStatusBar1->PanelText(1) : QString();
}
} // namespace

ReportContext ContextOf(TFormTubalon& w) {
    ReportContext c;
    c.window = &w;
    c.pages = w.PCAll;
    c.structPage = w.TSStruct;
    c.reportPage = w.TSReport;
    c.box = w.REReport;
    c.view = w.findChild<TStructureView*>(QStringLiteral("StructDiagram"));
    c.statusText = [&w] { return StatusOf(w); };
    c.currentFile = [&w] { return w.CurrentFile(); };
    c.appDir = w.AppDir();
    return c;
}

void InstallReportHooks(TFormTubalon& w) {
    TFormTubalon* win = &w;
    if (QWidget* area = w.StructArea ? w.StructArea : w.TSStruct;
        area && !w.findChild<TStructureView*>(QStringLiteral("StructDiagram")))
        BuildStructurePage(area, [win] { BDrawStructClick(ContextOf(*win)); });
    w.hooks.makeReport = [win] { SBRSimpleClick(ContextOf(*win)); };
    w.hooks.saveReport = [win] { SBRSaveClick(ContextOf(*win)); };
    w.hooks.printReport = [win] { SBRPrintRepClick(ContextOf(*win)); };
    w.hooks.printStructure = [win] { SBRPrintStructClick(ContextOf(*win)); };
    w.hooks.drawStructure = [win] { BDrawStructClick(ContextOf(*win)); };
    w.hooks.help = [win](const QString& title) { ShowHelpAt(ContextOf(*win), title); };
}

QString ReportText(TFormTubalon& w) {
    return ReportTextOf(w, StatusOf(w), {w.CurrentFile(), {}});
}

void WriteDiagram(TFormTubalon& w, const QString& path) {
    WriteDiagramFile(w, path);
}

} // namespace tubalon::report
