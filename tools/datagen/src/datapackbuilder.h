#pragma once

#include "buildmanifest.h"
#include "tsvtable.h"
#include "wordlist.h"

#include <QString>
#include <QStringList>
#include <functional>

class IconLibrary;

// Brings a Data folder up to date: word pictures and masks, card pictures, spoken words,
// feedback phrases, music, the interface pictures, the animals of the children's profiles, the
// sibilant mirror's pictures, and
// the review sheets beside it. Files whose
// inputs have not changed since they were made are kept.
class DataPackBuilder {
public:
    struct Options {
        QString dataDir;   // the Data folder to fill
        QString sheetDir;  // where the contact sheets go (the build folder)
        QString setsDir;   // node_modules/@iconify-json of the installed picture set
        QString sourceDir; // tools/datagen: words.tsv, phrases.tsv, animals.tsv, pictures/
        int jobs{2};
        bool sheets{true};
        std::function<void(const QString&)> progress;
    };

    explicit DataPackBuilder(Options options);
    ~DataPackBuilder();

    // Runs every stage; false when anything could not be made (errors() names each).
    bool run();

    bool buildWordPictures();
    bool buildCardPictures();
    bool buildWordSounds();
    bool buildPhrases();
    bool buildMusic();
    bool buildInterface();
    bool buildAnimalPictures();
    bool buildMirrorPictures();
    // Pictures on coloured discs from a table of name, recipe and backdrop colour, as many as
    // count, each at the path pathOf gives for its row number and name.
    bool buildBadges(const QString& table, int count,
                     const std::function<QString(int, const QString&)>& pathOf,
                     QList<TsvTable::Row>* rows);
    bool buildContactSheets();
    // Stores what was made, so that the next run keeps it; run() does this itself.
    bool saveManifest();

    const QStringList& errors() const { return errors_; }
    // Files made and kept by the stages run so far.
    int made() const { return made_; }
    int kept() const { return kept_; }

    // Bumped when the way files are made changes, so that every file is remade once.
    static constexpr const char* Version = "wiklotek-datagen 5";

private:
    bool loadWords();
    void say(const QString& line) const;
    void fail(const QString& error);
    // Runs job(i) for i in [0, count) on the worker threads; false when any job failed.
    bool parallel(int count, const std::function<bool(int, QString*)>& job);
    QString dataPath(const QString& relative) const { return options_.dataDir + "/" + relative; }
    bool ensureFolders();
    // Writes bytes to the pack file rel unless the manifest knows it holds them already.
    bool writeText(const QString& rel, const QByteArray& bytes);

    Options options_;
    QList<WordList::Word> words_;
    BuildManifest manifest_;
    IconLibrary* library_;
    QStringList errors_;
    std::atomic<int> made_{0};
    std::atomic<int> kept_{0};
};
