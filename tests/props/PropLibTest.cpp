#include "props/PropLib.h"

#include "units/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tubalon;

namespace {

TPropRecord Rec(const QString& no, const QString& cn, const QString& cp = {}) {
    TPropRecord r;
    r.f[0] = no;
    r.f[1] = cn;
    if (!cp.isNull()) r.f[3] = cp;
    return r;
}

QStringList Nos(const TPropLib& lib) {
    QStringList out;
    for (int i = 0; i < lib.Count(); ++i)
        out << lib.Record(i).Text(0);
    return out;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST(PropLib, OrderedByNoAsText) {
    struct Case {
        QStringList inserted;
        QStringList listed;
    };
    const Case cases[] = {
        {{"2", "10"}, {"10", "2"}},
        {{"10", "02"}, {"02", "10"}},
        {{"003", "001", "002"}, {"001", "002", "003"}},
    };
    for (const Case& c : cases) {
        TPropLib lib;
        lib.OpenEmpty();
        for (const QString& no : c.inserted)
            lib.Append(Rec(no, "x"));
        EXPECT_EQ(Nos(lib), c.listed);
    }
}

TEST(PropLib, DuplicateNoKeepsInsertionOrder) {
    TPropLib lib;
    lib.OpenEmpty();
    lib.Append(Rec("1", "a"));
    lib.Append(Rec("1", "b"));
    ASSERT_EQ(lib.Count(), 2);
    EXPECT_EQ(lib.Record(0).Text(1), "a");
    EXPECT_EQ(lib.Record(1).Text(1), "b");
}

TEST(PropLib, FieldsByNameIgnoreCase) {
    TPropRecord r = Rec("1", "水", "4180");
    EXPECT_FALSE(r.IsNull("Cp"));
    EXPECT_EQ(r.Text("cp"), "4180");
    EXPECT_TRUE(r.IsNull("MD"));
    EXPECT_TRUE(r.IsNull("nosuchfield"));
    EXPECT_EQ(PropFieldIndex("hv"), 8);
}

TEST(PropLib, WidthsCountGbkBytes) {
    struct Case {
        int field;
        QString text;
        bool fits;
    };
    const Case cases[] = {
        {1, QString(10, QChar(0x6C34)), true},  // ten Chinese characters: 20 bytes
        {1, QString(11, QChar(0x6C34)), false}, // 22 bytes
        {1, QString(20, 'a'), true},
        {1, QString(21, 'a'), false},
        {0, "123456", true},
        {0, "1234567", false},
        {3, QString(300, '1'), true},
        {3, QString(301, '1'), false},
        {9, QString(50, QChar(0x6C34)), true},
        {9, QString(50, QChar(0x6C34)) + "a", false},
    };
    for (const Case& c : cases) {
        TPropLib lib;
        lib.OpenEmpty();
        lib.Insert();
        if (c.fits) {
            EXPECT_NO_THROW(lib.SetField(c.field, c.text)) << c.field << " " << c.text.size();
        } else {
            EXPECT_THROW(lib.SetField(c.field, c.text), Error) << c.field << " " << c.text.size();
            EXPECT_TRUE(lib.Current()->IsNull(c.field));
        }
    }
}

TEST(PropLib, InsertEditPostCancelDelete) {
    TPropLib lib;
    lib.OpenEmpty();
    lib.Append(Rec("01", "水"));
    lib.Append(Rec("03", "空气"));
    lib.First();

    lib.Insert();
    lib.SetField(0, "02");
    lib.SetField(1, "氮气");
    EXPECT_EQ(lib.Count(), 2); // not yet in the table
    EXPECT_EQ(lib.Current()->Text(1), "氮气");
    lib.Post();
    EXPECT_EQ(Nos(lib), (QStringList{"01", "02", "03"}));
    EXPECT_EQ(lib.CurrentIndex(), 1);

    lib.Edit();
    lib.SetField(1, "改名");
    lib.Cancel();
    EXPECT_EQ(lib.Current()->Text(1), "氮气");

    lib.Edit();
    lib.SetField(0, "09"); // moves to the end when posted
    lib.SetField(3, "");   // empty text is null
    lib.Post();
    EXPECT_EQ(Nos(lib), (QStringList{"01", "03", "09"}));
    EXPECT_EQ(lib.CurrentIndex(), 2);
    EXPECT_TRUE(lib.Current()->IsNull(3));

    lib.Delete();
    EXPECT_EQ(Nos(lib), (QStringList{"01", "03"}));
    EXPECT_EQ(lib.CurrentIndex(), 1);
    lib.Delete();
    lib.Delete();
    EXPECT_EQ(lib.Count(), 0);
    EXPECT_EQ(lib.Current(), nullptr);
    lib.Delete(); // nothing left: no effect
    EXPECT_EQ(lib.Count(), 0);
}

TEST(PropLib, Navigation) {
    TPropLib lib;
    lib.OpenEmpty();
    for (const char* no : {"1", "2", "3"})
        lib.Append(Rec(no, "x"));
    lib.First();
    EXPECT_TRUE(lib.Bof());
    lib.Prior();
    EXPECT_EQ(lib.CurrentIndex(), 0);
    lib.Next();
    lib.Next();
    lib.Next();
    EXPECT_EQ(lib.CurrentIndex(), 2);
    EXPECT_TRUE(lib.Eof());
    lib.First();
    lib.Last();
    EXPECT_EQ(lib.Current()->Text(0), "3");
}

TEST(PropLib, SaveLoadRoundTrip) {
    QTemporaryDir dir;
    const QString path = PropLibPath(dir.path());
    TPropLib lib;
    lib.OpenEmpty();
    TPropRecord full;
    const QString texts[] = {"007",
                             "液氨",
                             "Ammonia",
                             "Cp=4700 {常数}",
                             "0,638;20,610;",
                             "PRV:11333,405.4,72.5,0.255,0.256,17.03",
                             "\"quoted\" \\ back",
                             "  blanks  ",
                             "",
                             "注释：第一行\n第二行",
                             "-20~60",
                             "1~1000",
                             "液相",
                             "0,0.6;100,101.3"};
    for (int i = 0; i < kPropFieldCount; ++i)
        full.f[static_cast<size_t>(i)] = texts[i];
    full.f[8] = QString(); // null stays null
    lib.Append(full);
    lib.Append(Rec("001", "水"));
    lib.Save(path);

    TPropLib back;
    back.Load(path);
    ASSERT_TRUE(back.IsOpen());
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Record(0), lib.Record(0));
    EXPECT_EQ(back.Record(1), lib.Record(1));
    EXPECT_TRUE(back.Record(1).IsNull(8));
    EXPECT_EQ(back.CurrentIndex(), 0);

    // Saving twice writes the same file.
    const QByteArray first = ReadAll(path);
    back.Save(path);
    EXPECT_EQ(ReadAll(path), first);
    // Only the library file is left in the folder (no temporary file).
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"PropLib.cds"});
}

