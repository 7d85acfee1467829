// Word pictures: recipe parsing, composition into an area, picture sources, and the
// incremental rebuild of a small pack.

#include "buildmanifest.h"
#include "datapackbuilder.h"
#include "iconlibrary.h"
#include "maskshape.h"
#include "packlayout.h"
#include "picturecomposer.h"
#include "picturerecipe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A plain filled square drawing, in a given colour.
QByteArray square(const char* colour) {
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\" "
                      "width=\"10\" height=\"10\"><rect x=\"0\" y=\"0\" width=\"10\" "
                      "height=\"10\" fill=\"") +
           colour + "\"/></svg>";
}

// Left half red, right half blue.
QByteArray halves() {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 20 10\" width=\"20\" "
           "height=\"10\"><rect x=\"0\" y=\"0\" width=\"10\" height=\"10\" fill=\"#ff0000\"/>"
           "<rect x=\"10\" y=\"0\" width=\"10\" height=\"10\" fill=\"#0000ff\"/></svg>";
}

bool near(QRgb a, QRgb b, int tolerance = 8) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

TEST(PictureRecipe, ParsesLayersAndModifiers) {
    QList<RecipeLayer> layers;
    QString error;
    ASSERT_TRUE(PictureRecipe::parse(
        "fluent:coin{#f9c23c=#cfd4da;#d3883e=#8a9099}~^30 + text:1 zł#3a3f47@0.2,0.28,0.6,0.44 + "
        "svg:kalosz[0,0.5,1,0.5]@0.38,0,0.62,1",
        &layers, &error))
        << qPrintable(error);
    ASSERT_EQ(layers.size(), 3);
    EXPECT_EQ(layers[0].source, "fluent");
    EXPECT_EQ(layers[0].name, "coin");
    EXPECT_TRUE(layers[0].mirror);
    EXPECT_EQ(layers[0].rotation, 30);
    ASSERT_EQ(layers[0].recolour.size(), 2);
    EXPECT_EQ(layers[0].recolour[1].first, "#d3883e");
    EXPECT_EQ(layers[0].recolour[1].second, "#8a9099");
    EXPECT_EQ(layers[0].place, QRectF(0, 0, 1, 1));
    EXPECT_EQ(layers[1].source, "text");
    EXPECT_EQ(layers[1].name, "1 zł");
    EXPECT_EQ(layers[1].textColour, QColor("#3a3f47"));
    EXPECT_EQ(layers[1].place, QRectF(0.2, 0.28, 0.6, 0.44));
    EXPECT_EQ(layers[2].crop, QRectF(0, 0.5, 1, 0.5));
    EXPECT_EQ(layers[2].place, QRectF(0.38, 0, 0.62, 1));
}

TEST(PictureRecipe, RejectsMalformedRecipesNamingTheFault) {
    const char* bad[] = {
        "",
        "pineapple",
        "emoji:pineapple",
        "fluent:",
        "fluent:coin@0,0,1",
        "fluent:coin@0,0,0,1",
        "fluent:coin[0,0,1,1",
        "fluent:coin{#fff}",
        "fluent:coin^abc",
        "text:5 zł#notacolour",
        "fluent:coin + ",
    };
    for (const char* recipe : bad) {
        QList<RecipeLayer> layers;
        QString error;
        EXPECT_FALSE(PictureRecipe::parse(recipe, &layers, &error)) << recipe;
        EXPECT_FALSE(error.isEmpty()) << recipe;
        EXPECT_TRUE(layers.isEmpty()) << recipe;
    }
}

