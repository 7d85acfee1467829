#pragma once

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

// A fresh temporary folder made the current directory for the life of the object, as the
// program makes its own folder current; the previous directory comes back afterwards.
class TempWorkDir {
public:
    TempWorkDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~TempWorkDir() { QDir::setCurrent(m_previous); }
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const { return m_dir.filePath(relative); }

    // Writes bytes to a path relative to the folder, creating its parent folders.
    bool write(const QString& relative, const QByteArray& bytes) const {
        const QString full = filePath(relative);
        QDir().mkpath(QFileInfo(full).path());
        QFile file(full);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    bool writeJpeg(const QString& relative, QColor colour, QSize size = QSize(8, 6)) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString full = filePath(relative);
        QDir().mkpath(QFileInfo(full).path());
        return image.save(full, "JPEG", 95);
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};
