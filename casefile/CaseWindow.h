// What the case-file commands need of the main window. The window implements it; the
// commands know nothing else of it.
#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace tubalon {

class TEditD;

// The document commands the window's menu and tool bar call. Unset ones do nothing.
struct CaseFileHooks {
    std::function<void()> newCase, openCase, saveCase, saveCaseAs, saveTemplate;
    std::function<bool()> closeQuery; // false keeps the window open
};

class TCaseWindow {
public:
    virtual ~TCaseWindow() = default;

    // The window itself: parent of the commands and their dialogs, its title names the case.
    virtual QWidget& Window() = 0;
    // Every control in component order (the order of the case file's records).
    virtual const QList<QWidget*>& Components() const = 0;
    virtual QList<TEditD*> NumericFields() const = 0;
    // Program folder with trailing "/".
    virtual QString AppDir() const = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool m) = 0;
    virtual QString CurrentFile() const = 0;
    virtual void SetCurrentFile(const QString& f) = 0;
    // The file menu and the separator before its exit item (the recent files go there);
    // either may be null.
    virtual QMenu* FileMenu() const = 0;
    virtual QAction* FileMenuExitSeparator() const = 0;
    // While paused (records being applied) nothing runs the calculation.
    virtual void SetCalculationPaused(bool paused) = 0;
    // After records were applied: the phase rules, the shape rule and the progress display.
    virtual void ApplyCaseRules() = 0;
    // Tells the implausible inputs of the case shown, once, in one box headed by intro.
    virtual void ReviewInputs(const QString& intro) = 0;
    // Runs the calculation once, as leaving a field does.
    virtual void Recalculate() = 0;
    // Replaces the window's document commands.
    virtual void SetCaseFileHooks(const CaseFileHooks& hooks) = 0;
};

} // namespace tubalon
