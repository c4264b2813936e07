// A small INI reader and writer for files in GBK with CR LF. Keys may hold "/" and ":";
// lines keep their places, a new key goes to the end of its section. A file saved in UTF-8
// by another editor is read as well.
#pragma once

#include <QString>
#include <QStringList>

namespace tubalon {

class TIniFile {
public:
    // Reads the file when it exists; a missing file is an empty one. A file that is not a
    // regular text file of at most 8 MB is taken as empty too, and LoadError() says why.
    explicit TIniFile(const QString& path);

    const QString& path() const { return path_; }
    // Why an existing file could not be read (the message names the file); empty otherwise.
    const QString& LoadError() const { return loadError_; }
    // The value of key in section (both matched without regard to ASCII case, trimmed);
    // the default when absent.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Replaces the value of an existing line in place, else appends key=value to the
    // section (creating the section at the end of the file). Memory only; see Flush.
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Writes the whole file with CR LF through a temporary file that replaces it when
    // complete: in GBK, or in UTF-8 with a byte-order mark when GBK cannot hold one of its
    // characters (a path, a value) or would read back as UTF-8. A read-only file is not
    // replaced. Raises Error "Unable to write to <path>".
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
    QString loadError_;
};

} // namespace tubalon
