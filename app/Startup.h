// Program start shared by the program and the headless tool.
#pragma once

#include <QStringList>
#include <memory>

namespace tubalon {

class TDocCommands;
class TFormTubalon;
class TFormParams;
class TFormPickList;
class TFormSimpPL;

// Loads Qt's own Chinese texts (qtbase_zh_CN from the system's Qt translations) so that
// standard dialogs and buttons speak Chinese. Once per process; false when not found.
bool InstallQtTranslations();

// The main window and the dialogs created at start, in start order, with every module's
// handlers hooked into the window. Installs Qt's translations first.
struct Program {
    std::unique_ptr<TFormTubalon> window;
    std::unique_ptr<TFormParams> params;
    std::unique_ptr<TFormSimpPL> props;
    std::unique_ptr<TFormPickList> pickList;
    TDocCommands* docs = nullptr; // child of the window
    Program();
    ~Program();

    // What could not be used at start (settings, the recent-files list, the pipe table), one
    // message each, naming the file.
    QStringList StartupNotes() const;
    // Shows them in one message box, when there are any.
    void ShowStartupNotes();
    // Another start asked for this window: raises it, then opens file (when not empty) as the
    // Open command does, once no dialog is open.
    void OpenRequested(const QString& file);

private:
    void OpenWhenNoDialog(const QString& file);
};

} // namespace tubalon
