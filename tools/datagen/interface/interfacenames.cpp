#include "interfacenames.h"

#include "textformat.h"
#include "wordentry.h"
#include "wordtable.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

const QStringList kTaskButtons = {"malo", "srednio", "duzo"};
const QStringList kSoundButtons = {"SZ", "ZZ", "CZ", "DZZ"};
const QStringList kPositionButtons = {"naglos", "srodglos", "wyglos"};

// Strips the "s_"/"b_" prefix of a check button base name.
QString checkButtonStem(const QString& base) {
    return base.mid(2);
}

} // namespace

QStringList InterfaceNames::imageButtons() {
    // Game windows: help, stop, next, previous. Main window and dialogs: about, exit, start,
    // progress, the word models, the sibilant mirror, the recording panel's record, play and
    // stop, the list's up and down, and the menu's speaker with the music on and off.
    return {"pomoc",      "stop",    "nast",   "pop",      "start",    "wyjdz",
            "oprogramie", "postepy", "wzorce", "lusterko", "rrec",     "rodtworz",
            "rstop",      "up",      "down",   "muzyka",   "muzykawyl"};
}

QSize InterfaceNames::imageButtonSize(const QString& name) {
    // The game windows' hit area is a fixed 70 x 60; "stop" also serves the notice, summary and
    // about windows. Menu buttons stand 90 to 100 apart, the recording buttons 80 apart; up
    // and down sit in the 30 pixels between the list's last column and the tab strip.
    if (name == "pomoc" || name == "stop" || name == "nast" || name == "pop")
        return {70, 60};
    if (name == "start" || name == "wyjdz" || name == "oprogramie" || name == "postepy" ||
        name == "wzorce" || name == "lusterko")
        return {84, 72};
    if (name == "rrec" || name == "rodtworz" || name == "rstop")
        return {76, 70};
    if (name == "up" || name == "down")
        return {28, 28};
    // The speaker sits in the sky band above the menu panel, clear of the clouds and the sun.
    if (name == "muzyka" || name == "muzykawyl")
        return {48, 48};
    return {};
}

QStringList InterfaceNames::imageButtonPictures(const QString& name) {
    return {name + "_D", name + "_A", name + "_", name + "_M"};
}

QStringList InterfaceNames::checkButtons(Variant v) {
    const QString prefix = v == Variant::Small ? "s_" : "b_";
    QStringList names;
    for (const QStringList* group : {&kTaskButtons, &kSoundButtons, &kPositionButtons})
        for (const QString& stem : *group)
            names << prefix + stem;
    return names;
}

QSize InterfaceNames::checkButtonSize(const QString& base) {
    if (base == rowCheckButton())
        return {28, 28}; // a list row is 32 high; the up button starts 35 right of the button
    const bool small = base.startsWith("s_");
    const QString stem = checkButtonStem(base);
    // Sound groups stand W/8 apart and the last must end before the tab strip; task counts and
    // positions stand W/6 apart. Heights keep clear of the caption below each row.
    if (kSoundButtons.contains(stem))
        return small ? QSize(80, 56) : QSize(100, 72);
    return small ? QSize(118, 58) : QSize(150, 74);
}

QStringList InterfaceNames::checkButtonPictures(const QString& base) {
    return {base + "_D", base + "_A"};
}

QStringList InterfaceNames::captions(Variant v) {
    const QString s = suffix(v);
    return {"nap_ilzadan" + s, "nap_gloski" + s, "nap_pozycja" + s};
}

QSize InterfaceNames::captionSize(Variant v) {
    // Captions end at the middle of the play area and start where the first check button of
    // their row starts (W/5); the sounds caption must stay above the sound buttons.
    return v == Variant::Small ? QSize(245, 34) : QSize(308, 44);
}