TEST(IconLibrary, BuildsDocumentsFromIconifySets) {
    const QJsonObject set = QJsonDocument::fromJson(R"({
        "prefix": "t", "width": 32, "height": 32,
        "icons": {
            "dot": {"body": "<circle cx=\"8\" cy=\"8\" r=\"4\" fill=\"#f00\"/>"},
            "wide": {"body": "<rect width=\"64\" height=\"16\"/>", "width": 64, "height": 16}
        },
        "aliases": {"dot-right": {"parent": "dot", "hFlip": true}}
    })")
                                .object();
    const QString dot = QString::fromUtf8(IconLibrary::iconDocument(set, "dot"));
    EXPECT_TRUE(dot.contains("viewBox=\"0 0 32 32\"")) << qPrintable(dot);
    EXPECT_TRUE(dot.contains("<circle")) << qPrintable(dot);
    const QString wide = QString::fromUtf8(IconLibrary::iconDocument(set, "wide"));
    EXPECT_TRUE(wide.contains("viewBox=\"0 0 64 16\"")) << qPrintable(wide);
    EXPECT_TRUE(IconLibrary::iconDocument(set, "absent").isEmpty());

    // The flipped alias draws the dot on the right.
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("sets/fluent-emoji-flat/icons.json"), QJsonDocument(set).toJson());
        IconLibrary library(dir.filePath("sets"), dir.filePath("drawings"));
        PictureComposer composer(library);
        QList<RecipeLayer> layers;
        ASSERT_TRUE(PictureRecipe::parse("fluent:dot-right", &layers, nullptr));
        const QImage image = composer.render(layers, QSize(32, 32), QRectF(0, 0, 32, 32));
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(near(image.pixel(24, 8), qRgb(255, 0, 0)));
        EXPECT_EQ(image.pixel(8, 8), qRgb(255, 255, 255));
    }
}

class ComposerTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(dir.filePath("drawings/red.svg"), square("#ff0000"));
        writeFile(dir.filePath("drawings/halves.svg"), halves());
    }
    QImage draw(const QString& recipe, QSize size, const QRectF& area, QString* error = nullptr) {
        QList<RecipeLayer> layers;
        QString fault;
        if (!PictureRecipe::parse(recipe, &layers, &fault)) {
            ADD_FAILURE() << qPrintable(fault);
            return {};
        }
        return composer.render(layers, size, area, error);
    }
    QTemporaryDir dir;
    IconLibrary library{dir.filePath("sets"), dir.filePath("drawings")};
    PictureComposer composer{library};
};

