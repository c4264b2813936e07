// The recent-files list: its rules for adding, its menu entries and its INI storage.
#include "casefile/MruUnit.h"
#include "units/Messages.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tubalon;

namespace {

// The file menu of the main window: New, Open, -, Save, Save as, Template, -, Exit.
struct FileMenu {
    std::unique_ptr<QMenu> menu = std::make_unique<QMenu>();
    QTemporaryDir dir;
    std::unique_ptr<TMostRecentFiles> mrf = std::make_unique<TMostRecentFiles>();
    QStringList opened;

    FileMenu() {
        for (const char* t :
             {"&N 新建", "&O 打开", "-", "&S 保存", "&A 另存为", "&T 存为模板", "-", "&E 退出"}) {
            if (QByteArray(t) == "-")
                menu->addSeparator();
            else
                menu->addAction(QString::fromUtf8(t));
        }
        mrf->SetStoreOnDestroy(false);
        mrf->SetIniFile(dir.filePath("tubalon.ini"));
        mrf->SetMaxFiles(9);
        mrf->SetShowFullPath(true);
        mrf->SetMenuPosition(6);
        mrf->SetFileExt("cdp");
        mrf->SetOwnerMenuItem(menu.get());
        mrf->OnMenuClick = [this](QObject*, const QString& f) { opened << f; };
    }
    QString Touch(const QString& name) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        return f.fileName();
    }
    QStringList Captions() const {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    QAction* Entry(int rank) const {
        for (QAction* a : menu->actions())
            if (a->text().startsWith(QStringLiteral("&%1  ").arg(rank))) return a;
        return nullptr;
    }
};

} // namespace

class MruTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetHeadlessMessages(true); }
    void addFileRules_data();
    void addFileRules();
    void tenthFileDropsOldest();
    void menuEntriesGoBeforeExitSeparator();
    void menuPositionPastEnd();
    void fileNamesOnly();
    void clickMovesToTopAndOpens();
    void clickOnDeletedFileRemovesIt();
    void loadStopsAtFirstEmptyKey();
    void saveWritesAllRanks();
    void maxFilesLimits();
};

void MruTest::addFileRules_data() {
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("template ignored")
        << QStringList{"/a/x.cdp", "/a/t.dpt"} << QStringList{"/a/x.cdp"};
    QTest::newRow("extension letter case") << QStringList{"/a/X.CDP"} << QStringList{"/a/X.CDP"};
    QTest::newRow("no extension") << QStringList{"/a/cdp", "/a.cdp/x"} << QStringList{};
    QTest::newRow("letter case moves entry to top")
        << QStringList{"/a/x.cdp", "/a/y.cdp", "/A/X.cdp"} << QStringList{"/A/X.cdp", "/a/y.cdp"};
    QTest::newRow("already first")
        << QStringList{"/a/x.cdp", "/a/x.cdp"} << QStringList{"/a/x.cdp"};
}

void MruTest::addFileRules() {
    QFETCH(QStringList, added);
    QFETCH(QStringList, files);
    FileMenu m;
    for (const QString& f : added)
        m.mrf->AddFile(f);
    QCOMPARE(m.mrf->Files(), files);
}

void MruTest::tenthFileDropsOldest() {
    FileMenu m;
    for (int i = 1; i <= 10; ++i)
        m.mrf->AddFile(QStringLiteral("/c/%1.cdp").arg(i));
    QCOMPARE(m.mrf->Files().size(), 9);
    QCOMPARE(m.mrf->Files().first(), QStringLiteral("/c/10.cdp"));
    QCOMPARE(m.mrf->Files().last(), QStringLiteral("/c/2.cdp"));
    QVERIFY(m.Entry(9) != nullptr);
}

void MruTest::menuEntriesGoBeforeExitSeparator() {
    FileMenu m;
    m.mrf->AddFile("/c/a.cdp");
    m.mrf->AddFile("/c/b.cdp");
    const QStringList expected = {"&N 新建",      "&O 打开",     "-",      "&S 保存",
                                  "&A 另存为",    "&T 存为模板", "-",      "&1  /c/b.cdp",
                                  "&2  /c/a.cdp", "-",           "&E 退出"};
    QCOMPARE(m.Captions(), expected);
    // Rebuilding does not pile up separators.
    m.mrf->AddFile("/c/a.cdp");
    QCOMPARE(m.Captions().size(), expected.size());
    QCOMPARE(m.Captions()[7], QStringLiteral("&1  /c/a.cdp"));
}

void MruTest::menuPositionPastEnd() {
    FileMenu m;
    m.mrf->SetMenuPosition(50);
    m.mrf->AddFile("/c/a.cdp");
    const QStringList c = m.Captions();
    QCOMPARE(c.size(), 10);
    QCOMPARE(c[7], QStringLiteral("&E 退出"));
    QCOMPARE(c[8], QStringLiteral("-"));
    QCOMPARE(c[9], QStringLiteral("&1  /c/a.cdp"));
}

