#pragma once

#include <QImage>
#include <QString>

// Fills `bitmap` with the interface picture `name` (no folder, no extension; the screen
// variant suffix, if any, is part of the name), as RGB32 with the picture's own size. An
// unknown or unreadable name leaves `bitmap` null; the widget constructors turn that into
// error 1.
void OtworzBMP(const QString& name, QImage& bitmap);
