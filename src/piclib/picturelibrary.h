#pragma once

#include <QHash>
#include <QImage>
#include <QString>

// Named interface pictures (buttons, check buttons, captions, letter tiles) stored as PNG files
// in Data/Intf/Lib below the current directory. Every lookup, found or not, is remembered for
// the life of the object: the data pack does not change while the program runs, and the
// widgets ask for the same pictures every time a window or a word is built.
class PictureLibrary {
public:
    // The folder below the current directory that holds the pictures.
    static QString folder() { return QStringLiteral("Data/Intf/Lib"); }

    // The picture called `name` as RGB32, or a null image when the name is not a plain picture
    // name, no such file exists or the file does not decode.
    QImage picture(const QString& name);

    // True for names made only of ASCII letters, digits, '_' and '-': anything else (a path
    // separator, "..", a drive letter) could reach files outside the library folder.
    static bool isValidName(const QString& name);

    // The one library the program's OtworzBMP uses.
    static PictureLibrary& shared();

private:
    // Keyed by the absolute file path, so a change of the current directory finds the
    // pictures of the new folder rather than those remembered from the old one.
    QHash<QString, QImage> cache_;
};