TEST(PropLib, FailedSaveKeepsOldFileAndTable) {
    QTemporaryDir dir;
    const QString path = PropLibPath(dir.path());
    TPropLib lib;
    lib.OpenEmpty();
    lib.Append(Rec("1", "水"));
    lib.Save(path);
    const QByteArray before = ReadAll(path);

    lib.Append(Rec("2", "空气"));
    // A read-only folder: the temporary file cannot be made.
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool root = QFileInfo(dir.path() + "/probe").exists() ||
                      QFile(dir.path() + "/probe").open(QIODevice::WriteOnly);
    if (!root) {
        EXPECT_THROW(lib.Save(path), Error);
        EXPECT_EQ(ReadAll(path), before);
    }
    QFile::remove(dir.path() + "/probe");
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(lib.Count(), 2);

    // Saving onto a path that is a folder fails the same way and leaves no debris.
    const QString folderPath = dir.path() + "/sub";
    QDir().mkpath(folderPath);
    EXPECT_THROW(lib.Save(folderPath), Error);
    EXPECT_EQ(ReadAll(path), before);
}

TEST(PropLib, LoadFailuresCloseTheLibrary) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray content; // empty name: the file does not exist
    };
    const Case cases[] = {
        {"missing.cds", {}},
        {"garbage.cds", "not json"},
        {"wrongformat.cds", R"({"format": "other", "fields": [], "records": []})"},
        {"fields.cds", R"({"format": "Tubalon PropLib", "fields": [{"name":"NO","width":6}],
                          "records": []})"},
        {"widths.cds", R"({"format": "Tubalon PropLib", "fields": [
             {"name":"NO","width":6},{"name":"CN","width":20},{"name":"EN","width":20},
             {"name":"CP","width":300},{"name":"MD","width":300},{"name":"VI","width":300},
             {"name":"TC","width":300},{"name":"ST","width":300},{"name":"HV","width":300},
             {"name":"NT","width":100}],
             "records": [{"NO": "1234567"}]})"},
        {"number.cds", R"({"format": "Tubalon PropLib", "fields": [
             {"name":"NO","width":6},{"name":"CN","width":20},{"name":"EN","width":20},
             {"name":"CP","width":300},{"name":"MD","width":300},{"name":"VI","width":300},
             {"name":"TC","width":300},{"name":"ST","width":300},{"name":"HV","width":300},
             {"name":"NT","width":100}],
             "records": [{"NO": 1}]})"},
    };
    for (const Case& c : cases) {
        const QString path = dir.path() + "/" + c.name;
        if (!c.content.isEmpty()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        TPropLib lib;
        lib.OpenEmpty();
        lib.Append(Rec("1", "x"));
        try {
            lib.Load(path);
            ADD_FAILURE() << c.name << " loaded";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().startsWith(
                QString("Cannot open file \"%1\". ").arg(QFileInfo(path).absoluteFilePath())))
                << e.what();
        }
        EXPECT_FALSE(lib.IsOpen()) << c.name;
        EXPECT_EQ(lib.Count(), 0);
        EXPECT_THROW(lib.CheckOpen(), Error);
        EXPECT_EQ(lib.Current(), nullptr);
    }
}

