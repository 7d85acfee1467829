#include "interfacepack.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Smoke, Runs) {
    QTemporaryDir dir;
    QStringList errors;
    InterfacePack pack(dir.filePath("Data"), dir.path());
    EXPECT_TRUE(pack.run([](const QString& m) { qInfo("%s", qPrintable(m)); }, &errors));
    EXPECT_EQ(errors, QStringList());
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
