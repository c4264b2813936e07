// Hooks the report commands into the main window.
#pragma once

#include "report/ReportCommands.h"
#include "report/ReportWindow.h"

#include <QString>

namespace tubalon::report {

// The commands' view of the window (the paint area must exist: see InstallReportHooks).
ReportContext ContextOf(TReportWindow& w);

// Builds the diagram page (paint area and button) and sets the window's hooks makeReport,
// saveReport, printReport, printStructure, drawStructure and help.
void InstallReportHooks(TReportWindow& w);

// tubalon-calc options: the report text after the assignments, and the diagram as BMP.
QString ReportText(TReportWindow& w);
void WriteDiagram(TReportWindow& w, const QString& path);

} // namespace tubalon::report
