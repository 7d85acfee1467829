#pragma once

#include "cdisplay.h"
#include "form.h"
#include "picturetable.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

class CPrzyciskP;
class QLabel;

// What the therapist's full-screen windows (progress, word models, the mirror) share: black
// around the play area, the play area in the window's own tint under a rounded cream panel,
// the title in the panel's top left corner, and "stop" in its bottom right corner, which, like
// Escape from anywhere in the window, calls A_Stop().
class TherapistForm : public Form {
    Q_OBJECT
public:
    // The texts' ink and the panel's border; the panel.
    static constexpr QColor Ink{0x2E, 0x2A, 0x5A};
    static constexpr QColor Panel{0xFF, 0xF7, 0xE3};

    // windowTitle tells the window apart on the desktop, title is shown on the panel. Throws
    // CBlad(1) when the stop button's pictures are missing.
    TherapistForm(const CDisplay& display, const QString& windowTitle, const QColor& tint,
                  const QString& title);
    ~TherapistForm() override;

    // The pictures such a window is made from: only "stop". In the program's own library, so
    // that the program lists them without loading a window's module.
    static PictureTable Pictures(const CDisplay& display);
    // Their files, relative to the program's folder.
    static QStringList PictureFiles(const CDisplay& display) { return Pictures(display).Files(); }

    // The windows' one font, at a size in pixels.
    static QFont Font(int pixelSize, bool bold = false);
    // Plain text in that ink (or another), never read as rich text.
    static QLabel* Label(QWidget* parent, const QString& text, const QFont& font,
                         const QColor& ink = Ink);

    // "stop" and Escape: closes the window.
    virtual void A_Stop() { close(); }

    CPrzyciskP& StopButton() { return *m_stop; }

protected:
    // Where the content goes: the play area's corner and size on the screen, whether the screen
    // is the small variant, and the body text's size in pixels.
    struct Layout {
        int x0, y0, w, h;
        bool small;
        int text;
    };
    const Layout& PlayArea() const { return m_layout; }
    QLabel& TitleLabel() const { return *m_title; }
    // A line of text beside the title, up to the panel's right margin.
    QRect BesideTitle() const;
    // Escape (27) stops, as the shortcut does.
    bool keyPressed(char16_t ch) override;

private:
    Layout m_layout;
    QImage m_background; // under the stop button, so it outlives it
    QLabel* m_title = nullptr;
    std::unique_ptr<CPrzyciskP> m_stop;
};
