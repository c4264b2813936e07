// The document commands of the main window: new (from a template), open, save, save as,
// save as template, exit and the close query, with the recent-files list in the file menu.
#pragma once

#include "casefile/CaseWindow.h"

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

namespace tubalon {

class TMostRecentFiles;
class TStagedRecords;

// One of the window's file dialogs. fileName is the name it shows, kept between showings.
struct FileDialogSetup {
    bool save = false;
    QString title;
    QString filter; // in the form "数据文件(*.cdp);;模板文件(*.dpt)"
    QString defaultExt;
    QString initialDir;
    QString fileName;
};

// Shows a file dialog; returns the chosen path or an empty string when cancelled.
using FileDialogFunc = std::function<QString(QWidget* parent, const FileDialogSetup& dialog)>;
// Asks whether to save unsaved changes: Yes, No or Cancel.
using AskSaveFunc = std::function<QMessageBox::StandardButton(QWidget* parent)>;

// The standard dialogs: QFileDialog with its title, filter, folder and default
// extension; a read-only file, a missing file (open) or a missing folder (save) is refused
// with a message and the dialog shown again.
QString StandardFileDialog(QWidget* parent, const FileDialogSetup& dialog);
// "数据没有保存，保存吗？" in a warning box titled "警告：" with Yes, No and Cancel.
QMessageBox::StandardButton StandardAskSave(QWidget* parent);

// Records excluded from every case file.
QStringList CaseExcludedNames();
// Writes the case (all controls except the report text, without captions). Raises
// tubalon::Error when the file cannot be written (also when it is read-only, or when a
// note holds a character GBK cannot hold); the old file then stays as it was.
void WriteCaseFile(TCaseWindow& w, const QString& file);

// A case file read and checked whole, before anything of the window changes.
struct CaseFileCheck {
    std::shared_ptr<const TStagedRecords> staged; // null when the file cannot be opened
    QString problem; // why not, naming the file ("项目文件已损坏：…", "…不是项目文件…")
};
CaseFileCheck CheckCaseFile(TCaseWindow& w, const QString& file);
// Puts a checked case into the window (no calculation runs meanwhile), then re-applies the
// phase rules (PhrD, PhtD), the shape rule and the progress display.
void ApplyCaseFile(TCaseWindow& w, const TStagedRecords& staged);
// Asks whether to read a case file saved in UTF-8 by another editor (it is saved back in
// GBK). True to read it.
bool AcceptUtf8Case(QWidget* parent, const QString& file);
// Checks, then applies the case: false when the file is missing or not a case file (no field
// changed then); a damaged file raises tubalon::Error and changes nothing either.
bool ReadCaseFile(TCaseWindow& w, const QString& file);

class TDocCommands : public QObject {
    Q_OBJECT
public:
    // Child of the window. Puts the recent-files list into the file menu before the exit
    // separator, loads it, and hooks the commands into the window (new, open, save, save as,
    // template, close query); once the commands are deleted the hooks do nothing.
    explicit TDocCommands(TCaseWindow& window);
    ~TDocCommands() override;

    // The handlers. Each shows its own errors and returns true when it completed.
    bool MFNewClick();
    bool MFOpenClick();
    bool MFSaveClick();
    bool MFAsClick();
    bool MFTempClick();
    // Asks to save, then closes the window.
    bool MFExitClick();
    // False keeps the window open (the user cancelled, or the save failed).
    bool FormCloseQuery();
    // A recent file was picked.
    bool MRFMenuClick(const QString& path);
    // A file named on the command line or handed over by a second start: asks to save the
    // case shown, then opens it as Open does.
    bool OpenFile(const QString& path);

    // Before New, Open, a recent file and Exit: when the case is modified, asks to save.
    // False stops the command: Cancel, a cancelled save dialog or a failed save. When the
    // user answered No and the command then replaces nothing (a dialog cancelled, a file
    // refused), the case stays marked modified.
    bool BeforeNOSA();
    // After a file was named, opened or saved: recent list (when add), caption, flag.
    void AfterNOSA(bool add);

    TMostRecentFiles* MRF() const { return mrf_; }

    FileDialogSetup OpenDialogData, SaveDialogData, OpenDialogTemp, SaveDialogTemp;
    // Replaceable so that tests and tools never block on a dialog.
    FileDialogFunc fileDialog = StandardFileDialog;
    AskSaveFunc askSave = StandardAskSave;

private:
    // Shows a dialog; a chosen name without extension gets the default one.
    QString Ask(FileDialogSetup& dialog);
    bool Guard(const std::function<void()>& body);
    // Opens a case file whole or not at all; shows why not. True when opened.
    bool OpenPath(const QString& path);
    // The checked case file or template, or null when it cannot be used (told why in a box
    // titled title) or is UTF-8 and the user does not take it.
    std::shared_ptr<const TStagedRecords> CheckedFile(const QString& path, const QString& title);
    // After a command that replaced nothing: a case the user chose not to save stays unsaved.
    bool KeepUnsaved();

    TCaseWindow& w_;
    TMostRecentFiles* mrf_ = nullptr;
    bool discarded_ = false; // BeforeNOSA answered No to unsaved changes
};

// The installed commands of a window, or nullptr.
TDocCommands* DocCommandsOf(const QObject& window);

// tubalon-calc CASE.cdp: opens the case as the Open command does (without prompt or
// dialog), then, when recalculate, runs the calculation once as leaving a field does.
// Returns an error text, empty on success.
QString OpenCaseForTool(TCaseWindow& w, const QString& file, bool recalculate);
// tubalon-calc --save FILE: saves as the Save command does. Returns an error text.
QString SaveCaseForTool(TCaseWindow& w, const QString& file);

} // namespace tubalon
