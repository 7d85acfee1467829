#include "menulayout.h"

namespace {

struct Band {
    int top;
    int bottom; // inclusive
};

// Bands of the tab pictures, one per tab, from the top of the strip.
constexpr std::array<Band, MenuLayout::TabCount> SmallBands{
    {{6, 105}, {110, 190}, {200, 270}, {280, 345}, {360, 435}}};
constexpr std::array<Band, MenuLayout::TabCount> BigBands{
    {{12, 140}, {150, 250}, {260, 350}, {360, 450}, {460, 570}}};

} // namespace

MenuLayout::MenuLayout(int x0, int y0, int w, int h, bool small)
    : m_x0(x0), m_y0(y0), m_w(w), m_h(h), m_small(small) {}

QPoint MenuLayout::TabStrip() const {
    return m_small ? QPoint(m_x0 + 551, m_y0 + 74) : QPoint(m_x0 + 705, m_y0 + 95);
}

QPoint MenuLayout::Progress() const {
    return {m_x0 + m_w / 2 - 255, m_y0 + m_h - m_h / 7};
}

QPoint MenuLayout::Models() const {
    return {m_x0 + m_w / 2 - 355, m_y0 + m_h - m_h / 7};
}

QPoint MenuLayout::About() const {
    return {m_x0 + m_w / 2 - 155, m_y0 + m_h - m_h / 7};
}

QPoint MenuLayout::Exit() const {
    return {m_x0 + m_w / 2 - 55, m_y0 + m_h - m_h / 7};
}

QPoint MenuLayout::Start() const {
    return {m_x0 + m_w / 2 + 35, m_y0 + m_h - m_h / 7};
}

QPoint MenuLayout::Mirror() const {
    return {m_x0 + m_w / 2 + 135, m_y0 + m_h - m_h / 7};
}

QPoint MenuLayout::RecPlay() const {
    return {m_x0 + m_w / 2 - 95, m_y0 + m_h * 10 / 14};
}

QPoint MenuLayout::RecStop() const {
    return {m_x0 + m_w / 2 - 55, m_y0 + m_h * 10 / 14};
}

QPoint MenuLayout::RecRecord() const {
    return {m_x0 + m_w / 2 - 15, m_y0 + m_h * 10 / 14};
}

QPoint MenuLayout::ScrollUp() const {
    return {m_x0 + 240, m_y0 + (m_h / 70) * 22 - 32};
}

QPoint MenuLayout::ScrollDown() const {
    return {m_x0 + 240, m_y0 + (m_h / 70) * 22 + 256};
}

QPoint MenuLayout::Music() const {
    return {m_x0 + m_w - 250, m_y0 + 16};
}

QPoint MenuLayout::Level(int index) const {
    // mało, średnio W/6 further, dużo W/3 further
    const int offsets[] = {0, m_w / 6, m_w / 3};
    return {m_x0 + m_w / 5 + offsets[index], m_y0 + m_h / 3};
}

QPoint MenuLayout::Sound(int index) const {
    const int x = m_x0 + m_w / 3;
    const int offsets[] = {-(m_w / 8), 0, m_w / 8, m_w / 4};
    return {x + offsets[index], m_y0 + m_h / 2};
}

QPoint MenuLayout::Position(int index) const {
    return {Level(index).x(), m_y0 + m_h - m_h / 3};
}

QPoint MenuLayout::TasksCaption(int soundsWidth) const {
    return {m_x0 + m_w / 2 - soundsWidth + (m_small ? 5 : 0), m_y0 + m_h / 4};
}

QPoint MenuLayout::SoundsCaption(int soundsWidth) const {
    return {m_x0 + m_w / 2 - soundsWidth + (m_small ? 5 : 0), m_y0 + m_h / 2 - m_h / 16};
}

QPoint MenuLayout::PositionCaption(int positionWidth) const {
    return {m_x0 + m_w / 2 - positionWidth + (m_small ? 5 : 0), m_y0 + m_h / 2 + m_h / 10};
}

int MenuLayout::TabAt(int y) const {
    const auto& bands = m_small ? SmallBands : BigBands;
    for (int tab = 0; tab < TabCount; ++tab)
        if (y >= bands[tab].top && y <= bands[tab].bottom)
            return tab + 1;
    return 0;
}
