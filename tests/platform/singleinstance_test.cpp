#include "singleinstance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "wk-singleinstance-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* instance = new QCoreApplication(argc, argv);
    return *instance;
}

// Each test keeps its lock and socket in its own runtime folder.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        ASSERT_TRUE(runtime.isValid());
        saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved); }

    // Runs the event loop until the process ends (or a generous safety limit passes).
    static void waitFor(QProcess& process) {
        if (process.state() == QProcess::NotRunning)
            return;
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // Reads the helper's output until a line arrives (or the helper ends).
    static QByteArray readLine(QProcess& process) {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
            if (process.canReadLine())
                loop.quit();
        });
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        if (!process.canReadLine())
            loop.exec();
        return process.readLine().trimmed();
    }

    QTemporaryDir runtime;
    QByteArray saved;
    const QString key = QStringLiteral("WkTest-SingleInstance");
};

TEST_F(SingleInstanceTest, SecondObjectIsRefusedAndItsRaiseRequestReachesTheFirst) {
    SingleInstance first(key);
    int raised = 0;
    first.setOnRaiseRequested([&] { ++raised; });
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.tryAcquire()); // asking again while holding it is harmless

    SingleInstance second(key);
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_FALSE(second.isAcquired());
    EXPECT_TRUE(second.askRunningToRaise(5000));
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(second.askRunningToRaise(5000));
    EXPECT_EQ(raised, 2);
}

