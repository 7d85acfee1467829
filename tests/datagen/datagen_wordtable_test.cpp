// The generator's tables in the tree agree with the program: one row per catalogue word, in
// catalogue order, every picture recipe usable, every phrase different.

#include "iconlibrary.h"
#include "packlayout.h"
#include "picturecomposer.h"
#include "picturerecipe.h"
#include "tsvtable.h"
#include "wordentry.h"
#include "wordlist.h"
#include "wordtable.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString kSource = QStringLiteral(WK_SOURCE_DIR "/tools/datagen");

QList<WordList::Word> loadWords() {
    QList<WordList::Word> words;
    QString error;
    EXPECT_TRUE(WordList::load(kSource + "/words.tsv", &words, &error)) << qPrintable(error);
    return words;
}

} // namespace

TEST(WordTable, HasEveryCatalogueWordInOrderWithItsPolishSpelling) {
    const QList<WordList::Word> words = loadWords();
    const auto rows = WordTable::rows();
    ASSERT_EQ(words.size(), qsizetype(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(words[qsizetype(i)].key, QString::fromUtf8(rows[i].key)) << "row " << i;
        EXPECT_EQ(words[qsizetype(i)].word,
                  WordEntry::PlainWord(QString::fromUtf8(rows[i].segmentation)))
            << "row " << i;
    }
}

TEST(WordTable, EveryRecipeParsesAndItsDrawingsExist) {
    QSet<QString> recipes;
    for (const auto& word : loadWords()) {
        QList<RecipeLayer> layers;
        QString error;
        ASSERT_TRUE(PictureRecipe::parse(word.recipe, &layers, &error))
            << qPrintable(word.key) << ": " << qPrintable(error);
        for (const auto& layer : layers) {
            if (layer.source == "svg") {
                EXPECT_TRUE(QFile::exists(kSource + "/pictures/" + layer.name + ".svg"))
                    << qPrintable(word.key) << ": " << qPrintable(layer.name);
            }
        }
        // Two words never share a picture.
        EXPECT_FALSE(recipes.contains(word.recipe)) << qPrintable(word.key);
        recipes.insert(word.recipe);
    }
}

TEST(WordTable, EveryPictureRendersFromTheInstalledSet) {
    const QString sets = QStringLiteral(WK_BINARY_DIR "/picture-set/node_modules/@iconify-json");
    if (!QDir(sets).exists())
        GTEST_SKIP() << "picture set not installed in the build folder";
    IconLibrary library(sets, kSource + "/pictures");
    PictureComposer composer(library);
    for (const auto& word : loadWords()) {
        QList<RecipeLayer> layers;
        ASSERT_TRUE(PictureRecipe::parse(word.recipe, &layers, nullptr));
        QString error;
        const QImage image =
            composer.render(layers, PackLayout::smallSize(), PackLayout::smallArea(), &error);
        ASSERT_FALSE(image.isNull()) << qPrintable(word.key) << ": " << qPrintable(error);
        int coloured = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                coloured += image.pixel(x, y) != qRgb(255, 255, 255);
        // Nearly blank means a source drew nothing (a broken path, a white-on-white layer).
        EXPECT_GT(coloured, image.width() * image.height() / 25) << qPrintable(word.key);
    }
}

TEST(Phrases, FortySevenPraiseAndFortyRetryAllDifferent) {
    QList<TsvTable::Row> rows;
    QString error;
    ASSERT_TRUE(TsvTable::read(kSource + "/phrases.tsv", 2, &rows, &error)) << qPrintable(error);
    int praise = 0, retry = 0;
    QSet<QString> seen;
    for (const auto& row : rows) {
        praise += row.fields[0] == "praise";
        retry += row.fields[0] == "retry";
        EXPECT_TRUE(row.fields[0] == "praise" || row.fields[0] == "retry") << row.line;
        EXPECT_FALSE(seen.contains(row.fields[1].toLower())) << qPrintable(row.fields[1]);
        seen.insert(row.fields[1].toLower());
    }
    EXPECT_EQ(praise, PackLayout::PraiseCount);
    EXPECT_EQ(retry, PackLayout::RetryCount);
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
