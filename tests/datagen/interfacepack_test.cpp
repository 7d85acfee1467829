#include "backgroundpainter.h"
#include "blackwhitejpeg.h"
#include "buttonpainter.h"
#include "imageloader.h"
#include "interfacenames.h"
#include "interfacepack.h"
#include "interfacestyle.h"
#include "lettertilepainter.h"
#include "maskedpicture.h"
#include "menupiecepainter.h"
#include "otworzbmp.h"
#include "ringpainter.h"
#include "tabstrippainter.h"
#include "wordentry.h"
#include "wordtable.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

#include <memory>

using Names = InterfaceNames;
using V = InterfaceNames::Variant;

namespace {

// Pixels of image that are neither pure black nor pure white.
int impurePixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y) & 0xFFFFFF;
            if (c != 0xFFFFFF && c != 0)
                ++count;
        }
    return count;
}

// Pixels where the mask is black but the picture is darker than minimum on some channel: the
// AND drawing would darken the background there.
int darkOutsideMask(const QImage& picture, const QImage& mask, int minimum = 255) {
    int count = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            if ((mask.pixel(x, y) & 0xFFFFFF) != 0)
                continue;
            const QRgb c = picture.pixel(x, y);
            if (qRed(c) < minimum || qGreen(c) < minimum || qBlue(c) < minimum)
                ++count;
        }
    return count;
}

int whitePixels(const QImage& mask) {
    int count = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            count += (mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    return count;
}

// The whole pack, generated once into a temporary program folder that the tests read.
class GeneratedPack : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        QStringList errors;
        InterfacePack pack(dir_->filePath("Data"), dir_->path());
        ASSERT_TRUE(pack.run({}, &errors));
        ASSERT_EQ(errors, QStringList());
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_->path()); // OtworzBMP reads below the current folder
    }
    static void TearDownTestSuite() {
        QDir::setCurrent(previous_);
        dir_.reset();
    }
    static QString file(const QString& path) { return dir_->filePath(path); }
    static QImage library(const QString& name) {
        QImage image;
        OtworzBMP(name, image);
        return image;
    }

    static std::unique_ptr<QTemporaryDir> dir_;
    static QString previous_;
};

std::unique_ptr<QTemporaryDir> GeneratedPack::dir_;
QString GeneratedPack::previous_;

TEST_F(GeneratedPack, EveryLibraryPictureLoadsWithTheSizeOfItsPlace) {
    for (const QString& name : Names::libraryPictures()) {
        const QImage image = library(name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), Names::librarySize(name)) << name.toStdString();
    }
}

TEST_F(GeneratedPack, EveryWindowPictureDecodesWithTheProgramsLoaders) {
    for (const Names::File& f : Names::directFiles()) {
        QImage image;
        try {
            image =
                f.path.endsWith(".xbi") ? loadBmpFile(file(f.path)) : loadJpegFile(file(f.path));
        } catch (const ImageLoadError& e) {
            ADD_FAILURE() << f.path.toStdString() << ": " << e.what();
            continue;
        }
        EXPECT_EQ(image.size(), f.size) << f.path.toStdString();
    }
}

TEST_F(GeneratedPack, BitmapsArePlain24BitWindowsBitmaps) {
    for (const Names::File& f : Names::directFiles()) {
        if (!f.path.endsWith(".xbi"))
            continue;
        QFile bmp(file(f.path));
        ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
        const QByteArray header = bmp.read(30);
        ASSERT_EQ(header.size(), 30);
        EXPECT_EQ(header.left(2), QByteArray("BM")) << f.path.toStdString();
        EXPECT_EQ(int(uchar(header[28])), 24) << f.path.toStdString();
    }
}

TEST_F(GeneratedPack, MasksArePureBlackAndWhiteAndCoverTheirObject) {
    QStringList masks;
    for (const QString& b : Names::imageButtons())
        masks << b + "_M";
    masks << Names::scrollThumb() + "_M";
    for (const QString& name : masks) {
        const QImage mask = library(name);
        EXPECT_EQ(impurePixels(mask), 0) << name.toStdString();
        // An object that fills at least half its picture, not a speck or an empty mask.
        EXPECT_GT(whitePixels(mask), mask.width() * mask.height() / 2) << name.toStdString();
    }
    for (V v : Names::variants()) {
        const QImage ring = loadJpegFile(file("Data/Intf/Spec/RingM" + Names::suffix(v) + ".xji"));
        EXPECT_EQ(impurePixels(ring), 0) << "RingM" << Names::suffix(v).toStdString();
    }
}

