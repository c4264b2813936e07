// What the report, the structure diagram and help need of the main window. The window
// implements it; the report knows nothing else of it.
#pragma once

#include "report/ReportText.h"

#include <QString>
#include <functional>

class QTabWidget;
class QTextEdit;
class QWidget;

namespace tubalon::report {

// The report commands the window's menu, tool bar, pages and help key call. Unset ones do
// nothing.
struct ReportHooks {
    std::function<void()> makeReport, saveReport, printReport, printStructure, drawStructure;
    std::function<void(const QString&)> help; // bookmark title
};

class TReportWindow {
public:
    virtual ~TReportWindow() = default;

    // The window itself: root of the controls the report reads by name, parent of dialogs.
    virtual QWidget& Window() = 0;
    virtual QTabWidget* Pages() const = 0;    // PCAll
    virtual QWidget* StructPage() const = 0;  // "结构示意图"
    virtual QWidget* DiagramArea() const = 0; // its scrolled inside, null when not scrolled
    virtual QWidget* ReportPage() const = 0;  // "简易报表"
    virtual QTextEdit* ReportBox() const = 0; // REReport
    virtual QString StatusText() const = 0;   // the status bar's completeness panel
    virtual QString CurrentFile() const = 0;  // empty when the case has no file
    virtual QString AppDir() const = 0;       // program folder with trailing "/"
    virtual ReportFlow Flow() const = 0;
    // Replaces the window's report commands (empty hooks unhook them).
    virtual void SetReportHooks(const ReportHooks& hooks) = 0;
};

} // namespace tubalon::report
