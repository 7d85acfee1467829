#include "datapackbuilder.h"

#include "animalbadge.h"
#include "contactsheet.h"
#include "iconlibrary.h"
#include "jpegwriter.h"
#include "musicsynth.h"
#include "packlayout.h"
#include "picturecomposer.h"
#include "speechsynth.h"
#include "tsvtable.h"

#include "interfacepack.h"
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>

#include <QImageReader>
#include <QImageWriter>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <atomic>
#include <thread>
#include <vector>

namespace {

QMutex errorMutex;

// The pictures every game shows besides the word pictures, drawn like them.
struct CardPicture {
    const char* path;
    const char* recipe;
};
constexpr CardPicture kCardPictures[] = {
    {"Sio/blkcard0.xji", "svg:cardback"},
    {"Sio/squest.xji", "svg:slotquestion"},
    {"Sio/allred.xji", "svg:slotred"},
};

} // namespace

DataPackBuilder::DataPackBuilder(Options options)
    : options_(std::move(options)), manifest_(options_.dataDir + "/.datagen-manifest"),
      library_(new IconLibrary(options_.setsDir, options_.sourceDir + "/pictures")) {
    manifest_.load();
}

DataPackBuilder::~DataPackBuilder() {
    delete library_;
}

void DataPackBuilder::say(const QString& line) const {
    if (options_.progress)
        options_.progress(line);
}

void DataPackBuilder::fail(const QString& error) {
    QMutexLocker lock(&errorMutex);
    errors_.append(error);
}

bool DataPackBuilder::ensureFolders() {
    for (const char* sub :
         {"Sio", "Bio", "Smd", "Intf/Smd", "Intf/Spec", "Intf/Lib", "Dzieci", "Lusterko"}) {
        if (!QDir().mkpath(dataPath(sub))) {
            fail("cannot create folder " + dataPath(sub));
            return false;
        }
    }
    return true;
}

bool DataPackBuilder::loadWords() {
    if (!words_.isEmpty())
        return true;
    QString error;
    if (!WordList::load(options_.sourceDir + "/words.tsv", &words_, &error)) {
        fail(error);
        return false;
    }
    return true;
}

