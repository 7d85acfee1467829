#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Windows-style ini file held in memory. Section and key names compare without regard to
// case; values keep every character they hold. Reading accepts CR LF or LF line ends, a UTF-8
// byte-order mark and legacy CP1250 bytes; saving writes UTF-8 through a temporary file that
// replaces the old one only when it is complete.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(QString path);

    // Reads the file named at construction. A missing file gives an empty ini and true;
    // an unreadable one (no permission, a directory in its place) gives false.
    bool load();
    // Writes atomically to the path named at construction; false when it could not.
    bool save() const;

    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Decimal integer; a missing key or text that is not a whole number in range gives def.
    int readInteger(const QString& section, const QString& key, int def) const;
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;
    QStringList sections() const;

    // Parses ini text (already decoded); used by load() and by tests.
    void parse(const QString& text);
    QString toText() const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    Section* findSection(const QString& name);
    const Section* findSection(const QString& name) const;

    QString m_path;
    std::vector<Section> m_sections;
};
