#pragma once

#include <QPoint>
#include <array>

// Where the main window puts its controls for one screen variant, and which tab a press on
// the tab strip means. Pure arithmetic on the play area (left x0, top y0, width w, height h),
// kept apart from the window so that both variants can be checked without a screen. All
// divisions truncate, as the pictures were drawn for.
class MenuLayout {
public:
    // The tabs of the strip: four games, then the recordings.
    static constexpr int TabCount = 5;
    static constexpr int RecordingsTab = 5;

    MenuLayout(int x0, int y0, int w, int h, bool small);

    // Top-left corners.
    QPoint TabStrip() const;
    // "postepy", left of "oprogramie" in the bottom row, 100 apart as the others.
    QPoint Progress() const;
    // "wzorce", left of "postepy".
    QPoint Models() const;
    // "lusterko", right of "start".
    QPoint Mirror() const;
    QPoint About() const;
    QPoint Exit() const;
    QPoint Start() const;
    QPoint RecPlay() const;
    QPoint RecStop() const;
    QPoint RecRecord() const;
    QPoint ScrollUp() const;
    QPoint ScrollDown() const;
    // The speaker that switches the music, in the sky above the panel: the bottom row keeps
    // room for more buttons.
    QPoint Music() const;
    // Task counts mało, średnio, dużo (index 0..2).
    QPoint Level(int index) const;
    // Sound groups SZ, ŻZ, CZ, DŻ (index 0..3).
    QPoint Sound(int index) const;
    // Positions nagłos, śródgłos, wygłos (index 0..2).
    QPoint Position(int index) const;

    // Captions end at the middle of the play area; soundsWidth and positionWidth are the widths
    // of the sounds and position caption pictures (the task-count caption lines up with the
    // sounds caption).
    QPoint TasksCaption(int soundsWidth) const;
    QPoint SoundsCaption(int soundsWidth) const;
    QPoint PositionCaption(int positionWidth) const;

    // The tab (1..5) whose band holds y, measured from the top of the strip; 0 between and
    // outside the bands.
    int TabAt(int y) const;

private:
    int m_x0;
    int m_y0;
    int m_w;
    int m_h;
    bool m_small;
};
