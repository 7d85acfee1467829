#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <functional>

// The catalogue of the child's voice recordings: 30 numbered places, each with a name typed by
// the therapist, the date of its last recording and the base name of its sound file. It lives
// in the ini file "record.xtr" inside the recordings folder ("Nagrane", relative to the program's
// folder), one section "Nagranie<n>" per place with the keys "Plik", "Nazwa" and "Data".
//
// Dates are kept as days since 30 December 1899 and written as "dd-mm-yyyy" whatever the
// system's locale, so a file always reads back. A "Plik" value that is not a plain base name is
// treated as never recorded: a name read from the file must never lead outside the folder.
class RecordingCatalogue {
public:
    struct NagRec {
        int number = 0;
        QString name;
        double date = 0.0;
        QString file; // base name of the sound file, empty when never recorded
    };

    static constexpr int Places = 30;
    // 1 January 1990: the date of a place that was never recorded.
    static constexpr double NoDate = 32874.0;

    using Today = std::function<QDate()>;

    // today supplies the date a recording is stamped with; the system date when empty.
    explicit RecordingCatalogue(QString folder = QStringLiteral("Nagrane"), Today today = {});

    // Creates the folder and a file of 30 empty places when the file is missing, then loads
    // every place whose section is there. Sections missing from a readable file are added
    // empty (existing ones are left alone), so that every place can be recorded into; a file
    // with lines that cannot be read is copied aside (see DamagedFile) before it is rewritten.
    // False when the file can be neither created nor read; the places then stay empty.
    bool Open();

    const QString& Folder() const { return m_folder; }
    QString FilePath() const;

    // A number outside 0..29 gives an empty place.
    const NagRec& Place(int number) const;
    // Keeps every character; the name reaches the file with the next StoreRecording.
    void SetName(int number, const QString& name);
    // "<folder>/<file>.wav", or empty when the place was never recorded.
    QString SoundPath(int number) const;
    // Stamps the place as recorded now into "Nagranie<number>" and writes its section. False
    // when the file or the place's section is missing or the file could not be written (or,
    // holding lines that cannot be read, could not be copied aside first).
    bool StoreRecording(int number);

    static QString SectionName(int number);
    static QString RecordingFileName(int number);
    static double DateValue(const QDate& date);
    // "dd-mm-yyyy" of any date value.
    static QString DateText(double date);
    // The date as a row shows it: empty for a place never recorded (1 January 1990 or earlier).
    static QString ShownDate(double date);
    // Days since 30 December 1899 of a "dd-mm-yyyy" text; 0 when it is not one.
    static double ParseDate(const QString& text);
    // A file name without folders, parent references or control characters.
    static bool IsPlainBaseName(const QString& file);
    // Empty or only blanks: the place has no name to record under.
    static bool IsBlankName(const QString& name);

    // The ini layer drops a value's outer blanks, so a name with outer blanks (or one that is
    // itself quoted) is stored in double quotes, which reading removes again.
    static QString EncodeName(const QString& name);
    static QString DecodeName(const QString& stored);

private:
    QDate today() const;
    void clearPlaces();

    QString m_folder;
    Today m_today;
    std::array<NagRec, Places> m_places;
};