bool DataPackBuilder::parallel(int count, const std::function<bool(int, QString*)>& job) {
    std::atomic<int> next{0};
    std::atomic<bool> ok{true};
    auto worker = [&] {
        for (int i = next++; i < count; i = next++) {
            QString error;
            if (!job(i, &error)) {
                ok = false;
                fail(error);
            }
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < std::max(1, options_.jobs); ++t)
        threads.emplace_back(worker);
    worker();
    for (auto& t : threads)
        t.join();
    return ok;
}

bool DataPackBuilder::run() {
    QElapsedTimer clock;
    clock.start();
    if (!ensureFolders())
        return false;
    bool ok = buildWordPictures();
    ok = buildCardPictures() && ok;
    ok = buildWordSounds() && ok;
    ok = buildPhrases() && ok;
    ok = buildMusic() && ok;
    ok = buildInterface() && ok;
    ok = buildAnimalPictures() && ok;
    ok = buildMirrorPictures() && ok;
    ok = saveManifest() && ok;
    if (options_.sheets)
        ok = buildContactSheets() && ok;
    say(QString("data pack: %1 files made, %2 up to date, %3 s")
            .arg(made_)
            .arg(kept_)
            .arg(clock.elapsed() / 1000.0, 0, 'f', 1));
    return ok && errors_.isEmpty();
}

bool DataPackBuilder::saveManifest() {
    QString error;
    if (!manifest_.save(&error)) {
        fail(error);
        return false;
    }
    return true;
}

bool DataPackBuilder::buildWordPictures() {
    if (!ensureFolders() || !loadWords())
        return false;
    const int before = made_;
    const QList<PackLayout::BigKind> kinds = PackLayout::bigKinds();
    std::vector<MaskShape> masks;
    for (const auto& kind : kinds) {
        masks.push_back(PackLayout::maskFor(kind));
        const QString rel = PackLayout::maskPath(kind.suffix);
        const QByteArray print = BuildManifest::fingerprint(
            QByteArray(Version) + rel.toUtf8() + QByteArray::number(kind.size.width()) + 'x' +
            QByteArray::number(kind.size.height()) + QByteArray::number(int(kind.shape)) +
            QByteArray::number(kind.radius));
        if (manifest_.upToDate(rel, dataPath(rel), print)) {
            ++kept_;
            continue;
        }
        QString error;
        if (!masks.back().write(dataPath(rel), &error)) {
            fail(rel + ": " + error);
            continue;
        }
        manifest_.record(rel, print);
        ++made_;
    }

    PictureComposer composer(*library_);
    const bool ok = parallel(int(words_.size()), [&](int i, QString* error) {
        const WordList::Word& word = words_[i];
        QList<RecipeLayer> layers;
        QString fault;
        if (!PictureRecipe::parse(word.recipe, &layers, &fault)) {
            *error = "picture of \"" + word.key + "\": " + fault;
            return false;
        }
        const QByteArray inputs = composer.inputs(layers, &fault);
        if (inputs.isEmpty()) {
            *error = "picture of \"" + word.key + "\": " + fault;
            return false;
        }
        const QByteArray base = QByteArray(Version) + word.recipe.toUtf8() + inputs;

        auto make = [&](const QString& rel, QSize size, const QRectF& area, const MaskShape* mask) {
            // The layout (size, drawing area, mask) is part of what a picture is made from.
            const QString layout = QString("%1 %2x%3 @%4,%5,%6,%7 mask %8")
                                       .arg(rel)
                                       .arg(size.width())
                                       .arg(size.height())
                                       .arg(area.x())
                                       .arg(area.y())
                                       .arg(area.width())
                                       .arg(area.height())
                                       .arg(mask ? int(mask->kind()) : -1);
            const QByteArray print = BuildManifest::fingerprint(base + layout.toUtf8());
            if (manifest_.upToDate(rel, dataPath(rel), print)) {
                ++kept_;
                return true;
            }
            QImage image = composer.render(layers, size, area, &fault);
            if (image.isNull()) {
                *error = rel + ": " + fault;
                return false;
            }
            if (mask)
                mask->whitenOutside(image);
            if (!JpegWriter::writeColour(image, dataPath(rel), JpegWriter::PictureQuality,
                                         &fault)) {
                *error = rel + ": " + fault;
                return false;
            }
            manifest_.record(rel, print);
            ++made_;
            return true;
        };

        if (!make(PackLayout::smallPath(word.key), PackLayout::smallSize(), PackLayout::smallArea(),
                  nullptr))
            return false;
        for (std::size_t k = 0; k < masks.size(); ++k) {
            if (!make(PackLayout::bigPath(word.key, kinds[int(k)].suffix), kinds[int(k)].size,
                      PackLayout::bigArea(masks[k]), &masks[k]))
                return false;
        }
        return true;
    });
    say(QString("word pictures: %1 words, %2 files made").arg(words_.size()).arg(made_ - before));
    return ok;
}

bool DataPackBuilder::buildCardPictures() {
    if (!ensureFolders())
        return false;
    PictureComposer composer(*library_);
    bool ok = true;
    for (const CardPicture& card : kCardPictures) {
        const QString rel = card.path;
        QList<RecipeLayer> layers;
        QString error;
        QByteArray inputs;
        if (PictureRecipe::parse(card.recipe, &layers, &error))
            inputs = composer.inputs(layers, &error);
        if (inputs.isEmpty()) {
            fail(rel + ": " + error);
            ok = false;
            continue;
        }
        const QSize size = PackLayout::smallSize();
        const QByteArray print = BuildManifest::fingerprint(QByteArray(Version) + inputs);
        if (manifest_.upToDate(rel, dataPath(rel), print)) {
            ++kept_;
            continue;
        }
        const QImage image = composer.render(layers, size, QRectF(QPointF(0, 0), size), &error);
        if (image.isNull() ||
            !JpegWriter::writeColour(image, dataPath(rel), JpegWriter::PictureQuality, &error)) {
            fail(rel + ": " + error);
            ok = false;
            continue;
        }
        manifest_.record(rel, print);
        ++made_;
    }
    say(QString("card pictures: %1").arg(std::size(kCardPictures)));
    return ok;
}

bool DataPackBuilder::buildWordSounds() {
    if (!ensureFolders() || !loadWords())
        return false;
    const int before = made_;
    const SpeechSynth voice;
    const bool ok = parallel(int(words_.size()), [&](int i, QString* error) {
        const WordList::Word& word = words_[i];
        const QString rel = PackLayout::soundPath(word.key);
        const QByteArray print = BuildManifest::fingerprint(
            QByteArray(Version) + voice.settings().toUtf8() + word.speech.toUtf8());
        if (manifest_.upToDate(rel, dataPath(rel), print)) {
            ++kept_;
            return true;
        }
        if (!voice.speak(word.speech, dataPath(rel), error)) {
            *error = rel + ": " + *error;
            return false;
        }
        manifest_.record(rel, print);
        ++made_;
        return true;
    });
    say(QString("spoken words: %1 words, %2 files made").arg(words_.size()).arg(made_ - before));
    return ok;
}

bool DataPackBuilder::buildPhrases() {
    if (!ensureFolders())
        return false;
    QList<TsvTable::Row> rows;
    QString error;
    if (!TsvTable::read(options_.sourceDir + "/phrases.tsv", 2, &rows, &error)) {
        fail(error);
        return false;
    }
    QStringList praise, retry;
    for (const auto& row : rows) {
        if (row.fields[0] == "praise")
            praise.append(row.fields[1]);
        else if (row.fields[0] == "retry")
            retry.append(row.fields[1]);
    }
    if (praise.size() != PackLayout::PraiseCount || retry.size() != PackLayout::RetryCount) {
        fail(QString("phrases.tsv: %1 praise and %2 retry phrases, need %3 and %4")
                 .arg(praise.size())
                 .arg(retry.size())
                 .arg(PackLayout::PraiseCount)
                 .arg(PackLayout::RetryCount));
        return false;
    }
    struct Job {
        QString rel, text;
    };
    QList<Job> jobs;
    for (int i = 0; i < praise.size(); ++i)
        jobs.append({PackLayout::praisePath(i), praise[i]});
    for (int i = 0; i < retry.size(); ++i)
        jobs.append({PackLayout::retryPath(i), retry[i]});

    const int before = made_;
    const SpeechSynth voice;
    const bool ok = parallel(int(jobs.size()), [&](int i, QString* fault) {
        const Job& job = jobs[i];
        const QByteArray print = BuildManifest::fingerprint(
            QByteArray(Version) + voice.settings().toUtf8() + job.text.toUtf8());
        if (manifest_.upToDate(job.rel, dataPath(job.rel), print)) {
            ++kept_;
            return true;
        }
        if (!voice.speak(job.text, dataPath(job.rel), fault)) {
            *fault = job.rel + ": " + *fault;
            return false;
        }
        manifest_.record(job.rel, print);
        ++made_;
        return true;
    });
    say(QString("feedback phrases: %1 praise, %2 try again, %3 files made")
            .arg(praise.size())
            .arg(retry.size())
            .arg(made_ - before));
    return ok;
}

bool DataPackBuilder::buildMusic() {
    if (!ensureFolders())
        return false;
    const QString rel = PackLayout::musicPath();
    const WaveFile tune = MusicSynth::tune();
    const QByteArray samples(reinterpret_cast<const char*>(tune.samples.data()),
                             qsizetype(tune.samples.size() * 2));
    const QByteArray print = BuildManifest::fingerprint(QByteArray(Version) + samples);
    if (manifest_.upToDate(rel, dataPath(rel), print)) {
        ++kept_;
        say("music: up to date");
        return true;
    }
    QString error;
    if (!tune.write(dataPath(rel), &error)) {
        fail(error);
        return false;
    }
    manifest_.record(rel, print);
    ++made_;
    say(QString("music: %1 s").arg(tune.durationSeconds(), 0, 'f', 1));
    return true;
}

bool DataPackBuilder::buildInterface() {
    QStringList errors;
    const bool ok =
        makeInterfacePack(options_.dataDir, options_.sheetDir, options_.progress, &errors);
    for (const QString& e : errors)
        fail(e);
    return ok && errors.isEmpty();
}

bool DataPackBuilder::writeText(const QString& rel, const QByteArray& bytes) {
    const QByteArray print = BuildManifest::fingerprint(QByteArray(Version) + bytes);
    if (manifest_.upToDate(rel, dataPath(rel), print)) {
        ++kept_;
        return true;
    }
    QSaveFile out(dataPath(rel));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        fail(rel + ": " + out.errorString());
        return false;
    }
    manifest_.record(rel, print);
    ++made_;
    return true;
}

