#include "inifile.h"

#include "textdecoding.h"

#include <QFile>
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

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
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
    const QFileInfo info(m_path);
    if (!info.exists()) {
        return true;
    }
    if (!info.isFile() || info.size() > kMaxFileSize) {
        return false;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxFileSize) {
        return false;
    }
    parse(decodeTextFile(bytes));
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
    if (s == nullptr) {
        return def;
    }
    for (const Entry& e : s->entries) {
        if (sameName(e.key, key)) {
            return e.value;
        }
    }
    return def;
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
    Section* s = findSection(sectionName);
    if (s == nullptr) {
        m_sections.push_back(Section{sectionName, {}});
        s = &m_sections.back();
    }
    const QString stored = singleLine(value);
    for (Entry& e : s->entries) {
        if (sameName(e.key, keyName)) {
            e.value = stored;
            return;
        }
    }
    s->entries.push_back(Entry{keyName, stored});
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

bool IniFile::sectionExists(const QString& section) const {
    return findSection(section) != nullptr;
}

bool IniFile::valueExists(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (s == nullptr) {
        return false;
    }
    for (const Entry& e : s->entries) {
        if (sameName(e.key, key)) {
            return true;
        }
    }
    return false;
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
            current = findSection(name.toString());
            if (current == nullptr) {
                m_sections.push_back(Section{name.toString(), {}});
                current = &m_sections.back();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        const QStringView key = eq < 0 ? QStringView() : trimBlanks(line.first(eq));
        if (current == nullptr || key.isEmpty()) {
            ++m_unreadableLines;
            continue;
        }
        bool seen = false;
        for (const Entry& e : current->entries) {
            if (sameName(e.key, key)) {
                seen = true; // the first occurrence of a key wins
                break;
            }
        }
        if (!seen) {
            current->entries.push_back(
                Entry{key.toString(), trimBlanks(line.sliced(eq + 1)).toString()});
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

IniFile::Section* IniFile::findSection(const QString& name) {
    for (Section& s : m_sections) {
        if (sameName(s.name, name)) {
            return &s;
        }
    }
    return nullptr;
}

const IniFile::Section* IniFile::findSection(const QString& name) const {
    for (const Section& s : m_sections) {
        if (sameName(s.name, name)) {
            return &s;
        }
    }
    return nullptr;
}
