#pragma once

// A program folder of its own for each menu window test, made current as the program makes
// its folder current, holding plain interface pictures of the sizes the real data pack uses.

#include "cdisplay.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// One QApplication for the whole executable, never destroyed: Qt's test input devices must
// not outlive it.
inline QApplication& menuTestApp() {
    static int argc = 1;
    static char name[] = "wk-menu-test";
    static char* argv[] = {name, nullptr};
    // A test executable that made its own application object (a scaled screen) keeps it.
    static QApplication* app = qobject_cast<QApplication*>(QCoreApplication::instance())
                                   ? qobject_cast<QApplication*>(QCoreApplication::instance())
                                   : new QApplication(argc, argv);
    return *app;
}

class MenuWindowTest : public ::testing::TestWithParam<QSize> {
protected:
    static void SetUpTestSuite() { menuTestApp(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Data/Intf/Lib")));
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Data/Intf/Spec")));
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        writePictures(true);
        writePictures(false);
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    void removeFile(const QString& relative) const {
        ASSERT_TRUE(QFile::remove(path(relative))) << relative.toStdString();
    }

    static QImage plain(QSize size, QRgb colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
    void save(const QImage& image, const QString& relative, const char* format) const {
        ASSERT_TRUE(image.save(path(relative), format)) << relative.toStdString();
    }
    void library(const QString& name, QSize size, QRgb colour) const {
        save(plain(size, colour), "Data/Intf/Lib/" + name + ".png", "PNG");
    }
    void button(const QString& name, QSize size) const {
        library(name + "_D", size, 0xFFC80000u);
        library(name + "_A", size, 0xFF00C800u);
        library(name + "_", size, 0xFF0000C8u);
        library(name + "_M", size, 0xFFFFFFFFu);
    }
    void checkButton(const QString& name, QSize size) const {
        library(name + "_D", size, 0xFF808080u);
        library(name + "_A", size, 0xFFFF8000u);
    }

    // The pictures of both screen variants: backgrounds, tabs, captions, buttons.
    void writePictures(bool small) const {
        const QString s = small ? "_s" : "_b";
        const QSize design = small ? QSize(800, 600) : QSize(1024, 768);
        save(plain(design, 0xFFFFFFFFu), "Data/Intf/Spec/mT_m0" + s + ".xji", "JPEG");
        save(plain(design, 0xFF203070u), "Data/Intf/Spec/mT_OPro" + s + ".xji", "JPEG");
        save(plain(small ? QSize(160, 60) : QSize(204, 78), 0xFFFFFFFFu),
             "Data/Intf/Spec/l1" + s + ".xji", "JPEG");
        for (int tab = 1; tab <= 5; ++tab)
            save(plain(small ? QSize(240, 440) : QSize(310, 575), qRgb(40 * tab, 90, 200)),
                 QStringLiteral("Data/Intf/Spec/mT_m%1").arg(tab) + s + ".xbi", "BMP");
        library("nap_ilzadan" + s, small ? QSize(200, 30) : QSize(260, 40), 0xFF000080u);
        library("nap_gloski" + s, small ? QSize(150, 30) : QSize(190, 40), 0xFF000080u);
        library("nap_pozycja" + s, small ? QSize(210, 30) : QSize(270, 40), 0xFF000080u);
        const QString p = small ? "s_" : "b_";
        const QSize wide = small ? QSize(120, 80) : QSize(150, 100);
        const QSize square = small ? QSize(80, 80) : QSize(100, 100);
        for (const char* name : {"malo", "srednio", "duzo", "naglos", "srodglos", "wyglos"})
            checkButton(p + name, wide);
        for (const char* name : {"SZ", "ZZ", "CZ", "DZZ"})
            checkButton(p + name, square);
        for (const char* name : {"oprogramie", "postepy", "wzorce", "lusterko", "wyjdz", "start",
                                 "rrec", "rodtworz", "rstop", "up", "down", "stop"})
            button(name, QSize(70, 60));
        button("muzyka", QSize(48, 48));
        button("muzykawyl", QSize(48, 48));
        // The recordings list's row buttons and the scroll thumb.
        checkButton("S_CHBUT", QSize(28, 28));
        library("scroll_D", QSize(20, 12), 0xFF2060C0u);
        library("scroll_M", QSize(20, 12), 0xFFFFFFFFu);
    }

    CDisplay display() const { return CDisplay(GetParam()); }

    static void show(QWidget& window) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

inline std::string screenName(const ::testing::TestParamInfo<QSize>& info) {
    return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
}
