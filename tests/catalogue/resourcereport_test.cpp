// The maintenance check of the word media files and its report file.
#include "cslowa.h"
#include "randomgenerator.h"
#include "resourcereport.h"
#include "tempworkdir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QByteArray kHeader = QByteArray("Raport Zasob\xC3\xB3w\r\n\r\n"
                                      "Zasoby s\xC5\x82\xC3\xB3w, kt\xC3\xB3rych brakuje:\r\n");

class ResourceReportTest : public ::testing::Test {
protected:
    RandomGenerator random{[] { return std::int64_t{0}; }};
    CSlowa catalogue{random};
    TempWorkDir dir;

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Empty files are enough: the check only asks whether they exist.
    void createAllResources() {
        for (const WordEntry& word : catalogue.Words()) {
            for (const QString& path : CSlowa::ResourcePaths(word.Key))
                ASSERT_TRUE(dir.write(path, QByteArray()));
        }
    }
    QString reportPath() const { return dir.filePath(ResourceReport::FileName()); }
    QByteArray readReport() const {
        QFile file(reportPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(ResourceReportTest, AllPresentWritesNothingAndKeepsAnOldReport) {
    createAllResources();
    ASSERT_TRUE(dir.write(ResourceReport::FileName(), "old report"));
    EXPECT_TRUE(catalogue.CheckResources(nullptr));

    const ResourceReport::Result result = ResourceReport::Run(catalogue, dir.path());
    EXPECT_EQ(ResourceReport::Outcome::AllPresent, result.outcome);
    EXPECT_EQ(ResourceReport::Icon::Information, result.icon);
    EXPECT_EQ("Wszystkie zasoby słów istnieją.", result.message.toStdString());
    EXPECT_EQ("Wiklotek Cz.I- Raport zasobów", result.caption.toStdString());
    EXPECT_TRUE(result.missing.isEmpty());
    EXPECT_EQ(QByteArray("old report"), readReport());
}

TEST_F(ResourceReportTest, OneMissingSoundGivesFourLines) {
    createAllResources();
    ASSERT_TRUE(QFile::remove(dir.filePath("Data/Smd/abecadlo.pw")));
    ASSERT_TRUE(dir.write(ResourceReport::FileName(), QByteArray(5000, 'x')));

    const ResourceReport::Result result = ResourceReport::Run(catalogue, dir.path());
    EXPECT_EQ(ResourceReport::Outcome::ReportWritten, result.outcome);
    EXPECT_EQ(ResourceReport::Icon::Warning, result.icon);
    EXPECT_EQ("Brak niektórych plików!\n\nRaport zapisano w pliku \"Raport zasobów.txt\"",
              result.message.toStdString());
    EXPECT_EQ("Wiklotek Cz.I- Raport zasobów", result.caption.toStdString());
    EXPECT_EQ(reportPath(), result.reportPath);
    // The old, longer report is replaced entirely.
    EXPECT_EQ(kHeader + "Data/Smd/abecadlo.pw\r\n", readReport());
}

TEST_F(ResourceReportTest, AWordMissingEverythingGivesSixLinesInCheckOrder) {
    createAllResources();
    for (const QString& path : CSlowa::ResourcePaths(QStringLiteral("kolec")))
        ASSERT_TRUE(QFile::remove(dir.filePath(path)));

    const ResourceReport::Result result = ResourceReport::Run(catalogue, dir.path());
    ASSERT_EQ(ResourceReport::Outcome::ReportWritten, result.outcome);
    EXPECT_EQ(kHeader + "Data/Sio/skolec.xji\r\n"
                        "Data/Bio/kolec_ms.xji\r\n"
                        "Data/Bio/kolec_mb.xji\r\n"
                        "Data/Bio/kolec_ups.xji\r\n"
                        "Data/Bio/kolec_upb.xji\r\n"
                        "Data/Smd/kolec.pw\r\n",
              readReport());
}

TEST_F(ResourceReportTest, NoDataFolderListsEveryPath) {
    const ResourceReport::Result result = ResourceReport::Run(catalogue, dir.path());
    ASSERT_EQ(ResourceReport::Outcome::ReportWritten, result.outcome);
    EXPECT_EQ(1722, result.missing.size());
    const QList<QByteArray> lines = readReport().split('\n');
    // 3 header lines and 1722 paths, each ended by CR LF, leave one empty piece after the last.
    ASSERT_EQ(3 + 1722 + 1, lines.size());
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(lines[i].endsWith('\r')) << "line " << i;
    EXPECT_EQ("Data/Sio/sabecadlo.xji\r", lines[3].toStdString());
    EXPECT_EQ("Data/Smd/zyrandol.pw\r", lines[3 + 1721].toStdString());
}

TEST_F(ResourceReportTest, UnwritableTargetIsReportedAsFailure) {
    const QString notAFolder = dir.filePath("plain-file");
    ASSERT_TRUE(dir.write("plain-file", "x"));
    QDir().mkpath(dir.filePath("blocked/" + ResourceReport::FileName()));
    const QString targets[] = {dir.filePath("no/such/folder"), notAFolder, dir.filePath("blocked")};
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        const ResourceReport::Result result = ResourceReport::Run(catalogue, target);
        EXPECT_EQ(ResourceReport::Outcome::ReportFailed, result.outcome);
        EXPECT_EQ(ResourceReport::Icon::Critical, result.icon);
        EXPECT_EQ("Błąd podczas zapisu do pliku \"Raport zasobów.txt\"!",
                  result.message.toStdString());
        EXPECT_EQ(1722, result.missing.size());
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("blocked/" + ResourceReport::FileName())).isDir());
}

TEST_F(ResourceReportTest, ReadOnlyFolderIsReportedAsFailure) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    const QString target = dir.filePath("readonly");
    ASSERT_TRUE(QDir().mkpath(target));
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner));
    const ResourceReport::Result result = ResourceReport::Run(catalogue, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ResourceReport::Outcome::ReportFailed, result.outcome);
}

} // namespace
