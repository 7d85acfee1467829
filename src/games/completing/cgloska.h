#pragma once

#include "hitarea.h"

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>

class Canvas;
class QWidget;

// One letter tile of the completing game, or one of its two sound buttons. The picture comes
// from the picture library under the grapheme's token, a state suffix ("" or "_red") and the
// screen variant's suffix. A sound button also has an invisible control on the window that
// catches its clicks; a tile has none.
class CGloska {
public:
    // Runs when an enabled sound button is chosen, with the button's sound.
    using ChooseHandler = std::function<void(const QString& sound)>;

    // A tile showing `sound` at (0, 0); a tile of side fallbackSide is drawn with its letter
    // when the picture is missing (none when 0).
    CGloska(const QString& sound, const QString& variantSuffix, int fallbackSide = 0);
    // A sound button on `window`, enabled and visible, at x = 3W/4 for side 0 and W/4 − 40
    // for side 1, y = H/2 (W × H the play area). A missing picture is drawn as a plain tile
    // of fallbackSize with its letter, so that the button can still be seen and clicked.
    CGloska(QWidget* window, const QString& sound, int side, QSize playArea,
            const QString& variantSuffix, QSize fallbackSize, ChooseHandler onChoose);
    ~CGloska();
    CGloska(const CGloska&) = delete;
    CGloska& operator=(const CGloska&) = delete;

    // The library name of a tile picture: "ż", "_red", "_s" give "zz_red_s".
    static QString PictureName(const QString& sound, const QString& stateSuffix,
                               const QString& variantSuffix);
    // Left edge of a sound button on its side of a play area of width w.
    static int ButtonX(int side, int w);

    // Enabled: the help cursor and clicks choose the button; disabled: the plain cursor and
    // clicks do nothing.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_enabled; }
    void SetPosition(int x, int y);
    // Shows the control, if any, and draws the picture in the canvas's current copy mode.
    void Draw(Canvas& canvas);
    // Hides the control, if any, and puts the background back where the picture was.
    void Erase(Canvas& screen, const Canvas& background);
    void LoadPicture(const QString& sound, const QString& stateSuffix);
    // What a click on an enabled button does; nothing for a disabled button or a tile.
    void Choose();

    int X() const { return m_x; }
    int Y() const { return m_y; }
    const QString& Sound() const { return m_sound; }
    const QString& PictureName() const { return m_pictureName; }
    const QImage& Picture() const { return m_picture; }
    HitArea* Control() const { return m_control; }
    // A sound button whose control is on the window.
    bool IsShown() const;

private:
    bool m_enabled = false;
    QImage m_picture;
    QPointer<HitArea> m_control;
    std::int16_t m_x = 0;
    std::int16_t m_y = 0;
    QString m_sound;
    QString m_variantSuffix;
    int m_fallbackSide = 0;
    QString m_pictureName;
    ChooseHandler m_onChoose;
};
