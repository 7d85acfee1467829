#include "tformsplashscreen.h"

#include "cdisplay.h"
#include "mediafiles.h"

#include <QLabel>
#include <exception>

namespace {

// Lime shows only when neither the picture nor the labels cover the window.
const QColor Lime(0x00, 0xFF, 0x00);

QFont plainFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QString TFormSplashScreen::PictureFile() {
    return QStringLiteral("Data/Intf/Spec/mT_Splh.xji");
}

TFormSplashScreen::TFormSplashScreen(const CDisplay& display) {
    setWindowTitle(QStringLiteral("Wiklotek Cz.I Splash"));
    setClientSize(DesignWidth, DesignHeight);

    try {
        LoadJpegBitmap(m_picture, PictureFile());
    } catch (const std::exception&) {
        // A missing or broken title picture must not stop the start: the labels say so.
        m_picture = QImage();
    }
    if (!m_picture.isNull())
        setClientSize(m_picture.width(), m_picture.height());
    // Integer halves truncate toward zero, also on a screen smaller than the window.
    move((display.ScreenWidth - width()) / 2, (display.ScreenHeight - height()) / 2);

    Canvas& front = canvas();
    if (PictureLoaded()) {
        front.draw(0, 0, m_picture);
        return;
    }
    // Only the words need fonts, whose configuration is still being read on another thread
    // while the picture shows.
    m_lbBladTekst = new QLabel(this);
    m_lbBladTekst->setGeometry(8, 8, 102, 16);
    m_lbBladTekst->setText(QStringLiteral("Brak zasobów!"));
    m_lbBladTekst->setFont(plainFont(13, true));
    QPalette red = m_lbBladTekst->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_lbBladTekst->setPalette(red);

    m_lbTytul = new QLabel(this);
    m_lbTytul->setGeometry(0, 32, 601, 41);
    m_lbTytul->setAlignment(Qt::AlignCenter);
    m_lbTytul->setFont(plainFont(29, false));
    m_lbTytul->setText(QStringLiteral("Wiklotek Cz.I"));

    front.setBrushColor(Lime);
    front.fillRect(front.rect());
}
