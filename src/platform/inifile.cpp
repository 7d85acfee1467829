#include "inifile.h"

#include "regularfile.h"
#include "textdecoding.h"

#include <QFileInfo>
#include <QSaveFile>
#include <limits>
#include <utility>

namespace {

// An ini file is a few kilobytes; anything far larger in its place is not one of ours, and
// reading it whole would only cost memory.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(s[end - 1])) {
        --end;
    }
    return s.sliced(begin, end - begin);
}

// The form under which a section or key name is indexed: each code point case-folded as
// QString's case-insensitive comparison folds it, so that two names get the same form exactly
// when that comparison finds them equal. A lone surrogate stays as it is.
QString foldedName(QStringView name) {
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        c = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(c)) {
            folded.append(QChar(QChar::highSurrogate(c)));
            folded.append(QChar(QChar::lowSurrogate(c)));
        } else {
            folded.append(QChar(char16_t(c)));
        }
    }
    return folded;
}

// A line break inside a value would end the line and turn the rest into a new key or section.
QString singleLine(const QString& s) {
    QString out = s;
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    return out;
}

// Optionally signed decimal digits, nothing else, within int range.
bool parseDecimal(QStringView text, int& result) {
    QStringView s = trimBlanks(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.sliced(1);
    }
    if (s.isEmpty()) {
        return false;
    }
    // Accumulate the magnitude in 64 bits; more than ten significant digits never fit an int.
    qint64 magnitude = 0;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1) {
            return false;
        }
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return false;
    }
    result = int(value);
    return true;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::load() {
    m_sections.clear();
    m_unreadableLines = 0;
    m_sectionIndex.clear();
    const QFileInfo info(m_path);
    if (!info.exists()) {
        return true;
    }
    // Not opened unless it is a regular file: a FIFO in its place would hold the start.
    const std::optional<QByteArray> bytes = RegularFile::Read(m_path, kMaxFileSize);
    if (!bytes) {
        return false;
    }
    parse(decodeTextFile(*bytes));
    return true;
}

bool IniFile::save() const {
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = toText().toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const Section* s = findSection(section);
    const Entry* e = s != nullptr ? findEntry(*s, key) : nullptr;
    return e != nullptr ? e->value : def;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    if (!valueExists(section, key)) {
        return def;
    }
    int value = 0;
    return parseDecimal(readString(section, key, QString()), value) ? value : def;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = singleLine(section).trimmed();
    const QString keyName = singleLine(key).trimmed();
    if (sectionName.isEmpty() || keyName.isEmpty()) {
        return;
    }
    entryFor(sectionFor(sectionName), keyName).value = singleLine(value);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

bool IniFile::sectionExists(const QString& section) const {
    return findSection(section) != nullptr;
}

bool IniFile::valueExists(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    return s != nullptr && findEntry(*s, key) != nullptr;
}

QStringList IniFile::sections() const {
    QStringList names;
    names.reserve(qsizetype(m_sections.size()));
    for (const Section& s : m_sections) {
        names.append(s.name);
    }
    return names;
}

void IniFile::parse(const QString& text) {
    m_sections.clear();
    m_unreadableLines = 0;
    m_sectionIndex.clear();
    Section* current = nullptr;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        line = trimBlanks(line);
        if (line.isEmpty() || line.front() == u';') {
            continue;
        }
        if (line.front() == u'[') {
            // The name runs to the last ']'; a lost closing bracket still starts a section so
            // that the keys below it do not land in the section before.
            QStringView name = line.sliced(1);
            const qsizetype close = name.lastIndexOf(u']');
            if (close >= 0) {
                name.truncate(close);
            }
            name = trimBlanks(name);
            // Repeated sections merge into the first one, as on Windows.
            current = &sectionFor(name);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        const QStringView key = eq < 0 ? QStringView() : trimBlanks(line.first(eq));
        if (current == nullptr || key.isEmpty()) {
            ++m_unreadableLines;
            continue;
        }
        bool added = false;
        Entry& entry = entryFor(*current, key, &added);
        if (added) { // the first occurrence of a key wins
            entry.value = trimBlanks(line.sliced(eq + 1)).toString();
        }
    }
}

QString IniFile::toText() const {
    QString text;
    for (const Section& s : m_sections) {
        if (!text.isEmpty()) {
            text += QLatin1String("\r\n");
        }
        text += u'[' + s.name + QLatin1String("]\r\n");
        for (const Entry& e : s.entries) {
            text += e.key + u'=' + e.value + QLatin1String("\r\n");
        }
    }
    return text;
}

const IniFile::Section* IniFile::findSection(QStringView name) const {
    const auto found = m_sectionIndex.find(foldedName(name));
    return found != m_sectionIndex.end() ? &m_sections[found->second] : nullptr;
}

IniFile::Section* IniFile::findSection(QStringView name) {
    const auto found = m_sectionIndex.find(foldedName(name));
    return found != m_sectionIndex.end() ? &m_sections[found->second] : nullptr;
}

IniFile::Section& IniFile::sectionFor(QStringView name) {
    const auto [slot, added] = m_sectionIndex.try_emplace(foldedName(name), m_sections.size());
    if (added) {
        m_sections.push_back(Section{name.toString(), {}, {}});
    }
    return m_sections[slot->second];
}

const IniFile::Entry* IniFile::findEntry(const Section& section, QStringView key) {
    const auto found = section.keys.find(foldedName(key));
    return found != section.keys.end() ? &section.entries[found->second] : nullptr;
}

IniFile::Entry& IniFile::entryFor(Section& section, QStringView key, bool* added) {
    const auto [slot, isNew] = section.keys.try_emplace(foldedName(key), section.entries.size());
    if (isNew) {
        section.entries.push_back(Entry{key.toString(), QString()});
    }
    if (added != nullptr) {
        *added = isNew;
    }
    return section.entries[slot->second];
}