const QByteArray kVersion1Fields = R"({"format": "Tubalon PropLib", "version": 1, "fields": [
     {"name":"NO","width":6},{"name":"CN","width":20},{"name":"EN","width":20},
     {"name":"CP","width":300},{"name":"MD","width":300},{"name":"VI","width":300},
     {"name":"TC","width":300},{"name":"ST","width":300},{"name":"HV","width":300},
     {"name":"NT","width":100}], )";

// A library written before records had ranges reads as before: its records have no range
// of their own (their tables give it), and saving writes the new layout.
TEST(PropLib, LibraryWithoutRangesStillLoads) {
    QTemporaryDir dir;
    const QString path = PropLibPath(dir.path());
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // TR in a record of a file without "validityFields" is not read.
        f.write(kVersion1Fields + R"("records": [{"NO": "1", "CN": "水", "MD": "0,1000;50,988",
                                                  "TR": "garbage"}]})");
    }
    TPropLib lib;
    lib.Load(path);
    ASSERT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.Record(0).Text("MD"), "0,1000;50,988");
    for (int i = kPropBaseFieldCount; i < kPropFieldCount; ++i)
        EXPECT_TRUE(lib.Record(0).IsNull(i)) << i;
    lib.Save(path);
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.contains("\"validityFields\"")) << saved.toStdString();
    TPropLib back;
    back.Load(path);
    EXPECT_EQ(back.Record(0), lib.Record(0));
}

// Only a regular file of bounded size is read, and one of the wrong structure is refused
// with its name; the file is left as it was.
TEST(PropLib, RefusesWhatIsNoLibraryWithoutTouchingIt) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray content;
        const char* reason;
    };
    const Case cases[] = {
        {"records.cds", kVersion1Fields + R"("records": "oops"})", "records"},
        {"norecords.cds", kVersion1Fields + R"("other": []})", "records"},
        {"validity.cds", kVersion1Fields + R"("validityFields": [{"name":"TR","width":5}],
                                               "records": []})",
         "字段定义"},
        {"range.cds", kVersion1Fields + R"("validityFields": [
             {"name":"TR","width":30},{"name":"PR","width":30},{"name":"PH","width":4},
             {"name":"VP","width":300}], "records": [{"NO": "1", "TR": "hot"}]})",
         "适用温度"},
    };
    for (const Case& c : cases) {
        const QString path = dir.path() + "/" + c.name;
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        TPropLib lib;
        try {
            lib.Load(path);
            ADD_FAILURE() << c.name << " loaded";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QFileInfo(path).absoluteFilePath())) << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reason))) << e.what();
        }
        EXPECT_FALSE(lib.IsOpen());
        EXPECT_EQ(ReadAll(path), c.content) << c.name;
    }
}

TEST(PropLib, FifoAndOversizedFilesAreRefusedAtOnce) {
    QTemporaryDir dir;
    // A FIFO: opening it would wait for a writer.
    const QString fifo = dir.path() + "/fifo.cds";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A file over 64 MB (sparse: no memory or disk spent on it).
    const QString big = dir.path() + "/big.cds";
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize((qint64(64) << 20) + 1));
    }
    // A folder.
    const QString folder = dir.path() + "/folder.cds";
    QDir().mkpath(folder);
    for (const QString& path : {fifo, big, folder}) {
        TPropLib lib;
        EXPECT_THROW(lib.Load(path), Error) << path.toStdString();
        EXPECT_FALSE(lib.IsOpen());
    }
}

TEST(PropLib, PostRefusesARangeThatCannotBeRead) {
    TPropLib lib;
    lib.OpenEmpty();
    lib.Insert();
    lib.SetField(0, "01");
    lib.SetField(kFieldTR, "0~"); // typing goes on: no check yet
    EXPECT_THROW(lib.Post(), Error);
    EXPECT_EQ(lib.State(), TPropState::Insert); // still editing, nothing lost
    lib.SetField(kFieldTR, "0~100");
    lib.Post();
    EXPECT_EQ(lib.Count(), 1);
    EXPECT_EQ(lib.Record(0).Text(kFieldTR), "0~100");
}

TEST(PropLib, ShippedLibraryLoads) {
    TPropLib lib;
    lib.Load(QStringLiteral(TUBALON_SHIPPED_LIB));
    EXPECT_GE(lib.Count(), 25);
    for (int i = 0; i + 1 < lib.Count(); ++i)
        EXPECT_LT(lib.Record(i).Text(0), lib.Record(i + 1).Text(0)) << "NO unique and padded";
    for (int i = 0; i < lib.Count(); ++i) {
        EXPECT_FALSE(lib.Record(i).IsNull("NT")) << "every record names its source";
        EXPECT_FALSE(lib.Record(i).IsNull("CN"));
    }
}

} // namespace

namespace {

// Saving the library unchanged writes the shipped file byte for byte.
TEST(PropLib, ShippedFileIsInTheProgramsOwnLayout) {
    QFile f(QStringLiteral(TUBALON_SHIPPED_LIB));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray shipped = f.readAll();
    TPropLib lib;
    lib.Load(f.fileName());
    EXPECT_EQ(lib.ToText(), shipped);
}

} // namespace