TEST_F(GeneratedPack, StatePicturesAreWhiteWhereTheirMaskIsBlack) {
    for (const QString& b : Names::imageButtons()) {
        const QImage mask = library(b + "_M");
        for (const QString& state : {b + "_D", b + "_A", b + "_"})
            EXPECT_EQ(darkOutsideMask(library(state), mask), 0) << state.toStdString();
    }
    EXPECT_EQ(darkOutsideMask(library("scroll_D"), library("scroll_M")), 0);
    // JPEG keeps the ring's surroundings white to within a few levels: the AND drawing then
    // darkens the background by at most 7 levels.
    for (V v : Names::variants()) {
        const QString s = Names::suffix(v);
        const QImage ring = loadJpegFile(file("Data/Intf/Spec/Ring" + s + ".xji"));
        const QImage mask = loadJpegFile(file("Data/Intf/Spec/RingM" + s + ".xji"));
        EXPECT_EQ(darkOutsideMask(ring, mask, 248), 0) << s.toStdString();
    }
}

TEST_F(GeneratedPack, TheRingsHoleShowsTheWholeMemoryPicture) {
    // The falling game centres the ring and the Memory big picture (an oval filling 200 x 250
    // or 260 x 320) on the play area; the ring must not cover any of the oval.
    for (V v : Names::variants()) {
        const QString s = Names::suffix(v);
        const QImage mask = loadJpegFile(file("Data/Intf/Spec/RingM" + s + ".xji"));
        const QSize oval = v == V::Small ? QSize(200, 250) : QSize(260, 320);
        const QPointF c(mask.width() / 2.0, mask.height() / 2.0);
        int covered = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const qreal dx = (x + 0.5 - c.x()) / (oval.width() / 2.0);
                const qreal dy = (y + 0.5 - c.y()) / (oval.height() / 2.0);
                if (dx * dx + dy * dy <= 1 && (mask.pixel(x, y) & 0xFFFFFF))
                    ++covered;
            }
        EXPECT_EQ(covered, 0) << s.toStdString();
        EXPECT_GT(whitePixels(mask), 0) << s.toStdString();
    }
}

TEST_F(GeneratedPack, StatesOfAButtonDiffer) {
    for (const QString& b : Names::imageButtons()) {
        const QImage normal = library(b + "_D");
        EXPECT_NE(normal, library(b + "_A")) << b.toStdString();
        EXPECT_NE(normal, library(b + "_")) << b.toStdString();
        EXPECT_NE(library(b + "_A"), library(b + "_")) << b.toStdString();
    }
    for (V v : Names::variants())
        for (const QString& base : Names::checkButtons(v))
            EXPECT_NE(library(base + "_D"), library(base + "_A")) << base.toStdString();
}

TEST_F(GeneratedPack, OpaquePiecesOfTheMenuShareThePanelColourAtTheirEdges) {
    // Check buttons and captions are copied straight onto the menu panel; their border pixels
    // must be the panel's colour so no rectangle shows around them.
    const QColor panel = BackgroundPainter::menu(V::Small).pixelColor(
        BackgroundPainter::menuPanel(V::Small).center().toPoint());
    QStringList names = Names::checkButtonPictures(Names::rowCheckButton());
    for (V v : Names::variants()) {
        for (const QString& base : Names::checkButtons(v))
            names << Names::checkButtonPictures(base);
        names << Names::captions(v);
    }
    for (const QString& name : names) {
        const QImage image = library(name);
        EXPECT_EQ(image.pixelColor(0, 0), panel) << name.toStdString();
        EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), panel)
            << name.toStdString();
    }
}

