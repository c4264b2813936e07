// Form-record files (CFR): a snapshot of a window's controls, written and read by name.
// GBK text with CR LF line ends: the banner, the version, an empty line, then five-line
// records (name, kind, property, value, empty line).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace tubalon {

inline constexpr char kFormRecordBanner[] = "Compatible Form Record File";
inline constexpr char kFormRecordVersion[] = "Version 1.1,2007.07.17";

// Largest file the reader accepts; real cases take a few tens of kilobytes.
inline constexpr qint64 kMaxFormRecordBytes = 8 * 1024 * 1024;

// The named descendants of root in creation order (depth first), the order used when a
// window does not keep its own component list.
QList<QWidget*> CollectComponents(const QWidget* root);

// The records of the components as the file's bytes (banner and version included).
// Labels are written only when captions is true; excluded names are compared without
// regard to case.
QByteArray WriteFormRecords(const QList<QWidget*>& components, bool captions,
                            const QStringList& excluded);

// Applies the records of data to the components of the same names (letters compared
// without regard to case). Returns false when the first line is not the banner (nothing
// changed then). A value that cannot be converted, a damaged record or a file too large
// raises tubalon::Error; the records before it stay applied. source names the file in
// messages.
bool ReadFormRecords(const QList<QWidget*>& components, const QByteArray& data,
                     const QString& source = QString());

// Writes the file through a temporary file in the same folder that replaces the target
// only when complete. Raises tubalon::Error when it cannot be written.
void SaveFormRecords(const QList<QWidget*>& components, const QString& fileName, bool captions,
                     const QStringList& excluded);
void SaveFormRecords(const QWidget* window, const QString& fileName, bool captions,
                     const QStringList& excluded);

// False when the file does not exist or its first line is not the banner; true after all
// records were read. Errors as ReadFormRecords, and when the file cannot be opened.
bool LoadFormRecords(const QList<QWidget*>& components, const QString& fileName);
bool LoadFormRecords(const QWidget* window, const QString& fileName);

} // namespace tubalon
