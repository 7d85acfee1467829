// Reading the statistics file back: what the program's own writer stores comes back field by
// field, and files that are short, cut or odd give every whole record and say what was left.
#include "cstatrec.h"
#include "custgry.h"
#include "statfile.h"
#include "statreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

const system_clock::time_point kStart = sys_days{2024y / March / 5} + 14h + 7min + 9s + 250ms;

SystemTime utc(system_clock::time_point when) {
    SystemTime t;
    SystemTime::fromTimePoint(floor<milliseconds>(when), t);
    return t;
}

QByteArray header(std::int32_t program = 1) {
    QByteArray bytes(StatFile::HeaderSize, '\0');
    StatFile::EncodeHeader(program, utc(kStart), bytes.data());
    return bytes;
}

QByteArray recordBytes(const StatRecord& record) {
    QByteArray bytes(StatRecord::Size, '\0');
    record.Encode(bytes.data());
    return bytes;
}

TEST(StatReaderTest, RunsWrittenByTheProgramComeBackFieldByField) {
    struct Run {
        std::int32_t kind;
        std::int16_t poziom;
        std::uint16_t gloski, pozycja;
        int hints, correct, wrong;
        milliseconds played;
        bool completed;
    };
    const Run runs[] = {
        {CStatRec::Podpisywanie, 1, 0x0001, 0x1000, 0, 5, 2, 65s, true},
        {CStatRec::Memory, 2, 0x000F, 0x7000, 3, 12, 0, 3725900ms, false},
        {CStatRec::Uzupelnianie, 3, 0x0006, 0x2000, 1, 0, 0, 0s, true},
        {CStatRec::Spadajace, 3, 0x0008, 0x4000, 9, 300, 41, 59999ms, false},
    };
    QTemporaryDir dir;
    system_clock::time_point now = kStart;
    CStatRec writer(1, dir.path(), [&now] { return now; });
    std::vector<StatRecord> expected;
    for (const Run& run : runs) {
        CUstGry settings;
        settings.poziom = run.poziom;
        settings.gloski = run.gloski;
        settings.pozycja = run.pozycja;
        writer.BeginGame(run.kind, settings);
        const SystemTime start = utc(now);
        for (int i = 0; i < run.hints; ++i)
            writer.AddHint();
        for (int i = 0; i < run.correct; ++i)
            writer.AddCorrect();
        for (int i = 0; i < run.wrong; ++i)
            writer.AddWrong();
        now += run.played;
        writer.EndGame();
        ASSERT_TRUE(writer.WriteGame(run.completed));
        now += 1h;
        expected.push_back(
            {run.kind, start, static_cast<std::uint16_t>(run.poziom), run.gloski, run.pozycja,
             static_cast<std::int32_t>(duration_cast<seconds>(run.played).count()),
             static_cast<std::uint16_t>(run.completed), run.hints, run.correct, run.wrong});
    }

    const StatReader::Result read = StatReader::ReadFile(writer.FilePath());
    EXPECT_EQ(StatReader::Status::Read, read.status);
    EXPECT_TRUE(read.headerRecognised);
    EXPECT_EQ(0, read.leftOutBytes);
    ASSERT_EQ(expected.size(), read.records.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const StatRecord& got = read.records[i];
        EXPECT_EQ(expected[i].kind, got.kind);
        EXPECT_TRUE(expected[i].start == got.start);
        EXPECT_EQ(expected[i].poziom, got.poziom);
        EXPECT_EQ(expected[i].gloski, got.gloski);
        EXPECT_EQ(expected[i].pozycja, got.pozycja);
        EXPECT_EQ(expected[i].duration, got.duration);
        EXPECT_EQ(expected[i].completed, got.completed);
        EXPECT_EQ(expected[i].hints, got.hints);
        EXPECT_EQ(expected[i].correct, got.correct);
        EXPECT_EQ(expected[i].wrong, got.wrong);
    }
}

TEST(StatReaderTest, CutFilesGiveTheirWholeRecordsAndCountTheRest) {
    StatRecord one;
    one.kind = 2;
    one.start = utc(kStart);
    one.correct = 7;
    const QByteArray full = header() + recordBytes(one) + recordBytes(one);
    struct Case {
        const char* name;
        QByteArray bytes;
        std::size_t records;
        qint64 leftOut;
        bool headerRecognised;
    };
    const Case cases[] = {
        {"empty file", QByteArray(), 0, 0, false},
        {"header only", header(), 0, 0, true},
        {"piece of a header", header().left(7), 0, 7, false},
        {"one byte past the header", header() + "x", 0, 1, true},
        {"two records", full, 2, 0, true},
        {"record cut after one byte", full.left(20 + 44 + 1), 1, 1, true},
        {"record cut one byte short", full.left(20 + 2 * 44 - 1), 1, 43, true},
        {"another program's header", header(7) + recordBytes(one), 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StatReader::Result read = StatReader::Parse(c.bytes);
        EXPECT_EQ(StatReader::Status::Read, read.status);
        ASSERT_EQ(c.records, read.records.size());
        for (const StatRecord& r : read.records)
            EXPECT_TRUE(r == one);
        EXPECT_EQ(c.leftOut, read.leftOutBytes);
        EXPECT_EQ(c.headerRecognised, read.headerRecognised);
    }
}

TEST(StatReaderTest, OddValuesAreKeptAsStored) {
    struct Case {
        const char* name;
        StatRecord record;
    };
    StatRecord impossibleDate;
    impossibleDate.kind = 1;
    impossibleDate.start = utc(kStart);
    impossibleDate.start.day = 31;
    impossibleDate.start.month = 2;
    const Case cases[] = {
        {"kind 0", {0, utc(kStart), 1, 1, 0x1000, 10, 1, 0, 1, 1}},
        {"kind 5", {5, utc(kStart), 2, 2, 0x2000, 10, 0, 0, 2, 0}},
        {"kind -1 and negative counts", {-1, utc(kStart), 3, 4, 0x4000, -5, 1, -1, -2, -3}},
        {"31 February", impossibleDate},
        {"unknown bits", {2, utc(kStart), 9, 0xFFFF, 0x8001, 10, 7, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StatReader::Result read = StatReader::Parse(header() + recordBytes(c.record));
        ASSERT_EQ(1u, read.records.size());
        EXPECT_TRUE(read.records[0] == c.record);
    }
}

TEST(StatReaderTest, MissingOrUnreadablePlacesSayWhy) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("prgst1.stt"));
    const StatReader::Result none = StatReader::ReadFile(missing);
    EXPECT_EQ(StatReader::Status::Missing, none.status);
    EXPECT_TRUE(none.error.contains(missing));

    const StatReader::Result folder = StatReader::ReadFile(dir.path());
    EXPECT_EQ(StatReader::Status::Unreadable, folder.status);
    EXPECT_FALSE(folder.error.isEmpty());
}

TEST(StatReaderTest, ReadingLeavesTheFileUntouched) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prgst1.stt"));
    // A cut file: the writer would move it aside; the reader must not.
    const QByteArray bytes = header() + QByteArray(50, '\x01');
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QFile::setPermissions(path, QFile::ReadOwner);
    const StatReader::Result read = StatReader::ReadFile(path);
    EXPECT_EQ(1u, read.records.size());
    EXPECT_EQ(6, read.leftOutBytes);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes, file.readAll());
    EXPECT_EQ(1, QDir(dir.path()).entryList(QDir::Files).size());
}

} // namespace