TEST(InterfaceNamesTest, TileNamesFollowTheLetterTokens) {
    struct Row {
        const char* grapheme;
        bool red;
        V variant;
        const char* name;
    };
    const Row rows[] = {
        {"ż", false, V::Small, "zz_s"},
        {"ż", true, V::Big, "zz_red_b"},
        {"dź", false, V::Big, "dzzz_b"},
        {"dż", true, V::Small, "dzz_red_s"},
        {"ó", false, V::Small, "oo_s"},
        {"ł", false, V::Big, "ll_b"},
        {"sz", true, V::Small, "sz_red_s"},
        {"rz", false, V::Big, "rz_b"},
        {"dzi", false, V::Small, "dzi_s"},
        {"ą", false, V::Small, "aa_s"},
        {"question", false, V::Big, "question_b"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Names::tileName(QString::fromUtf8(row.grapheme), row.red, row.variant),
                  QString(row.name))
            << row.grapheme;
}

TEST(InterfaceNamesTest, EveryGraphemeOfEveryWordHasBothTilesInBothVariants) {
    const QStringList library = Names::libraryPictures();
    for (const WordTable::Row& row : WordTable::rows()) {
        const QStringList graphemes = WordEntry::Graphemes(QString::fromUtf8(row.segmentation));
        ASSERT_FALSE(graphemes.isEmpty()) << row.key;
        for (const QString& g : graphemes)
            for (V v : Names::variants())
                for (bool red : {false, true})
                    EXPECT_TRUE(library.contains(Names::tileName(g, red, v)))
                        << row.key << " " << g.toStdString();
    }
    // The completing game's question mark and both sounds of each pair.
    for (const char* g : {"question", "sz", "s", "cz", "c", "rz", "z", "ż", "dż", "dz"})
        for (V v : Names::variants())
            EXPECT_TRUE(library.contains(Names::tileName(QString::fromUtf8(g), true, v))) << g;
}

TEST(InterfaceNamesTest, LibraryNamesArePlainAsciiAndUnique) {
    const QStringList names = Names::libraryPictures();
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
    for (const QString& name : names)
        for (const QChar c : name)
            EXPECT_TRUE((c.isLetterOrNumber() && c.unicode() < 128) || c == '_')
                << name.toStdString();
}

// Rectangles of the main window's pieces, from its layout formulas (play area at 0, 0).
struct Placed {
    QString name;
    QRect rect;
};

QList<Placed> menuLayout(V v) {
    const QSize d = Names::designSize(v);
    const int W = d.width(), H = d.height();
    const QString p = v == V::Small ? "s_" : "b_";
    auto check = [&](const QString& stem, int x, int y) {
        return Placed{p + stem, QRect(QPoint(x, y), Names::checkButtonSize(p + stem))};
    };
    auto button = [&](const QString& name, int x, int y) {
        return Placed{name, QRect(QPoint(x, y), Names::imageButtonSize(name))};
    };
    const QSize caption = Names::captionSize(v);
    const int plus = v == V::Small ? 5 : 0;
    const int captionX = W / 2 - caption.width() + plus;
    QList<Placed> list = {
        check("malo", W / 5, H / 3),
        check("srednio", W / 5 + W / 6, H / 3),
        check("duzo", W / 5 + W / 3, H / 3),
        check("SZ", W / 3 - W / 8, H / 2),
        check("ZZ", W / 3, H / 2),
        check("CZ", W / 3 + W / 8, H / 2),
        check("DZZ", W / 3 + W / 4, H / 2),
        check("naglos", W / 5, H - H / 3),
        check("srodglos", W / 5 + W / 6, H - H / 3),
        check("wyglos", W / 5 + W / 3, H - H / 3),
        {"caption tasks", QRect(QPoint(captionX, H / 4), caption)},
        {"caption sounds", QRect(QPoint(captionX, H / 2 - H / 16), caption)},
        {"caption position", QRect(QPoint(captionX, H / 2 + H / 10), caption)},
        {"tab strip", BackgroundPainter::tabStrip(v)},
        button("postepy", W / 2 - 255, H - H / 7),
        button("oprogramie", W / 2 - 155, H - H / 7),
        button("wyjdz", W / 2 - 55, H - H / 7),
        button("start", W / 2 + 35, H - H / 7),
        button("muzyka", W - 250, 16),
    };
    return list;
}

TEST(InterfaceLayoutTest, MainWindowPiecesNeitherOverlapNorLeaveTheScreen) {
    for (V v : Names::variants()) {
        const QList<Placed> list = menuLayout(v);
        const QRect screen(QPoint(0, 0), Names::designSize(v));
        for (int i = 0; i < list.size(); ++i) {
            EXPECT_TRUE(screen.contains(list[i].rect)) << list[i].name.toStdString();
            for (int j = i + 1; j < list.size(); ++j)
                EXPECT_FALSE(list[i].rect.intersects(list[j].rect))
                    << list[i].name.toStdString() << " / " << list[j].name.toStdString();
        }
    }
}

TEST(InterfaceLayoutTest, RecordingPanelPiecesFitBetweenTheListAndTheTabStrip) {
    for (V v : Names::variants()) {
        const QSize d = Names::designSize(v);
        const int W = d.width(), H = d.height();
        const int rowLeft = v == V::Small ? 130 : 244;
        const int rowTop = (H / 70) * 22;
        const int dateRight = rowLeft + 26 + 220 + 5 + 100;
        const QSize check = Names::checkButtonSize(Names::rowCheckButton());
        // A row's check button stands right of its date and must not reach the up button, and
        // rows 32 apart must not touch.
        EXPECT_LE(dateRight + 5 + check.width(), dateRight + 40 - 2);
        EXPECT_LE(check.height(), 32 - 2);
        const QRect up(QPoint(dateRight + 40, rowTop - 32), Names::imageButtonSize("up"));
        const QRect down(QPoint(dateRight + 40, rowTop + 256), Names::imageButtonSize("down"));
        EXPECT_FALSE(up.intersects(BackgroundPainter::tabStrip(v)));
        EXPECT_FALSE(down.intersects(BackgroundPainter::tabStrip(v)));
        // The thumb runs from the up button's top + 30 to the down button's top - 5.
        EXPECT_LE(up.height(), 30);
        const int step = (down.top() - 5 - (up.top() + 30)) / 22;
        EXPECT_LE(up.top() + 30 + 22 * step + Names::scrollThumbSize().height(), down.top());
        EXPECT_LE(Names::scrollThumbSize().width(), up.width() - 8);
        // Record, stop and play stand 40 apart (stop only ever shows alone), above the menu
        // buttons and below the last row.
        const QSize rec = Names::imageButtonSize("rrec");
        EXPECT_LE(rec.width(), 80);
        EXPECT_LE(H * 10 / 14 + rec.height(), H - H / 7);
        EXPECT_GE(H * 10 / 14, rowTop + 7 * 32 + 26);
        Q_UNUSED(W);
    }
}

TEST(InterfaceLayoutTest, GameButtonsAndTilesFitTheirSlots) {
    for (const char* b : {"pomoc", "stop", "nast", "pop"})
        EXPECT_EQ(Names::imageButtonSize(b), QSize(70, 60)) << b; // the fixed hit area
    // Summary: "start" at 235 and "stop" at 325 on a 600 x 450 window.
    EXPECT_LE(235 + Names::imageButtonSize("start").width(), 325);
    EXPECT_LE(340 + Names::imageButtonSize("start").height(), 450);
    // Notice: "stop" at (180, 150) in 420 x 250.
    EXPECT_LE(150 + Names::imageButtonSize("stop").height(), 250);
    for (V v : Names::variants()) {
        // Letter tiles sit inside the answer slot frame (45 / 56) and, in the completing game's
        // row, stay apart at a pitch of the tile size + 5.
        const int frame = v == V::Small ? 45 : 56;
        EXPECT_LE(Names::tileSize(v).width(), frame);
        EXPECT_EQ(Names::tileSize(v).width(), v == V::Small ? 44 : 55);
    }
}

// Enclosed regions of face colour on a letter tile: the letters' counters (the inside of an o)
// and any hole left in a stroke. A pixel belongs to the face when its colour is nearer the
// face's than the ink's; regions are 4-connected, and those reaching the face's edge are open.
int enclosedFaceRegions(const QImage& tile, const QColor& ink) {
    const int inset = 4; // within the rim and its rounded corners
    const QRect face = tile.rect().adjusted(inset, inset, -inset, -inset);
    const QColor faceColour = tile.pixelColor(face.left(), tile.height() / 2);
    auto distance = [](const QColor& a, const QColor& b) {
        const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
        return r * r + g * g + bl * bl;
    };
    QList<int> label(tile.width() * tile.height(), 0); // 0 unvisited, -1 ink
    for (int y = face.top(); y <= face.bottom(); ++y)
        for (int x = face.left(); x <= face.right(); ++x) {
            const QColor c = tile.pixelColor(x, y);
            if (distance(c, ink) < distance(c, faceColour))
                label[y * tile.width() + x] = -1;
        }
    int enclosed = 0, next = 0;
    for (int y = face.top(); y <= face.bottom(); ++y)
        for (int x = face.left(); x <= face.right(); ++x) {
            if (label[y * tile.width() + x] != 0)
                continue;
            ++next;
            bool open = false;
            QList<QPoint> stack{{x, y}};
            label[y * tile.width() + x] = next;
            while (!stack.isEmpty()) {
                const QPoint p = stack.takeLast();
                if (p.x() == face.left() || p.x() == face.right() || p.y() == face.top() ||
                    p.y() == face.bottom())
                    open = true;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (face.contains(q) && label[q.y() * tile.width() + q.x()] == 0) {
                        label[q.y() * tile.width() + q.x()] = next;
                        stack << q;
                    }
                }
            }
            enclosed += !open;
        }
    return enclosed;
}

