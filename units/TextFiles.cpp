#include "units/TextFiles.h"

#include "units/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tubalon {
namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString Megabytes(qint64 bytes) {
    const double mb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    const bool whole = mb >= 10 || mb == std::floor(mb);
    return QStringLiteral("%1 MB").arg(QString::number(mb, 'f', whole ? 0 : 1));
}

[[noreturn]] void Refuse(const QString& path, FileState state, qint64 maxBytes, qint64 size = -1) {
    QString text = FileStateText(path, state, maxBytes);
    if (state == FileState::TooLarge && size >= 0)
        text = QStringLiteral("文件“%1”太大（%2，上限 %3），不能读取。")
                   .arg(Native(path), Megabytes(size), Megabytes(maxBytes));
    throw Error(text);
}

[[noreturn]] void Unreadable(const QString& path, const QString& why) {
    throw Error(QStringLiteral("无法读取文件“%1”：%2").arg(Native(path), why));
}

bool HasUtf8Bom(const QByteArray& data) {
    return data.startsWith("\xEF\xBB\xBF");
}

// GBK's byte structure: ASCII, the single byte 0x80 (the euro sign of code page 936), or a
// lead byte 0x81-0xFE followed by a trail byte 0x40-0x7E or 0x80-0xFE.
qsizetype FirstBadGbkByte(const QByteArray& data) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData());
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b <= 0x80) continue;
        if (b == 0xFF) return i;
        if (i + 1 >= n) return i;
        const unsigned char t = p[i + 1];
        if (t < 0x40 || t == 0x7F || t == 0xFF) return i;
        ++i;
    }
    return -1;
}

// Every double-byte character lies in the GB2312 range (rows A1-F7, cells A1-FE), as
// ordinary Chinese text written in GBK does.
bool AllGb2312(const QByteArray& data) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData());
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = p[i];
        if (b < 0x80) continue;
        if (b == 0x80 || i + 1 >= n) return false;
        const unsigned char t = p[i + 1];
        if (b < 0xA1 || b > 0xF7 || t < 0xA1 || t > 0xFE) return false;
        ++i;
    }
    return true;
}

bool ValidUtf8(const QByteArray& data) {
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = dec.decode(data);
    return !dec.hasError();
}

// Characters a case or settings file of this program holds: Chinese, its punctuation, the
// usual symbols of units and notes.
bool UsualChar(char32_t c) {
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF) || (c >= 0x391 && c <= 0x3C9) ||
           (c >= 0x2000 && c <= 0x27BF) || (c >= 0x3000 && c <= 0x303F) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xFF00 && c <= 0xFFEF);
}

bool AllUsual(const QString& text) {
    for (const char32_t c : text.toUcs4())
        if (!UsualChar(c)) return false;
    return true;
}

bool HasNonAscii(const QByteArray& data) {
    for (const char ch : data)
        if (static_cast<unsigned char>(ch) >= 0x80) return true;
    return false;
}

} // namespace

FileState StateOfFile(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists()) return FileState::Missing;
    if (!info.isFile()) return FileState::NotRegular;
    if (info.size() > maxBytes) return FileState::TooLarge;
    return FileState::Regular;
}

QString FileStateText(const QString& path, FileState state, qint64 maxBytes) {
    switch (state) {
    case FileState::Missing:
        return QStringLiteral("文件“%1”不存在。").arg(Native(path));
    case FileState::NotRegular:
        return QStringLiteral("“%1”不是普通文件（而是文件夹、管道或设备），不能读取。")
            .arg(Native(path));
    case FileState::TooLarge:
        return QStringLiteral("文件“%1”太大（上限 %2），不能读取。")
            .arg(Native(path), Megabytes(maxBytes));
    case FileState::Regular:
        break;
    }
    return QString();
}

bool IsReadOnlyFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return false;
    const QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

QByteArray ReadBoundedFile(const QString& path, qint64 maxBytes) {
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without blocking, then checked through the open descriptor, so that what is
    // checked is what is read.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR) Refuse(path, FileState::Missing, maxBytes);
        Unreadable(path, QString::fromLocal8Bit(std::strerror(err)));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        Refuse(path, FileState::NotRegular, maxBytes);
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        Refuse(path, FileState::TooLarge, maxBytes, st.st_size);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        Unreadable(path, file.errorString());
    }
#else
    if (const FileState s = StateOfFile(path, maxBytes); s != FileState::Regular)
        Refuse(path, s, maxBytes, QFileInfo(path).size());
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) Unreadable(path, file.errorString());
#endif
    // One byte past the limit tells a file that grew while it was read.
    const QByteArray data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) Unreadable(path, file.errorString());
    if (data.size() > maxBytes) Refuse(path, FileState::TooLarge, maxBytes);
    return data;
}

std::optional<TextEncoding> DetectEncoding(const QByteArray& data, qsizetype* badOffset) {
    if (badOffset) *badOffset = -1;
    if (HasUtf8Bom(data)) {
        if (ValidUtf8(data)) return TextEncoding::Utf8;
        if (badOffset) *badOffset = 0;
        return std::nullopt;
    }
    if (!HasNonAscii(data)) return TextEncoding::Gbk;
    const qsizetype bad = FirstBadGbkByte(data);
    const bool utf8 = ValidUtf8(data);
    if (bad < 0 && !utf8) return TextEncoding::Gbk;
    if (bad >= 0 && utf8) return TextEncoding::Utf8;
    if (bad >= 0) {
        if (badOffset) *badOffset = bad;
        return std::nullopt;
    }
    // Both read it: short GBK texts are often valid UTF-8 by chance, and UTF-8 Chinese is
    // always valid GBK by its bytes, but then mostly outside GB2312.
    if (!AllGb2312(data) && AllUsual(DecodeText(data, TextEncoding::Utf8)))
        return TextEncoding::Utf8;
    return TextEncoding::Gbk;
}

QString DecodeText(const QByteArray& data, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        const QByteArrayView bytes =
            HasUtf8Bom(data) ? QByteArrayView(data).sliced(3) : QByteArrayView(data);
        return QString::fromUtf8(bytes);
    }
    QStringDecoder dec("GBK");
    if (!dec.isValid()) return QString::fromLocal8Bit(data);
    return dec.decode(data);
}

qsizetype FirstNonGbk(QStringView text) {
    QStringEncoder whole("GBK");
    if (!whole.isValid()) return -1;
    const QByteArray all = whole.encode(text);
    if (!whole.hasError()) return -1;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder one("GBK", QStringEncoder::Flag::Stateless);
        const QByteArray b = one.encode(text.sliced(i, n));
        if (one.hasError()) return i;
        i += n;
    }
    return -1;
}

QString DescribeChar(QStringView text, qsizetype at) {
    if (at < 0 || at >= text.size()) return QString();
    const qsizetype n = text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    const QStringView ch = text.sliced(at, n);
    const char32_t code = ch.toUcs4().value(0);
    return QStringLiteral("“%1”（U+%2）")
        .arg(ch.toString(), QString::number(code, 16).toUpper().rightJustified(4, QChar('0')));
}

qsizetype FirstControlByte(const QByteArray& data) {
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (b < 0x20 && b != '\t' && b != '\r' && b != '\n') return i;
    }
    return -1;
}

int LineOfOffset(const QByteArray& data, qsizetype offset) {
    int line = 1;
    const qsizetype end = std::min(offset, data.size());
    for (qsizetype i = 0; i < end; ++i) {
        if (data[i] == '\n')
            ++line;
        else if (data[i] == '\r' && (i + 1 >= data.size() || data[i + 1] != '\n'))
            ++line;
    }
    return line;
}

} // namespace tubalon
