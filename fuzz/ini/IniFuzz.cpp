// Any bytes as an INI file: read it, write the keys the program uses, save it and read it
// back. A written key reads back as written, each write changes one place of the file (the
// key's line, or a new line, or a new section at the end), and what is saved reads back as
// the lines held. A file the reader refuses (not text) is read as empty.
#include "refdata/IniFile.h"
#include "units/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace tubalon;

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// Lines changed by one write: at most one line replaced, at most three inserted.
void CheckOnePlace(const QStringList& before, const QStringList& after) {
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const qsizetype removed = before.size() - head - tail;
    const qsizetype added = after.size() - head - tail;
    if (removed > 1 || added > 3 || added < removed) Fail("a write changed other lines");
}

// The keys written by the parameter store and the recent-files list.
const std::vector<std::pair<QString, QString>>& Keys() {
    static const std::vector<std::pair<QString, QString>> keys = {
        {QStringLiteral("Fittings"), QStringLiteral("套管进口")},
        {QStringLiteral("Fittings"), QStringLiteral("中心管U弯头R/d:1.5")},
        {QStringLiteral("Fittings"), QStringLiteral("外管气体速度/m/S")},
        {QStringLiteral("Fittings"), QStringLiteral("------阻力系数------")},
        {QStringLiteral("MRU List"), QStringLiteral("1")},
        {QStringLiteral("MRU List"), QStringLiteral("2")},
    };
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path =
        QDir::tempPath() +
        QStringLiteral("/tubalon-ini-fuzz-%1.ini").arg(QCoreApplication::applicationPid());
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) Fail("cannot write the input file");
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    TIniFile ini(path);
    for (const auto& [section, key] : Keys())
        (void)ini.ReadString(section, key, QStringLiteral("-"));

    int n = 0;
    for (const auto& [section, key] : Keys()) {
        const QString value = QStringLiteral("v%1=/x:y").arg(++n);
        const QStringList before = ini.lines();
        ini.WriteString(section, key, value);
        CheckOnePlace(before, ini.lines());
        if (ini.ReadString(section, key, QString()) != value)
            Fail("a written key reads back otherwise");
    }
    n = 0;
    for (const auto& [section, key] : Keys())
        if (ini.ReadString(section, key, QString()) != QStringLiteral("v%1=/x:y").arg(++n))
            Fail("a later write changed an earlier one");

    try {
        ini.Flush();
    } catch (const Error&) {
        Fail("saving failed on a writable file");
    }
    // Saved in GBK, or in UTF-8 when GBK cannot hold a character: read back exactly.
    const TIniFile back(path);
    if (!back.LoadError().isEmpty() || back.lines() != ini.lines())
        Fail("the saved file reads back otherwise");
    QFile::remove(path);
    return 0;
}
