#include "cobiektgraficzny.h"

#include "cblad.h"
#include "widgetpictures.h"

CObiektGraficzny::CObiektGraficzny(const QString& name) : m_picture(LibraryPicture(name)) {
    m_width = m_picture.width();
    m_height = m_picture.height();
}

void CObiektGraficzny::SetPosition(int x, int y) {
    m_x = x;
    m_y = y;
}

void CObiektGraficzny::Draw(Canvas& canvas) const {
    canvas.draw(m_x, m_y, m_picture);
}

void CObiektGraficzny::SaveBackground(const QImage& source) {
    Canvas copy(m_width, m_height, Qt::black);
    if (copy.image().isNull())
        throw CBlad(1);
    copy.copyFrom(copy.rect(), source, QPoint(m_x, m_y));
    m_saved = copy.image();
}

void CObiektGraficzny::Restore(Canvas& canvas) const {
    if (!m_saved.isNull())
        canvas.draw(m_x, m_y, m_saved);
}
