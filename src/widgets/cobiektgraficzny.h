#pragma once

#include "canvas.h"

#include <QImage>
#include <QString>

// A library picture that is drawn at a position and erased again by putting back the pixels
// it covered (the caption pictures of the main window's game tabs).
class CObiektGraficzny {
public:
    // At (0, 0). Throws CBlad(1) when the picture is missing.
    explicit CObiektGraficzny(const QString& name);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int X() const { return m_x; }
    int Y() const { return m_y; }

    // Only moves the draw position: the saved background stays as it was taken.
    void SetPosition(int x, int y);
    // The picture at (x, y) in the canvas's copy mode.
    void Draw(Canvas& canvas) const;
    // Keeps a copy of the width x height pixels at (x, y), replacing any earlier copy. Parts
    // beyond the source's edge are kept black.
    void SaveBackground(const QImage& source);
    void SaveBackground(const Canvas& source) { SaveBackground(source.image()); }
    bool HasSavedBackground() const { return !m_saved.isNull(); }
    // The saved pixels at (x, y), which erases the object; nothing before a save.
    void Restore(Canvas& canvas) const;

private:
    int m_x = 0;
    int m_y = 0;
    int m_width;
    int m_height;
    QImage m_picture;
    QImage m_saved;
};
