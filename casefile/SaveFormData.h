// Form-record files (CFR): a snapshot of a window's controls, written and read by name.
// GBK text with CR LF line ends: the banner, the version, an empty line, then five-line
// records (name, kind, property, value, empty line).
#pragma once

#include "units/TextFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace tubalon {

inline constexpr char kFormRecordBanner[] = "Compatible Form Record File";
inline constexpr char kFormRecordVersion[] = "Version 1.1,2007.07.17";

// Largest file the reader accepts; real cases take a few tens of kilobytes.
inline constexpr qint64 kMaxFormRecordBytes = kMaxTextFileBytes;

// The named descendants of root in creation order (depth first), the order used when a
// window does not keep its own component list.
QList<QWidget*> CollectComponents(const QWidget* root);

// The records of the components as the file's bytes (banner and version included).
// Labels are written only when captions is true; excluded names are compared without
// regard to case. A character that GBK cannot hold raises tubalon::Error naming the control
// and the character.
QByteArray WriteFormRecords(const QList<QWidget*>& components, bool captions,
                            const QStringList& excluded);

// A file read and checked against a window's controls, not yet applied to them.
class TStagedRecords {
public:
    // The file's encoding: GBK, or UTF-8 for a file another editor saved.
    TextEncoding Encoding() const { return encoding_; }

private:
    friend std::optional<TStagedRecords> StageFormRecords(const QList<QWidget*>&, const QByteArray&,
                                                          const QString&);
    friend void ApplyFormRecords(const TStagedRecords&);
    struct Items;
    TextEncoding encoding_ = TextEncoding::Gbk;
    std::shared_ptr<const Items> items_;
};

// Reads the whole of data and checks it before anything is applied: the line ends (CR LF,
// LF or CR, one of them throughout), the encoding (GBK or UTF-8), every record's five lines,
// name, kind and property, and every value a control of the window takes (converted, list
// positions within range, factors finite and positive). Records of controls the window does
// not have are skipped. Empty when the first line is not the banner. Anything else wrong
// raises tubalon::Error "项目文件已损坏：<source> 第N行：…"; source names the file.
std::optional<TStagedRecords> StageFormRecords(const QList<QWidget*>& components,
                                               const QByteArray& data,
                                               const QString& source = QString());
// Assigns the staged values through the controls' setters, in the file's order, so that
// the controls react as to any other assignment.
void ApplyFormRecords(const TStagedRecords& staged);
// Stages then applies: false when the first line is not the banner (nothing changed then).
bool ReadFormRecords(const QList<QWidget*>& components, const QByteArray& data,
                     const QString& source = QString());

// Writes the file through a temporary file in the same folder that is flushed to disk and
// replaces the target only when complete; the target keeps its mode. Raises tubalon::Error
// when it cannot be written, and when the target is read-only.
void SaveFormRecords(const QList<QWidget*>& components, const QString& fileName, bool captions,
                     const QStringList& excluded);
void SaveFormRecords(const QWidget* window, const QString& fileName, bool captions,
                     const QStringList& excluded);

// Reads the file (a regular file of at most 8 MB, opened without blocking) and stages it.
// Empty when its first line is not the banner; raises tubalon::Error when it cannot be read
// or is damaged.
std::optional<TStagedRecords> StageFormRecordFile(const QList<QWidget*>& components,
                                                  const QString& fileName);
// False when the file does not exist or its first line is not the banner; true after all
// records were applied. Errors as StageFormRecordFile, nothing applied then.
bool LoadFormRecords(const QList<QWidget*>& components, const QString& fileName);
bool LoadFormRecords(const QWidget* window, const QString& fileName);

} // namespace tubalon
