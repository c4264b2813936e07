// Tubalon: one running copy per user, one main window. "tubalon CASE.cdp" opens the case;
// a second start hands its case to the running copy and raises its window.
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/UnitMain.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tubalon");
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