// What the first copy makes of what arrives on its socket: only a "raise" line raises and is
// answered; anything else, or too much, is dropped unanswered, and the copy keeps listening.
TEST_F(SingleInstanceTest, OnlyARaiseLineIsAnswered) {
    SingleInstance first(key);
    int raised = 0;
    first.setOnRaiseRequested([&] { ++raised; });
    ASSERT_TRUE(first.tryAcquire());
    const struct {
        const char* name;
        QList<QByteArray> pieces;
        bool answered;
    } cases[] = {
        {"whole", {"raise\n"}, true},
        {"in two pieces", {"rai", "se\n"}, true},
        {"followed by more", {"raise\nraise\n"}, true},
        {"another word", {"hello\n"}, false},
        {"no line end", {"raise"}, false},
        {"too long", {QByteArray(100, 'r')}, false},
        {"nothing", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = raised;
        QLocalSocket client;
        client.connectToServer(first.serverName());
        ASSERT_TRUE(client.waitForConnected(2000));
        QEventLoop loop;
        QObject::connect(&client, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
        for (const QByteArray& piece : c.pieces) {
            client.write(piece);
            client.flush();
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (c.pieces.isEmpty() || !c.answered) {
            // Silence is dropped after a while; an unfinished line waits for the rest.
            client.disconnectFromServer();
        }
        if (client.state() != QLocalSocket::UnconnectedState) {
            QTimer::singleShot(6000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        EXPECT_EQ(client.readAll(), c.answered ? QByteArray("ok\n") : QByteArray());
        EXPECT_EQ(raised - before, c.answered ? 1 : 0);
    }
    SingleInstance second(key);
    EXPECT_TRUE(second.askRunningToRaise(5000)) << "still listening";
}

TEST_F(SingleInstanceTest, ALiveHoldersLockNeverGoesStaleWithAge) {
    SingleInstance first(key);
    ASSERT_TRUE(first.tryAcquire());
    QFile lock(first.lockFilePath());
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTimeUtc().addDays(-2),
                                 QFileDevice::FileModificationTime));
    lock.close();
    SingleInstance second(key);
    EXPECT_FALSE(second.tryAcquire());
}

TEST_F(SingleInstanceTest, ReleasedLockCanBeTakenAgain) {
    SingleInstance first(key);
    ASSERT_TRUE(first.tryAcquire());
    first.release();
    SingleInstance second(key);
    EXPECT_TRUE(second.tryAcquire());
    EXPECT_FALSE(first.tryAcquire());
}

TEST_F(SingleInstanceTest, RaiseRequestWithNobodyListeningFails) {
    SingleInstance lonely(key);
    EXPECT_FALSE(lonely.askRunningToRaise(2000));
}

TEST_F(SingleInstanceTest, RaiseRequestToAServerThatNeverAnswersGivesUp) {
    SingleInstance asker(key);
    QLocalServer mute; // accepts the connection and says nothing
    QLocalServer::removeServer(asker.serverName());
    ASSERT_TRUE(mute.listen(asker.serverName()));
    EXPECT_FALSE(asker.askRunningToRaise(200));
}

TEST_F(SingleInstanceTest, AStaleLockOfADeadProcessIsTakenOver) {
    SingleInstance instance(key);
    QFile stale(instance.lockFilePath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999999\nwiklotek\n\n"); // no such process
    stale.close();
    // A socket file left behind as well.
    QFile socket(instance.serverName());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    EXPECT_TRUE(instance.tryAcquire());
    SingleInstance second(key);
    EXPECT_TRUE(second.askRunningToRaise(5000)); // and it listens again
}

// A copy killed between making the lock file and writing it leaves a lock nobody can be
// traced to: it is stale unless something answers on the socket.
TEST_F(SingleInstanceTest, ALockThatNamesNoProcessIsTakenOverWhenNothingAnswers) {
    const struct {
        const char* name;
        QByteArray content;
        bool serverListens;
        bool acquired;
    } cases[] = {
        {"empty, silent", QByteArray(), false, true},
        {"blank lines, silent", QByteArray("\n\n\n"), false, true},
        {"not a number, silent", QByteArray("wiklotek\n\n\n"), false, true},
        {"empty, answering", QByteArray(), true, false},
        {"not a number, answering", QByteArray("x\ny\n"), true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SingleInstance instance(key);
        QFile left(instance.lockFilePath());
        ASSERT_TRUE(left.open(QIODevice::WriteOnly | QIODevice::Truncate));
        left.write(c.content);
        left.close();
        QLocalServer server;
        if (c.serverListens) {
            QLocalServer::removeServer(instance.serverName());
            ASSERT_TRUE(server.listen(instance.serverName()));
        }

        EXPECT_EQ(instance.tryAcquire(), c.acquired);
        if (c.acquired) {
            SingleInstance second(key);
            EXPECT_FALSE(second.tryAcquire()) << "the lock taken over holds";
        } else {
            EXPECT_EQ(QFile(instance.lockFilePath()).size(), c.content.size())
                << "the answering holder's lock stays";
        }
        server.close();
        instance.release();
        QFile::remove(instance.lockFilePath());
    }
}

TEST_F(SingleInstanceTest, SecondProcessRaisesTheFirst) {
    SingleInstance first(key);
    int raised = 0;
    first.setOnRaiseRequested([&] { ++raised; });
    ASSERT_TRUE(first.tryAcquire());

    QProcess second;
    second.start(QStringLiteral(WK_SINGLEINSTANCE_HELPER), {QStringLiteral("second"), key});
    ASSERT_TRUE(second.waitForStarted());
    waitFor(second);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(raised, 1);
}

TEST_F(SingleInstanceTest, FirstProcessIsRaisedAndItsLockFreedWhenItIsKilled) {
    QProcess first;
    first.start(QStringLiteral(WK_SINGLEINSTANCE_HELPER), {QStringLiteral("first"), key});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_EQ(readLine(first), QByteArray("ready"));

    SingleInstance second(key);
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_TRUE(second.askRunningToRaise(5000));
    EXPECT_EQ(readLine(first), QByteArray("raised"));

    first.kill(); // a crash: the lock file stays behind
    waitFor(first);
    EXPECT_TRUE(QFile::exists(second.lockFilePath()));
    EXPECT_TRUE(second.tryAcquire());
}

} // namespace
