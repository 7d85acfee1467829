#pragma once

// What the game tests share: the application object, flat pictures written into a program
// folder of the test's own, colours compared with a JPEG's slack, the window as a game's logic
// sees it, the statistics records read back, the answers a game's statistics pass on, and the
// summary answered while it shows.

#include "answersink.h"
#include "canvas.h"
#include "gamesurface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <vector>

inline std::ostream& operator<<(std::ostream& os, const QPoint& p) {
    return os << "(" << p.x() << ", " << p.y() << ")";
}
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << '"' << s.toStdString() << '"';
}
// Inside tuples and vectors too, rather than character by character.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s;
}
inline std::ostream& operator<<(std::ostream& os, const QColor& c) {
    return os << c.name().toStdString();
}

inline QApplication& gameTestApp() {
    static int argc = 1;
    static char name[] = "wk-game-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// True when the colours differ by no more than a JPEG round trip of a flat colour does.
inline bool closeTo(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <=
           6;
}
// A colour compared with closeTo; failures show the colours instead of bare integers.
struct Rgb {
    QRgb value;
    bool operator==(const Rgb& other) const { return closeTo(value, other.value); }
};
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "rgb(" << qRed(c.value) << "," << qGreen(c.value) << "," << qBlue(c.value) << ")";
}
inline Rgb pixelAt(const QImage& image, QPoint p) {
    return Rgb{image.pixel(p)};
}

// A picture of one colour; with an inset, a frame of `outside` that wide around it.
inline bool saveFlat(const QString& path, QSize size, QColor colour, const char* format,
                     int inset = 0, QColor outside = Qt::white) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(inset > 0 ? outside : colour);
    for (int y = inset; inset > 0 && y < size.height() - inset; ++y)
        for (int x = inset; x < size.width() - inset; ++x)
            image.setPixel(x, y, colour.rgb());
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path, format, 100);
}
inline bool saveJpeg(const QString& path, QSize size, QColor colour) {
    return saveFlat(path, size, colour, "JPEG");
}
inline bool savePng(const QString& path, QSize size, QColor colour) {
    return saveFlat(path, size, colour, "PNG");
}
// The four pictures of a picture button: its colour in three shades inside a white frame,
// and the mask white on the button.
inline void writeButton(const QString& name, QColor colour) {
    const QSize size(64, 56);
    const QString base = "Data/Intf/Lib/" + name;
    ASSERT_TRUE(saveFlat(base + "_D.png", size, colour, "PNG", 3));
    ASSERT_TRUE(saveFlat(base + "_A.png", size, colour.lighter(), "PNG", 3));
    ASSERT_TRUE(saveFlat(base + "_.png", size, colour.darker(), "PNG", 3));
    ASSERT_TRUE(saveFlat(base + "_M.png", size, Qt::white, "PNG", 3, Qt::black));
}

// A program folder of its own, made current as the program makes its folder current.
class ProgramFolder {
public:
    ProgramFolder() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ProgramFolder() { QDir::setCurrent(m_previous); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The window as a game's logic sees it: an invisible widget for the controls and plain
// canvases, counting what the game asks of it. A repaint brings the screen canvas onto the
// visible one.
class FakeSurface : public virtual GameSurface {
public:
    FakeSurface(QSize size, QColor paper)
        : screen(size.width(), size.height(), paper),
          background(size.width(), size.height(), paper),
          visible(size.width(), size.height(), Qt::black) {
        widget.resize(size);
    }

    QWidget* ControlParent() override { return &widget; }
    Canvas& ScreenCanvas() override { return screen; }
    const Canvas& BackgroundCanvas() override { return background; }
    Canvas& VisibleCanvas() override { return visible; }
    void RepaintRect(const QRect& rect) override {
        ++rects;
        visible.copyFrom(rect, screen, rect.topLeft());
    }
    void RepaintWindow() override {
        ++repaints;
        visible.draw(0, 0, screen);
    }
    void A_Stop() override { ++stops; }

    QWidget widget;
    Canvas screen;
    Canvas background;
    Canvas visible;
    int rects = 0;
    int repaints = 0;
    int stops = 0;
};

// The statistics file read back: its 44-byte records after the 20-byte header.
struct StatRecordView {
    static constexpr int HeaderSize = 20;
    static constexpr int RecordSize = 44;

    int kind;
    int poziom;
    int gloski;
    int pozycja;
    int completed;
    int hints;
    int correct;
    int wrong;

    static QByteArray File(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static int Count(const QString& path) {
        return (static_cast<int>(File(path).size()) - HeaderSize) / RecordSize;
    }
    static StatRecordView Last(const QString& path) {
        const QByteArray bytes = File(path);
        const int at = static_cast<int>(bytes.size()) - RecordSize;
        const auto le = [&](int offset, int size) {
            int value = 0;
            for (int i = size - 1; i >= 0; --i)
                value = value << 8 | static_cast<unsigned char>(bytes[at + offset + i]);
            return value;
        };
        return {le(0, 4),  le(20, 2), le(22, 2), le(24, 2),
                le(30, 2), le(32, 4), le(36, 4), le(40, 4)};
    }
};

// Keeps the answers a statistics record passes on, in the order they came.
struct RecordingSink : AnswerSink {
    void GameBegun(const StatRecord&) override {}
    void Answered(const Answer& answer) override { answers.push_back(answer); }
    void GameEnded(const StatRecord&, bool) override {}
    std::vector<Answer> answers;
};
inline void PrintTo(AnswerSink::Outcome o, std::ostream* os) {
    using enum AnswerSink::Outcome;
    *os << (o == Correct ? "Correct" : o == Wrong ? "Wrong" : "Hint");
}

// Answers a modal summary once it shows: `whileOpen` runs first (while it is still open),
// then `action`, which closes it.
class SummaryAnswerer {
public:
    explicit SummaryAnswerer(std::function<bool()> isShowing) : m_isShowing(std::move(isShowing)) {
        m_timer.setInterval(5);
    }

    void answer(std::function<void()> action, std::function<void()> whileOpen = {}) {
        QObject::disconnect(&m_timer, nullptr, nullptr, nullptr);
        QObject::connect(&m_timer, &QTimer::timeout, [this, action, whileOpen] {
            if (!m_isShowing())
                return;
            m_timer.stop();
            wasShowing = true;
            if (whileOpen)
                whileOpen();
            action();
        });
        m_timer.start();
    }

    bool wasShowing = false;

private:
    std::function<bool()> m_isShowing;
    QTimer m_timer;
};
