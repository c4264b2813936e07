#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>
#include <QSysInfo>
#include <memory>

namespace tubalon {
namespace {

// The request a second start sends, and the running copy's answer.
const QByteArray kRequest = "TUBALON OPEN ";
const QByteArray kAnswer = "TUBALON OK\n";
// Longest request read; a path takes far less.
constexpr qsizetype kMaxRequestBytes = 64 * 1024;

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

TSingleInstance::TSingleInstance(const QString& dir, QObject* parent) : QObject(parent), dir_(dir) {
    socketPath_ = QDir(dir_).filePath(QStringLiteral("Tubalon.socket"));
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
}

TSingleInstance::~TSingleInstance() {
    server_.close();
}

QString TSingleInstance::DefaultDir() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}

TSingleInstance::Role TSingleInstance::Start(const QString& file) {
    // The lock file's place: the first name not taken by something other than a file.
    lockPath_ = QDir(dir_).filePath(QStringLiteral("Tubalon.lock"));
    for (int i = 2; i < 10; ++i) {
        const QFileInfo info(lockPath_);
        if (!info.exists() || info.isFile()) break;
        const QString other = QDir(dir_).filePath(QStringLiteral("Tubalon-%1.lock").arg(i));
        notes_ << QStringLiteral("锁文件的位置“%1”被一个文件夹或其他非文件占用，改用“%2”。")
                      .arg(Native(lockPath_), Native(other));
        lockPath_ = other;
    }

    QLockFile lock(lockPath_);
    lock.setStaleLockTime(kLockStaleMs);
    if (QFileInfo(lockPath_).isFile()) {
        qint64 pid = 0;
        QString host, app;
        const bool readable = lock.getLockInfo(&pid, &host, &app);
        const QString here = QSysInfo::machineHostName();
        // Such a lock would never count as left behind: it is taken over at once.
        if (!readable || (!host.isEmpty() && host != here)) {
            notes_ << (readable ? QStringLiteral("锁文件“%1”是另一台计算机（%2）写下的，接管它。")
                                      .arg(Native(lockPath_), host)
                                : QStringLiteral("锁文件“%1”无法读取（空的或已损坏），接管它。")
                                      .arg(Native(lockPath_)));
            lock.removeStaleLockFile();
        }
    }
    const bool locked = lock.tryLock(kLockWaitMs);
    if (!locked)
        notes_ << QStringLiteral("无法取得锁文件“%1”，不加锁启动。").arg(Native(lockPath_));

    if (HandOver(file)) return Role::HandedOver;
    Listen();
    return Role::Running; // the lock is released here; the socket marks the running copy
}

bool TSingleInstance::HandOver(const QString& file) {
    if (!QFileInfo::exists(socketPath_)) return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(1000)) return false; // a socket left by a copy that ended
    socket.write(kRequest + file.toUtf8() + '\n');
    QByteArray answer;
    if (socket.waitForBytesWritten(1000))
        while (!answer.endsWith('\n') && answer.size() < 64 &&
               socket.waitForReadyRead(kAnswerWaitMs))
            answer += socket.readAll();
    if (answer == kAnswer) {
        notes_ << (file.isEmpty()
                       ? QStringLiteral("Tubalon 已经在运行，已把它的窗口提到前面。")
                       : QStringLiteral("Tubalon 已经在运行，已请它打开“%1”。").arg(Native(file)));
        return true;
    }
    notes_ << QStringLiteral("正在运行的 Tubalon 没有回应，另行启动。");
    return false;
}

void TSingleInstance::Listen() {
    // Nobody answered at the socket: it was left behind and can go.
    QLocalServer::removeServer(socketPath_);
    if (!server_.listen(socketPath_))
        notes_ << QStringLiteral("无法建立“%1”（%2），再次启动时不能交给这个程序。")
                      .arg(Native(socketPath_), server_.errorString());
}

void TSingleInstance::Accept() {
    while (QLocalSocket* s = server_.nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(s, &QLocalSocket::readyRead, this, [this, s, buffer] {
            *buffer += s->read(kMaxRequestBytes + 1 - buffer->size());
            const bool request = buffer->size() < kRequest.size() ? kRequest.startsWith(*buffer)
                                                                  : buffer->startsWith(kRequest);
            if (!request || buffer->size() > kMaxRequestBytes) {
                s->abort(); // not a second start of this program
                return;
            }
            const qsizetype end = buffer->indexOf('\n');
            if (end < 0) return;
            const QString file =
                QString::fromUtf8(buffer->mid(kRequest.size(), end - kRequest.size()));
            s->write(kAnswer);
            s->flush();
            s->disconnectFromServer();
            // Handled once the socket's own handling is over: opening may show dialogs.
            QMetaObject::invokeMethod(
                this, [this, file] { emit Requested(file); }, Qt::QueuedConnection);
        });
    }
}

QString CaseFileArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a.isEmpty() || a.startsWith(QChar('-'))) continue;
        return QFileInfo(a).absoluteFilePath();
    }
    return QString();
}

} // namespace tubalon
