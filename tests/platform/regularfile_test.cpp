// Only regular files are read, up to their limit; looking at anything else never blocks.
#include "regularfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QByteArray kBytes("0123456789"); // exactly the limit

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct FileCase {
    const char* name;
    void (*make)(const QString& path);
    bool regular;
    bool read;
};

class RegularFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(RegularFileTest, ReadsOnlyRegularFilesWithinTheLimit) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("file");
    GetParam().make(path);
    EXPECT_EQ(RegularFile::Exists(path), GetParam().regular);
    EXPECT_EQ(RegularFile::Read(path, kBytes.size()),
              GetParam().read ? std::optional(kBytes) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegularFileTest,
    testing::Values(
        FileCase{"Regular", [](const QString& p) { write(p, kBytes); }, true, true},
        FileCase{"LinkToRegular",
                 [](const QString& p) {
                     write(p + ".real", kBytes);
                     ASSERT_TRUE(QFile::link(p + ".real", p));
                 },
                 true, true},
        FileCase{"Fifo", [](const QString& p) { ASSERT_EQ(mkfifo(QFile::encodeName(p), 0600), 0); },
                 false, false},
        FileCase{"LinkToDevZero",
                 [](const QString& p) { ASSERT_TRUE(QFile::link("/dev/zero", p)); }, false, false},
        FileCase{"Folder", [](const QString& p) { ASSERT_TRUE(QDir().mkpath(p)); }, false, false},
        FileCase{"OneByteTooLong", [](const QString& p) { write(p, kBytes + "!"); }, true, false},
        FileCase{"Missing", [](const QString&) {}, false, false}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

} // namespace