TEST_F(ComposerTest, DrawsOnlyInsideTheAreaOnWhite) {
    const QImage image = draw("svg:red", QSize(100, 80), QRectF(20, 10, 40, 60));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    // A square keeps its aspect: 40 x 40 centred in the 40 x 60 area.
    EXPECT_TRUE(near(image.pixel(40, 40), qRgb(255, 0, 0)));
    for (const QPoint p :
         {QPoint(10, 40), QPoint(70, 40), QPoint(40, 5), QPoint(40, 15), QPoint(40, 65)})
        EXPECT_EQ(image.pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
}

TEST_F(ComposerTest, PlacesCropsMirrorsAndRecolours) {
    const QSize size(100, 100);
    const QRectF area(0, 0, 100, 100);
    struct Case {
        const char* recipe;
        QPoint at;
        QRgb expected;
    };
    const Case cases[] = {
        {"svg:red@0.5,0.5,0.5,0.5", {75, 75}, qRgb(255, 0, 0)},
        {"svg:red@0.5,0.5,0.5,0.5", {25, 25}, qRgb(255, 255, 255)},
        {"svg:halves", {25, 50}, qRgb(255, 0, 0)},
        {"svg:halves", {75, 50}, qRgb(0, 0, 255)},
        {"svg:halves~", {25, 50}, qRgb(0, 0, 255)},
        {"svg:halves[0.5,0,0.5,1]", {50, 50}, qRgb(0, 0, 255)},
        {"svg:halves[0.5,0,0.5,1]", {5, 50}, qRgb(0, 0, 255)},
        {"svg:red{#ff0000=#00ff00}", {50, 50}, qRgb(0, 255, 0)},
        {"svg:red + svg:halves[0,0,0.5,1]@0,0,0.5,0.5 + svg:red{#ff0000=#0000ff}@0.5,0.5,0.5,0.5",
         {25, 25},
         qRgb(255, 0, 0)},
        {"svg:red{#ff0000=#ffffff} + svg:red{#ff0000=#0000ff}@0.5,0.5,0.5,0.5",
         {75, 75},
         qRgb(0, 0, 255)},
        {"svg:red{#ff0000=#ffffff} + svg:red{#ff0000=#0000ff}@0.5,0.5,0.5,0.5",
         {25, 75},
         qRgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        const QImage image = draw(c.recipe, size, area);
        ASSERT_FALSE(image.isNull()) << c.recipe;
        EXPECT_TRUE(near(image.pixel(c.at), c.expected))
            << c.recipe << " at " << c.at.x() << "," << c.at.y() << ": got " << std::hex
            << image.pixel(c.at);
    }
}

TEST_F(ComposerTest, TextLayerIsDrawnInItsColour) {
    const QImage image = draw("text:I#0000ff@0.4,0,0.2,1", QSize(100, 100), QRectF(0, 0, 100, 100));
    ASSERT_FALSE(image.isNull());
    int blue = 0;
    for (int y = 0; y < 100; ++y)
        blue += near(image.pixel(50, y), qRgb(0, 0, 255), 20);
    EXPECT_GT(blue, 50);
    EXPECT_EQ(image.pixel(5, 50), qRgb(255, 255, 255));
}

TEST_F(ComposerTest, MissingSourceGivesNoPictureAndNamesIt) {
    QString error;
    EXPECT_TRUE(
        draw("svg:red + svg:nothere", QSize(10, 10), QRectF(0, 0, 10, 10), &error).isNull());
    EXPECT_TRUE(error.contains("nothere")) << qPrintable(error);
    error.clear();
    EXPECT_TRUE(draw("fluent:pineapple", QSize(10, 10), QRectF(0, 0, 10, 10), &error).isNull());
    EXPECT_TRUE(error.contains("not installed")) << qPrintable(error);
}

TEST_F(ComposerTest, BigPictureLiesInsideItsMask) {
    // A picture that fills its whole area still ends white outside the mask, and its object
    // covers the middle of the mask.
    for (const auto& kind : PackLayout::bigKinds()) {
        const MaskShape mask = PackLayout::maskFor(kind);
        QImage image = draw("svg:red@-1,-1,3,3", kind.size, PackLayout::bigArea(mask));
        ASSERT_FALSE(image.isNull());
        mask.whitenOutside(image);
        int objectInside = 0, inside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (!mask.inside(x, y)) {
                    ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << qPrintable(kind.suffix);
                } else {
                    ++inside;
                    objectInside += image.pixel(x, y) != qRgb(255, 255, 255);
                }
            }
        EXPECT_GT(objectInside, inside / 2) << qPrintable(kind.suffix);
    }
}

TEST(BuildManifest, DecidesWhatIsUpToDate) {
    QTemporaryDir dir;
    const QString file = dir.filePath("a.xji");
    writeFile(file, "x");
    const QString empty = dir.filePath("empty.xji");
    writeFile(empty, "");
    BuildManifest manifest(dir.filePath("manifest"));
    const QByteArray print = BuildManifest::fingerprint("recipe 1");
    manifest.record("a", print);
    manifest.record("empty", print);
    manifest.record("gone", print);

    EXPECT_TRUE(manifest.upToDate("a", file, print));
    EXPECT_FALSE(manifest.upToDate("a", file, BuildManifest::fingerprint("recipe 2")));
    EXPECT_FALSE(manifest.upToDate("never", file, print));
    EXPECT_FALSE(manifest.upToDate("gone", dir.filePath("gone.xji"), print));
    EXPECT_FALSE(manifest.upToDate("empty", empty, print)); // a cut-off write is redone
    manifest.forget("a");
    EXPECT_FALSE(manifest.upToDate("a", file, print));
    EXPECT_NE(BuildManifest::fingerprint("recipe 1"), BuildManifest::fingerprint("recipe 2"));
}

TEST(BuildManifest, SurvivesSaveAndLoad) {
    QTemporaryDir dir;
    const QString file = dir.filePath("a.xji");
    writeFile(file, "x");
    const QByteArray print = BuildManifest::fingerprint("r");
    {
        BuildManifest manifest(dir.filePath("m"));
        manifest.record("Bio/a_ms.xji", print);
        ASSERT_TRUE(manifest.save());
    }
    BuildManifest again(dir.filePath("m"));
    EXPECT_FALSE(again.upToDate("Bio/a_ms.xji", file, print));
    again.load();
    EXPECT_TRUE(again.upToDate("Bio/a_ms.xji", file, print));
}

class IncrementalBuild : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(dir.filePath("src/pictures/red.svg"), square("#ff0000"));
        writeFile(dir.filePath("src/pictures/blue.svg"), square("#0000ff"));
        writeWords("ala\tala\tsvg:red\nola\tola\tsvg:blue\n");
    }
    void writeWords(const QByteArray& rows) { writeFile(dir.filePath("src/words.tsv"), rows); }
    DataPackBuilder::Options options() {
        DataPackBuilder::Options o;
        o.dataDir = dir.filePath("Data");
        o.sheetDir = dir.path();
        o.setsDir = dir.filePath("sets");
        o.sourceDir = dir.filePath("src");
        o.jobs = 2;
        return o;
    }
    QTemporaryDir dir;
};