bool DataPackBuilder::buildAnimalPictures() {
    QList<TsvTable::Row> rows;
    if (!buildBadges(
            "animals.tsv", PackLayout::AnimalCount,
            [](int i, const QString&) { return PackLayout::animalPicturePath(i + 1); }, &rows))
        return false;
    QByteArray list;
    for (int i = 0; i < rows.size(); ++i)
        list += QString("%1\t%2\n").arg(i + 1, 2, 10, QChar('0')).arg(rows[i].fields[0]).toUtf8();
    return writeText(PackLayout::animalListPath(), list);
}

bool DataPackBuilder::buildMirrorPictures() {
    return buildBadges(
        "mirror.tsv", PackLayout::MirrorPictureCount,
        [](int, const QString& name) { return PackLayout::mirrorPicturePath(name); }, nullptr);
}

bool DataPackBuilder::buildBadges(const QString& table, int count,
                                  const std::function<QString(int, const QString&)>& pathOf,
                                  QList<TsvTable::Row>* rowsOut) {
    if (!ensureFolders())
        return false;
    QList<TsvTable::Row> rows;
    QString error;
    if (!TsvTable::read(options_.sourceDir + "/" + table, 3, &rows, &error)) {
        fail(error);
        return false;
    }
    if (rows.size() != count) {
        fail(QString("%1: %2 pictures, need %3").arg(table).arg(rows.size()).arg(count));
        return false;
    }
    const int before = made_;
    const int size = PackLayout::badgePictureSize();
    PictureComposer composer(*library_);
    const bool ok = parallel(int(rows.size()), [&](int i, QString* fault) {
        const QStringList& fields = rows[i].fields;
        const QString rel = pathOf(i, fields[0]);
        const QColor backdrop = QColor::fromString(fields[2]);
        QList<RecipeLayer> layers;
        QByteArray inputs;
        if (!backdrop.isValid())
            *fault = "no such colour \"" + fields[2] + "\"";
        else if (PictureRecipe::parse(fields[1], &layers, fault))
            inputs = composer.inputs(layers, fault);
        if (inputs.isEmpty()) {
            *fault = QString("%1:%2 (%3): %4").arg(table).arg(rows[i].line).arg(fields[0], *fault);
            return false;
        }
        const QByteArray print = BuildManifest::fingerprint(
            QByteArray(Version) + fields[1].toUtf8() + ' ' + backdrop.name().toUtf8() +
            QByteArray::number(size) + inputs);
        if (manifest_.upToDate(rel, dataPath(rel), print)) {
            ++kept_;
            return true;
        }
        const QImage image = AnimalBadge::render(composer, layers, backdrop, size, fault);
        QSaveFile out(dataPath(rel));
        QImageWriter writer(&out, "png");
        if (image.isNull() || !out.open(QIODevice::WriteOnly) || !writer.write(image) ||
            !out.commit()) {
            *fault = rel + ": " +
                     (image.isNull()                                 ? *fault
                      : writer.error() != QImageWriter::UnknownError ? writer.errorString()
                                                                     : out.errorString());
            return false;
        }
        manifest_.record(rel, print);
        ++made_;
        return true;
    });
    say(QString("%1: %2 pictures, %3 files made").arg(table).arg(rows.size()).arg(made_ - before));
    if (rowsOut)
        *rowsOut = rows;
    return ok;
}