TEST(LetterTileTest, EveryLetterIsWholeWithOnlyItsOwnCounters) {
    // Counters of the tile font's lower-case letters (a single-storey a and g); every other
    // letter has none, so a region that is not one of these is a hole in a stroke.
    const QString oneCounter = QStringLiteral(u"aąbdeęgoóp");
    QStringList graphemes = Names::tileGraphemes();
    graphemes << Names::questionTile();
    for (V v : Names::variants())
        for (const QString& g : graphemes) {
            int counters = 0;
            if (g != Names::questionTile())
                for (const QChar c : g)
                    counters += oneCounter.contains(c);
            for (bool red : {false, true}) {
                const QImage tile = LetterTilePainter::tile(
                    g, red ? LetterTilePainter::Kind::Red : LetterTilePainter::Kind::Plain,
                    Names::tileSize(v));
                EXPECT_EQ(
                    enclosedFaceRegions(tile, red ? QColor(Qt::white) : InterfaceStyle::ink()),
                    counters)
                    << Names::tileName(g, red, v).toStdString();
            }
        }
}

// Parts of a check button picture drawn alone on a transparent canvas that reaches margin
// pixels beyond the picture on every side, so that whatever would be cut off shows there.
constexpr int kMargin = 12;

QImage checkButtonParts(const QString& base, bool on, int parts) {
    const QSize size = Names::checkButtonSize(base);
    QImage canvas(size + QSize(2 * kMargin, 2 * kMargin), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kMargin, kMargin);
    MenuPiecePainter::paintCheckButton(p, base, on, parts);
    return canvas;
}