TEST_F(IncrementalBuild, RemakesOnlyWhatChanged) {
    const int perWord = 1 + int(PackLayout::bigKinds().size());
    {
        DataPackBuilder builder(options());
        ASSERT_TRUE(builder.buildWordPictures()) << qPrintable(builder.errors().join("; "));
        EXPECT_EQ(builder.made(), 2 * perWord + 4); // and the four masks
        ASSERT_TRUE(builder.saveManifest());
    }
    // Nothing changed.
    {
        DataPackBuilder builder(options());
        ASSERT_TRUE(builder.buildWordPictures());
        EXPECT_EQ(builder.made(), 0);
        EXPECT_EQ(builder.kept(), 2 * perWord + 4);
        ASSERT_TRUE(builder.saveManifest());
    }
    // One recipe changed, one file removed, one drawing edited.
    writeWords("ala\tala\tsvg:red~\nola\tola\tsvg:blue\n");
    ASSERT_TRUE(QFile::remove(dir.filePath("Data/Bio/_matr_ups.xji")));
    {
        DataPackBuilder builder(options());
        ASSERT_TRUE(builder.buildWordPictures());
        EXPECT_EQ(builder.made(), perWord + 1);
        ASSERT_TRUE(builder.saveManifest());
    }
    writeFile(dir.filePath("src/pictures/blue.svg"), square("#0000cc"));
    {
        DataPackBuilder builder(options());
        ASSERT_TRUE(builder.buildWordPictures());
        EXPECT_EQ(builder.made(), perWord);
    }
}

TEST_F(IncrementalBuild, FailsLoudlyNamingTheWord) {
    writeWords("ala\tala\tsvg:red\nbad\tzły\tsvg:missing\n");
    DataPackBuilder builder(options());
    EXPECT_FALSE(builder.buildWordPictures());
    ASSERT_EQ(builder.errors().size(), 1);
    EXPECT_TRUE(builder.errors()[0].contains("bad")) << qPrintable(builder.errors()[0]);
    EXPECT_TRUE(QFile::exists(dir.filePath("Data/Sio/sala.xji")));
    EXPECT_FALSE(QFile::exists(dir.filePath("Data/Sio/sbad.xji")));
}

TEST_F(IncrementalBuild, AnimalPicturesAreRemadeOnlyWhenTheirRowChanges) {
    auto writeAnimals = [&](const QByteArray& last) {
        QByteArray rows;
        for (int i = 1; i < PackLayout::AnimalCount; ++i)
            rows += "kot\tsvg:red\t#aabbcc\n";
        writeFile(dir.filePath("src/animals.tsv"), rows + last);
    };
    const int files = PackLayout::AnimalCount + 1; // and the list
    // A new pack, nothing changed, one colour changed, one name changed (only the list).
    const std::pair<QByteArray, int> runs[] = {{"słoń\tsvg:blue\t#ccbbaa\n", files},
                                               {"słoń\tsvg:blue\t#ccbbaa\n", 0},
                                               {"słoń\tsvg:blue\t#ddbbaa\n", 1},
                                               {"słonik\tsvg:blue\t#ddbbaa\n", 1}};
    for (const auto& [last, made] : runs) {
        writeAnimals(last);
        DataPackBuilder builder(options());
        ASSERT_TRUE(builder.buildAnimalPictures()) << qPrintable(builder.errors().join("; "));
        EXPECT_EQ(builder.made(), made) << last.constData();
        EXPECT_EQ(builder.made() + builder.kept(), files);
        ASSERT_TRUE(builder.saveManifest());
    }
    writeAnimals("słoń\tsvg:missing\t#ccbbaa\n");
    DataPackBuilder builder(options());
    EXPECT_FALSE(builder.buildAnimalPictures());
    ASSERT_EQ(builder.errors().size(), 1);
    EXPECT_TRUE(builder.errors()[0].contains("animals.tsv:12")) << qPrintable(builder.errors()[0]);
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
