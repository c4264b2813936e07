// One running copy of the program per user. A second start hands its case file (if any) to
// the running copy, which raises its window and opens the file, and then ends. The start
// itself never fails: a lock file that cannot be read, was written on another host, or is
// in the way as a folder is taken over or avoided, and without lock or socket the program
// simply runs on its own.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

namespace tubalon {

class TSingleInstance : public QObject {
    Q_OBJECT
public:
    // How long a lock left by a copy that still runs is respected: the lock guards only the
    // moment of finding or becoming the running copy, which takes milliseconds.
    static constexpr int kLockStaleMs = 10000;
    static constexpr int kLockWaitMs = 3000;
    // How long a second start waits for the running copy to answer (it answers once its
    // window is up); a copy that hangs longer does not keep the next one from starting.
    static constexpr int kAnswerWaitMs = 20000;

    enum class Role { Running, HandedOver };

    // dir holds the lock file "Tubalon.lock" and the socket "Tubalon.socket".
    explicit TSingleInstance(const QString& dir, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // The user's runtime folder (the temporary folder when there is none).
    static QString DefaultDir();

    // Hands file (absolute, or empty) to a running copy and returns HandedOver when one
    // answers; otherwise starts listening as the running copy and returns Running.
    Role Start(const QString& file);
    // What did not go as usual, one line each, for standard error.
    const QStringList& Notes() const { return notes_; }
    bool Listening() const { return server_.isListening(); }
    QString LockPath() const { return lockPath_; }
    QString SocketPath() const { return socketPath_; }

signals:
    // A second start asked to raise the window, and to open file when it is not empty.
    void Requested(const QString& file);

private:
    bool HandOver(const QString& file);
    void Listen();
    void Accept();

    QString dir_, lockPath_, socketPath_;
    QLocalServer server_;
    QStringList notes_;
};

// The case file named on a command line (the first argument that is not an option), made
// absolute; empty when there is none.
QString CaseFileArgument(const QStringList& arguments);

} // namespace tubalon
