// The reference for the menu's start-up time: a frameless screen-size window that paints one
// picture and nothing else. Usage: minimal_window PICTURE
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class PictureWindow : public QWidget {
public:
    explicit PictureWindow(const QImage& picture)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_picture(picture) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.drawImage((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2,
                    m_picture);
    }

private:
    QImage m_picture;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QImage picture(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), "JPEG");
    PictureWindow window(picture);
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    return app.exec();
}
