#include "formbordersize.h"

#include <QApplication>
#include <QStyle>

namespace {
int metric(QStyle::PixelMetric which, int fallback) {
    const QStyle* style = QApplication::style();
    return style ? style->pixelMetric(which) : fallback;
}
// The window system draws frames and captions of framed windows; Qt's style metrics are the
// closest portable stand-in for the system metrics.
int frame() {
    return metric(QStyle::PM_DefaultFrameWidth, 2);
}
int caption() {
    return metric(QStyle::PM_TitleBarHeight, 20);
}
int smallCaption() {
    return (caption() * 3) / 4;
}
} // namespace

short BorderWidth(BorderStyle style) {
    return style == BorderStyle::None ? 0 : static_cast<short>(frame());
}

short BorderHeight(BorderStyle style) {
    switch (style) {
    case BorderStyle::None:
        return 0;
    case BorderStyle::ToolWindow:
    case BorderStyle::SizeableToolWindow:
        return static_cast<short>(frame() + smallCaption());
    default:
        return static_cast<short>(frame() + caption());
    }
}
