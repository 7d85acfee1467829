#include "singleinstance.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QByteArray RaiseRequest = "raise\n";
const QByteArray RaiseAnswer = "ok\n";
constexpr int MaxLine = 64;
// A client that connects and says nothing is dropped after this long.
constexpr int IdleClientMs = 5000;
// A live first copy accepts a connection at once; this only bounds a busy system.
constexpr int ServerProbeMs = 1000;

QString userTag() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    QString name = qEnvironmentVariable("USERNAME");
    return name.isEmpty() ? QStringLiteral("user") : name;
#endif
}

// Per-user folder for the lock and the socket: the runtime folder when there is one.
QString baseFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent) {
    QString safeKey = key;
    safeKey.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    const QString base = safeKey + QLatin1Char('-') + userTag();
    const QDir folder(baseFolder());
    m_lockPath = folder.filePath(base + QStringLiteral(".lock"));
    m_serverName = base;
#ifdef Q_OS_UNIX
    // A full path keeps the socket beside the lock; socket paths are limited to ~108 bytes.
    const QString socketPath = folder.filePath(base + QStringLiteral(".sock"));
    if (socketPath.toLocal8Bit().size() < 100)
        m_serverName = socketPath;
#endif
}

SingleInstance::~SingleInstance() {
    release();
}

bool SingleInstance::tryAcquire() {
    if (m_acquired)
        return true;
    auto lock = std::make_unique<QLockFile>(m_lockPath);
    // Never treat a live holder's lock as stale by its age; a dead holder's lock is still
    // recognised by its process id and taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError &&
        takeOverUnidentifiedLock(*lock))
        lock->tryLock(0);
    if (!lock->isLocked()) {
        if (lock->error() == QLockFile::LockFailedError)
            return false;
        // The lock cannot be made at all (no writable folder): run rather than refuse to
        // start; only the guard against a second copy is lost.
        m_acquired = true;
    } else {
        m_lock = std::move(lock);
        m_acquired = true;
    }

    // Holding the lock, any socket of that name is a leftover of a crashed copy.
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (!m_server->listen(m_serverName)) {
        delete m_server;
        m_server = nullptr;
    }
    return true;
}

bool SingleInstance::takeOverUnidentifiedLock(QLockFile& lock) const {
    // A copy killed between making the lock file and writing its process id into it leaves a
    // file nobody can be traced to. A holder that is alive answers on the socket (or still
    // holds the file's own lock while it writes, which keeps the removal below from working).
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false;
    QLocalSocket probe;
    probe.connectToServer(m_serverName);
    if (probe.waitForConnected(ServerProbeMs))
        return false;
    // Two copies starting at once must not both remove a lock, the second one the lock the
    // first has just made.
    QLockFile removal(m_lockPath + QStringLiteral(".rmlock"));
    return removal.tryLock(0) && !lock.getLockInfo(&pid, &host, &application) &&
           lock.removeStaleLockFile();
}

void SingleInstance::release() {
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    m_acquired = false;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(IdleClientMs, socket, [socket] { socket->abort(); });
        if (socket->bytesAvailable() > 0)
            answer(socket);
    }
}

void SingleInstance::answer(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxLine)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(MaxLine + 1);
    if (line == RaiseRequest) {
        if (m_onRaise)
            m_onRaise();
        socket->write(RaiseAnswer);
        socket->flush();
    }
    socket->disconnectFromServer();
}

bool SingleInstance::askRunningToRaise(int timeoutMs) {
    QLocalSocket socket;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QByteArray reply;
    bool done = false;
    bool answered = false;

    auto finish = [&] {
        done = true;
        loop.quit();
    };
    auto readReply = [&] {
        reply += socket.read(MaxLine + 1 - reply.size());
        if (reply.contains('\n') || reply.size() > MaxLine) {
            answered = reply == RaiseAnswer;
            finish();
        }
    };
    connect(&socket, &QLocalSocket::connected, &loop, [&] { socket.write(RaiseRequest); });
    connect(&socket, &QLocalSocket::readyRead, &loop, readReply);
    connect(&socket, &QLocalSocket::disconnected, &loop, [&] {
        readReply();
        finish();
    });
    connect(&socket, &QLocalSocket::errorOccurred, &loop, [&] {
        if (socket.state() != QLocalSocket::ConnectedState)
            finish();
    });
    connect(&timer, &QTimer::timeout, &loop, finish);

    socket.connectToServer(m_serverName);
    if (!done && socket.state() != QLocalSocket::UnconnectedState) {
        timer.start(std::max(timeoutMs, 0));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    socket.disconnect(&loop);
    socket.abort();
    return answered;
}
