#pragma once

#include "form.h"

#include <QImage>

class CDisplay;
class QLabel;

// The title picture shown while the program starts; a second start of the program brings it
// to the front. Without its picture it keeps its design size and says that resources are
// missing, and start-up goes on.
class TFormSplashScreen : public Form {
    Q_OBJECT
public:
    static constexpr int DesignWidth = 600;
    static constexpr int DesignHeight = 348;

    explicit TFormSplashScreen(const CDisplay& display);

    // The title picture, relative to the pack's folder (the same for both screen variants).
    static QString PictureFile();

    // True when the title picture was read; the labels exist only when it was not.
    bool PictureLoaded() const { return !m_picture.isNull(); }
    const QImage& Picture() const { return m_picture; }
    QLabel* lbBladTekst() const { return m_lbBladTekst; }
    QLabel* lbTytul() const { return m_lbTytul; }

private:
    QImage m_picture;
    QLabel* m_lbBladTekst = nullptr;
    QLabel* m_lbTytul = nullptr;
};
