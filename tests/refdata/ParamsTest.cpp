#include "refdata/Params.h"
#include "refdata/IniFile.h"
#include "units/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

using namespace tubalon;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void WriteGbk(const QString& path, const QString& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(TIniFile::EncodeGbk(text));
}

// The file as the program writes it when none exists.
const char* const kSavedLines[] = {
    "[Fittings]",           "------阻力系数------=ζ：", "套管进口=1.5",
    "套管出口=1.3",         "中心管U弯头R/d:1.5=0.35",  "------缺省流速------=U：",
    "外管气体速度/m/S=20",  "外管液体速度/m/S=1.5",     "内管气体速度/m/S=20.0",
    "内管液体速度/m/S=1.5", "--------杂项--------=X：", "气液分界密度/kg/m3=100",
    "缺省釜空时/S=20",      "传热计算方法=0",
};

QString Joined(std::initializer_list<const char*> lines) {
    QString s;
    for (const char* l : lines)
        s += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return s;
}

TEST(ParamStore, Defaults) {
    const TParamStore store;
    ASSERT_EQ(store.rows().size(), 14u);
    EXPECT_EQ(store.Value(QStringLiteral("气液分界密度/kg/m3")), QStringLiteral("100"));
    EXPECT_EQ(store.Value(QStringLiteral("内管气体速度/m/S")), QStringLiteral("20.0"));
    EXPECT_EQ(store.Value(QStringLiteral("------阻力系数------")), QStringLiteral("ζ："));
    EXPECT_TRUE(store.Value(QStringLiteral("没有这个参数")).isEmpty());
    EXPECT_TRUE(store.rows().back().key.isEmpty());
    EXPECT_DOUBLE_EQ(store.Number(paramkey::kAnnulusEntry) + store.Number(paramkey::kAnnulusExit),
                     2.8);
    EXPECT_DOUBLE_EQ(store.Number(paramkey::kUBend), 0.35);
    // Film coefficients by flow regime unless the user asks for the original formulas.
    EXPECT_EQ(store.Value(paramkey::kFilmMethod), QStringLiteral("0"));
}

TEST(ParamStore, NumbersAndNonNumbers) {
    TParamStore store;
    const struct {
        const char* text;
        double value;
        bool ok;
    } cases[] = {{"1.5", 1.5, true}, {"20.0", 20, true}, {"1E2", 100, true},
                 {" 7 ", 7, true},   {"abc", 0, false},  {"", 0, false}};
    for (const auto& c : cases) {
        store.SetValue(1, QString::fromUtf8(c.text));
        if (c.ok) {
            EXPECT_DOUBLE_EQ(store.Number(paramkey::kAnnulusEntry), c.value) << c.text;
        } else {
            try {
                store.Number(paramkey::kAnnulusEntry);
                ADD_FAILURE() << "no error for " << c.text;
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.message(),
                          EConvertError::MessageOf(QString::fromUtf8(c.text).trimmed(), QString()));
            }
        }
    }
}

TEST(ParamStore, SaveNewFileInRowOrderGbkCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Params.ini"));
    TParamStore().Save(path);
    QString expected;
    for (const char* l : kSavedLines)
        expected += QString::fromUtf8(l) + QStringLiteral("\r\n");
    EXPECT_EQ(ReadBytes(path), TIniFile::EncodeGbk(expected));
    // GBK: "套" is two bytes, not three as in UTF-8.
    EXPECT_EQ(TIniFile::EncodeGbk(QStringLiteral("套")).size(), 2);
}

TEST(ParamStore, RoundTripKeepsSlashAndColonKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Params.ini"));
    TParamStore store;
    store.SetValue(3, QStringLiteral("0.5"));
    store.Save(path);
    TParamStore loaded;
    loaded.Load(path);
    EXPECT_EQ(loaded.Value(paramkey::kUBend), QStringLiteral("0.5"));
    for (std::size_t i = 0; i < loaded.rows().size(); ++i)
        EXPECT_EQ(loaded.rows()[i].value, store.rows()[i].value) << i;
}

// A file written by hand with one line: the other numbers keep their defaults (an empty value
// would fail every calculation) and the headings are emptied; a key an older file lacks is no
// problem to tell.
TEST(ParamStore, LoadSingleLineKeepsTheOtherDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Params.ini"));
    WriteGbk(path, Joined({"[Fittings]", "套管进口=2"}));
    TParamStore store;
    store.Load(path);
    const TParamStore defaults;
    EXPECT_EQ(store.Value(paramkey::kAnnulusEntry), QStringLiteral("2"));
    for (std::size_t i = 0; i < store.rows().size(); ++i) {
        const ParamRow& r = store.rows()[i];
        if (r.key == paramkey::kAnnulusEntry) continue;
        if (TParamStore::IsNumberRow(r.key))
            EXPECT_EQ(r.value, defaults.rows()[i].value) << r.key.toStdString();
        else
            EXPECT_TRUE(r.value.isEmpty()) << r.key.toStdString();
    }
    EXPECT_DOUBLE_EQ(store.Number(paramkey::kAnnulusExit), 1.3);
    EXPECT_TRUE(store.Problems().isEmpty());
}

