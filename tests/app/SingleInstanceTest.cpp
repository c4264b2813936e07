// The single-instance start: whatever lies at the lock file, the program becomes the running
// copy; a second start's request reaches it; what is not a request is dropped.
#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace tubalon;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void startsWhateverLiesAtTheLock_data() {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("note"); // a part of the note on standard error, or empty
        QTest::newRow("no lock") << "none"
                                 << "";
        QTest::newRow("empty lock file") << "empty"
                                         << "无法读取（空的或已损坏），接管它";
        QTest::newRow("garbled lock file") << "garbled"
                                           << "无法读取（空的或已损坏），接管它";
        QTest::newRow("lock of another host") << "other host"
                                              << "是另一台计算机（far-away）写下的";
        QTest::newRow("folder at the lock path") << "folder"
                                                 << "被一个文件夹或其他非文件占用";
        QTest::newRow("lock of a copy that ended") << "stale"
                                                   << "";
        QTest::newRow("lock held and never released") << "held"
                                                      << "不加锁启动";
        QTest::newRow("socket left behind") << "socket"
                                            << "";
    }
    void startsWhateverLiesAtTheLock() {
        QFETCH(QString, variant);
        QFETCH(QString, note);
        QTemporaryDir dir;
        const QString lock = dir.filePath("Tubalon.lock");
        QLockFile holder(lock);
        if (variant == "empty") WriteFile(lock, "");
        if (variant == "garbled") WriteFile(lock, "\x01\x02zz\n\n");
        if (variant == "other host") WriteFile(lock, "4242\ntubalon\nfar-away\n");
        if (variant == "folder") QVERIFY(QDir().mkpath(dir.filePath("Tubalon.lock/inside")));
        if (variant == "stale")
            WriteFile(lock, "999999999\ntubalon\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        if (variant == "held") QVERIFY(holder.tryLock(0));
        if (variant == "socket") WriteFile(dir.filePath("Tubalon.socket"), "");

        TSingleInstance instance(dir.path());
        QCOMPARE(instance.Start(QString()), TSingleInstance::Role::Running);
        QVERIFY(instance.Listening());
        const QString notes = instance.Notes().join('\n');
        if (note.isEmpty())
            QCOMPARE(notes, QString());
        else
            QVERIFY2(notes.contains(note), qPrintable(notes));
        if (variant == "folder") QVERIFY(QFileInfo(dir.filePath("Tubalon.lock/inside")).isDir());
        // The lock is released once the socket marks the running copy.
        QLockFile after(instance.LockPath());
        if (variant != "held") QVERIFY(after.tryLock(0));
    }

    void requestReachesTheRunningCopy_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<bool>("request");
        QTest::addColumn<QString>("file");
        QTest::newRow("a case file")
            << QByteArray("TUBALON OPEN /x/热水.cdp\n") << true << QStringLiteral("/x/热水.cdp");
        QTest::newRow("raise only") << QByteArray("TUBALON OPEN \n") << true << QString();
        QTest::newRow("something else")
            << QByteArray("GET / HTTP/1.0\r\n\r\n") << false << QString();
        QTest::newRow("too long") << "TUBALON OPEN " + QByteArray(70000, 'a') + "\n"
                                  << false << QString();
    }
    void requestReachesTheRunningCopy() {
        QFETCH(QByteArray, sent);
        QFETCH(bool, request);
        QFETCH(QString, file);
        QTemporaryDir dir;
        TSingleInstance instance(dir.path());
        QCOMPARE(instance.Start(QString()), TSingleInstance::Role::Running);
        QSignalSpy requested(&instance, &TSingleInstance::Requested);
        QLocalSocket client;
        client.connectToServer(instance.SocketPath());
        QTRY_COMPARE(client.state(), QLocalSocket::ConnectedState);
        client.write(sent);
        if (request) {
            QTRY_COMPARE(requested.count(), 1);
            QCOMPARE(requested.first().first().toString(), file);
            QByteArray answer;
            QTRY_VERIFY((answer += client.readAll()).endsWith('\n'));
            QCOMPARE(answer, QByteArray("TUBALON OK\n"));
        } else {
            QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
            QCOMPARE(requested.count(), 0);
        }
    }

    void caseFileArgument() {
        const struct {
            QStringList args;
            QString file;
        } cases[] = {
            {{"tubalon"}, QString()},
            {{"tubalon", "/a/b.cdp"}, "/a/b.cdp"},
            {{"tubalon", "--x", "/a/b.cdp", "/c.cdp"}, "/a/b.cdp"},
            {{"tubalon", "b.cdp"}, QDir::current().absoluteFilePath("b.cdp")},
        };
        for (const auto& c : cases)
            QCOMPARE(CaseFileArgument(c.args), c.file);
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
