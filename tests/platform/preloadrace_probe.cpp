// The start-up's order in small, run under helgrind by preload_race.sh: the picture worker
// starts on the pictures given and a screen-size buffer, the application object is made
// (offscreen) while it works, then everything is taken once done.
#include "picturepreload.h"

#include <QGuiApplication>
#include <QThread>

int main(int argc, char** argv) {
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
