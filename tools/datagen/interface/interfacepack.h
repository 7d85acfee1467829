#pragma once

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Writes every interface picture of the default data pack into dataDir, the pack's "Data"
// folder (window pictures in Intf/Spec, library pictures in Intf/Lib), and the review sheet
// buildDir/contact-sheet-interface.png. Files already newer than the generator are kept. Progress
// messages go to progress; every file that could not be made is named in errors. True when nothing
// failed.
bool makeInterfacePack(const QString& dataDir, const QString& buildDir,
                       const std::function<void(const QString&)>& progress, QStringList* errors);

// The same, with the counts and the age limit open to tests.
class InterfacePack {
public:
    struct Job {
        QString path; // as the program names it: "Data/Intf/Lib/stop_D.png"
        std::function<QImage()> render;
    };

    InterfacePack(const QString& dataDir, const QString& buildDir);

    // Files last written before this moment are made again; by default the moment the running
    // generator was built.
    void setStamp(const QDateTime& stamp) { stamp_ = stamp; }

    static QList<Job> jobs();
    // Where a "Data/..." path lands under the data folder.
    QString fileFor(const QString& path) const;
    // Renders and writes one file in the format of its extension; false with a message on
    // failure.
    static bool write(const QImage& image, const QString& path, const QString& file,
                      QString* error);

    bool run(const std::function<void(const QString&)>& progress, QStringList* errors);
    int made() const { return made_; }
    int kept() const { return kept_; }
    QString contactSheetPath() const { return buildDir_ + "/contact-sheet-interface.png"; }
    // The review sheet drawn from the files in the data folder.
    QImage contactSheet() const;

private:
    QString dataDir_;
    QString buildDir_;
    QDateTime stamp_;
    int made_ = 0;
    int kept_ = 0;
};
