#include "singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray RaiseRequest = "raise\n";
const QByteArray RaiseAnswer = "ok\n";
constexpr int MaxLine = 64;
// A client that connects and says nothing is dropped after this long.
constexpr int IdleClientMs = 5000;
// Between two tries of a start that found the lock taken and nobody answering.
constexpr int RetryMs = 20;

QString userTag() {
    return QString::number(::getuid());
}

// Per-user folder for the lock and the socket: the runtime folder when there is one.
QString baseFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
}

// False when the path does not fit a socket address.
bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    if (bytes.isEmpty() || bytes.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// A socket connected to the path, or -1. A local connection is made at once or not at all;
// a listener whose queue is full counts as there when `busyCounts`.
int connectTo(const QString& path, bool busyCounts) {
    sockaddr_un address;
    if (!socketAddress(path, address))
        return -1;
    const int fd = newSocket();
    if (fd < 0)
        return -1;
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result == 0 || (busyCounts && errno == EAGAIN))
        return fd;
    ::close(fd);
    return -1;
}

// Writes what it can without waiting; false when the socket failed or was closed.
bool sendSome(int fd, const QByteArray& bytes, qsizetype& sent) {
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

enum class ReadResult { More, Line, Closed };

// Reads what has arrived, up to one line (or more than a line's worth).
ReadResult readSome(int fd, QByteArray& line) {
    char buffer[MaxLine + 1];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size_t(MaxLine + 1 - line.size()));
        if (n > 0) {
            line.append(buffer, n);
            if (line.contains('\n') || line.size() > MaxLine)
                return ReadResult::Line;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return ReadResult::More;
        return ReadResult::Closed;
    }
}

// One second copy's request on the first copy's side: answered once its line is in, dropped
// when it says something else, says too much or stays silent.
class RaiseConnection : public QObject {
public:
    RaiseConnection(int fd, std::function<void()> onRaise, QObject* parent)
        : QObject(parent), m_fd(fd), m_notifier(fd, QSocketNotifier::Read),
          m_onRaise(std::move(onRaise)) {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] { read(); });
        QTimer::singleShot(IdleClientMs, this, [this] { finish(); });
        read();
    }
    ~RaiseConnection() override {
        m_notifier.setEnabled(false);
        ::close(m_fd);
    }

private:
    void read() {
        if (m_finished || readSome(m_fd, m_line) == ReadResult::More)
            return;
        if (m_line.left(m_line.indexOf('\n') + 1) == RaiseRequest) {
            if (m_onRaise)
                m_onRaise();
            qsizetype sent = 0;
            sendSome(m_fd, RaiseAnswer, sent);
        }
        finish();
    }
    void finish() {
        m_finished = true;
        m_notifier.setEnabled(false);
        deleteLater();
    }

    int m_fd;
    QSocketNotifier m_notifier;
    std::function<void()> m_onRaise;
    QByteArray m_line;
    bool m_finished = false;
};

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent) {
    QString safeKey = key;
    safeKey.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    const QString base = safeKey + QLatin1Char('-') + userTag();
    const QDir folder(baseFolder());
    m_lockPath = folder.filePath(base + QStringLiteral(".lock"));
    // Beside the lock; a runtime folder too deep for a socket address falls back to the
    // temporary folder.
    m_serverName = folder.filePath(base + QStringLiteral(".sock"));
    sockaddr_un address;
    if (!socketAddress(m_serverName, address))
        m_serverName = QDir(QDir::tempPath()).filePath(base + QStringLiteral(".sock"));
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
    listen();
    return true;
}

bool SingleInstance::listen() {
    sockaddr_un address;
    if (!socketAddress(m_serverName, address))
        return false;
    // Holding the lock, any socket of that name is a leftover of a crashed copy.
    ::unlink(address.sun_path);
    const int fd = newSocket();
    if (fd < 0)
        return false;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    // Only this user may connect (the runtime folder is the user's own anyway).
    ::chmod(address.sun_path, S_IRUSR | S_IWUSR);
    m_listenFd = fd;
    m_server = new QObject(this);
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, m_server);
    connect(notifier, &QSocketNotifier::activated, this, [this] { acceptConnections(); });
    return true;
}

bool SingleInstance::takeOverUnidentifiedLock(QLockFile& lock) const {
    // A copy killed between making the lock file and writing its process id into it leaves a
    // file nobody can be traced to. A holder that is alive listens on the socket (or still
    // holds the file's own lock while it writes, which keeps the removal below from working).
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false;
    if (const int probe = connectTo(m_serverName, true); probe >= 0) {
        ::close(probe);
        return false;
    }
    // Two copies starting at once must not both remove a lock, the second one the lock the
    // first has just made.
    QLockFile removal(m_lockPath + QStringLiteral(".rmlock"));
    return removal.tryLock(0) && !lock.getLockInfo(&pid, &host, &application) &&
           lock.removeStaleLockFile();
}

void SingleInstance::release() {
    if (m_server) {
        delete m_server; // the notifier and every connection with it
        m_server = nullptr;
        ::close(m_listenFd);
        m_listenFd = -1;
        QFile::remove(m_serverName);
    }
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    m_acquired = false;
}

void SingleInstance::acceptConnections() {
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR)
                continue;
            return; // none left, or one that went away before it was taken
        }
        new RaiseConnection(
            fd,
            [this] {
                if (m_onRaise)
                    m_onRaise();
            },
            m_server);
    }
}

SingleInstance::Start SingleInstance::acquireOrHandOver(int timeoutMs) {
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    for (;;) {
        if (tryAcquire())
            return Start::First;
        // Fails at once when nothing listens or the holder closes without an answer; waits
        // out the rest of the time for a holder that takes the request and stays silent.
        if (askRunningToRaise(int(deadline.remainingTime())))
            return Start::HandedOver;
        if (deadline.hasExpired())
            return Start::NoAnswer;
        QThread::msleep(std::min<qint64>(RetryMs, deadline.remainingTime()));
    }
}

bool SingleInstance::askRunningToRaise(int timeoutMs) {
    const int fd = connectTo(m_serverName, false);
    if (fd < 0)
        return false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QSocketNotifier writable(fd, QSocketNotifier::Write);
    QSocketNotifier readable(fd, QSocketNotifier::Read);
    writable.setEnabled(false);
    QByteArray reply;
    qsizetype sent = 0;
    bool done = false;
    bool answered = false;

    const auto finish = [&] {
        done = true;
        loop.quit();
    };
    const auto send = [&] {
        if (!sendSome(fd, RaiseRequest, sent))
            finish();
        writable.setEnabled(!done && sent < RaiseRequest.size());
    };
    const auto receive = [&] {
        if (readSome(fd, reply) == ReadResult::More)
            return;
        answered = reply == RaiseAnswer;
        finish();
    };
    connect(&writable, &QSocketNotifier::activated, &loop, send);
    connect(&readable, &QSocketNotifier::activated, &loop, receive);
    connect(&timer, &QTimer::timeout, &loop, finish);

    send();
    if (!done) {
        timer.start(std::max(timeoutMs, 0));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    writable.setEnabled(false);
    readable.setEnabled(false);
    ::close(fd);
    return answered;
}
