#include "report/ReportHooks.h"

#include "report/StructDiagram.h"

#include <QTabWidget>

namespace tubalon::report {

ReportContext ContextOf(TReportWindow& w) {
    ReportContext c;
    c.window = &w.Window();
    c.pages = w.Pages();
    c.structPage = w.StructPage();
    c.reportPage = w.ReportPage();
    c.box = w.ReportBox();
    c.view = w.Window().findChild<TStructureView*>(QStringLiteral("StructDiagram"));
    c.statusText = [&w] { return w.StatusText(); };
    c.currentFile = [&w] { return w.CurrentFile(); };
    c.flow = [&w] { return w.Flow(); };
    c.appDir = w.AppDir();
    return c;
}

void InstallReportHooks(TReportWindow& w) {
    TReportWindow* win = &w;
    if (QWidget* area = w.DiagramArea() ? w.DiagramArea() : w.StructPage();
        area && !w.Window().findChild<TStructureView*>(QStringLiteral("StructDiagram")))
        BuildStructurePage(area, [win] { BDrawStructClick(ContextOf(*win)); });
    ReportHooks hooks;
    hooks.makeReport = [win] { SBRSimpleClick(ContextOf(*win)); };
    hooks.saveReport = [win] { SBRSaveClick(ContextOf(*win)); };
    hooks.printReport = [win] { SBRPrintRepClick(ContextOf(*win)); };
    hooks.printStructure = [win] { SBRPrintStructClick(ContextOf(*win)); };
    hooks.drawStructure = [win] { BDrawStructClick(ContextOf(*win)); };
    hooks.help = [win](const QString& title) { ShowHelpAt(ContextOf(*win), title); };
    w.SetReportHooks(hooks);
}

QString ReportText(TReportWindow& w) {
    return ReportTextOf(w.Window(), w.StatusText(), {w.CurrentFile(), {}}, w.Flow());
}

void WriteDiagram(TReportWindow& w, const QString& path) {
    WriteDiagramFile(w.Window(), path);
}

} // namespace tubalon::report
