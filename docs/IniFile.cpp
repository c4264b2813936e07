#include "docs/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace tubalon {
namespace {
// INI files of the program are small; a larger one is not read.
constexpr qint64 kMaxIniBytes = 1024 * 1024;

QString SectionName(const QString& line) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QChar('[')) || !t.endsWith(QChar(']'))) return QString();
    return t.mid(1, t.size() - 2);
}
} // namespace

TIniFile::TIniFile(const QString& fileName) : fileName_(fileName) {
    QFile f(fileName);
    if (fileName.isEmpty() || !f.open(QIODevice::ReadOnly)) return;
    exists_ = true;
    const QByteArray data = f.read(kMaxIniBytes);
    QStringDecoder dec("GBK");
    QString text = dec.decode(data);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    lines_ = text.split(QChar('\n'));
    if (!lines_.isEmpty() && lines_.last().isEmpty()) lines_.removeLast();
}

qsizetype TIniFile::FindSection(const QString& section, qsizetype* end) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        if (SectionName(lines_[i]).compare(section, Qt::CaseInsensitive) != 0) continue;
        qsizetype j = i + 1;
        while (j < lines_.size() && SectionName(lines_[j]).isEmpty())
            ++j;
        *end = j;
        return i;
    }
    *end = lines_.size();
    return -1;
}

qsizetype TIniFile::FindKey(qsizetype from, qsizetype end, const QString& key) const {
    for (qsizetype i = from; i < end; ++i) {
        const QString& l = lines_[i];
        const qsizetype eq = l.indexOf(QChar('='));
        if (eq > 0 && l.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

bool TIniFile::HasKey(const QString& section, const QString& key) const {
    qsizetype end = 0;
    const qsizetype s = FindSection(section, &end);
    return s >= 0 && FindKey(s + 1, end, key) >= 0;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    qsizetype end = 0;
    const qsizetype s = FindSection(section, &end);
    if (s < 0) return def;
    const qsizetype k = FindKey(s + 1, end, key);
    if (k < 0) return def;
    const QString& l = lines_[k];
    return l.mid(l.indexOf(QChar('=')) + 1).trimmed();
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    QString clean = value;
    clean.replace(QChar('\r'), QChar(' ')).replace(QChar('\n'), QChar(' '));
    const QString line = key + QChar('=') + clean;
    qsizetype end = 0;
    const qsizetype s = FindSection(section, &end);
    if (s < 0) {
        lines_.append(QChar('[') + section + QChar(']'));
        lines_.append(line);
        return;
    }
    const qsizetype k = FindKey(s + 1, end, key);
    if (k >= 0) {
        lines_[k] = line;
        return;
    }
    // After the section's last non-empty line.
    qsizetype at = end;
    while (at > s + 1 && lines_[at - 1].trimmed().isEmpty())
        --at;
    lines_.insert(at, line);
}

bool TIniFile::Save() const {
    QString text;
    for (const QString& l : lines_)
        text += l + QLatin1String("\r\n");
    QStringEncoder enc("GBK");
    const QByteArray bytes = enc.encode(text);
    QSaveFile f(fileName_);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

} // namespace tubalon
