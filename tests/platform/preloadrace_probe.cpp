// The start-up's order in small, run under helgrind by preload_race.sh: the picture worker
// starts on the pictures given and a screen-size buffer, the application object is made
// (offscreen) while it works, then everything is taken once done. "--write DIR" first writes a JPEG, a
// BMP and a PNG there, in a process of its own.
#include "picturepreload.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QThread>

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--write") {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(qRgb(200, 120, 40));
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        const bool written = picture.save(dir.filePath("a.xji"), "JPEG") &&
                             picture.save(dir.filePath("b.xbi"), "BMP") &&
                             picture.save(dir.filePath("c.png"), "PNG");
        return written ? 0 : 1;
    }
    // As in the program: the main thread is Qt's before the worker starts.
    QThread::currentThread();
    QStringList files;
    for (int i = 1; i < argc; ++i)
        files << QString::fromLocal8Bit(argv[i]);
    PicturePreload::Start(files);
    PicturePreload::PrepareBuffer(QSize(1024, 768));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    PicturePreload::WaitUntilDone();
    int taken = PicturePreload::TakeBuffer(QSize(1024, 768)).has_value() ? 1 : 0;
    for (const QString& file : files)
        taken += PicturePreload::Take(file).has_value() ? 1 : 0;
    PicturePreload::Stop();
    return taken == files.size() + 1 ? 0 : 2;
}
