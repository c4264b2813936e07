#include "refdata/IniFile.h"

#include "units/Errors.h"
#include "units/TextFiles.h"

#include <QDir>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace tubalon {

namespace {

bool IsSectionLine(const QString& trimmed) {
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

QString SectionName(const QString& trimmed) {
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString TIniFile::DecodeGbk(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    if (!decoder.isValid()) return QString::fromLocal8Bit(bytes);
    return decoder.decode(bytes);
}

QByteArray TIniFile::EncodeGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    if (!encoder.isValid()) return text.toLocal8Bit();
    return encoder.encode(text);
}

TIniFile::TIniFile(const QString& path) : path_(path) {
    if (path.isEmpty() || StateOfFile(path, kMaxTextFileBytes) == FileState::Missing) return;
    QByteArray data;
    try {
        data = ReadBoundedFile(path, kMaxTextFileBytes);
    } catch (const Error& e) {
        loadError_ = e.message();
        return;
    }
    const QString name = QDir::toNativeSeparators(path);
    if (const qsizetype at = FirstControlByte(data); at >= 0) {
        loadError_ = QStringLiteral("文件“%1”第%2行含有控制字符，不是文本文件。")
                         .arg(name)
                         .arg(LineOfOffset(data, at));
        return;
    }
    qsizetype bad = -1;
    const std::optional<TextEncoding> encoding = DetectEncoding(data, &bad);
    if (!encoding) {
        loadError_ =
            QStringLiteral("文件“%1”第%2行含有无法识别的字符（既不是 GBK 也不是 UTF-8 编码）。")
                .arg(name)
                .arg(LineOfOffset(data, bad));
        return;
    }
    QString text = DecodeText(data, *encoding);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines_ = text.split(QLatin1Char('\n'));
    if (!lines_.isEmpty() && lines_.last().isEmpty()) lines_.removeLast();
}

qsizetype TIniFile::FindSection(const QString& section) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (IsSectionLine(t) && SameName(SectionName(t), section.trimmed())) return i;
    }
    return -1;
}

qsizetype TIniFile::FindKey(qsizetype header, const QString& key) const {
    for (qsizetype i = header + 1; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (IsSectionLine(t)) break;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq < 0 || t.startsWith(QLatin1Char(';'))) continue;
        if (SameName(t.left(eq).trimmed(), key.trimmed())) return i;
    }
    return -1;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const qsizetype header = FindSection(section);
    if (header < 0) return def;
    const qsizetype at = FindKey(header, key);
    if (at < 0) return def;
    const QString& line = lines_[at];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString entry = key.trimmed() + QLatin1Char('=') + value;
    qsizetype header = FindSection(section);
    if (header < 0) {
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_.append(QString());
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(entry);
        return;
    }
    const qsizetype at = FindKey(header, key);
    if (at >= 0) {
        lines_[at] = entry;
        return;
    }
    // After the last non-blank line of the section.
    qsizetype last = header;
    for (qsizetype i = header + 1; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (IsSectionLine(t)) break;
        if (!t.isEmpty()) last = i;
    }
    lines_.insert(last + 1, entry);
}

void TIniFile::Flush() const {
    QString text;
    for (const QString& line : lines_)
        text += line + QStringLiteral("\r\n");
    // GBK, unless it cannot hold the text or its bytes would read back as UTF-8.
    QByteArray bytes = EncodeGbk(text);
    if (FirstNonGbk(text) >= 0 || DetectEncoding(bytes) != TextEncoding::Gbk)
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QSaveFile f(path_);
    if (IsReadOnlyFile(path_) || !f.open(QIODevice::WriteOnly) || f.write(bytes) < 0 || !f.commit())
        throw Error(QStringLiteral("Unable to write to %1").arg(path_));
}

} // namespace tubalon