// Whatever the file holds, every number row ends with a number, and what could not be used
// is told once, naming the file and the key.
TEST(ParamStore, BadFilesKeepDefaultsAndSayWhy) {
    QTemporaryDir dir;
    const QString full =
        Joined({"[Fittings]", "------阻力系数------=ζ：", "套管进口=1.7", "套管出口=1.3",
                "中心管U弯头R/d:1.5=0.35", "------缺省流速------=U：", "外管气体速度/m/S=20",
                "外管液体速度/m/S=1.5", "内管气体速度/m/S=20.0", "内管液体速度/m/S=1.5",
                "--------杂项--------=X：", "气液分界密度/kg/m3=100", "缺省釜空时/S=20"});
    QString bad = full;
    bad.replace(QStringLiteral("套管出口=1.3"), QStringLiteral("套管出口=abc"));
    bad.replace(QStringLiteral("外管液体速度/m/S=1.5"), QStringLiteral("外管液体速度/m/S=-1"));
    const struct {
        const char* what;
        QByteArray bytes;
        const char* entry; // 套管进口 after loading
        std::vector<const char*> problems;
    } cases[] = {
        {"GBK", TIniFile::EncodeGbk(full), "1.7", {}},
        {"UTF-8 from another editor", full.toUtf8(), "1.7", {}},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + full.toUtf8(), "1.7", {}},
        {"bad values",
         TIniFile::EncodeGbk(bad),
         "1.7",
         {"中“套管出口”的值“abc”不是有效的数字，已使用缺省值 1.3。",
          "中“外管液体速度/m/S”的值“-1”必须大于 0，已使用缺省值 1.5。"}},
        {"empty", "", "1.5", {}},
        {"binary",
         QByteArray("\x00\x01\x02[Fittings]", 13),
         "1.5",
         {"第1行含有控制字符，不是文本文件。"}},
        {"neither GBK nor UTF-8",
         "[Fittings]\r\n套管进口=\xFF\xFF\r\n",
         "1.5",
         {"第2行含有无法识别的字符"}},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("Params.ini"));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        TParamStore store;
        store.Load(path);
        EXPECT_EQ(store.Value(paramkey::kAnnulusEntry).toStdString(), c.entry) << c.what;
        for (const ParamRow& r : store.rows()) {
            if (TParamStore::IsNumberRow(r.key)) {
                EXPECT_NO_THROW(store.Number(r.key)) << c.what << " " << r.key.toStdString();
            }
        }
        ASSERT_EQ(store.Problems().size(), c.problems.size()) << c.what;
        for (std::size_t i = 0; i < c.problems.size(); ++i) {
            const QString p = store.Problems()[static_cast<qsizetype>(i)];
            EXPECT_TRUE(p.contains(QString::fromUtf8(c.problems[i])))
                << c.what << ": " << p.toStdString();
            EXPECT_TRUE(p.contains(QDir::toNativeSeparators(path))) << c.what;
        }
    }
}

// A FIFO or a file far too large is not read at all (the start neither blocks nor bloats).
TEST(ParamStore, OnlyRegularFilesOfBoundedSizeAreRead) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Params.ini"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    TParamStore store;
    store.Load(fifo);
    ASSERT_EQ(store.Problems().size(), 1);
    EXPECT_TRUE(store.Problems()[0].contains(QStringLiteral("不是普通文件")));
    EXPECT_EQ(store.Value(paramkey::kAnnulusEntry), QStringLiteral("1.5"));

    const QString huge = dir.filePath(QStringLiteral("huge.ini"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(200LL * 1024 * 1024)); // sparse
    }
    TParamStore big;
    big.Load(huge);
    ASSERT_EQ(big.Problems().size(), 1);
    EXPECT_TRUE(big.Problems()[0].contains(QStringLiteral("太大")));
}

