// The report commands of the main window: build the report, draw the structure diagram,
// save the pair of files, print, and help. They work on the window's controls by name.
#pragma once

#include "report/ReportText.h"

#include <QString>
#include <functional>
#include <memory>

class QTabWidget;
class QTextEdit;
class QWidget;

namespace tubalon::report {

class TStructureView;

// What the commands need of the main window.
struct ReportContext {
    QWidget* window = nullptr;            // root of the controls (findChild by name)
    QTabWidget* pages = nullptr;          // PCAll
    QWidget* structPage = nullptr;        // "结构示意图"
    QWidget* reportPage = nullptr;        // "简易报表"
    QTextEdit* box = nullptr;             // REReport
    TStructureView* view = nullptr;       // StructDiagram
    std::function<QString()> statusText;  // second status panel
    std::function<QString()> currentFile; // CurrentFile
    std::function<ReportFlow()> flow;     // film information and warnings shown
    QString appDir;                       // program folder with trailing "/"
};

// Puts the paint area "StructDiagram" and the button "结构示意图" (BDrawStruct) on the
// page, the button wired to BDrawStructClick(ctx). Returns the paint area.
TStructureView* BuildStructurePage(QWidget* page, const std::function<void()>& onDraw);

// Each command shows an exception that leaves it as a message and returns false then.
bool SBRSimpleClick(const ReportContext& ctx);      // build the report in the box
bool BDrawStructClick(const ReportContext& ctx);    // draw the diagram
bool SBRSaveClick(const ReportContext& ctx);        // .doc (RTF) and .bmp beside the case
bool SBRPrintRepClick(const ReportContext& ctx);    // print the box's text
bool SBRPrintStructClick(const ReportContext& ctx); // print the diagram
bool ShowHelpAt(const ReportContext& ctx, const QString& bookmarkTitle);

// Building blocks of the commands, raising on failure.
// The report as saved and printed: the box's text, then the structure diagram drawn now
// (left out when it cannot be drawn).
std::unique_ptr<QTextDocument> ReportToCarry(const ReportContext& ctx);
void WriteReportFiles(const ReportContext& ctx, const QString& path);

} // namespace tubalon::report

namespace tubalon::report {

// tubalon-calc --report: the report text of the window, one line per row.
QString ReportTextOf(const QWidget& window, const QString& statusText, const ReportHead& head = {},
                     const ReportFlow& flow = {});
// tubalon-calc --diagram FILE.bmp: draws the diagram of the window and writes it as BMP.
// Raises on a bad pass count or diameter and on a file that cannot be written.
void WriteDiagramFile(const QWidget& window, const QString& path);

} // namespace tubalon::report
