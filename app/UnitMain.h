// The main window: the whole exchanger case as a form of fields, its input rules and the
// calculation at every field exit.
#pragma once

#include "calc/Case.h"
#include "casefile/CaseWindow.h"
#include "report/ReportWindow.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTextEdit;
class QToolButton;

namespace tubalon {

class TComboBoxU;
class TEditD;
class TInputGuard;
class TMyStatusBar;
class TPipePage;
class TPipeTable;
class TRadioGroup;
class TRichEdit;

// Services of other modules that the window's handlers call: the case-file and report
// commands (set through the modules' window interfaces) and the start's dialogs. Unset hooks
// do nothing.
struct WindowHooks : CaseFileHooks, report::ReportHooks {
    std::function<void()> showParams;            // "系统设置"
    std::function<void(QToolButton*)> showProps; // SBP1, SBP1v, SBP2, SBP2v
    std::function<void()> pipePage;              // SBDo / SBDi went to the pipe page
};

// The main window, as the case-file commands and the report see it through their
// interfaces (TCaseWindow, TReportWindow) and as the start code and the tool use it.
class TFormTubalon : public QMainWindow, public TCaseWindow, public report::TReportWindow {
    Q_OBJECT
public:
    explicit TFormTubalon(QWidget* parent = nullptr);
    ~TFormTubalon() override;

    // Every control in component order (the order of the case file's records).
    const QList<QWidget*>& Components() const override { return components_; }
    // Controls reached by Enter and the arrow keys, in tab order.
    const QList<QWidget*>& TabChain() const { return tabChain_; }
    QString AppDir() const override { return appDir_; }
    bool Modified() const override { return modified_; }
    void SetModified(bool m) override;
    QString CurrentFile() const override { return currentFile_; }
    void SetCurrentFile(const QString& f) override { currentFile_ = f; }

    // Sizes and places the window for a screen's available area (task bars excluded): the
    // size its groups want, at least 1024 x 768, when that fits with the window frame;
    // otherwise maximized within the area, the case page scrolling.
    void PlaceOnScreen(const QRect& available);

    Case& CaseFields() { return case_; }
    const Case& CaseFields() const { return case_; }
    CalcState& State() { return state_; }
    const CalcState& State() const { return state_; }
    TEditD* Field(const QString& name) const { return fields_.value(name); }
    QList<TEditD*> NumericFields() const override;
    WindowHooks hooks;

    // Controls referred to by other modules.
    TMyStatusBar* MyStatusBar1 = nullptr;
    QTabWidget* PCAll = nullptr;
    QWidget *TSCalc = nullptr, *TSStruct = nullptr, *TSPipes = nullptr, *TSReport = nullptr;
    QWidget* StructArea = nullptr; // the scrolled inside of TSStruct, for the diagram
    QTextEdit* REReport = nullptr;
    QMenu* MFile = nullptr;
    QAction *MFNew = nullptr, *MFOpen = nullptr, *MFSave = nullptr, *MFAs = nullptr,
            *MFTemp = nullptr, *MFExit = nullptr, *MFExitSeparator = nullptr;
    QAction *MUPM = nullptr, *SBRSimple = nullptr, *SBRSave = nullptr, *SBRPrintRep = nullptr,
            *SBRPrintStruct = nullptr, *MHPDF = nullptr, *MAbout = nullptr;
    QToolButton *SBDo = nullptr, *SBDi = nullptr;
    QToolButton* pickTarget = nullptr; // pipe page pick target
    TRichEdit *CmtsD = nullptr, *CmttD = nullptr;
    QLineEdit* EditLHysysName = nullptr;

    // The pipe table, opened when the window is created, and its page; why it could not be
    // opened, empty when it was.
    std::unique_ptr<TPipeTable> pipeTable;
    QString pipeTableProblem;
    TPipePage* pipePage = nullptr;
    // Applies a pipe chosen on the pipe page to the pick target's two diameters.
    void ApplyChosenPipe(double outer, double inner);

    // Last calculation call, for tests and tools.
    int lastPasses = 0;

    // While paused (a case file being applied) nothing runs the calculation; the case applied
    // is not the one the last call left incomplete.
    void SetCalculationPaused(bool paused) override {
        calculationPaused_ = paused;
        if (paused) state_.incomplete.clear();
    }
    // Tells implausible inputs once and holds the calculation while one is refused.
    TInputGuard& InputGuard() { return *inputGuard_; }

    // The rest of the case-file commands' and the report's view (WindowViews.cpp).
    QWidget& Window() override { return *this; }
    QMenu* FileMenu() const override { return MFile; }
    QAction* FileMenuExitSeparator() const override { return MFExitSeparator; }
    void ApplyCaseRules() override;
    void ReviewInputs(const QString& intro) override;
    void Recalculate() override { WrDExit(); }
    void SetCaseFileHooks(const CaseFileHooks& h) override {
        static_cast<CaseFileHooks&>(hooks) = h;
    }
    QTabWidget* Pages() const override { return PCAll; }
    QWidget* StructPage() const override { return TSStruct; }
    QWidget* DiagramArea() const override { return StructArea; }
    QWidget* ReportPage() const override { return TSReport; }
    QTextEdit* ReportBox() const override { return REReport; }
    QString StatusText() const override;
    report::ReportFlow Flow() const override;
    void SetReportHooks(const report::ReportHooks& h) override {
        static_cast<report::ReportHooks&>(hooks) = h;
    }

public slots:
    void WrDExit();
    void Progress();
    void ShapeDClick();
    void LayTypeClick();
    void PhrDChange(QWidget* sender);
    void PhrDClick();
    void CalTypeDClick();
    void CBAutoClick();
    void FlowTypeClick();
    void Tr1DChange();
    void AnyDataChange();
    void dooDExit(QWidget* sender);
    void DspDExit();
    void SBClearClick();
    void SBHPDFClick();
    void MHPDFClick();
    void MAboutClick();
    void MUPMClick();
    void SBP3Click();
    void SBP4Click(QWidget* sender);
    void PCAllChange(int index);
    void CheckMyLabels();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildMenus();
    void BuildToolBar();
    QWidget* BuildCasePage();
    void Register(QWidget* w);
    QWidget* ControlOf(QWidget* focus) const;
    void MoveFocus(QWidget* from, int step);
    void RunGuarded(const std::function<void()>& body);
    void RestoreFocus(QWidget* w);
    // Shows a bad-number message once per edit of the field, then puts the focus back on
    // the field with its text selected.
    void ReportBadNumber(TEditD* field, const QString& message);
    // Tooltips of krD and ktD and the status bar's notice from the film information shown.
    void ShowFlowInfo();

    QList<QWidget*> components_;
    QList<QWidget*> tabChain_;
    QHash<QString, TEditD*> fields_;
    Case case_;
    CalcState state_;
    QString appDir_;
    QString currentFile_;
    bool modified_ = false;
    bool inCalculation_ = false;
    bool restoringFocus_ = false;
    // The field whose bad number was last reported, until its text changes.
    QPointer<TEditD> badField_;
    // The diameter field a pipe chosen on the pipe page went to, until the page is left.
    QPointer<TEditD> chosenPipeField_;
    bool boundHit_ = false; // the last calculation call reached the pass bound
    QString calcNotice_;    // first status panel between status tips
    bool calculationPaused_ = false;
    std::unique_ptr<TInputGuard> inputGuard_;
};

} // namespace tubalon
