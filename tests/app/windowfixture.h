#pragma once

// A program folder of its own for each window test, made current as the program makes its
// folder current, with the interface pictures the shell and menu windows read.

#include "canvas.h"
#include "cdisplay.h"
#include "imageloader.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <ostream>

// Lets failures show colours as components instead of bare integers.
struct Rgb {
    QRgb value;
    bool operator==(const Rgb& other) const {
        return qRed(value) == qRed(other.value) && qGreen(value) == qGreen(other.value) &&
               qBlue(value) == qBlue(other.value);
    }
};
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "rgb(" << qRed(c.value) << "," << qGreen(c.value) << "," << qBlue(c.value) << ")";
}
inline Rgb pixelAt(const QImage& image, int x, int y) {
    return Rgb{image.pixel(x, y)};
}

// One QApplication for the whole executable, never destroyed: Qt's test input devices must
// not outlive it.
inline QApplication& windowTestApp() {
    static int argc = 1;
    static char name[] = "wk-window-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Colours of a fixture button: its shape (the picture less a 3-pixel border) in one colour
// per state, white around it; the mask white on the shape, black around it.
inline constexpr QRgb kButtonNormal = 0xFFC80000u;
inline constexpr QRgb kButtonHover = 0xFF00C800u;
inline constexpr QRgb kButtonPressed = 0xFF0000C8u;
inline constexpr QRgb kWhite = 0xFFFFFFFFu;
inline constexpr QRgb kBlack = 0xFF000000u;

// Mouse events with explicit screen positions, as the window system delivers them; the
// offscreen platform would otherwise make up moves of its own when a window moves.
inline void sendMouse(QWidget& target, QEvent::Type type, QPoint global, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(target.mapFromGlobal(global)), QPointF(global), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &event);
}

// Runs `during` once the event loop of a modal show has started.
inline void whileShowing(std::function<void()> during) {
    QTimer::singleShot(0, std::move(during));
}

// Ends a modal show that the test expected to end already, so a failure cannot hang.
inline void closeIfStillShowing(QWidget& window) {
    if (window.isVisible()) {
        ADD_FAILURE() << "the window is still showing";
        window.hide();
    }
}

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { windowTestApp(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Data/Intf/Spec")));
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Data/Intf/Lib")));
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // A picture whose pixels tell where they are, so a copy from the wrong place shows.
    static QImage patterned(QSize size, int seed) {
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, qRgb((x / 8 * 40 + seed) % 256, (y / 8 * 40) % 256, seed));
        return image;
    }
    // Writes a ".xji" (JPEG) file into Data/Intf/Spec; returns the picture as the program
    // will read it back.
    QImage writeSpecPicture(const QString& file, const QImage& image) const {
        const QString full = path("Data/Intf/Spec/" + file);
        EXPECT_TRUE(image.save(full, "JPEG", 100)) << full.toStdString();
        return loadJpegFile(full);
    }
    void writeBrokenFile(const QString& relative) const {
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF\xE0 not really a picture");
    }

    static QImage shape(QSize size, QRgb inside, QRgb outside) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(outside);
        for (int y = 3; y < size.height() - 3; ++y)
            for (int x = 3; x < size.width() - 3; ++x)
                image.setPixel(x, y, inside);
        return image;
    }
    void writeLibraryPicture(const QString& name, const QImage& image) const {
        const QString full = path("Data/Intf/Lib/" + name + ".png");
        ASSERT_TRUE(image.save(full, "PNG")) << full.toStdString();
    }
    // The four pictures of an image button.
    void writeButton(const QString& name, QSize size) const {
        writeLibraryPicture(name + "_D", shape(size, kButtonNormal, kWhite));
        writeLibraryPicture(name + "_A", shape(size, kButtonHover, kWhite));
        writeLibraryPicture(name + "_", shape(size, kButtonPressed, kWhite));
        writeLibraryPicture(name + "_M", shape(size, kWhite, kBlack));
    }

    const CDisplay display{QSize(1024, 768)};

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
