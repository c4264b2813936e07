#include "app/Startup.h"

#include "app/UnitMain.h"
#include "refdata/SettingsDir.h"
#include "refdata/UnitParams.h"
#include "refdata/UnitPickList.h"
#ifdef TUBALON_HAVE_PROPS
#include "props/SimpProps.h"
#endif
#ifdef TUBALON_HAVE_DOCS
#include "docs/DocCommands.h"
#endif
#ifdef TUBALON_HAVE_REPORT
#include "report/ReportHooks.h"
#endif

#include <QCoreApplication>
#include <QLibraryInfo>
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
#ifdef TUBALON_HAVE_PROPS
    props = std::make_unique<TFormSimpPL>(w->AppDir(), w);
    props->SetTargetFields([w](const QString& name) { return w->Field(name); });
    // The dialog starts at the side's mean temperature and pressure; values confirmed into
    // the side are calculated with at once, as leaving a field calculates.
    w->hooks.showProps = [this, w](QToolButton* opener) {
        if (props->Open(opener ? opener->objectName() : QString()) == QDialog::Accepted)
            w->WrDExit();
    };
#endif
    pickList = std::make_unique<TFormPickList>(w);
#ifdef TUBALON_HAVE_DOCS
    // New, open, save, templates, recent files and the close query.
    docs = new TDocCommands(*w);
#endif
#ifdef TUBALON_HAVE_REPORT
    // Report, structure diagram, printing and help.
    report::InstallReportHooks(*w);
#endif
}

Program::~Program() {
#ifdef TUBALON_HAVE_DOCS
    // The commands unhook themselves while the window still exists.
    delete docs;
#endif
}

} // namespace tubalon