bool visible(const QImage& layer, int x, int y) {
    return qAlpha(layer.pixel(x, y)) >= 64;
}

// Visible pixels of layer outside the picture's own rectangle.
int outsideThePicture(const QImage& layer) {
    const QRect picture(kMargin, kMargin, layer.width() - 2 * kMargin,
                        layer.height() - 2 * kMargin);
    int count = 0;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            count += visible(layer, x, y) && !picture.contains(x, y);
    return count;
}

// Visible pixels of a with a visible pixel of b fewer than gap pixels away (in rows and
// columns, diagonals counting as one).
int closerThan(const QImage& a, const QImage& b, int gap) {
    int count = 0;
    for (int y = gap; y < a.height() - gap; ++y)
        for (int x = gap; x < a.width() - gap; ++x) {
            if (!visible(a, x, y))
                continue;
            bool near = false;
            for (int dy = -gap + 1; dy < gap && !near; ++dy)
                for (int dx = -gap + 1; dx < gap && !near; ++dx)
                    near = visible(b, x + dx, y + dy);
            count += near;
        }
    return count;
}

QStringList allCheckButtons() {
    QStringList bases{Names::rowCheckButton()};
    for (V v : Names::variants())
        bases << Names::checkButtons(v);
    return bases;
}

TEST(CheckButtonPictureTest, EveryPartStaysInsideThePicture) {
    using M = MenuPiecePainter;
    for (const QString& base : allCheckButtons())
        for (bool on : {false, true})
            for (int part : {M::Body, M::Frame, M::Text, M::Badge, M::Hint})
                EXPECT_EQ(outsideThePicture(checkButtonParts(base, on, part)), 0)
                    << base.toStdString() << (on ? " on" : " off") << " part " << part;
}

