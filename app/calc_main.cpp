// tubalon-calc: computes a case from the command line without showing the window.
#include "app/CalcTool.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

// Standard error carries the program's messages only.
static void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", msg.toLocal8Bit().constData());
        std::abort();
    }
}

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietQt);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout), err(stderr);
    return tubalon::RunCalcTool(args, out, err);
}
