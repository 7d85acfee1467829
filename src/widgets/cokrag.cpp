#include "cokrag.h"

#include "canvas.h"
#include "cblad.h"
#include "cdisplay.h"
#include "imageloader.h"
#include "mediafiles.h"

QStringList COkrag::PictureFiles(bool smallScreen) {
    if (smallScreen)
        return {QStringLiteral("Data/Bio/_matr_ms.xji"),
                QStringLiteral("Data/Intf/Spec/Ring_s.xji"),
                QStringLiteral("Data/Intf/Spec/RingM_s.xji")};
    return {QStringLiteral("Data/Bio/_matr_mb.xji"), QStringLiteral("Data/Intf/Spec/Ring_b.xji"),
            QStringLiteral("Data/Intf/Spec/RingM_b.xji")};
}

COkrag::COkrag(const CDisplay& display, Canvas& canvas) : m_canvas(canvas) {
    const QStringList files = PictureFiles(display.IsSmall());
    m_pictureMask = LoadRequiredPicture(files.at(0));
    m_ring = LoadRequiredPicture(files.at(1));
    m_ringMask = LoadRequiredPicture(files.at(2));
    // Each half is truncated before the subtraction.
    const int halfW = display.DesignWidth / 2;
    const int halfH = display.DesignHeight / 2;
    m_ringX = static_cast<short>(halfW - m_ring.width() / 2);
    m_ringY = static_cast<short>(halfH - m_ring.height() / 2);
    m_pictureX = static_cast<short>(halfW - m_pictureMask.width() / 2);
    m_pictureY = static_cast<short>(halfH - m_pictureMask.height() / 2);
}

void COkrag::DrawRing() {
    m_canvas.drawMasked(m_ringX, m_ringY, m_ringMask, m_ring);
}

void COkrag::DrawPicture(const QImage& picture) {
    DrawRing();
    m_canvas.drawMasked(m_pictureX, m_pictureY, m_pictureMask, picture);
}
