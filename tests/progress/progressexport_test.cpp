// "--export-csv FILE" and "--export-attempts FILE": the whole table or every answer written
// without a window, for everyone or one child, and the exit statuses of the ways it can fail.
#include "cstatrec.h"
#include "practicelog.h"
#include "progressexport.h"
#include "statfile.h"
#include "statrecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
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

// A log of Ala's Memory game of two answers, beczka wrong then sowa right, and the guest's
// labelling game of one hint; another child, Ola, has played nothing.
void writeLog(const QString& path) {
    PracticeLog log(path);
    ASSERT_TRUE(log.Open());
    const qint64 ala = *log.AddChild(QStringLiteral("Ala"));
    ASSERT_TRUE(log.AddChild(QStringLiteral("Ola")));
    const SystemTime start{2026, 12, 3, 9, 10, 0, 0, 0};
    const qint64 alas = *log.BeginGame({ala, CStatRec::Memory, 1, 0x5, 0x3000, start});
    ASSERT_TRUE(log.AddAttempt(alas, {QStringLiteral("beczka"),
                                      0x4,
                                      0x2000,
                                      PracticeLog::Outcome::Wrong,
                                      QStringLiteral("bezka"),
                                      {2026, 12, 3, 9, 10, 0, 5, 0}}));
    ASSERT_TRUE(log.AddAttempt(alas, {QStringLiteral("sowa"),
                                      0x10,
                                      0x1000,
                                      PracticeLog::Outcome::Correct,
                                      {},
                                      {2026, 12, 3, 9, 10, 0, 9, 0}}));
    ASSERT_TRUE(log.FinishGame(alas, {30, true, 1, 1, 0, false}));
    const qint64 guests =
        *log.BeginGame({{}, CStatRec::Podpisywanie, 2, 0x1, 0x1000, {2026, 12, 4, 10, 8, 0, 0, 0}});
    ASSERT_TRUE(log.AddAttempt(guests, {QStringLiteral("sowa"),
                                        0x10,
                                        0x1000,
                                        PracticeLog::Outcome::Hint,
                                        {},
                                        {2026, 12, 4, 10, 8, 0, 1, 0}}));
    ASSERT_TRUE(log.FinishGame(guests, {12, false, 0, 0, 1, false}));
}

TEST_F(ProgressExportTest, TheLogsGamesAndAnswersForEveryoneOrOneChild) {
    const QString log = dir.filePath(PracticeLog::FileName());
    writeStats(1); // the guest's file, read only without a log
    struct Case {
        const char* name;
        bool withLog;
        bool answers;
        std::optional<QString> child;
        int status;
        std::vector<const char*> lines; // after the header; for a failure, the reason
    };
    const Case cases[] = {
        {"games of everyone",
         true,
         false,
         {},
         0,
         {"2026-12-10 09:00;Podpisywanie;średnio;SZ;nagłos;12;0;0;1;nie;–;;Gość",
          "2026-12-09 11:00;Memory;mało;SZ, CZ;nagłos, śródgłos;30;1;1;0;tak;50,0;;Ala"}},
        {"games of Ala",
         true,
         false,
         QStringLiteral("Ala"),
         0,
         {"2026-12-09 11:00;Memory;mało;SZ, CZ;nagłos, śródgłos;30;1;1;0;tak;50,0;;Ala"}},
        {"games of the guest, in any case",
         true,
         false,
         QStringLiteral("gość"),
         0,
         {"2026-12-10 09:00;Podpisywanie;średnio;SZ;nagłos;12;0;0;1;nie;–;;Gość"}},
        {"games of Ola, who played none", true, false, QStringLiteral("Ola"), 0, {}},
        {"games of a child not in the log",
         true,
         false,
         QStringLiteral("Zuzia"),
         2,
         {"no child named \"Zuzia\""}},
        {"answers of everyone",
         true,
         true,
         {},
         0,
         {"2026-12-10 09:00:01;Podpisywanie;sowa;sowa;s;nagłos;podpowiedź;;Gość",
          "2026-12-09 11:00:09;Memory;sowa;sowa;s;nagłos;poprawna;;Ala",
          "2026-12-09 11:00:05;Memory;beczka;beczka;cz;śródgłos;błędna;bezka;Ala"}},
        {"answers of the guest",
         true,
         true,
         QStringLiteral("Gość"),
         0,
         {"2026-12-10 09:00:01;Podpisywanie;sowa;sowa;s;nagłos;podpowiedź;;Gość"}},
        {"answers of a child not in the log",
         true,
         true,
         QStringLiteral("Zuzia"),
         2,
         {"no child named"}},
        {"games without a log: the guest's file",
         false,
         false,
         {},
         0,
         {"2024-03-05 11:00;Memory;mało;SZ;nagłos;0;0;0;0;nie;–;;Gość"}},
        {"games of a child without a log",
         false,
         false,
         QStringLiteral("Ala"),
         2,
         {"the practice log cannot be read"}},
        {"answers without a log", false, true, {}, 2, {"the practice log cannot be read"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& file : {log, log + "-wal", log + "-shm"})
            QFile::remove(file);
        if (c.withLog)
            writeLog(log);
        ProgressExport::Request request;
        request.file = csv();
        request.logPath = log;
        request.statisticsPath = stats();
        request.child = c.child;
        request.zone = QTimeZone(3600);
        request.out = std::tmpfile();
        request.err = std::tmpfile();
        QFile::remove(csv());
        EXPECT_EQ(c.answers ? ProgressExport::Answers(request) : ProgressExport::Games(request),
                  c.status);
        std::rewind(request.err);
        char error[512] = {};
        const std::string reason = std::fgets(error, sizeof error, request.err) ? error : "";
        std::fclose(request.out);
        std::fclose(request.err);
        if (c.status != 0) {
            EXPECT_NE(reason.find(c.lines.front()), std::string::npos) << reason;
            EXPECT_FALSE(QFile::exists(csv()));
            continue;
        }
        QList<QByteArray> lines = readAll(csv()).split('\n');
        ASSERT_EQ(lines.size(), qsizetype(c.lines.size()) + 2); // the header, the end
        EXPECT_TRUE(lines[0].endsWith(c.answers ? ";Dziecko\r" : ";Uwagi;Dziecko\r"));
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(lines[qsizetype(i) + 1].chopped(1).toStdString(), c.lines[i]);
    }
}

} // namespace
