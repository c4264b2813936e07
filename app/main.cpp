// Tubalon: one running copy per user, one main window. "tubalon CASE.cdp" opens the case;
// a second start hands its case to the running copy and raises its window.
// "tubalon --screenshot FILE.png [CASE.cdp]" saves a picture of the window and ends.
#include "app/CalcTool.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/UnitMain.h"

#include <QApplication>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tubalon");
    if (const QStringList args = QApplication::arguments();
        args.size() > 1 && args[1] == QLatin1String("--screenshot")) {
        QTextStream err(stderr);
        return tubalon::RunScreenshot(args.mid(2), err);
    }
    const QString file = tubalon::CaseFileArgument(QApplication::arguments());

    tubalon::TSingleInstance instance(tubalon::TSingleInstance::DefaultDir());
    const tubalon::TSingleInstance::Role role = instance.Start(file);
    for (const QString& note : instance.Notes())
        std::fprintf(stderr, "Tubalon: %s\n", note.toLocal8Bit().constData());
    if (role == tubalon::TSingleInstance::Role::HandedOver) return 0;

    tubalon::Program program;
    program.window->PlaceOnScreen(program.window->screen()->availableGeometry());
    QObject::connect(&instance, &tubalon::TSingleInstance::Requested, program.window.get(),
                     [&program](const QString& f) { program.OpenRequested(f); });
    program.window->show();
    QTimer::singleShot(0, program.window.get(), [&program, file] {
        program.ShowStartupNotes();
        if (!file.isEmpty()) program.OpenRequested(file);
    });
    return app.exec();
}
