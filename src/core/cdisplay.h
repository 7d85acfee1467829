#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

// The screen variant the whole program is laid out for: small (800 x 600, files "_s") or big
// (1024 x 768, files "_b"), centred on the screen. Built once at start-up from the real screen
// (tests build it from a given size) and never changed afterwards.
class CDisplay {
public:
    static constexpr int Small = 2;
    static constexpr int Big = 4;

    using ScreenMeasure = std::function<QSize()>;

    // Classifies a screen of the given size; ScreenTooSmall asks measure anew when given.
    explicit CDisplay(QSize screen, ScreenMeasure measure = {});
    // The primary screen of the running QGuiApplication.
    static CDisplay fromPrimaryScreen();

    int ScreenWidth;
    int ScreenHeight;
    int ScreenVariant;
    int OffsetX;
    int OffsetY;
    int DesignWidth;
    int DesignHeight;

    bool IsSmall() const { return ScreenVariant == Small; }
    // "_s" or "_b", the suffix of interface files and library picture names.
    QString Suffix() const { return IsSmall() ? QStringLiteral("_s") : QStringLiteral("_b"); }

    // True when the screen, measured now, is narrower than 800 or lower than 600 pixels.
    bool ScreenTooSmall() const;

    // Makes bitmap a screen-size black picture with the JPEG file at path drawn at the design
    // offset. A missing or unreadable file leaves it black.
    void PaintBackground(QImage& bitmap, const QString& path) const;

private:
    ScreenMeasure m_measure;
};
