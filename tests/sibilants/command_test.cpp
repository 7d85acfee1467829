// wiklotek --analyse as a user runs it: its lines for a known take, and its statuses.
#include "testsignals.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace TestSignals;

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome run(const QStringList& arguments) {
    QProcess p;
    // No display either: the command must not need one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(WK_PROGRAM), arguments);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class AnalyseCommand : public ::testing::Test {
protected:
    void SetUp() override {
        // "sz ... s": two hisses at 44.1 kHz, 200-450 ms and 650-850 ms.
        const int rate = 44100;
        write("take.wav",
              wave(pcm(join({silence(rate, 200), bandNoise(rate, 250, 4000, 1500, -24),
                             vowel(rate, 200, 250, {800, 1300, 2700}, -14),
                             bandNoise(rate, 200, 8500, 1500, -26), silence(rate, 200)})),
                   rate));
        write("quiet.wav", wave(pcm(silence(22050, 500)), 22050));
        write("text.wav", "not a sound");
        ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.wav")).constData(), 0600), 0);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

TEST_F(AnalyseCommand, PrintsOneLinePerHiss) {
    for (const QStringList& arguments : {QStringList{"--analyse", path("take.wav")},
                                         QStringList{"--analyse=" + path("take.wav")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Outcome r = run(arguments);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << r.out.toStdString();
        const struct {
            int start, end, cog;
            const char* verdict;
        } expected[] = {{200, 450, 4000, "sz"}, {650, 850, 8500, "s"}};
        for (int i = 0; i < 2; ++i) {
            const QStringList fields = lines[i].split(u'\t');
            ASSERT_EQ(fields.size(), 5) << lines[i].toStdString();
            EXPECT_NEAR(fields[0].toInt(), expected[i].start, 15);
            EXPECT_NEAR(fields[1].toInt(), expected[i].end, 15);
            EXPECT_NEAR(fields[2].toInt(), expected[i].cog, 0.05 * expected[i].cog);
            EXPECT_NEAR(fields[3].toInt(), expected[i].cog, 750);
            EXPECT_EQ(fields[4], QString::fromUtf8(expected[i].verdict));
        }
    }
}

TEST_F(AnalyseCommand, Statuses) {
    const struct {
        QStringList arguments;
        int status;
        bool prints;
    } cases[] = {
        {{"--analyse", path("quiet.wav")}, 0, false},
        {{"--analyse", path("missing.wav")}, 2, false},
        {{"--analyse", path("text.wav")}, 2, false},
        {{"--analyse", path("fifo.wav")}, 2, false},
        {{"--analyse", dir.path()}, 2, false},
        {{"--analyse"}, 64, false},
        {{"--analyse="}, 64, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(!r.out.isEmpty(), c.prints);
        EXPECT_EQ(!r.err.isEmpty(), c.status != 0);
    }
}

} // namespace
