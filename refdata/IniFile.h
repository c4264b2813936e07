// A small INI reader and writer for files in GBK with CR LF. Keys may hold "/" and ":";
// lines keep their places, a new key goes to the end of its section.
#pragma once

#include <QString>
#include <QStringList>

namespace tubalon {

class TIniFile {
public:
    // Reads the file when it exists; a missing file is an empty one.
    explicit TIniFile(const QString& path);

    const QString& path() const { return path_; }
    // The value of key in section (both matched without regard to ASCII case, trimmed);
    // the default when absent.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Replaces the value of an existing line in place, else appends key=value to the
    // section (creating the section at the end of the file). Memory only; see Flush.
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Writes the whole file in GBK with CR LF. Raises Error "Unable to write to <path>".
    void Flush() const;

    const QStringList& lines() const { return lines_; }

    static QString DecodeGbk(const QByteArray& bytes);
    static QByteArray EncodeGbk(const QString& text);

private:
    // Index of the section's header line, or -1.
    qsizetype FindSection(const QString& section) const;
    // Index of the key's line within the section starting at header, or -1.
    qsizetype FindKey(qsizetype header, const QString& key) const;

    QString path_;
    QStringList lines_;
};

} // namespace tubalon
