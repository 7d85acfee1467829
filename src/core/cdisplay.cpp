#include "cdisplay.h"

#include "imageloader.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {
QSize primaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(0, 0);
}
} // namespace

CDisplay::CDisplay(QSize screen, ScreenMeasure measure)
    : ScreenWidth(screen.width()), ScreenHeight(screen.height()), m_measure(std::move(measure)) {
    if (ScreenWidth < 1024 || ScreenHeight < 768) {
        ScreenVariant = Small;
        DesignWidth = 800;
        DesignHeight = 600;
    } else {
        ScreenVariant = Big;
        DesignWidth = 1024;
        DesignHeight = 768;
    }
    // Integer division truncates toward zero, as the layout formulas expect.
    OffsetX = (ScreenWidth - DesignWidth) / 2;
    OffsetY = (ScreenHeight - DesignHeight) / 2;
}

CDisplay CDisplay::fromPrimaryScreen() {
    return CDisplay(primaryScreenSize(), primaryScreenSize);
}

bool CDisplay::ScreenTooSmall() const {
    const QSize now = m_measure ? m_measure() : QSize(ScreenWidth, ScreenHeight);
    return now.width() < 800 || now.height() < 600;
}

void CDisplay::PaintBackground(QImage& bitmap, const QString& path) const {
    bitmap = QImage(qMax(ScreenWidth, 1), qMax(ScreenHeight, 1), QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    if (!QFileInfo::exists(path))
        return;
    try {
        const QImage picture = loadJpegFile(path);
        QPainter painter(&bitmap);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(OffsetX, OffsetY, picture);
    } catch (const ImageLoadError&) {
        // An unreadable background is shown as black, like a missing one.
    }
}
