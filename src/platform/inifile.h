#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <unordered_map>
#include <vector>

// Windows-style ini file held in memory. Section and key names compare without regard to
// case; values keep every character they hold. Reading accepts CR LF or LF line ends, a UTF-8
// byte-order mark and legacy CP1250 bytes; saving writes UTF-8 through a temporary file that
// replaces the old one only when it is complete.
//
// Line rules, as on Windows: "[name]" starts a section (a repeated section continues the first
// one); "key=value" splits at the first '=' only, so a value may hold '=', ';', brackets,
// quotes and commas; the first occurrence of a key wins; lines before any section, lines
// without '=' and lines starting with ';' are ignored. Blanks around the key, right after the
// '=' and at the line end are not part of the value, so a value's own leading and trailing
// blanks do not survive a save and load. A line break cannot be stored: writeString turns CR
// and LF in a value into spaces.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(QString path);

    // Reads the file named at construction. A missing file gives an empty ini and true;
    // an unreadable one (no permission, a directory in its place, megabytes of something that
    // is not an ini file) gives false. Either way the previous content is dropped.
    bool load();
    // Writes atomically to the path named at construction; false when it could not.
    bool save() const;

    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Decimal integer; a missing key or text that is not a whole number in range gives def.
    int readInteger(const QString& section, const QString& key, int def) const;
    // Creates the section and key when missing. An empty section or key name is ignored.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList sections() const;

    // Parses ini text (already decoded); used by load() and by tests.
    void parse(const QString& text);
    // Lines the last load or parse could make nothing of (not blank, a comment, a section or a
    // key with its value inside a section). A save drops them, so a caller that must not lose
    // what a person or a fault left in the file keeps a copy first.
    int unreadableLines() const { return m_unreadableLines; }
    QString toText() const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    // Names are looked up through an index keyed by their case-folded form, so that reading a
    // file of many sections or keys takes time in proportion to its length.
    using NameIndex = std::unordered_map<QString, std::size_t>;
    struct Section {
        QString name;
        std::vector<Entry> entries;
        NameIndex keys;
    };
    const Section* findSection(QStringView name) const;
    Section* findSection(QStringView name);
    // The section of that name, added at the end when missing.
    Section& sectionFor(QStringView name);
    static const Entry* findEntry(const Section& section, QStringView key);
    // The entry of that key, added with an empty value when missing; *added tells which.
    static Entry& entryFor(Section& section, QStringView key, bool* added = nullptr);

    QString m_path;
    std::vector<Section> m_sections; // in file order
    NameIndex m_sectionIndex;
    int m_unreadableLines = 0;
};