TEST(CheckButtonPictureTest, TheWordAndTheTickKeepClearOfEachOtherAndOfTheFrame) {
    using M = MenuPiecePainter;
    // gap: the distance the two parts keep; 4 leaves three free pixels between them.
    struct Row {
        const char* what;
        int part;
        int other;
        int gap;
    };
    const Row rows[] = {
        {"letters / frame", M::Text, M::Frame, 4}, {"letters / tick", M::Text, M::Badge, 3},
        {"letters / hint", M::Text, M::Hint, 3},   {"tick / frame", M::Badge, M::Frame, 3},
        {"hint / frame", M::Hint, M::Frame, 3},
    };
    for (const Row& row : rows)
        for (const QString& base : allCheckButtons())
            for (bool on : {false, true})
                EXPECT_EQ(closerThan(checkButtonParts(base, on, row.part),
                                     checkButtonParts(base, on, row.other), row.gap),
                          0)
                    << row.what << ": " << base.toStdString() << (on ? " on" : " off");
}

TEST(CheckButtonPictureTest, TheWordsOfARowShareOneSize) {
    const QList<QStringList> rows = {
        {"malo", "srednio", "duzo"},
        {"SZ", "ZZ", "CZ", "DZZ"},
        {"naglos", "srodglos", "wyglos"},
    };
    for (const char* prefix : {"s_", "b_"})
        for (const QStringList& row : rows) {
            const int first = MenuPiecePainter::checkButtonFont(prefix + row.first()).pixelSize();
            EXPECT_GE(first, 12) << prefix << row.first().toStdString();
            for (const QString& stem : row)
                EXPECT_EQ(MenuPiecePainter::checkButtonFont(prefix + stem).pixelSize(), first)
                    << prefix << stem.toStdString();
        }
}

TEST(AboutPictureTest, TheTextColumnIsPlainNightSky) {
    // The about window sets its texts in this column; a star or the moon in it would touch
    // them.
    for (V v : Names::variants()) {
        const QImage about = BackgroundPainter::about(v);
        const QRect column = BackgroundPainter::aboutTextColumn(v);
        EXPECT_TRUE(QRect(QPoint(0, 0), about.size()).contains(column));
        EXPECT_GE(column.width(), Names::designSize(v).width() * 2 / 3);
        const QRgb sky = BackgroundPainter::aboutColour().rgb();
        int decorated = 0;
        for (int y = column.top(); y <= column.bottom(); ++y)
            for (int x = column.left(); x <= column.right(); ++x)
                decorated += about.pixel(x, y) != sky;
        EXPECT_EQ(decorated, 0) << Names::suffix(v).toStdString();
    }
}

TEST(TabStripTest, EveryTabPictureCoversTheStripAndDiffersOnlyInTheTabs) {
    for (V v : Names::variants()) {
        const QImage first = TabStripPainter::strip(v, 1);
        EXPECT_EQ(first.size(), BackgroundPainter::tabStrip(v).size());
        const QList<QPair<int, int>> bands = TabStripPainter::bands(v);
        EXPECT_LE(bands.last().second, first.height() - 1);
        for (int tab = 2; tab <= 5; ++tab) {
            const QImage other = TabStripPainter::strip(v, tab);
            // Rows clear of every band (and of the tabs' outlines) are the same in all five.
            int differing = 0;
            for (int y = 0; y < first.height(); ++y) {
                bool nearBand = false;
                for (const auto& b : bands)
                    nearBand = nearBand || (y >= b.first - 3 && y <= b.second + 4);
                if (!nearBand &&
                    first.copy(0, y, first.width(), 1) != other.copy(0, y, other.width(), 1))
                    ++differing;
            }
            EXPECT_EQ(differing, 0) << "tab " << tab;
        }
    }
}

