// A small INI file in GBK with CR LF line ends: sections of key=value lines, read whole
// and written back whole, other sections and keys kept as they were.
#pragma once

#include <QString>
#include <QStringList>

namespace tubalon {

class TIniFile {
public:
    // Reads the file when it exists; a missing or unreadable file gives an empty one.
    explicit TIniFile(const QString& fileName);

    bool Exists() const { return exists_; }
    // The value of the key in the section (names compared without regard to case), or def.
    QString ReadString(const QString& section, const QString& key,
                       const QString& def = QString()) const;
    bool HasKey(const QString& section, const QString& key) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Writes the whole file through a temporary file; false when that failed.
    bool Save() const;

private:
    // Index of the section's header line, -1 when absent; end gets the line after its last.
    qsizetype FindSection(const QString& section, qsizetype* end) const;
    qsizetype FindKey(qsizetype from, qsizetype end, const QString& key) const;

    QString fileName_;
    QStringList lines_;
    bool exists_ = false;
};

} // namespace tubalon