bool DataPackBuilder::buildContactSheets() {
    if (!loadWords())
        return false;
    auto read = [](const QString& path) {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        return reader.read();
    };
    QList<ContactSheet::Item> items;
    for (const auto& word : words_)
        items.append({read(dataPath(PackLayout::smallPath(word.key))), word.word});
    const QImage words = ContactSheet::grid(
        items, QSize(100, 100), 20, QString("Wiklotek: %1 word pictures").arg(items.size()));
    bool ok = true;
    const QString wordsPath = options_.sheetDir + "/contact-sheet-words.png";
    if (!words.save(wordsPath)) {
        fail("cannot write " + wordsPath);
        ok = false;
    }

    QList<ContactSheet::Item> animals;
    QList<TsvTable::Row> rows;
    if (TsvTable::read(options_.sourceDir + "/animals.tsv", 3, &rows, nullptr))
        for (int i = 0; i < rows.size(); ++i)
            animals.append(
                {read(dataPath(PackLayout::animalPicturePath(i + 1))), rows[i].fields[0]});
    const QString animalsPath = options_.sheetDir + "/contact-sheet-animals.png";
    if (!ContactSheet::grid(animals, QSize(260, 260), 6, "Wiklotek: children's animal pictures")
             .save(animalsPath)) {
        fail("cannot write " + animalsPath);
        ok = false;
    }

    // The interface pack writes its own sheet.
    say(QString("contact sheet: %1 words").arg(words_.size()));
    return ok;
}
