#include "form.h"

#include "hitarea.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QWindow>

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    // The front image covers every pixel, so the system must never clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    m_front.setBrushColor(Qt::white);
    m_front.setChangeListener([this](const QRect& rect) { frontChanged(rect); });
    // The front image is made at its first use, at the size the window has by then: a window
    // sized in its constructor would otherwise fill one of the default size first, for nothing.
}

Form::~Form() {
    m_front.setChangeListener({});
    endModal();
}

Canvas& Form::canvas() {
    syncFrontSize();
    return m_front;
}

void Form::syncFrontSize() {
    if (m_front.width() == width() && m_front.height() == height())
        return;
    const bool wasPainting = std::exchange(m_painting, true);
    m_front.resize(width(), height());
    m_painting = wasPainting;
}

void Form::frontChanged(const QRect& rect) {
    // Inside a paint the screen is being refreshed from the front image anyway; a repaint
    // from there would recurse.
    if (m_painting || !isVisible())
        return;
    repaint(withScreenEdge(rect));
}

QRect Form::withScreenEdge(const QRect& rect) const {
    // Enlarged, the screen pixels along the rectangle's edge also show the window pixels just
    // outside it, blended: they are repainted with it, or the old picture stays in them.
    if (devicePixelRatioF() == 1.0)
        return rect;
    return rect.adjusted(-1, -1, 1, 1) & this->rect();
}

void Form::updateRect(const QRect& rect) {
    update(withScreenEdge(rect));
}

void Form::setClientSize(int width, int height) {
    resize(width, height);
    syncFrontSize();
}

void Form::centerOnScreen() {
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

int Form::showModal() {
    if (m_loop)
        return 0;
    m_modalResult = 0;
    if (isVisible())
        hide(); // modality only changes on a hidden window
    setTransientOwner(modalOwner());
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    m_loop = &loop;
    QPointer<Form> self(this);
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (!self)
        return 0; // destroyed while it was showing
    m_loop = nullptr;
    if (isVisible())
        hide();
    setWindowModality(Qt::NonModal);
    setTransientOwner(nullptr);
    return m_modalResult;
}

QWidget* Form::modalOwner() const {
    // The window the user works in opened this one: the topmost modal window when there is
    // one, else the active window, else the visible main window (nothing is active under a
    // bare X server until the first click).
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->window() != this)
        return modal->window();
    if (QWidget* active = QApplication::activeWindow(); active && active->window() != this)
        return active->window();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != this && top->isVisible() && top->windowHandle())
            return top;
    }
    return nullptr;
}

void Form::setTransientOwner(QWidget* owner) {
    // A window manager keeps a transient window above its owner, so the owner can never hide
    // the modal window that blocks it.
    if (!windowHandle())
        create();
    QWindow* ownerHandle = owner ? owner->windowHandle() : nullptr;
    if (windowHandle())
        windowHandle()->setTransientParent(ownerHandle);
}

void Form::setModalResult(int result) {
    m_modalResult = result;
    if (result != 0 && m_loop)
        close();
}

void Form::closeWith(int result) {
    if (isModal())
        setModalResult(result);
    else
        hide();
}

void Form::endModal() {
    if (m_loop)
        m_loop->exit(0);
}

void Form::setRoundedRegion(int width, int height, int ellipseWidth, int ellipseHeight) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width, height), ellipseWidth / 2.0, ellipseHeight / 2.0);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void Form::startDrag(const QPoint& globalPos) {
    if (QWindow* window = windowHandle(); window && window->startSystemMove())
        return;
    // No window manager to move us: follow the mouse ourselves until the button is released.
    m_dragging = true;
    m_dragStartGlobal = globalPos;
    m_dragStartPos = pos();
    // Tracking lets a move without the button end a drag whose release went elsewhere.
    m_trackingBeforeDrag = hasMouseTracking();
    setMouseTracking(true);
    grabMouse();
}

void Form::stopDrag() {
    if (!m_dragging)
        return;
    m_dragging = false;
    setMouseTracking(m_trackingBeforeDrag);
    releaseMouse();
}

bool Form::keyPressed(char16_t) {
    return false;
}

void Form::paintEvent(QPaintEvent* event) {
    const QRegion region = event->region();
    const bool wasPainting = std::exchange(m_painting, true);
    syncFrontSize();
    formPaint();
    // The invisible hit areas hear about the paint too, so the widgets behind them can put
    // their pictures on the front image before it is copied.
    const QList<HitArea*> areas = findChildren<HitArea*>();
    for (const QPointer<HitArea> area : areas) {
        if (!area || area->window() != this || !area->isVisible())
            continue;
        const QRect inForm(area->mapTo(this, QPoint(0, 0)), area->size());
        if (region.intersects(inForm))
            area->paintRequested();
    }
    m_painting = wasPainting;

    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (devicePixelRatioF() == 1.0) {
        for (const QRect& r : region)
            p.drawImage(r, m_front.image(), r);
        return;
    }
    // Enlarged for a large screen: the front image stays in the window's own pixels and is
    // smoothed on its way to the screen. A screen pixel at the edge of a piece blends the
    // window pixels on both sides of that edge: each piece takes its neighbours along so that
    // it blends with them rather than with nothing. Qt clips the drawing to the screen pixels
    // being repainted, which withScreenEdge() widened to every one the change reaches.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect bounds = m_front.image().rect();
    for (const QRect& r : region) {
        const QRect piece = r.adjusted(-1, -1, 1, 1) & bounds;
        p.drawImage(piece, m_front.image(), piece);
    }
}

void Form::resizeEvent(QResizeEvent* event) {
    syncFrontSize();
    QWidget::resizeEvent(event);
}

void Form::keyPressEvent(QKeyEvent* event) {
    char16_t ch = 0;
    switch (event->key()) {
    case Qt::Key_Escape:
        ch = 27;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ch = 13;
        break;
    case Qt::Key_Backspace:
        ch = 8;
        break;
    case Qt::Key_Tab:
        ch = 9;
        break;
    default:
        if (!event->text().isEmpty())
            ch = event->text().at(0).unicode();
        break;
    }
    if (ch != 0 && keyPressed(ch))
        return;
    QWidget::keyPressEvent(event);
}

void Form::hideEvent(QHideEvent* event) {
    stopDrag();
    // Minimising is the window system's hide; only a real hide ends the modal show.
    if (!event->spontaneous())
        endModal();
    QWidget::hideEvent(event);
}

void Form::mousePressEvent(QMouseEvent* event) {
    if (m_draggable && event->button() == Qt::LeftButton) {
        startDrag(event->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

void Form::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        if (!(event->buttons() & Qt::LeftButton)) {
            stopDrag();
            return;
        }
        move(m_dragStartPos + event->globalPosition().toPoint() - m_dragStartGlobal);
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void Form::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        stopDrag();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
