#pragma once

#include "canvas.h"
#include "form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <ostream>

// Lets failures show colours as hex instead of bare integers.
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
inline Rgb pixelAt(const Canvas& canvas, int x, int y) {
    return pixelAt(canvas.image(), x, y);
}

// One QApplication for the whole executable, never destroyed: Qt's test input devices must
// not outlive it.
inline QApplication& widgetTestApp() {
    static int argc = 1;
    static char name[] = "wk-widgets-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Colours of the fixture pictures: each state picture is one colour on the shape and white
// around it, the mask white on the shape and black around it.
inline constexpr QRgb kNormal = 0xFFC80000u;  // red
inline constexpr QRgb kHover = 0xFF00C800u;   // green
inline constexpr QRgb kPressed = 0xFF0000C8u; // blue
inline constexpr QRgb kWhite = 0xFFFFFFFFu;
inline constexpr QRgb kBlack = 0xFF000000u;

// A background whose every pixel tells where it came from, so a copy from the wrong place or
// a blend with the wrong pixels shows.
inline QRgb backgroundColour(int x, int y) {
    return qRgb(x % 256, y % 256, (x * 7 + y * 3) % 200 + 20);
}
inline QImage makeBackground(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, backgroundColour(x, y));
    return image;
}

// A program folder of its own for each test, made current as the program makes its folder
// current, with library pictures written into Data/Intf/Lib.
class WidgetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { widgetTestApp(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Data/Intf/Lib")));
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    static void savePicture(const QImage& image, const QString& file, const char* format) {
        QDir().mkpath(QFileInfo(file).path());
        ASSERT_TRUE(image.save(file, format)) << file.toStdString();
    }
    void writeLibraryPicture(const QString& name, const QImage& image) const {
        savePicture(image, path("Data/Intf/Lib/" + name + ".png"), "PNG");
    }
    // The shape is the picture's rectangle less an `inset` border.
    static QImage shapePicture(QSize size, int inset, QRgb inside, QRgb outside) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(outside);
        for (int y = inset; y < size.height() - inset; ++y)
            for (int x = inset; x < size.width() - inset; ++x)
                image.setPixel(x, y, inside);
        return image;
    }
    void writeShape(const QString& name, QSize size, int inset, QRgb colour) const {
        writeLibraryPicture(name, shapePicture(size, inset, colour, kWhite));
    }
    void writeMask(const QString& name, QSize size, int inset) const {
        writeLibraryPicture(name, shapePicture(size, inset, kWhite, kBlack));
    }
    // The four pictures of an image button named `name`.
    void writeButton(const QString& name, QSize size, int inset = 3) const {
        writeShape(name + "_D", size, inset, kNormal);
        writeShape(name + "_A", size, inset, kHover);
        writeShape(name + "_", size, inset, kPressed);
        writeMask(name + "_M", size, inset);
    }

    // Makes the form the active window, as a click on it would.
    static void activate(Form& form) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QApplication::setActiveWindow(&form);
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // What the window system shows of the form.
    static QImage onScreen(Form& form) {
        return form.screen()
            ->grabWindow(form.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
