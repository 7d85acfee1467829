// "--export-csv FILE": the whole table written without a window, and the exit statuses of the
// ways it can fail.
#include "progressexport.h"
#include "statfile.h"
#include "statrecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ProgressExportTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString stats() const { return dir.filePath(QStringLiteral("prgst1.stt")); }
    QString csv() const { return dir.filePath(QStringLiteral("out.csv")); }

    void writeStats(int records) const {
        QByteArray bytes(StatFile::HeaderSize, '\0');
        SystemTime created{2024, 3, 2, 5, 10, 0, 0, 0};
        StatFile::EncodeHeader(1, created, bytes.data());
        for (int i = 0; i < records; ++i) {
            StatRecord r;
            r.kind = 2;
            r.start = {2024, 3, 2, 5, 10, static_cast<std::uint16_t>(i), 0, 0};
            r.poziom = 1;
            r.gloski = 1;
            r.pozycja = 0x1000;
            r.correct = i;
            QByteArray one(StatRecord::Size, '\0');
            r.Encode(one.data());
            bytes += one;
        }
        QFile file(stats());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    int run(const QString& file, std::string& errors, QByteArray* output = nullptr,
            const QStringList& own = {}) const {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status = ProgressExport::Run(file, stats(), own, QTimeZone::utc(), out, err);
        std::rewind(err);
        char line[512] = {};
        errors = std::fgets(line, sizeof line, err) ? line : "";
        if (output) {
            std::rewind(out);
            char buffer[4096];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
                output->append(buffer, qsizetype(n));
        }
        std::fclose(out);
        std::fclose(err);
        return status;
    }
};

TEST_F(ProgressExportTest, WritesTheWholeTableNewestFirst) {
    writeStats(3);
    std::string errors;
    EXPECT_EQ(0, run(csv(), errors));
    EXPECT_EQ("", errors);
    // "-" is standard output, with the same bytes and nothing else on it.
    QByteArray output;
    EXPECT_EQ(0, run(QStringLiteral("-"), errors, &output));
    EXPECT_EQ(readAll(csv()), output);
    EXPECT_FALSE(QFile::exists(QStringLiteral("-")));
    const QList<QByteArray> lines = readAll(csv()).split('\n');
    ASSERT_EQ(5, lines.size()); // header, three runs, nothing after the last line end
    EXPECT_TRUE(lines[0].startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(lines[1].startsWith("2024-03-05 10:02;Memory;mało;SZ;nagłos;0;2;"));
    EXPECT_TRUE(lines[3].startsWith("2024-03-05 10:00;Memory;"));
    EXPECT_EQ("", lines[4].toStdString());
}

TEST_F(ProgressExportTest, FailuresEndWithAStatusAndAReason) {
    struct Case {
        const char* name;
        bool makeStats;
        QString file;
        int status;
        const char* reasonHas;
    };
    const QString intoFolder = QDir(QDir::tempPath()).filePath("no/such/folder/x.csv");
    const Case cases[] = {
        {"no statistics file", false, QStringLiteral("x.csv"), 2, "no statistics file"},
        {"no statistics file, to standard output", false, QStringLiteral("-"), 2,
         "no statistics file"},
        {"file in a missing folder", true, intoFolder, 3, "cannot write"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(stats());
        if (c.makeStats)
            writeStats(1);
        std::string errors;
        EXPECT_EQ(c.status, run(c.file, errors));
        EXPECT_NE(std::string::npos, errors.find(c.reasonHas)) << errors;
    }
    // An empty statistics file is a table without runs.
    QFile empty(stats());
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    std::string errors;
    EXPECT_EQ(0, run(csv(), errors));
    EXPECT_EQ(1, readAll(csv()).count('\n'));
}

TEST_F(ProgressExportTest, TargetsThatMustNotBeReplacedAreLeftAsTheyAre) {
    writeStats(4);
    const QByteArray statistics = readAll(stats());
    const QString settings = dir.filePath(QStringLiteral("Data/data.ini"));
    QDir(dir.path()).mkpath(QStringLiteral("Data"));
    QDir(dir.path()).mkpath(QStringLiteral("Nagrane"));
    QFile(stats()).link(dir.filePath(QStringLiteral("link.csv")));
    ::link(QFile::encodeName(stats()).constData(),
           QFile::encodeName(dir.filePath(QStringLiteral("hard.csv"))).constData());
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(0, ::mkfifo(QFile::encodeName(fifo).constData(), 0600));
    const QString readOnly = dir.filePath(QStringLiteral("locked.csv"));
    QFile locked(readOnly);
    ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
    locked.write("mine");
    locked.close();
    locked.setPermissions(QFileDevice::ReadOwner);
    const QStringList own{dir.filePath(QStringLiteral("Data")), settings,
                          dir.filePath(QStringLiteral("Nagrane"))};
    struct Case {
        const char* name;
        QString file;
        int status;
        const char* reasonHas;
    };
    const Case cases[] = {
        {"the statistics file", stats(), 4, "program's own"},
        {"the statistics file, by another path",
         dir.filePath(QStringLiteral("Nagrane/../prgst1.stt")), 4, "program's own"},
        {"a link to it", dir.filePath(QStringLiteral("link.csv")), 4, "program's own"},
        {"a hard link to it", dir.filePath(QStringLiteral("hard.csv")), 4, "program's own"},
        {"the settings, not there yet", settings, 4, "program's own"},
        {"inside the recordings folder", dir.filePath(QStringLiteral("Nagrane/x.csv")), 4,
         "program's own"},
        {"a folder", dir.filePath(QStringLiteral("Data/..")), 3, "not a file"},
        {"a FIFO nobody reads", fifo, 3, "nothing reads"},
        {"a full device", QStringLiteral("/dev/full"), 3, "No space left"},
        {"a read-only file", readOnly, ::geteuid() == 0 ? 0 : 3, ""},
        {"the null device", QStringLiteral("/dev/null"), 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string errors;
        EXPECT_EQ(c.status, run(c.file, errors, nullptr, own));
        EXPECT_NE(std::string::npos, errors.find(c.reasonHas)) << errors;
    }
    EXPECT_EQ(statistics, readAll(stats()));
    EXPECT_FALSE(QFile::exists(settings));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("link.csv"))).isSymLink());
    struct stat info {};
    ASSERT_EQ(0, ::stat("/dev/null", &info));
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    ASSERT_EQ(0, ::stat(QFile::encodeName(fifo).constData(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    if (::geteuid() != 0) {
        EXPECT_EQ("mine", readAll(readOnly));
    }

    // A FIFO someone reads from gets the table itself.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string errors;
    EXPECT_EQ(0, run(fifo, errors));
    char head[3] = {};
    EXPECT_EQ(3, ::read(reader, head, sizeof head));
    EXPECT_EQ(QByteArray("\xEF\xBB\xBF"), QByteArray(head, 3));
    ::close(reader);
}

} // namespace
