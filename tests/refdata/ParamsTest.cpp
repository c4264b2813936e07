#include "refdata/Params.h"
#include "refdata/IniFile.h"
#include "units/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

TEST(ParamStore, LoadSingleLineEmptiesTheOthers) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Params.ini"));
    WriteGbk(path, Joined({"[Fittings]", "套管进口=2"}));
    TParamStore store;
    store.Load(path);
    EXPECT_EQ(store.Value(paramkey::kAnnulusEntry), QStringLiteral("2"));
    for (const ParamRow& r : store.rows()) {
        if (r.key != paramkey::kAnnulusEntry && r.key != paramkey::kFilmMethod) {
            EXPECT_TRUE(r.value.isEmpty()) << r.key.toStdString();
        }
    }
    EXPECT_THROW(store.Number(paramkey::kAnnulusExit), EConvertError);
    // Files written before the calculation method existed lack it: it keeps its default.
    EXPECT_EQ(store.Value(paramkey::kFilmMethod), QStringLiteral("0"));
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
    EXPECT_EQ(lines[7], QStringLiteral("套管进口="));
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
