// Reading side files safely: regular files of bounded size only, opened without blocking;
// telling GBK from UTF-8; finding what GBK cannot hold.
#include "units/TextFiles.h"
#include "units/Errors.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace tubalon;

namespace {

QByteArray Gbk(const QString& s) {
    QStringEncoder enc("GBK");
    return enc.encode(s);
}

QString ErrorOf(const QString& path, qint64 limit) {
    try {
        ReadBoundedFile(path, limit);
    } catch (const Error& e) {
        return e.message();
    }
    return QString();
}

// Peak resident memory of this process, in megabytes.
long PeakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

} // namespace

TEST(TextFiles, DetectsEncoding) {
    const QString params =
        QStringLiteral("[Fittings]\r\n------阻力系数------=ζ：\r\n套管进口=1.5\r\n");
    const struct {
        const char* what;
        QByteArray data;
        std::optional<TextEncoding> encoding;
        qsizetype bad;
    } cases[] = {
        {"ASCII only", "WrD\r\nString\r\n", TextEncoding::Gbk, -1},
        {"GBK note", Gbk(QStringLiteral("△注释▲△第二行")), TextEncoding::Gbk, -1},
        // Its bytes happen to be valid UTF-8 (U+03B4, U+05AA): still GBK.
        {"GBK that reads as UTF-8", Gbk(QStringLiteral("[未知]")), TextEncoding::Gbk, -1},
        {"GBK euro byte", Gbk(QStringLiteral("€")), TextEncoding::Gbk, -1},
        {"UTF-8 note", QStringLiteral("△注释").toUtf8(), TextEncoding::Utf8, -1},
        // Valid GBK by its bytes, but outside GB2312: UTF-8.
        {"UTF-8 that reads as GBK", QStringLiteral("[未知]").toUtf8(), TextEncoding::Utf8, -1},
        {"UTF-8 settings", params.toUtf8(), TextEncoding::Utf8, -1},
        {"GBK settings", Gbk(params), TextEncoding::Gbk, -1},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "abc",
         TextEncoding::Utf8, -1},
        {"neither", QByteArray("ab\xFF\xFE", 4), std::nullopt, 2},
        {"lead byte at the end", QByteArray("abc\xD7"), std::nullopt, 3},
        {"lead byte before a line end", QByteArray("a\xD7\r\n"), std::nullopt, 1},
    };
    for (const auto& c : cases) {
        qsizetype bad = -7;
        EXPECT_EQ(DetectEncoding(c.data, &bad), c.encoding) << c.what;
        EXPECT_EQ(bad, c.bad) << c.what;
    }
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "abc",
                         TextEncoding::Utf8),
              QStringLiteral("abc"));
    EXPECT_EQ(DecodeText(Gbk(QStringLiteral("注释")), TextEncoding::Gbk), QStringLiteral("注释"));
}

TEST(TextFiles, FindsWhatGbkCannotHold) {
    const struct {
        QString text;
        qsizetype at;
        const char* shown;
    } cases[] = {
        {QStringLiteral("注释 abc"), -1, ""},           {QStringLiteral("€·°×"), -1, ""},
        {QStringLiteral("1 µm"), 2, "“µ”（U+00B5）"}, // GBK has no micro sign
        {QStringLiteral("热水😀"), 2, "“😀”（U+1F600）"}, {QStringLiteral("aĉ"), 1, "“ĉ”（U+0109）"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirstNonGbk(c.text), c.at) << c.text.toStdString();
        EXPECT_EQ(DescribeChar(c.text, c.at).toStdString(), c.shown);
    }
}

TEST(TextFiles, LinesAndControlBytes) {
    const QByteArray data = "a\r\nb\nc\rd";
    EXPECT_EQ(LineOfOffset(data, 0), 1);
    EXPECT_EQ(LineOfOffset(data, 3), 2);
    EXPECT_EQ(LineOfOffset(data, 5), 3);
    EXPECT_EQ(LineOfOffset(data, 7), 4);
    EXPECT_EQ(FirstControlByte("a\tb\r\n"), -1);
    EXPECT_EQ(FirstControlByte(QByteArray("ab\0c", 4)), 2);
}

// Whatever is at the path, reading it returns at once; only a regular file within the
// limit is read, and the check comes before any byte is.
TEST(TextFiles, ReadsOnlyRegularFilesWithinTheLimit) {
    QTemporaryDir dir;
    const QString regular = dir.filePath(QStringLiteral("a.ini"));
    {
        QFile f(regular);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[x]\r\n");
    }
    const QString fifo = dir.filePath(QStringLiteral("fifo.ini"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath(QStringLiteral("huge.ini"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(200LL * 1024 * 1024)); // sparse: no disk, no memory
    }
    const QString name = QDir::toNativeSeparators(dir.path());
    const struct {
        QString path;
        FileState state;
        QString message;
    } cases[] = {
        {regular, FileState::Regular, QString()},
        {dir.filePath(QStringLiteral("none.ini")), FileState::Missing,
         QStringLiteral("文件“%1/none.ini”不存在。").arg(name)},
        {dir.path(), FileState::NotRegular,
         QStringLiteral("“%1”不是普通文件（而是文件夹、管道或设备），不能读取。").arg(name)},
        {fifo, FileState::NotRegular,
         QStringLiteral("“%1/fifo.ini”不是普通文件（而是文件夹、管道或设备），不能读取。")
             .arg(name)},
        {huge, FileState::TooLarge,
         QStringLiteral("文件“%1/huge.ini”太大（200 MB，上限 8 MB），不能读取。").arg(name)},
    };
    const long before = PeakMegabytes();
    for (const auto& c : cases) {
        EXPECT_EQ(StateOfFile(c.path, kMaxTextFileBytes), c.state) << c.path.toStdString();
        EXPECT_EQ(ErrorOf(c.path, kMaxTextFileBytes), c.message) << c.path.toStdString();
    }
    EXPECT_LT(PeakMegabytes() - before, 50);
    EXPECT_EQ(ReadBoundedFile(regular, kMaxTextFileBytes), QByteArray("[x]\r\n"));
}
