#include "recordingcatalogue.h"

#include "damagedfile.h"
#include "inifile.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace {

const QString kFileName = QStringLiteral("record.xtr");
const QString kKeyFile = QStringLiteral("Plik");
const QString kKeyName = QStringLiteral("Nazwa");
const QString kKeyDate = QStringLiteral("Data");
const QString kDateFormat = QStringLiteral("dd-MM-yyyy");

// Day 0 of the date values.
const QDate kEpoch(1899, 12, 30);

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

void writeEmptyPlace(IniFile& ini, int number) {
    const QString section = RecordingCatalogue::SectionName(number);
    ini.writeString(section, kKeyFile, QString());
    ini.writeString(section, kKeyName, QString());
    ini.writeString(section, kKeyDate, RecordingCatalogue::DateText(RecordingCatalogue::NoDate));
}

} // namespace

RecordingCatalogue::RecordingCatalogue(QString folder, Today today)
    : m_folder(std::move(folder)), m_today(std::move(today)) {
    clearPlaces();
}

void RecordingCatalogue::clearPlaces() {
    for (int n = 0; n < Places; ++n)
        m_places[std::size_t(n)] = NagRec{n, QString(), NoDate, QString()};
}

QString RecordingCatalogue::FilePath() const {
    return m_folder + u'/' + kFileName;
}

bool RecordingCatalogue::Open() {
    clearPlaces();
    const QString path = FilePath();
    if (!QFileInfo::exists(path)) {
        if (!QDir().mkpath(m_folder))
            return false;
        IniFile fresh(path);
        for (int n = 0; n < Places; ++n)
            writeEmptyPlace(fresh, n);
        if (!fresh.save())
            return false;
    }

    IniFile ini(path);
    if (!ini.load())
        return false;
    // Each place stands on its own: a lost section must not hide the places after it, or a
    // row that looks empty would be recorded over.
    for (int n = 0; n < Places; ++n) {
        const QString section = SectionName(n);
        if (!ini.sectionExists(section))
            continue;
        NagRec& place = m_places[std::size_t(n)];
        const QString file = ini.readString(section, kKeyFile, QString());
        place.file = IsPlainBaseName(file) ? file : QString();
        place.name = DecodeName(ini.readString(section, kKeyName, QString()));
        const double date = ParseDate(ini.readString(section, kKeyDate, QString()));
        if (date > NoDate)
            place.date = date;
    }

    // A place without its section could never be stored; give it one. Lines that could not be
    // read go with the rewrite, so their bytes are kept aside first; without that copy the
    // file stays as it is.
    bool mend = ini.unreadableLines() > 0;
    for (int n = 0; n < Places; ++n) {
        if (!ini.sectionExists(SectionName(n))) {
            writeEmptyPlace(ini, n);
            mend = true;
        }
    }
    if (mend && (ini.unreadableLines() == 0 || DamagedFile::CopyAside(path)))
        ini.save();
    return true;
}

const RecordingCatalogue::NagRec& RecordingCatalogue::Place(int number) const {
    static const NagRec none{-1, QString(), NoDate, QString()};
    if (number < 0 || number >= Places)
        return none;
    return m_places[std::size_t(number)];
}

void RecordingCatalogue::SetName(int number, const QString& name) {
    if (number >= 0 && number < Places)
        m_places[std::size_t(number)].name = name;
}

QString RecordingCatalogue::SoundPath(int number) const {
    const NagRec& place = Place(number);
    if (place.file.isEmpty())
        return QString();
    return m_folder + u'/' + place.file + QStringLiteral(".wav");
}

bool RecordingCatalogue::StoreRecording(int number) {
    if (number < 0 || number >= Places)
        return false;
    IniFile ini(FilePath());
    const QString section = SectionName(number);
    if (!DamagedFile::LoadIniForRewrite(ini) || !ini.sectionExists(section))
        return false;
    NagRec& place = m_places[std::size_t(number)];
    ini.writeString(section, kKeyName, EncodeName(place.name));
    place.file = RecordingFileName(number);
    ini.writeString(section, kKeyFile, place.file);
    place.date = DateValue(today());
    ini.writeString(section, kKeyDate, DateText(place.date));
    return ini.save();
}

QDate RecordingCatalogue::today() const {
    return m_today ? m_today() : QDate::currentDate();
}

QString RecordingCatalogue::SectionName(int number) {
    return QStringLiteral("Nagranie") + QString::number(number);
}

QString RecordingCatalogue::RecordingFileName(int number) {
    return QStringLiteral("Nagranie") + QString::number(number);
}

double RecordingCatalogue::DateValue(const QDate& date) {
    return date.isValid() ? double(kEpoch.daysTo(date)) : 0.0;
}

QString RecordingCatalogue::DateText(double date) {
    return kEpoch.addDays(qint64(date)).toString(kDateFormat);
}

QString RecordingCatalogue::ShownDate(double date) {
    return date > NoDate ? DateText(date) : QString();
}

double RecordingCatalogue::ParseDate(const QString& text) {
    const QString trimmed = text.trimmed();
    // QDate would also take one-digit days and months; the file only ever holds two.
    if (trimmed.size() != 10)
        return 0.0;
    return DateValue(QDate::fromString(trimmed, kDateFormat));
}

bool RecordingCatalogue::IsPlainBaseName(const QString& file) {
    if (file.isEmpty() || file.contains(QStringLiteral("..")))
        return false;
    for (const QChar c : file) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F ||
            c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool RecordingCatalogue::IsBlankName(const QString& name) {
    return name.trimmed().isEmpty();
}

QString RecordingCatalogue::EncodeName(const QString& name) {
    if (name.isEmpty())
        return name;
    const bool outerBlank = isBlank(name.front()) || isBlank(name.back());
    const bool quoted = name.size() >= 2 && name.front() == u'"' && name.back() == u'"';
    return outerBlank || quoted ? u'"' + name + u'"' : name;
}

QString RecordingCatalogue::DecodeName(const QString& stored) {
    if (stored.size() >= 2 && stored.front() == u'"' && stored.back() == u'"')
        return stored.sliced(1, stored.size() - 2);
    return stored;
}