TEST(TabStripTest, TheSelectedTabEndsWithinThePanelItJoins) {
    // Below the panel's bottom edge every tab picture shows the plain menu background.
    for (V v : Names::variants()) {
        const QRect where = BackgroundPainter::tabStrip(v);
        const QImage menu = BackgroundPainter::menu(v).copy(where);
        const int firstRowBelow = int(BackgroundPainter::menuPanel(v).bottom()) - where.top() + 3;
        for (int tab = 1; tab <= 5; ++tab) {
            const QImage strip = TabStripPainter::strip(v, tab);
            int differing = 0;
            for (int y = firstRowBelow; y < strip.height(); ++y)
                differing += strip.copy(0, y, strip.width(), 1) != menu.copy(0, y, menu.width(), 1);
            EXPECT_EQ(differing, 0) << Names::suffix(v).toStdString() << " tab " << tab;
        }
    }
}

TEST(MaskedPictureTest, HalfCoveredPixelsBelongToTheObjectAndTheRestIsWhite) {
    QImage argb(4, 1, QImage::Format_ARGB32_Premultiplied);
    argb.setPixel(0, 0, qPremultiply(qRgba(255, 0, 0, 255)));
    argb.setPixel(1, 0, qPremultiply(qRgba(255, 0, 0, 128)));
    argb.setPixel(2, 0, qPremultiply(qRgba(255, 0, 0, 127)));
    argb.setPixel(3, 0, 0);
    const MaskedPicture m = MaskedPicture::fromTransparent(argb, Qt::black);
    EXPECT_EQ(m.mask.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(m.mask.pixel(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(m.mask.pixel(2, 0), 0xFF000000u);
    EXPECT_EQ(m.mask.pixel(3, 0), 0xFF000000u);
    EXPECT_EQ(m.picture.pixel(0, 0), qRgb(255, 0, 0));
    // The half-covered edge fades into the edge colour, not into white.
    EXPECT_EQ(m.picture.pixel(1, 0), qRgb(128, 0, 0));
    EXPECT_EQ(m.picture.pixel(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(m.picture.pixel(3, 0), 0xFFFFFFFFu);
}

TEST(MaskedPictureTest, OrThenAndDrawingLeavesTheBackgroundOutsideTheObject) {
    const MaskedPicture m = MaskedPicture::render(QSize(40, 30), Qt::black, [](QPainter& p) {
        p.setBrush(QColor(20, 120, 220));
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(QRectF(5, 3, 30, 24));
    });
    QImage screen(40, 30, QImage::Format_RGB32);
    screen.fill(QColor(200, 50, 90));
    const QImage before = screen;
    QPainter p(&screen);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(0, 0, m.mask);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(0, 0, m.picture);
    p.end();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            if (m.mask.pixel(x, y) & 0xFFFFFF)
                EXPECT_EQ(screen.pixel(x, y), m.picture.pixel(x, y)) << x << "," << y;
            else
                EXPECT_EQ(screen.pixel(x, y), before.pixel(x, y)) << x << "," << y;
        }
}

TEST(BlackWhiteJpegTest, RoundShapesDecodeExactlyAndPure) {
    struct Row {
        QSize size;
        QRectF ellipse;
    };
    const Row rows[] = {{{300, 300}, {1, 1, 298, 298}},
                        {{37, 23}, {3.3, 2.7, 30.1, 17.9}}, // sizes off the 8-pixel grid
                        {{64, 64}, {0, 0, 0, 0}},           // all black
                        {{9, 17}, {-5, -5, 40, 40}}};       // all white
    for (const Row& row : rows) {
        QImage mask(row.size, QImage::Format_RGB32);
        mask.fill(Qt::black);
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(row.ellipse);
        p.end();
        QString error;
        const QByteArray bytes = BlackWhiteJpeg::encode(mask, &error);
        ASSERT_FALSE(bytes.isEmpty()) << error.toStdString();
        QImage back;
        ASSERT_TRUE(back.loadFromData(bytes, "JPEG"));
        back = back.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), row.size);
        int wrong = 0;
        for (int y = 0; y < row.size.height(); ++y)
            for (int x = 0; x < row.size.width(); ++x) {
                const bool white = qGray(mask.pixel(x, y)) >= 128;
                wrong += (back.pixel(x, y) & 0xFFFFFF) != (white ? 0xFFFFFFu : 0u);
            }
        EXPECT_EQ(wrong, 0) << row.size.width() << "x" << row.size.height();
    }
}

TEST(InterfacePackTest, ASecondRunKeepsEverythingAndRemakesOnlyWhatIsMissingOrStale) {
    QTemporaryDir dir;
    InterfacePack pack(dir.filePath("Data"), dir.path());
    QStringList errors;
    ASSERT_TRUE(pack.run({}, &errors));
    const int total = int(InterfacePack::jobs().size());
    EXPECT_EQ(pack.made(), total);
    EXPECT_TRUE(QFile::exists(pack.contactSheetPath()));

    ASSERT_TRUE(pack.run({}, &errors));
    EXPECT_EQ(pack.made(), 0);
    EXPECT_EQ(pack.kept(), total);

    ASSERT_TRUE(QFile::remove(dir.filePath("Data/Intf/Lib/zz_red_b.png")));
    QFile truncated(dir.filePath("Data/Intf/Spec/mT_m0_s.xji"));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly | QIODevice::Truncate)); // an empty file
    truncated.close();
    ASSERT_TRUE(pack.run({}, &errors));
    EXPECT_EQ(pack.made(), 2);
    EXPECT_FALSE(QImage(dir.filePath("Data/Intf/Lib/zz_red_b.png")).isNull());

    // A newer generator remakes everything.
    pack.setStamp(QDateTime::currentDateTime().addSecs(60));
    ASSERT_TRUE(pack.run({}, &errors));
    EXPECT_EQ(pack.made(), total);
    EXPECT_EQ(errors, QStringList());
}