QStringList InterfaceNames::tileGraphemes() {
    QSet<QString> seen;
    QStringList graphemes;
    auto add = [&](const QString& g) {
        if (!g.isEmpty() && !seen.contains(g)) {
            seen.insert(g);
            graphemes << g;
        }
    };
    for (const WordTable::Row& row : WordTable::rows())
        for (const QString& g : WordEntry::Graphemes(QString::fromUtf8(row.segmentation)))
            add(g);
    for (const QChar c : QStringLiteral(u"aąbcćdeęfghijklłmnńoóprsśtuwyzźż"))
        add(QString(c));
    // Both pairs of sound buttons of the completing game.
    for (const char16_t* g : {u"sz", u"s", u"cz", u"c", u"rz", u"z", u"ż", u"dż", u"dz"})
        add(QString::fromUtf16(g));
    std::sort(graphemes.begin(), graphemes.end());
    return graphemes;
}

QString InterfaceNames::tileName(const QString& grapheme, bool red, Variant v) {
    const QString token = grapheme == questionTile() ? grapheme : LetterToken(grapheme);
    return token + (red ? "_red" : "") + suffix(v);
}

const QList<InterfaceNames::Picture>& InterfaceNames::library() {
    static const QList<Picture> pictures = [] {
        QList<Picture> list;
        auto add = [&](const QStringList& names, QSize size) {
            for (const QString& name : names)
                list << Picture{name, size};
        };
        for (const QString& button : imageButtons())
            add(imageButtonPictures(button), imageButtonSize(button));
        add({scrollThumb() + "_D", scrollThumb() + "_M"}, scrollThumbSize());
        add(checkButtonPictures(rowCheckButton()), checkButtonSize(rowCheckButton()));
        for (Variant v : variants()) {
            for (const QString& base : checkButtons(v))
                add(checkButtonPictures(base), checkButtonSize(base));
            add(captions(v), captionSize(v));
            QStringList tiles = tileGraphemes();
            tiles << questionTile();
            for (const QString& g : tiles)
                add({tileName(g, false, v), tileName(g, true, v)}, tileSize(v));
        }
        return list;
    }();
    return pictures;
}

QStringList InterfaceNames::libraryPictures() {
    QStringList names;
    for (const Picture& p : library())
        names << p.name;
    return names;
}

QSize InterfaceNames::librarySize(const QString& name) {
    static const QHash<QString, QSize> sizes = [] {
        QHash<QString, QSize> hash;
        for (const Picture& p : library())
            hash.insert(p.name, p.size);
        return hash;
    }();
    return sizes.value(name);
}

QSize InterfaceNames::fileSize(const QString& path) {
    for (const File& f : directFiles())
        if (f.path == path)
            return f.size;
    return {};
}

QList<InterfaceNames::File> InterfaceNames::directFiles() {
    QList<File> files;
    const QString specFolder = "Data/Intf/Spec/";
    for (Variant v : variants()) {
        const QString s = suffix(v);
        const QSize screen = designSize(v);
        const bool small = v == Variant::Small;
        files << File{specFolder + "mT_m0" + s + ".xji", screen};
        // The tab strip reaches past the last band (435 / 570) and stops short of the menu
        // buttons' row.
        for (int k = 1; k <= 5; ++k)
            files << File{specFolder + "mT_m" + QString::number(k) + s + ".xbi",
                          small ? QSize(240, 440) : QSize(310, 575)};
        files << File{specFolder + "mT_Mem" + s + ".xji", screen};
        for (int k = 1; k <= 5; ++k)
            files << File{specFolder + "mT_Pod" + s + QString::number(k) + ".xji", screen};
        files << File{specFolder + "mT_Uzu" + s + ".xji", screen};
        files << File{specFolder + "mT_Spa" + s + ".xbi", screen};
        files << File{specFolder + "mT_OPro" + s + ".xji", screen};
        // The logo stands centred above the about window's first text line.
        files << File{specFolder + "l1" + s + ".xji", small ? QSize(160, 80) : QSize(204, 78)};
        // The ring holds the Memory big picture (an oval of 200 x 250 / 260 x 320).
        const QSize ring = small ? QSize(300, 300) : QSize(380, 380);
        files << File{specFolder + "Ring" + s + ".xji", ring};
        files << File{specFolder + "RingM" + s + ".xji", ring};
    }
    files << File{specFolder + "mT_Splh.xji", {600, 348}};
    files << File{specFolder + "mKom_kp.xji", {420, 250}};
    for (const char* grade : {"B", "M", "G"})
        files << File{specFolder + "mStats" + grade + ".xji", {600, 450}};
    return files;
}
