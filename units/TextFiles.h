// Files the program reads beside the case (settings, lists, tables) and the case files
// themselves: only a regular file of bounded size is read, so that a FIFO, a device or a
// huge file can neither block nor bloat the program; and the text encodings they come in.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace tubalon {

// Largest INI file and case file the program reads; real ones take a few kilobytes.
inline constexpr qint64 kMaxTextFileBytes = 8 * 1024 * 1024;
// Largest property library and pipe database.
inline constexpr qint64 kMaxDataFileBytes = 64 * 1024 * 1024;

enum class FileState { Regular, Missing, NotRegular, TooLarge };

// What is at path, without opening it (links are followed).
FileState StateOfFile(const QString& path, qint64 maxBytes);
// The user's message for a state other than Regular, naming the file.
QString FileStateText(const QString& path, FileState state, qint64 maxBytes);

// Reads the whole file. The file is opened without waiting (a FIFO or device cannot block)
// and read only when it is a regular file of at most maxBytes. Raises Error naming the file
// otherwise, or when it cannot be read.
QByteArray ReadBoundedFile(const QString& path, qint64 maxBytes);

// A file that must not be replaced: not writable for this user, or without any write
// permission (0444), which even an administrator's save respects.
bool IsReadOnlyFile(const QString& path);

enum class TextEncoding { Gbk, Utf8 };

// The encoding of a text file's bytes: GBK (the files' own code page) or UTF-8 (a file saved
// by another editor; a leading byte-order mark says so). A text that both can read is taken
// as UTF-8 only when every character it gives is a usual one and some GBK character would
// fall outside the common GB2312 range. Empty when neither can read it; badOffset is then the
// first byte that GBK cannot read.
std::optional<TextEncoding> DetectEncoding(const QByteArray& data, qsizetype* badOffset = nullptr);
// The text of data in that encoding, without a byte-order mark.
QString DecodeText(const QByteArray& data, TextEncoding encoding);

// Index of the first character of text that GBK cannot hold, or -1.
qsizetype FirstNonGbk(QStringView text);
// "“😀”（U+1F600）": a character as messages show it.
QString DescribeChar(QStringView text, qsizetype at);

// Offset of the first control byte other than tab and line ends (a file that is not text),
// or -1.
qsizetype FirstControlByte(const QByteArray& data);

// 1-based line of a byte offset (lines end with LF, CR LF or CR).
int LineOfOffset(const QByteArray& data, qsizetype offset);

} // namespace tubalon
