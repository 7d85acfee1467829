#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLockFile;
class QSocketNotifier;

// Keeps a second copy of the program from running for the same user. The first copy holds
// a lock file and listens on a local (Unix) socket; a second copy finds the lock taken and
// asks the first, through the socket, to bring its window to the front. A lock left behind by
// a copy that crashed is taken over: one naming a process that is gone, and one naming no
// process at all (the copy was killed before it could write it) when nothing answers on the
// socket.
//
// The socket is served with the toolkit's socket notifier rather than its network module: that
// module, and the half-dozen libraries it brings, would be loaded on every start for these
// few bytes.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The key names the lock and the socket; tests pass their own so they never collide.
    explicit SingleInstance(const QString& key = QStringLiteral("AppKLAMRA-TRQXB"),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first copy: the lock is ours and raise requests are heard.
    // False when another live copy holds it.
    bool tryAcquire();
    bool isAcquired() const { return m_acquired; }
    // Gives the lock and the socket up (the destructor does it too).
    void release();

    // For the second copy: asks the first to raise its window and waits up to timeoutMs for
    // its answer. True when the first copy answered. Runs a local event loop meanwhile
    // (without user input).
    bool askRunningToRaise(int timeoutMs);

    enum class Start { First, HandedOver, NoAnswer };
    // A start's own decision: takes the lock (First), or asks its holder to raise its window
    // (HandedOver), trying both again until one works or timeoutMs have passed. Two copies
    // started at once meet a holder that has the lock but is not listening yet, or one that is
    // ending and listens no more. NoAnswer: a copy holds the lock and did not answer in time.
    Start acquireOrHandOver(int timeoutMs);

    // Runs in the first copy when a second one asks; the program raises its front window.
    void setOnRaiseRequested(std::function<void()> handler) { m_onRaise = std::move(handler); }

    QString lockFilePath() const { return m_lockPath; }
    // The socket's path.
    QString serverName() const { return m_serverName; }

private:
    bool takeOverUnidentifiedLock(QLockFile& lock) const;
    bool listen();
    void acceptConnections();

    QString m_lockPath;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    int m_listenFd = -1;
    // Owns the listening socket's notifier and the connections being answered.
    QObject* m_server = nullptr;
    bool m_acquired = false;
    std::function<void()> m_onRaise;
};
