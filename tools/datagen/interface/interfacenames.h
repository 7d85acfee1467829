#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// Every interface picture the program reads, with the size that fits its place in the layout
// of each screen variant. The windows and widgets name these pictures; the generator makes
// them; the tests check one against the other.
class InterfaceNames {
public:
    enum class Variant { Small, Big };
    static QList<Variant> variants() { return {Variant::Small, Variant::Big}; }
    // "_s" or "_b", the suffix of the variant's file and picture names.
    static QString suffix(Variant v) { return v == Variant::Small ? "_s" : "_b"; }
    // The play area: 800 x 600 or 1024 x 768.
    static QSize designSize(Variant v) {
        return v == Variant::Small ? QSize(800, 600) : QSize(1024, 768);
    }

    // Image buttons: one picture set per name, the same in both variants.
    static QStringList imageButtons();
    static QSize imageButtonSize(const QString& name);
    // The picture names of one button: normal "_D", hover "_A", pressed "_", mask "_M".
    static QStringList imageButtonPictures(const QString& name);

    // The scroll thumb of the recordings list: "scroll_D" and its mask "scroll_M".
    static QString scrollThumb() { return "scroll"; }
    static QSize scrollThumbSize() { return {20, 12}; }

    // Check buttons of the main window's game tabs, by variant: "s_malo" ... "b_wyglos".
    static QStringList checkButtons(Variant v);
    // The row check button of the recordings list, one for both variants.
    static QString rowCheckButton() { return "S_CHBUT"; }
    static QSize checkButtonSize(const QString& base);
    // A check button's two pictures: off "_D", on "_A".
    static QStringList checkButtonPictures(const QString& base);

    // The three captions of the game tabs: "nap_ilzadan_s" and so on.
    static QStringList captions(Variant v);
    static QSize captionSize(Variant v);

    // Graphemes that get letter tiles: every grapheme of the built-in words and every letter
    // of the Polish alphabet, so that a word added later still finds its tiles.
    static QStringList tileGraphemes();
    // The question-mark tile of the completing game.
    static QString questionTile() { return "question"; }
    // Library name of a tile: LetterToken(grapheme) (or "question") + "_red" for the marked
    // tile + the variant suffix.
    static QString tileName(const QString& grapheme, bool red, Variant v);
    static QSize tileSize(Variant v) { return v == Variant::Small ? QSize(44, 44) : QSize(55, 55); }

    // Every picture of the library: name without folder or extension, and size.
    struct Picture {
        QString name;
        QSize size;
    };
    static const QList<Picture>& library();
    static QStringList libraryPictures();
    // Library picture file of a name, relative to the data folder's parent ("Data/...").
    static QString libraryFile(const QString& name) { return "Data/Intf/Lib/" + name + ".png"; }

    // Files the windows read directly, relative to the folder that holds "Data", with the
    // size each one must have.
    struct File {
        QString path;
        QSize size;
    };
    static QList<File> directFiles();
    // The size a library picture must have; an empty size for unknown names.
    static QSize librarySize(const QString& name);
    // The size a directly read file must have; an empty size for unknown paths.
    static QSize fileSize(const QString& path);
};
