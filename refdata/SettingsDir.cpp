#include "refdata/SettingsDir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tubalon {

QString SettingsDir(const QString& appDir) {
    const QFileInfo own(appDir);
    if (own.isDir() && own.isWritable()) return appDir.endsWith('/') ? appDir : appDir + '/';
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Tubalon";
    QDir().mkpath(dir);
    return dir + '/';
}

QString SaveFolder(const QString& appDir) {
    const QString parent = appDir + QStringLiteral("../");
    const QFileInfo info(parent);
    if (info.isDir() && info.isWritable()) return parent;
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty() || !QFileInfo(docs).isDir()) docs = QDir::homePath();
    return docs + '/';
}

} // namespace tubalon
