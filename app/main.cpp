// Tubalon: one copy at a time, one main window.
#include "app/Startup.h"
#include "app/UnitMain.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tubalon");
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    // A second copy ends at once; a lock left by a crashed copy is taken over.
    QLockFile lock(QDir(dir).filePath("Tubalon.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) return 0;
    tubalon::Program program;
    program.window->PlaceOnScreen(program.window->screen()->availableGeometry());
    program.window->show();
    return app.exec();
}