TEST(ParamStore, ValueChecks) {
    const struct {
        const QString& key;
        const char* text;
        const char* why;
    } cases[] = {
        {paramkey::kAnnulusEntry, "1.5", ""},
        {paramkey::kAnnulusEntry, "0", ""},
        {paramkey::kAnnulusEntry, "-0.1", "不能为负数"},
        {paramkey::kUBend, "1E2", ""},
        {paramkey::kAnnulusGasVelocity, "0", "必须大于 0"},
        {paramkey::kBoundaryDensity, "abc", "不是有效的数字"},
        {paramkey::kKettleSpaceTime, "", "不是有效的数字"},
        {paramkey::kKettleSpaceTime, "1e999", "不是有效的数字"},
        {paramkey::kFilmMethod, "1", ""},
        {paramkey::kFilmMethod, "0.0", ""},
        {paramkey::kFilmMethod, "2", "必须为 0 或 1"},
        {paramkey::kFilmMethod, "-1", "必须为 0 或 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TParamStore::CheckValue(c.key, QString::fromUtf8(c.text)).toStdString(), c.why)
            << c.key.toStdString() << " " << c.text;
    EXPECT_TRUE(TParamStore::CheckValue(QStringLiteral("------阻力系数------"), "ζ：").isEmpty());
}

TEST(ParamStore, CalculationMethodReadFromTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Params.ini"));
    WriteGbk(path, Joined({"[Fittings]", "传热计算方法=1"}));
    TParamStore store;
    store.Load(path);
    EXPECT_EQ(store.Value(paramkey::kFilmMethod), QStringLiteral("1"));
}

TEST(ParamStore, LoadMissingFileKeepsDefaults) {
    QTemporaryDir dir;
    TParamStore store;
    store.Load(dir.filePath(QStringLiteral("Params.ini")));
    EXPECT_EQ(store.Value(paramkey::kKettleSpaceTime), QStringLiteral("20"));
}

TEST(ParamStore, ExistingLinesKeepTheirPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Params.ini"));
    WriteGbk(path, Joined({"[MRU List]", "File1=a.cdp", "", "[Fittings]", "缺省釜空时/S=30",
                           "套管出口=9", "", "[Other]", "x=1"}));
    TParamStore store;
    store.Load(path);
    EXPECT_EQ(store.Value(paramkey::kKettleSpaceTime), QStringLiteral("30"));
    store.SetValue(2, QStringLiteral("1.3"));
    store.Save(path);
    const TIniFile ini(path);
    const QStringList& lines = ini.lines();
    ASSERT_GE(lines.size(), 18);
    EXPECT_EQ(lines[0], QStringLiteral("[MRU List]"));
    EXPECT_EQ(lines[1], QStringLiteral("File1=a.cdp"));
    EXPECT_EQ(lines[3], QStringLiteral("[Fittings]"));
    EXPECT_EQ(lines[4], QStringLiteral("缺省釜空时/S=30"));
    EXPECT_EQ(lines[5], QStringLiteral("套管出口=1.3"));
    // New keys follow the section's last line, in row order; the next section stays whole.
    EXPECT_EQ(lines[6], QStringLiteral("------阻力系数------=")); // not in the file: loaded empty
    EXPECT_EQ(lines[7], QStringLiteral("套管进口=1.5"));          // not in the file: its default
    EXPECT_EQ(lines.last(), QStringLiteral("x=1"));
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("[Other]"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("MRU List"), QStringLiteral("File1"), QString()),
              QStringLiteral("a.cdp"));
}

TEST(IniFile, ReadingRules) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    WriteGbk(path, QStringLiteral("[fittings]\n 套管进口 = 2.5 \r\n;套管出口=7\r\n"));
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Fittings"), QStringLiteral("套管进口"), QString()),
              QStringLiteral("2.5"));
    EXPECT_EQ(
        ini.ReadString(QStringLiteral("Fittings"), QStringLiteral("套管出口"), QStringLiteral("d")),
        QStringLiteral("d"));
    EXPECT_EQ(
        ini.ReadString(QStringLiteral("None"), QStringLiteral("套管进口"), QStringLiteral("d")),
        QStringLiteral("d"));
}

// Text GBK cannot hold (a path in the recent-files list) is written in UTF-8 with a byte-order
// mark rather than as "?", and reads back as it was.
TEST(IniFile, KeepsWhatGbkCannotHold) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tubalon.ini"));
    const QString file = QStringLiteral("/home/ĉu/热水😀.cdp");
    TIniFile ini(path);
    ini.WriteString(QStringLiteral("MRU List"), QStringLiteral("1"), file);
    ini.Flush();
    EXPECT_TRUE(ReadBytes(path).startsWith("\xEF\xBB\xBF[MRU List]\r\n"));
    EXPECT_EQ(TIniFile(path).ReadString(QStringLiteral("MRU List"), QStringLiteral("1"), QString()),
              file);
    ini.WriteString(QStringLiteral("MRU List"), QStringLiteral("1"), QStringLiteral("/a/热水.cdp"));
    ini.Flush();
    EXPECT_EQ(ReadBytes(path),
              TIniFile::EncodeGbk(QStringLiteral("[MRU List]\r\n1=/a/热水.cdp\r\n")));
}

TEST(ParamStore, UnwritablePathStopsWithMessage) {
    const QString path = QStringLiteral("/nonexistent-tubalon-dir/Params.ini");
    try {
        TParamStore().Save(path);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + path);
    }
}

} // namespace