TEST(InterfacePackTest, AFileThatCannotBeWrittenIsNamedAndTheRunFails) {
    QTemporaryDir dir;
    // A plain file where the library folder should be.
    ASSERT_TRUE(QDir().mkpath(dir.filePath("Data/Intf")));
    QFile blocker(dir.filePath("Data/Intf/Lib"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QStringList messages;
    QStringList errors;
    InterfacePack pack(dir.filePath("Data"), dir.path());
    EXPECT_FALSE(pack.run([&](const QString& m) { messages << m; }, &errors));
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.first().startsWith("Data/Intf/Lib/")) << errors.first().toStdString();
    EXPECT_FALSE(messages.isEmpty());
    // The window pictures in the other folder were still made.
    EXPECT_TRUE(QFile::exists(dir.filePath("Data/Intf/Spec/mT_m0_b.xji")));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The labelling game centres its answer slots (a tile's pitch wide, 15 apart, framed) on the
// play area; its shelf must hold the longest word's row, clear of its own rounded ends.
TEST(LabellingShelfTest, HoldsTheLongestWordsRowCentred) {
    int longest = 0;
    for (const WordTable::Row& row : WordTable::rows())
        longest = std::max(longest,
                           int(WordEntry::Graphemes(QString::fromUtf8(row.segmentation)).size()));
    for (V v : Names::variants()) {
        const QSize size = Names::designSize(v);
        const qreal pitch = v == V::Small ? 44 : 55;
        const qreal width = (longest - 1) * (pitch + 15) + pitch;
        const qreal top = size.height() - size.height() / 4;
        const QRectF row(size.width() / 2.0 - width / 2 - 1, top - 1, width + 2, pitch + 2);
        const QRectF shelf = BackgroundPainter::labellingShelf(v);
        SCOPED_TRACE(size.width());
        EXPECT_NEAR(shelf.center().x(), size.width() / 2.0, 0.5);
        EXPECT_TRUE(shelf.contains(row));
        EXPECT_GE(row.left() - shelf.left(), 0.3 * shelf.height());
        EXPECT_GE(shelf.right() - row.right(), 0.3 * shelf.height());
    }
}
