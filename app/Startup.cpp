#include "app/Startup.h"

#include "app/UnitMain.h"
#include "casefile/DocCommands.h"
#include "casefile/MruUnit.h"
#include "props/SimpProps.h"
#include "refdata/SettingsDir.h"
#include "refdata/UnitParams.h"
#include "refdata/UnitPickList.h"
#include "report/ReportHooks.h"

#include "units/Messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

namespace tubalon {

bool InstallQtTranslations() {
    static const bool installed = [] {
        auto* qt = new QTranslator(QCoreApplication::instance());
        if (!qt->load(QStringLiteral("qtbase_zh_CN"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            delete qt;
            return false;
        }
        return QCoreApplication::installTranslator(qt);
    }();
    return installed;
}

Program::Program() {
    InstallQtTranslations();
    window = std::make_unique<TFormTubalon>();
    TFormTubalon* w = window.get();
    // Dialogs created at start, in this order: parameters, property library, pick list.
    // "Params.ini" lies beside the program, or in the user's settings folder when the
    // program's own folder cannot be written.
    params = std::make_unique<TFormParams>(SettingsDir(w->AppDir()), w);
    w->CaseFields().params = &params->params();
    w->hooks.showParams = [this] { params->exec(); };
    props = std::make_unique<TFormSimpPL>(w->AppDir(), w);
    props->SetTargetFields([w](const QString& name) { return w->Field(name); });
    // The dialog starts at the side's mean temperature and pressure; values confirmed into
    // the side are calculated with at once, as leaving a field calculates.
    w->hooks.showProps = [this, w](QToolButton* opener) {
        if (props->Open(opener ? opener->objectName() : QString()) == QDialog::Accepted)
            w->WrDExit();
    };
    pickList = std::make_unique<TFormPickList>(w);
    // New, open, save, templates, recent files and the close query.
    docs = new TDocCommands(*w);
    // Report, structure diagram, printing and help.
    report::InstallReportHooks(*w);
}

QStringList Program::StartupNotes() const {
    QStringList notes = params->Problems();
    // The tool keeps no recent-files list.
    if (!HeadlessMessages() && !docs->MRF()->LoadProblem().isEmpty())
        notes << docs->MRF()->LoadProblem();
    if (!window->pipeTableProblem.isEmpty())
        notes << window->pipeTableProblem + QStringLiteral("。没有管道系列表，不能自动选择管径。");
    return notes;
}

void Program::ShowStartupNotes() {
    const QStringList notes = StartupNotes();
    if (!notes.isEmpty())
        ShowMessage(window.get(), MsgKind::Warning, QStringLiteral("Tubalon"),
                    notes.join(QStringLiteral("\n\n")));
}

void Program::OpenRequested(const QString& file) {
    TFormTubalon* w = window.get();
    w->show();
    w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    w->raise();
    w->activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
    if (!file.isEmpty()) OpenWhenNoDialog(file);
}

void Program::OpenWhenNoDialog(const QString& file) {
    // A dialog in progress is finished first; the file waits for it.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(300, window.get(), [this, file] { OpenWhenNoDialog(file); });
        return;
    }
    docs->OpenFile(file);
}

Program::~Program() {
    // The commands unhook themselves while the window still exists.
    delete docs;
}

} // namespace tubalon
