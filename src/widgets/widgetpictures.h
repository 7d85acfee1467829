#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class Canvas;

// Drawing helpers shared by the widgets.

// The interface picture `name` from the picture library. A missing picture is a missing
// resource: throws CBlad(1), so a widget constructor that asks for it frees what it built.
QImage LibraryPicture(const QString& name);

// The files of the four state pictures (normal, hover, pressed, mask) an image button called
// `name` reads, relative to the program's folder: those it reads when made (normal and mask)
// and those it reads when first shown (hover and pressed).
QStringList ImageButtonPictureFiles(const QString& name);
QStringList ImageButtonMadePictureFiles(const QString& name);
QStringList ImageButtonLaterPictureFiles(const QString& name);
// The off and on pictures of a check button called `name`, and the file of the library picture
// `name` itself (a caption).
QStringList CheckButtonPictureFiles(const QString& name);
QString LibraryPictureFile(const QString& name);

// Copies source pixels starting at sourcePos into dest as a plain copy, whatever copy mode the
// destination canvas is in, and leaves that mode as it was.
void CopyPixels(Canvas& destination, const QRect& dest, const QImage& source,
                const QPoint& sourcePos);
