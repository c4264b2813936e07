// The assignments of an example script (examples/NAME.sh): every "--set NAME=VALUE" outside
// the comments, in order. TUBALON_EXAMPLES_DIR names the folder.
#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace tubalon::test {

inline QStringList ScriptAssignments(const QString& name) {
    QFile f(QStringLiteral(TUBALON_EXAMPLES_DIR "/") + name + QStringLiteral(".sh"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    static const QRegularExpression set(QStringLiteral("--set\\s+([A-Za-z0-9_]+=\\S+)"));
    QStringList out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
        if (line.trimmed().startsWith('#')) continue;
        for (auto it = set.globalMatch(line); it.hasNext();)
            out << it.next().captured(1);
    }
    return out;
}

} // namespace tubalon::test