void MruTest::fileNamesOnly() {
    FileMenu m;
    m.mrf->SetShowFullPath(false);
    m.mrf->AddFile("/one/case.cdp");
    m.mrf->AddFile("/two/case.cdp");
    QCOMPARE(m.Captions().mid(7, 2), (QStringList{"&1  case.cdp", "&2  case.cdp"}));
    // Ranks from ten on are hexadecimal digits.
    m.mrf->SetMaxFiles(15);
    for (int i = 0; i < 10; ++i)
        m.mrf->AddFile(QStringLiteral("/n/%1.cdp").arg(i));
    QVERIFY(m.Captions().contains(QStringLiteral("&A  0.cdp")));
    QVERIFY(m.Captions().contains(QStringLiteral("&C  case.cdp")));
}

void MruTest::clickMovesToTopAndOpens() {
    FileMenu m;
    const QString a = m.Touch("a.cdp"), b = m.Touch("b.cdp");
    m.mrf->AddFile(a);
    m.mrf->AddFile(b);
    m.Entry(2)->trigger();
    QCOMPARE(m.opened, QStringList{a});
    QCOMPARE(m.mrf->Files(), (QStringList{a, b}));
    QCOMPARE(m.Entry(1)->text(), QStringLiteral("&1  ") + a);
}

void MruTest::clickOnDeletedFileRemovesIt() {
    FileMenu m;
    const QString a = m.Touch("a.cdp"), b = m.Touch("b.cdp"), c = m.Touch("c.cdp");
    for (const QString& f : {a, b, c})
        m.mrf->AddFile(f);
    QFile::remove(b);
    const int before = MessagesShown();
    m.Entry(2)->trigger();
    QCOMPARE(MessagesShown(), before + 1);
    QVERIFY(m.opened.isEmpty());
    QCOMPARE(m.mrf->Files(), (QStringList{c, a}));
    QCOMPARE(m.Entry(2)->text(), QStringLiteral("&2  ") + a);

    QStringList missing;
    m.mrf->OnFileNotExist = [&](QObject*, const QString& f) { missing << f; };
    QFile::remove(a);
    m.Entry(2)->trigger();
    QCOMPARE(missing, QStringList{a});
    QCOMPARE(MessagesShown(), before + 1);
    QCOMPARE(m.mrf->Files(), QStringList{c});
}

void MruTest::loadStopsAtFirstEmptyKey() {
    FileMenu m;
    QFile ini(m.dir.filePath("tubalon.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Other]\r\n1=/x/no.cdp\r\n[MRU List]\r\n1=/c/\xB2\xE2\xCA\xD4.cdp\r\n2=/c/b.cdp\r\n"
              "3=\r\n4=/c/d.cdp\r\n");
    ini.close();
    m.mrf->LoadList();
    QCOMPARE(m.mrf->Files(), (QStringList{QStringLiteral("/c/测试.cdp"), "/c/b.cdp"}));
    QCOMPARE(m.Captions()[7], QStringLiteral("&1  /c/测试.cdp"));

    m.mrf->SetIniFile(m.dir.filePath("none.ini"));
    QVERIFY(m.mrf->Files().isEmpty());
    QCOMPARE(m.Captions().size(), 8);
}

void MruTest::saveWritesAllRanks() {
    FileMenu m;
    const QString path = m.dir.filePath("tubalon.ini");
    QFile pre(path);
    QVERIFY(pre.open(QIODevice::WriteOnly));
    pre.write("[Other]\r\nkey=1\r\n");
    pre.close();
    m.mrf->AddFile(QStringLiteral("/c/测试.cdp"));
    m.mrf->AddFile("/c/b.cdp");
    m.mrf->SaveList();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes,
             QByteArray(
                 "[Other]\r\nkey=1\r\n\r\n[MRU List]\r\n1=/c/b.cdp\r\n2=/c/\xB2\xE2\xCA\xD4.cdp\r\n"
                 "3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n9=\r\n"));
    // Stored on destruction, and read back by a new list.
    m.mrf->AddFile("/c/z.cdp");
    m.mrf->SetStoreOnDestroy(true);
    m.mrf.reset();
    TMostRecentFiles again;
    again.SetStoreOnDestroy(false);
    again.SetIniFile(path);
    QCOMPARE(again.Files(), (QStringList{"/c/z.cdp", "/c/b.cdp", QStringLiteral("/c/测试.cdp")}));
}

void MruTest::maxFilesLimits() {
    TMostRecentFiles m;
    m.SetStoreOnDestroy(false);
    m.SetMaxFiles(0);
    QCOMPARE(m.MaxFiles(), 1u);
    m.SetMaxFiles(16);
    QCOMPARE(m.MaxFiles(), 15u);
    m.SetMaxFiles(15);
    QCOMPARE(m.MaxFiles(), 15u);
    // Without an owner menu nothing is added.
    m.AddFile("/c/a.cdp");
    QVERIFY(m.Files().isEmpty());
}

QTEST_MAIN(MruTest)
#include "MruTest.moc"
